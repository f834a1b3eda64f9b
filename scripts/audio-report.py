#!/usr/bin/python3
"""Loudness report of the game's sounds and music.

usage: scripts/audio-report.py DATA_DIR OUT_DIR [MIX_LINE]

Writes OUT_DIR/report.md (a table per file: integrated loudness, loudness range, true peak,
DC, low-end share, loudest third-octave band) and one spectrogram PNG per file. Integrated
loudness, range and true peak come from ffmpeg's ebur128 filter; the rest from numpy.
A simulated fight mixes the music with effects at the game's volumes (three voices per
sound) to show how often an unlimited 16-bit mix would clip. MIX_LINE, when given, is the
runtime's own worst-case measure (music at its loudest plus every voice of every effect).
"""
import os
import re
import subprocess
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from scipy import signal  # noqa: E402

RATE = 44100
# Volumes the game plays each effect at, and the role of every track.
VOLUMES = {
    "WavStart": 51, "WavMyShot00": 25, "WavMyShot01": 25, "WavMyShot02": 25, "WavArmDamage": 51,
    "WavPowerUp": 102, "WavItemGet00": 51, "WavZorbex00": 51, "WavZorbex01": 51, "WavMyBomb": 25,
    "WavEnemyBomb00": 25, "WavEnemyShot00": 25, "WavEnemyShot01": 20, "WavEnemyShot02": 25,
    "WavEnemyShot03": 51,
}
NAMES = {
    "WavEnemyBomb00": "explosion", "WavEnemyShot01": "mine burst", "WavZorbex01": "bomb blast",
    "WavMyBomb": "ship death", "WavItemGet00": "item blip", "WavMyShot00": "own shot 0",
    "WavMyShot01": "own shot 1", "WavMyShot02": "own shot 2", "WavPowerUp": "power-up",
    "WavEnemyShot02": "needle shot",
}
ROLES = {
    "Sound00": "stage", "Sound01": "stage", "Sound02": "stage", "Sound03": "stage", "Sound06": "stage",
    "Sound07": "stage", "Sound09": "stage", "Sound04": "boss", "Sound05": "boss", "Sound08": "boss",
    "SoundWarning": "warning", "SoundSelect01": "clear", "SoundSelect02": "clear", "Sound11": "ending",
}


def decode(path, channels):
    """Samples as floats; a mono file stays mono (ffmpeg would upmix it 3 dB down)."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "f32le", "-ac", str(channels), "-ar", str(RATE),
                          "-"], check=True, capture_output=True).stdout
    x = np.frombuffer(raw, dtype=np.float32).astype(np.float64)
    return x.reshape(-1, 2) if channels == 2 else x


def ebur128(path):
    err = subprocess.run(["ffmpeg", "-nostats", "-i", path, "-af", "ebur128=peak=true", "-f", "null", "-"],
                         capture_output=True, text=True).stderr
    summary = err[err.rfind("Summary:"):]

    def number(label):
        m = re.search(label + r":\s+(-?[\d.]+|-inf)", summary)
        return float(m.group(1)) if m and m.group(1) != "-inf" else float("-inf")
    return number("I"), number("LRA"), number("Peak")


def k_weight(x):
    # BS.1770 pre-filter (high shelf) and RLB high-pass, designed for this sample rate
    f0, g, q = 1681.974450955533, 3.999843853973347, 0.7071752369554196
    k = np.tan(np.pi * f0 / RATE)
    vh, vb = 10 ** (g / 20), (10 ** (g / 20)) ** 0.4996667741545416
    a0 = 1 + k / q + k * k
    b = [(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0]
    a = [1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0]
    y = signal.lfilter(b, a, x, axis=0)
    f0, q = 38.13547087602444, 0.5003270373238773
    k = np.tan(np.pi * f0 / RATE)
    a0 = 1 + k / q + k * k
    return signal.lfilter([1, -2, 1], [1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0], y, axis=0)


def loudest_momentary(x):
    """Highest 400 ms loudness (LUFS): the level of an effect while it sounds."""
    w = k_weight(np.concatenate([x, np.zeros(RATE // 2)]))  # one channel, as ebur128 reads a mono file
    power = w ** 2
    block = int(0.4 * RATE)
    run = np.convolve(power, np.ones(block) / block, mode="valid")
    return -0.691 + 10 * np.log10(max(run.max(), 1e-12))


def short_term(x):
    w = k_weight(x)
    power = (w ** 2).sum(axis=1)
    block, hop = 3 * RATE, RATE // 10
    csum = np.concatenate([[0], np.cumsum(power)])
    starts = np.arange(0, max(1, len(power) - block), hop)
    ms = (csum[np.minimum(starts + block, len(power))] - csum[starts]) / block
    return starts, -0.691 + 10 * np.log10(np.maximum(ms, 1e-12))


def third_octave_peak(x):
    mono = x.mean(axis=1) if x.ndim == 2 else x
    f, p = signal.welch(mono, RATE, nperseg=16384)
    best, best_db = 0, -1e9
    for n in range(-17, 14):  # 20 Hz to 20 kHz
        centre = 1000 * 2 ** (n / 3)
        band = (f >= centre * 2 ** (-1 / 6)) & (f < centre * 2 ** (1 / 6))
        if band.any():
            db = 10 * np.log10(p[band].sum() + 1e-20)
            if db > best_db:
                best, best_db = centre, db
    return best


def share_below(x, hz):
    mono = x.mean(axis=1) if x.ndim == 2 else x
    mono = mono - mono.mean()
    power = np.abs(np.fft.rfft(mono)) ** 2
    f = np.fft.rfftfreq(len(mono), 1 / RATE)
    return 100 * power[f < hz].sum() / max(power.sum(), 1e-20)


def dc_share(x):
    mono = x.mean(axis=1) if x.ndim == 2 else x
    return 100 * mono.mean() ** 2 / max((mono ** 2).mean(), 1e-20)


def spectrogram(x, title, path):
    mono = x.mean(axis=1) if x.ndim == 2 else x
    fig, ax = plt.subplots(figsize=(10, 3.2))
    nfft = 2048 if len(mono) > RATE * 5 else 512
    ax.specgram(mono, NFFT=nfft, Fs=RATE, noverlap=nfft // 2, cmap="magma", vmin=-130, vmax=-20)
    ax.set_yscale("symlog", linthresh=200)
    ax.set_ylim(20, 20000)
    ax.set_title(title)
    ax.set_xlabel("s")
    ax.set_ylabel("Hz")
    fig.tight_layout()
    fig.savefig(path, dpi=80)
    plt.close(fig)


def clip_events(mix):
    over = np.abs(mix).max(axis=1) > 1.0
    return int(np.count_nonzero(over[1:] & ~over[:-1]) + (1 if over[0] else 0))


def place(mix, sound, at, gain):
    if at >= len(mix):
        return
    n = min(len(sound), len(mix) - at)
    mix[at:at + n] += sound[:n, None] * gain


def simulated_fights(music, effects):
    """Music with own shots at full fire rate and explosions at 1 and 4 a second."""
    seconds = min(60, len(music) // RATE)
    base = music[:seconds * RATE]
    amp = {k: np.sqrt(VOLUMES[k] / 255) for k in effects}
    rows = []
    for per_second in (1, 4):
        mix = base.copy()
        for i in range(0, len(mix), int(RATE * 3 * 0.016)):  # a shot every third frame
            place(mix, effects["WavMyShot00"], i, amp["WavMyShot00"])
        for i in range(0, len(mix), RATE // per_second):
            place(mix, effects["WavEnemyBomb00"], i, amp["WavEnemyBomb00"])
        rows.append((per_second, clip_events(mix) * 60 / seconds, 20 * np.log10(np.abs(mix).max())))
    # a boss's death chain: an explosion every 6 frames, 21 of them, with shots going on
    mix = base[:3 * RATE].copy()
    for i in range(0, len(mix), int(RATE * 3 * 0.016)):
        place(mix, effects["WavMyShot00"], i, amp["WavMyShot00"])
    for k in range(21):
        place(mix, effects["WavEnemyBomb00"], int(k * 6 * 0.016 * RATE), amp["WavEnemyBomb00"])
    chain = (clip_events(mix), 20 * np.log10(np.abs(mix).max()))
    return rows, chain


def worst_case(music, effects):
    """Music at its loudest 3 s plus every voice of every effect started together."""
    starts, st = short_term(music)
    at = starts[int(np.argmax(st))]
    mix = music[at:at + 3 * RATE].copy()
    for name, sound in effects.items():
        place(mix, sound, 0, 3 * np.sqrt(VOLUMES[name] / 255))
    return 20 * np.log10(np.abs(mix).max())


def main():
    data, out = sys.argv[1], sys.argv[2]
    mix_line = sys.argv[3] if len(sys.argv) > 3 else ""
    os.makedirs(out, exist_ok=True)
    files = sorted(f for f in os.listdir(data) if f.endswith((".wav", ".mp3")))
    effects, tracks = {}, {}
    music_rows, effect_rows = [], []
    for f in files:
        path = os.path.join(data, f)
        stem = f[:-4]
        x = decode(path, 1 if f.endswith(".wav") else 2)
        integrated, lra, true_peak = ebur128(path)
        spectrogram(x, f, os.path.join(out, stem + ".png"))
        if f.endswith(".wav"):
            mono = x
            effects[stem] = mono
            sounding = loudest_momentary(mono)
            heard = sounding + 10 * np.log10(VOLUMES.get(stem, 255) / 255)
            effect_rows.append((f, NAMES.get(stem, ""), len(mono) / RATE, sounding, heard, true_peak,
                                dc_share(mono), share_below(mono, 100), abs(mono[0]) * 32768))
        else:
            tracks[stem] = x
            starts, st = short_term(x)
            gated = st[st > integrated - 20]
            spread = gated.max() - gated.min() if len(gated) else 0.0
            music_rows.append((f, ROLES.get(stem, ""), len(x) / RATE, integrated, lra, spread, true_peak,
                               dc_share(x), third_octave_peak(x)))
    loudest = max(tracks, key=lambda k: ebur128(os.path.join(data, k + ".mp3"))[0])
    fights, chain = simulated_fights(tracks["Sound05"], effects)
    worst = worst_case(tracks[loudest], effects)

    lines = ["# Audio report", "", "## Music", "",
             "| file | role | s | LUFS | LRA LU | short-term spread LU | true peak dBTP | DC % | loudest 1/3 oct Hz |",
             "|---|---|---|---|---|---|---|---|---|"]
    for r in music_rows:
        lines.append("| %s | %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.3f | %.0f |" % r)
    lines += ["", "## Effects", "",
              "LUFS while sounding: the loudest 400 ms. Heard: that at the game's volume.", "",
              "| file | what | s | LUFS sounding | heard LUFS | true peak dBTP | DC % | energy < 100 Hz % | first sample |",
              "|---|---|---|---|---|---|---|---|---|"]
    for r in effect_rows:
        lines.append("| %s | %s | %.2f | %.1f | %.1f | %.1f | %.2f | %.0f | %.0f |" % r)
    lines += ["", "## Mix", "",
              "Unlimited 16-bit sum of Sound05 with an own shot every third frame and explosions:", ""]
    for per_second, events, peak in fights:
        lines.append("- %d explosion(s) a second: %.0f clipping events a minute, peak %+.1f dBFS"
                     % (per_second, events, peak))
    lines.append("- a boss's death chain (21 explosions, 6 frames apart): %d clipping events, peak %+.1f dBFS"
                 % chain)
    lines.append("- worst case, unlimited (%s at its loudest 3 s + every voice of every effect): peak %+.1f dBFS"
                 % (loudest, worst))
    if mix_line:
        lines.append("- runtime mixer, " + mix_line)
    text = "\n".join(lines) + "\n"
    with open(os.path.join(out, "report.md"), "w") as fh:
        fh.write(text)
    print(text)


if __name__ == "__main__":
    main()
