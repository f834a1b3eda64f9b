// Sound effects. Shots are short and light because they repeat every few frames; explosions,
// power-ups and the bomb are dense and loud so they cut through the music.
#include "effects.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

namespace {

using Samples = std::vector<float>;

Samples Seconds(float s) { return Samples((size_t)(s * kRate), 0.0f); }

float Decay(float t, float tau) { return std::exp(-t / tau); }
float Attack(float t, float seconds) { return std::min(1.0f, t / seconds); }
float Sweep(float t, float from, float to, float tau) { return to + (from - to) * std::exp(-t / tau); }

float Osc(Wave wave, float ph, float dt, float width) {
    switch (wave) {
        case WavePulse: {
            float v = ph < width ? 1.0f : -1.0f;
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
    const size_t in = std::min(v.size(), (size_t)(0.001f * kRate));
    const size_t out = std::min(v.size(), (size_t)(0.006f * kRate));
    for (size_t i = 0; i < in; ++i) v[i] *= (float)i / in;
    for (size_t i = 0; i < out; ++i) v[v.size() - 1 - i] *= (float)i / out;
    return v;
}

Samples MyShot00() {
    Samples v = Seconds(0.07f);
    Noise n;
    Tone(v, WavePulse, 0.25f, [](float t) { return Sweep(t, 1900.0f, 700.0f, 0.025f); },
         [](float t) { return Decay(t, 0.022f); });
    NoiseLayer(v, n, 2, 0.0f, [](float) { return 5000.0f; }, [](float t) { return 0.5f * Decay(t, 0.006f); });
    return Finish(v);
}

Samples MyShot01() {
    Samples v = Seconds(0.09f);
    Noise n;
    Tone(v, WavePulse, 0.125f, [](float t) { return Sweep(t, 1300.0f, 380.0f, 0.03f); },
         [](float t) { return 0.7f * Decay(t, 0.03f); });
    Tone(v, WavePulse, 0.5f, [](float t) { return Sweep(t, 1310.0f, 390.0f, 0.03f); },
         [](float t) { return 0.5f * Decay(t, 0.03f); });
    NoiseLayer(v, n, 1, 0.3f, [](float t) { return Sweep(t, 4000.0f, 1500.0f, 0.03f); },
               [](float t) { return 1.2f * Decay(t, 0.012f); });
    return Finish(v);
}

Samples MyShot02() {
    Samples v = Seconds(0.12f);
    Noise n;
    Tone(v, WaveSaw, 0.5f, [](float t) { return Sweep(t, 760.0f, 170.0f, 0.04f); },
         [](float t) { return 0.8f * Decay(t, 0.045f); });
    Tone(v, WavePulse, 0.3f, [](float t) { return Sweep(t, 380.0f, 90.0f, 0.04f); },
         [](float t) { return 0.5f * Decay(t, 0.05f); });
    NoiseLayer(v, n, 0, 0.2f, [](float t) { return Sweep(t, 7000.0f, 600.0f, 0.03f); },
               [](float t) { return 1.0f * Decay(t, 0.025f); });
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

// Mine burst: a crackling pop with a low thump.
Samples EnemyShot01() {
    Samples v = Seconds(0.45f);
    Noise n;
    NoiseLayer(v, n, 0, 0.3f, [](float t) { return Sweep(t, 6000.0f, 250.0f, 0.08f); },
               [](float t) { return Attack(t, 0.002f) * Decay(t, 0.09f); });
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 140.0f, 40.0f, 0.05f); },
         [](float t) { return 0.9f * Decay(t, 0.12f); });
    Samples crackle = Seconds(0.45f);
    for (float& c : crackle) {
        const float r = n.Next();
        if (r > 0.97f) c = r > 0.985f ? 1.0f : -1.0f;
    }
    for (size_t i = 0; i < v.size(); ++i) v[i] += 0.6f * crackle[i] * Decay((float)i / kRate, 0.12f);
    Saturate(v, 1.5f);
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

// Explosion of an enemy: noise falling from bright to dull over a sub-bass thump.
Samples EnemyBomb00() {
    Samples v = Seconds(0.75f);
    Noise n;
    n.state = 0x1234567u;
    NoiseLayer(v, n, 0, 0.15f, [](float t) { return Sweep(t, 9000.0f, 180.0f, 0.12f); },
               [](float t) { return Attack(t, 0.001f) * (0.25f + 0.75f * Decay(t, 0.05f)) * Decay(t, 0.22f); });
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 110.0f, 38.0f, 0.06f); },
         [](float t) { return 0.9f * Decay(t, 0.16f); });
    Saturate(v, 2.2f);
    return Finish(v);
}

// The player's ship destroyed: a blast, a long falling whine and a rumble.
Samples MyBomb() {
    Samples v = Seconds(1.8f);
    Noise n;
    n.state = 0x51ed27u;
    NoiseLayer(v, n, 0, 0.2f, [](float t) { return Sweep(t, 8000.0f, 120.0f, 0.3f); },
               [](float t) { return Attack(t, 0.001f) * (0.3f + 0.7f * Decay(t, 0.08f)) * Decay(t, 0.5f); });
    Tone(v, WavePulse, 0.5f, [](float t) { return Sweep(t, 700.0f, 50.0f, 0.45f); },
         [](float t) { return 0.35f * Decay(t, 0.5f); });
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 90.0f, 30.0f, 0.2f); },
         [](float t) { return 1.0f * Decay(t, 0.35f); });
    NoiseLayer(v, n, 0, 0.0f, [](float) { return 400.0f; },
               [](float t) { return 1.2f * Attack(t, 0.15f) * Decay(t, 0.45f); }, 0.25f);
    Saturate(v, 2.0f);
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

// Power-up: a bright rising arpeggio over an upward sweep.
Samples PowerUp() {
    Samples v = Seconds(0.6f);
    static const float notes[6] = {72, 76, 79, 84, 88, 91};
    for (int k = 0; k < 6; ++k) {
        const float hz = MidiToHz(notes[k]);
        const float start = k * 0.045f;
        Tone(v, WavePulse, 0.25f, [=](float) { return hz; },
             [](float t) { return 0.45f * Decay(t, 0.12f); }, start);
        Tone(v, WaveTriangle, 0.5f, [=](float) { return hz * 2.0f; },
             [](float t) { return 0.25f * Decay(t, 0.08f); }, start);
    }
    Tone(v, WaveSine, 0.5f, [](float t) { return 400.0f * std::exp2(t * 6.0f); },
         [](float t) { return 0.2f * Decay(t, 0.15f); });
    return Finish(v);
}

// Item picked up: two quick blips.
Samples ItemGet00() {
    Samples v = Seconds(0.17f);
    Tone(v, WavePulse, 0.5f, [](float) { return MidiToHz(83); }, [](float t) { return t < 0.05f ? 0.6f : 0.0f; });
    Tone(v, WavePulse, 0.5f, [](float) { return MidiToHz(88); },
         [](float t) { return 0.6f * Decay(t, 0.05f); }, 0.05f);
    Tone(v, WaveTriangle, 0.5f, [](float) { return MidiToHz(100); },
         [](float t) { return 0.3f * Decay(t, 0.04f); }, 0.05f);
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

// One blast of the bomb attack: a hard crack and a thump, shorter and sharper than an explosion.
Samples Zorbex01() {
    Samples v = Seconds(0.5f);
    Noise n;
    n.state = 0x7777777u;
    NoiseLayer(v, n, 2, 0.1f, [](float t) { return Sweep(t, 2500.0f, 300.0f, 0.05f); },
               [](float t) { return Attack(t, 0.0005f) * Decay(t, 0.06f); });
    NoiseLayer(v, n, 0, 0.3f, [](float t) { return Sweep(t, 3000.0f, 200.0f, 0.1f); },
               [](float t) { return 0.8f * Decay(t, 0.14f); });
    Tone(v, WaveSine, 0.5f, [](float t) { return Sweep(t, 150.0f, 45.0f, 0.04f); },
         [](float t) { return Decay(t, 0.1f); });
    Saturate(v, 2.5f);
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

// Peaks are set against each sound's playing volume: shots at 25 sit under the music,
// explosions at 25 and the power-up at 102 are brought up to cut through it.
const Effect kEffects[] = {
    {"WavStart.wav", -2.0f, Start},
    {"WavMyShot00.wav", -9.0f, MyShot00},
    {"WavMyShot01.wav", -8.0f, MyShot01},
    {"WavMyShot02.wav", -7.0f, MyShot02},
    {"WavArmDamage.wav", -3.0f, ArmDamage},
    {"WavPowerUp.wav", -3.0f, PowerUp},
    {"WavItemGet00.wav", -4.0f, ItemGet00},
    {"WavZorbex00.wav", -1.0f, Zorbex00},
    {"WavZorbex01.wav", -1.5f, Zorbex01},
    {"WavMyBomb.wav", -0.5f, MyBomb},
    {"WavEnemyBomb00.wav", -0.5f, EnemyBomb00},
    {"WavEnemyShot00.wav", -5.0f, EnemyShot00},
    {"WavEnemyShot01.wav", -1.0f, EnemyShot01},
    {"WavEnemyShot02.wav", -6.0f, EnemyShot02},
    {"WavEnemyShot03.wav", -2.0f, EnemyShot03},
};

}  // namespace

std::span<const Effect> AllEffects() { return kEffects; }
