// Sound effects. Shots are short, soft and noisy because they repeat every few frames; the
// explosions carry their weight in the low mids and their crack at 1 to 4 kHz, which small
// speakers play, with only a short sub under them. Every effect is mastered to a loudness
// heard at its playing volume, so a ship's death outranks a bomb, a bomb an explosion.
#include "effects.h"

#include <algorithm>
#include <cmath>

#include "mixer.h"
#include "synth.h"

namespace soundgen {

namespace {

using Samples = std::vector<float>;

Samples Seconds(float s) { return Samples((size_t)(s * kRate), 0.0f); }

float Decay(float t, float tau) { return std::exp(-t / tau); }
float Attack(float t, float seconds) { return std::min(1.0f, t / seconds); }
float Sweep(float t, float from, float to, float tau) { return to + (from - to) * std::exp(-t / tau); }

float Osc(Wave wave, float ph, float dt, float width) {
    switch (wave) {
        case WavePulse: {
            float v = (ph < width ? 1.0f : -1.0f) + (1.0f - 2.0f * width);  // no DC at any duty
            v += PolyBlep(ph, dt);
            float shifted = ph + 1.0f - width;
            if (shifted >= 1.0f) shifted -= 1.0f;
            return v - PolyBlep(shifted, dt);
        }
        case WaveSaw: return 2.0f * ph - 1.0f - PolyBlep(ph, dt);
        case WaveTriangle: return ph < 0.5f ? 4.0f * ph - 1.0f : 3.0f - 4.0f * ph;
        default: return FastSin(ph);
    }
}

// Adds a tone whose frequency and level are functions of time, from `start` seconds on.
template <class Freq, class Amp>
void Tone(Samples& v, Wave wave, float width, Freq freq, Amp amp, float start = 0.0f) {
    float ph = 0.0f;
    for (size_t i = (size_t)(start * kRate); i < v.size(); ++i) {
        const float t = (float)i / kRate - start;
        const float dt = std::min(0.45f, freq(t) / kRate);
        v[i] += Osc(wave, ph, dt, width) * amp(t);
        ph += dt;
        if (ph >= 1.0f) ph -= 1.0f;
    }
}

// Two-operator FM: the modulator runs at `ratio` times the carrier, `index` deep.
template <class Freq, class Index, class Amp>
void FmTone(Samples& v, float ratio, Freq freq, Index index, Amp amp, float start = 0.0f) {
    float ph = 0.0f, mod = 0.0f;
    for (size_t i = (size_t)(start * kRate); i < v.size(); ++i) {
        const float t = (float)i / kRate - start;
        const float dt = freq(t) / kRate;
        v[i] += FastSin(ph + index(t) * FastSin(mod)) * amp(t);
        ph += dt;
        mod += dt * ratio;
        ph -= std::floor(ph);
        mod -= std::floor(mod);
    }
}

// Filtered noise: `band` 0 low-pass, 1 band-pass, 2 high-pass, cutoff a function of time.
template <class Cut, class Amp>
void NoiseLayer(Samples& v, Noise& noise, int band, float resonance, Cut cut, Amp amp, float start = 0.0f) {
    Svf f;
    for (size_t i = (size_t)(start * kRate); i < v.size(); ++i) {
        const float t = (float)i / kRate - start;
        if ((i & 15) == 0) f.Set(cut(t), resonance);
        const float x = noise.Next();
        const float y = band == 0 ? f.Low(x) : band == 1 ? f.Band(x) : f.High(x);
        v[i] += y * amp(t);
    }
}

// Soft saturation makes explosions dense without raising their peaks.
void Saturate(Samples& v, float drive) {
    for (float& x : v) x = std::tanh(drive * x);
}

// Short fades at both ends, so no effect starts or stops with a click.
Samples Finish(Samples v) {
    FadeEnds(v);
    return v;
}

// Sparse clicks through a band-pass: the crackle of burning debris.
void Crackle(Samples& v, Noise& n, float hz, float density, float level, float tau, float start = 0.0f) {
    Svf f;
    f.Set(hz, 0.5f);
    for (size_t i = (size_t)(start * kRate); i < v.size(); ++i) {
        const float t = (float)i / kRate - start;
        const float r = n.Next();
        const float click = std::fabs(r) > 1.0f - density ? (r > 0.0f ? 1.0f : -1.0f) : 0.0f;
        v[i] += f.Band(click) * level * Decay(t, tau);
    }
}

// The own shots: a puff of band-passed noise with only a faint, falling tone under it, so a
// stream of them hisses softly instead of buzzing at the fire rate.
Samples MyShot00() {
    Samples v = Seconds(0.065f);
    Noise n;
    n.state = 0x2468aceu;
    NoiseLayer(v, n, 1, 0.35f, [](float t) { return Sweep(t, 3200.0f, 1400.0f, 0.02f); },
               [](float t) { return 1.4f * Attack(t, 0.002f) * Decay(t, 0.016f); });
    Tone(v, WaveTriangle, 0.5f, [](float t) { return Sweep(t, 1100.0f, 600.0f, 0.02f); },
         [](float t) { return 0.12f * Attack(t, 0.002f) * Decay(t, 0.015f); });
    return Finish(v);
}

Samples MyShot01() {
    Samples v = Seconds(0.08f);
    Noise n;
    n.state = 0x13579bdu;
    NoiseLayer(v, n, 1, 0.3f, [](float t) { return Sweep(t, 2600.0f, 1000.0f, 0.025f); },
               [](float t) { return 1.4f * Attack(t, 0.002f) * Decay(t, 0.02f); });
    NoiseLayer(v, n, 0, 0.1f, [](float) { return 900.0f; },
               [](float t) { return 0.5f * Attack(t, 0.003f) * Decay(t, 0.015f); });
    Tone(v, WaveTriangle, 0.5f, [](float t) { return Sweep(t, 800.0f, 420.0f, 0.03f); },
         [](float t) { return 0.1f * Attack(t, 0.002f) * Decay(t, 0.02f); });
    return Finish(v);
}

Samples MyShot02() {
    Samples v = Seconds(0.1f);
    Noise n;
    n.state = 0xfedcba9u;
    NoiseLayer(v, n, 0, 0.2f, [](float t) { return Sweep(t, 4000.0f, 500.0f, 0.025f); },
               [](float t) { return 1.1f * Attack(t, 0.002f) * Decay(t, 0.025f); });
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 320.0f, 150.0f, 0.03f); },
         [](float t) { return 0.25f * Attack(t, 0.003f) * Decay(t, 0.03f); });
    return Finish(v);
}

// Laser bolt: a falling FM zap.
Samples EnemyShot00() {
    Samples v = Seconds(0.18f);
    FmTone(v, 1.5f, [](float t) { return Sweep(t, 2400.0f, 320.0f, 0.05f); },
           [](float t) { return 3.0f * Decay(t, 0.06f); }, [](float t) { return Decay(t, 0.06f); });
    Tone(v, WavePulse, 0.25f, [](float t) { return Sweep(t, 1200.0f, 160.0f, 0.05f); },
         [](float t) { return 0.25f * Decay(t, 0.05f); });
    return Finish(v);
}

// Mine burst: a sharp, bright pop with a metallic ring and sparks; little below 200 Hz.
Samples EnemyShot01() {
    Samples v = Seconds(0.42f);
    Noise n;
    n.state = 0x0badf00u;
    NoiseLayer(v, n, 2, 0.2f, [](float) { return 2500.0f; },
               [](float t) { return 1.2f * Attack(t, 0.0008f) * Decay(t, 0.012f); });
    NoiseLayer(v, n, 1, 0.45f, [](float t) { return Sweep(t, 1800.0f, 500.0f, 0.06f); },
               [](float t) { return 1.3f * Attack(t, 0.001f) * Decay(t, 0.07f); });
    FmTone(v, 1.73f, [](float t) { return Sweep(t, 980.0f, 860.0f, 0.1f); },
           [](float t) { return 2.0f * Decay(t, 0.05f) + 0.3f; }, [](float t) { return 0.3f * Decay(t, 0.09f); });
    Crackle(v, n, 3500.0f, 0.02f, 2.5f, 0.15f, 0.03f);
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 260.0f, 150.0f, 0.03f); },
         [](float t) { return 0.35f * Attack(t, 0.001f) * Decay(t, 0.04f); });
    Saturate(v, 1.6f);
    return Finish(v);
}

// Needle: a thin, rising glint.
Samples EnemyShot02() {
    Samples v = Seconds(0.11f);
    Tone(v, WavePulse, 0.125f, [](float t) { return Sweep(t, 2200.0f, 3800.0f, 0.03f); },
         [](float t) { return Decay(t, 0.03f); });
    FmTone(v, 3.5f, [](float) { return 3100.0f; }, [](float) { return 1.2f; },
           [](float t) { return 0.5f * Decay(t, 0.04f); });
    return Finish(v);
}

// Beam: a quick charge, then a wide buzzing roar that fades over the beam's life.
Samples EnemyShot03() {
    Samples v = Seconds(1.6f);
    Noise n;
    FmTone(v, 2.0f, [](float t) { return Sweep(t, 180.0f, 900.0f, 0.08f); },
           [](float t) { return 2.5f * Decay(t, 0.15f); },
           [](float t) { return 0.6f * Attack(t, 0.01f) * Decay(t, 0.12f); });
    auto roar = [](float t) {
        float swell = Attack(t - 0.12f < 0.0f ? 0.0f : t - 0.12f, 0.05f);
        float tremolo = 0.8f + 0.2f * FastSin(28.0f * t);
        return swell * tremolo * (0.35f + 0.65f * Decay(t, 0.6f));
    };
    Tone(v, WaveSaw, 0.5f, [](float t) { return 110.0f + 6.0f * FastSin(7.0f * t); }, [=](float t) { return 0.45f * roar(t); });
    Tone(v, WaveSaw, 0.5f, [](float t) { return 221.5f + 8.0f * FastSin(5.0f * t); }, [=](float t) { return 0.35f * roar(t); });
    Tone(v, WavePulse, 0.3f, [](float) { return 55.2f; }, [=](float t) { return 0.4f * roar(t); });
    NoiseLayer(v, n, 1, 0.5f, [](float t) { return 1800.0f + 600.0f * FastSin(3.0f * t); },
               [=](float t) { return 0.7f * roar(t); });
    const size_t fade = (size_t)(0.4f * kRate);
    for (size_t i = 0; i < fade; ++i) v[v.size() - 1 - i] *= (float)i / fade;
    return Finish(v);
}

// Explosion of an enemy: a crack, a body of noise in the low mids that darkens as it dies,
// crackle at 1 to 4 kHz and a short sub thump.
Samples EnemyBomb00() {
    Samples v = Seconds(0.7f);
    Noise n;
    n.state = 0x1234567u;
    NoiseLayer(v, n, 2, 0.1f, [](float) { return 1800.0f; },
               [](float t) { return 0.9f * Attack(t, 0.0008f) * Decay(t, 0.02f); });
    NoiseLayer(v, n, 1, 0.3f, [](float t) { return Sweep(t, 420.0f, 140.0f, 0.18f); },
               [](float t) { return 3.0f * Attack(t, 0.002f) * Decay(t, 0.2f); });
    NoiseLayer(v, n, 1, 0.25f, [](float t) { return Sweep(t, 2600.0f, 1200.0f, 0.12f); },
               [](float t) { return 0.9f * Attack(t, 0.001f) * Decay(t, 0.1f); });
    Crackle(v, n, 2200.0f, 0.015f, 2.0f, 0.18f, 0.05f);
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 95.0f, 55.0f, 0.05f); },
         [](float t) { return 0.3f * Attack(t, 0.002f) * Decay(t, 0.05f); });
    Saturate(v, 2.0f);
    return Finish(v);
}

// The player's ship destroyed: a hard blast, two secondary explosions, a falling whine of
// the engine and a long rumble of debris.
Samples MyBomb() {
    Samples v = Seconds(1.8f);
    Noise n;
    n.state = 0x51ed27u;
    NoiseLayer(v, n, 2, 0.15f, [](float) { return 1500.0f; },
               [](float t) { return 1.2f * Attack(t, 0.0008f) * Decay(t, 0.03f); });
    for (float at : {0.0f, 0.32f, 0.62f}) {
        const float weight = at == 0.0f ? 1.0f : 0.7f;
        NoiseLayer(v, n, 1, 0.3f, [](float t) { return Sweep(t, 600.0f, 160.0f, 0.25f); },
                   [=](float t) { return 2.4f * weight * Attack(t, 0.002f) * Decay(t, 0.28f); }, at);
        NoiseLayer(v, n, 1, 0.3f, [](float t) { return Sweep(t, 3200.0f, 1300.0f, 0.2f); },
                   [=](float t) { return 0.9f * weight * Attack(t, 0.001f) * Decay(t, 0.15f); }, at);
    }
    Tone(v, WavePulse, 0.3f, [](float t) { return Sweep(t, 1100.0f, 140.0f, 0.5f) * (1.0f + 0.02f * FastSin(7.0f * t)); },
         [](float t) { return 0.4f * Attack(t, 0.01f) * Decay(t, 0.6f); });
    Crackle(v, n, 2000.0f, 0.02f, 2.2f, 0.5f, 0.05f);
    NoiseLayer(v, n, 1, 0.2f, [](float) { return 220.0f; },
               [](float t) { return 1.6f * Attack(t, 0.2f) * Decay(t, 0.5f); }, 0.2f);
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 80.0f, 48.0f, 0.08f); },
         [](float t) { return 0.35f * Attack(t, 0.002f) * Decay(t, 0.1f); });
    Saturate(v, 1.8f);
    return Finish(v);
}

// A hit on the arms: a metal clang with a short buzz.
Samples ArmDamage() {
    Samples v = Seconds(0.32f);
    Noise n;
    FmTone(v, 1.41f, [](float) { return 520.0f; }, [](float t) { return 4.0f * Decay(t, 0.06f) + 0.5f; },
           [](float t) { return 0.7f * Decay(t, 0.09f); });
    Tone(v, WavePulse, 0.2f, [](float t) { return Sweep(t, 180.0f, 80.0f, 0.05f); },
         [](float t) { return 0.4f * Decay(t, 0.06f); });
    NoiseLayer(v, n, 2, 0.0f, [](float) { return 3000.0f; }, [](float t) { return 0.8f * Decay(t, 0.008f); });
    return Finish(v);
}

// Power-up: a bright rising arpeggio over an upward sweep; every note eases in.
Samples PowerUp() {
    Samples v = Seconds(0.6f);
    static const float notes[6] = {72, 76, 79, 84, 88, 91};
    for (int k = 0; k < 6; ++k) {
        const float hz = MidiToHz(notes[k]);
        const float start = k * 0.045f;
        Tone(v, WavePulse, 0.25f, [=](float) { return hz; },
             [](float t) { return 0.45f * Attack(t, 0.003f) * Decay(t, 0.12f); }, start);
        Tone(v, WaveTriangle, 0.5f, [=](float) { return hz * 2.0f; },
             [](float t) { return 0.25f * Attack(t, 0.003f) * Decay(t, 0.08f); }, start);
    }
    Tone(v, WaveSine, 0.5f, [](float t) { return 400.0f * std::exp2(t * 6.0f); },
         [](float t) { return 0.2f * Attack(t, 0.005f) * Decay(t, 0.15f); });
    return Finish(v);
}

// Item picked up: two quick blips, each eased in and out.
Samples ItemGet00() {
    Samples v = Seconds(0.17f);
    auto blip = [](float t) { return std::min({1.0f, t / 0.003f, std::max(0.0f, (0.05f - t) / 0.004f)}); };
    Tone(v, WavePulse, 0.5f, [](float) { return MidiToHz(83); }, [=](float t) { return 0.6f * blip(t); });
    Tone(v, WavePulse, 0.5f, [](float) { return MidiToHz(88); },
         [](float t) { return 0.6f * Attack(t, 0.003f) * Decay(t, 0.05f); }, 0.05f);
    Tone(v, WaveTriangle, 0.5f, [](float) { return MidiToHz(100); },
         [](float t) { return 0.3f * Attack(t, 0.003f) * Decay(t, 0.04f); }, 0.05f);
    return Finish(v);
}

// The bomb attack launches: a rising whoosh, a shimmer and a deep swell.
Samples Zorbex00() {
    Samples v = Seconds(2.0f);
    Noise n;
    n.state = 0xabcdef1u;
    NoiseLayer(v, n, 1, 0.6f,
               [](float t) { return t < 0.5f ? 300.0f * std::exp2(t * 7.0f) : Sweep(t - 0.5f, 3400.0f, 500.0f, 0.4f); },
               [](float t) { return 1.4f * Attack(t, 0.4f) * Decay(t, 0.8f); });
    FmTone(v, 1.005f, [](float t) { return 220.0f * std::exp2(std::min(t, 0.5f) * 2.0f); },
           [](float t) { return 2.0f * Decay(t, 0.6f); }, [](float t) { return 0.35f * Attack(t, 0.3f) * Decay(t, 0.7f); });
    FmTone(v, 3.0f, [](float) { return 1320.0f; }, [](float t) { return 0.8f + 0.5f * FastSin(6.0f * t); },
           [](float t) { return 0.15f * Attack(t, 0.5f) * Decay(t, 0.5f); }, 0.3f);
    Tone(v, WaveSine, 0.5f, [](float t) { return t < 0.5f ? 40.0f + 60.0f * t : Sweep(t - 0.5f, 70.0f, 35.0f, 0.3f); },
         [](float t) { return 0.9f * Attack(t, 0.45f) * Decay(t, 0.9f); });
    Saturate(v, 1.3f);
    return Finish(v);
}

// One blast of the bomb attack: a sharp crack, a wide roar whose low-pass closes, a ringing
// shock wave falling through the mids and a thump; shorter than a ship's death, bigger than
// an explosion.
Samples Zorbex01() {
    Samples v = Seconds(0.75f);
    Noise n;
    n.state = 0x7777777u;
    NoiseLayer(v, n, 2, 0.1f, [](float) { return 3000.0f; },
               [](float t) { return 1.6f * Attack(t, 0.0006f) * Decay(t, 0.015f); });
    NoiseLayer(v, n, 0, 0.35f, [](float t) { return Sweep(t, 9000.0f, 500.0f, 0.25f); },
               [](float t) { return 2.2f * Attack(t, 0.001f) * Decay(t, 0.22f); });
    NoiseLayer(v, n, 1, 0.3f, [](float t) { return Sweep(t, 300.0f, 120.0f, 0.2f); },
               [](float t) { return 1.4f * Attack(t, 0.003f) * Decay(t, 0.25f); });
    FmTone(v, 1.41f, [](float t) { return Sweep(t, 640.0f, 210.0f, 0.12f); },
           [](float t) { return 1.5f * Decay(t, 0.1f); }, [](float t) { return 0.35f * Attack(t, 0.002f) * Decay(t, 0.16f); });
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 110.0f, 52.0f, 0.04f); },
         [](float t) { return 0.45f * Attack(t, 0.002f) * Decay(t, 0.09f); });
    Saturate(v, 2.2f);
    return Finish(v);
}

// Game start: an upward rush into a bright major chord that rings out.
Samples Start() {
    Samples v = Seconds(1.35f);
    FmTone(v, 2.0f, [](float t) { return 300.0f * std::exp2(std::min(t, 0.22f) * 12.0f); },
           [](float t) { return 1.5f * Decay(t, 0.2f); },
           [](float t) { return 0.4f * Attack(t, 0.05f) * (t < 0.22f ? 1.0f : Decay(t - 0.22f, 0.03f)); });
    static const float chord[4] = {69, 73, 76, 81};  // A major, the root doubled
    for (int k = 0; k < 4; ++k) {
        const float hz = MidiToHz(chord[k]);
        Tone(v, WavePulse, 0.25f + 0.1f * k, [=](float t) { return hz * (1.0f + 0.003f * FastSin(5.5f * t)); },
             [](float t) { return 0.3f * Attack(t, 0.005f) * Decay(t, 0.45f); }, 0.22f);
        Tone(v, WaveSaw, 0.5f, [=](float) { return hz * 1.003f; },
             [](float t) { return 0.12f * Decay(t, 0.35f); }, 0.22f);
    }
    Tone(v, WaveTriangle, 0.5f, [](float) { return MidiToHz(45); },
         [](float t) { return 0.5f * Decay(t, 0.4f); }, 0.22f);
    // a single echo of the chord keeps it bright without lengthening the wait
    const size_t delay = (size_t)(0.18f * kRate);
    for (size_t i = v.size() - 1; i >= delay; --i) v[i] += 0.3f * v[i - delay];
    const size_t fade = (size_t)(0.35f * kRate);
    for (size_t i = 0; i < fade; ++i) v[v.size() - 1 - i] *= (float)i / fade;
    return Finish(v);
}

// Loudness as heard at the playing volume: a ship's death loudest, then a bomb blast, an
// explosion, a mine; an item blip 6 dB under an explosion; the own shots far under all.
const Effect kEffects[] = {
    {"WavStart.wav", 51, -22.0f, Start},
    {"WavMyShot00.wav", 25, -41.0f, MyShot00},
    {"WavMyShot01.wav", 25, -41.0f, MyShot01},
    {"WavMyShot02.wav", 25, -41.0f, MyShot02},
    {"WavArmDamage.wav", 51, -26.0f, ArmDamage},
    {"WavPowerUp.wav", 102, -24.0f, PowerUp},
    {"WavItemGet00.wav", 51, -29.0f, ItemGet00},
    {"WavZorbex00.wav", 51, -21.0f, Zorbex00},
    {"WavZorbex01.wav", 51, -20.5f, Zorbex01},
    {"WavMyBomb.wav", 25, -19.0f, MyBomb},
    {"WavEnemyBomb00.wav", 25, -23.0f, EnemyBomb00},
    {"WavEnemyShot00.wav", 25, -31.0f, EnemyShot00},
    {"WavEnemyShot01.wav", 20, -25.0f, EnemyShot01},
    {"WavEnemyShot02.wav", 25, -33.0f, EnemyShot02},
    {"WavEnemyShot03.wav", 51, -25.0f, EnemyShot03},
};

}  // namespace

std::span<const Effect> AllEffects() { return kEffects; }

}  // namespace soundgen
