// Note rendering: band-limited pulse and saw, triangle, sine, two-operator FM and noise,
// with an ADSR envelope, a swept low-pass, vibrato, slides and unison detune.
#include "synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace soundgen {

namespace {

constexpr int kSinSize = 4096;
constexpr int kBlock = 16;  // pitch, width and cutoff move at this control rate
constexpr float kTwoPi = 6.28318530717958647f;

const std::array<float, kSinSize + 1>& SinTable() {
    static const std::array<float, kSinSize + 1> table = [] {
        std::array<float, kSinSize + 1> t{};
        for (int i = 0; i <= kSinSize; ++i) t[i] = (float)std::sin(kTwoPi * (double)i / kSinSize);
        return t;
    }();
    return table;
}

}  // namespace

float MidiToHz(float pitch) { return 440.0f * std::exp2((pitch - 69.0f) / 12.0f); }

float FastSin(float phase) {
    const auto& table = SinTable();
    float x = (phase - std::floor(phase)) * kSinSize;
    int i = (int)x;
    if (i >= kSinSize) i = kSinSize - 1;
    float f = x - (float)i;
    return table[i] + (table[i + 1] - table[i]) * f;
}

// Removes the step discontinuity of a naive oscillator around a wrap at phase 0.
float PolyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

void Svf::Set(float hz, float resonance) {
    hz = std::clamp(hz, 20.0f, kRate * 0.45f);
    float g = std::tan(3.14159265f * hz / kRate);
    k = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.95f);
    a1 = 1.0f / (1.0f + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

int NoteSpan(const Instrument& inst, const NoteEvent& note) {
    return note.length + (int)(inst.release * kRate) + 1;
}

void RenderNote(const Instrument& inst, const NoteEvent& note, float* out, int outLength,
                Noise& noise) {
    if (note.start >= outLength || note.length <= 0) return;
    const int span = std::min(NoteSpan(inst, note), outLength - note.start);
    float* dst = out + note.start;

    const int attackSamples = std::max(1, (int)(inst.attack * kRate));
    const float decayCoef = std::exp(-1.0f / std::max(1.0f, inst.decay * kRate));
    const float releaseCoef = std::exp(std::log(0.001f) / std::max(1.0f, inst.release * kRate));
    const int unison = std::clamp(inst.unison, 1, 3);
    float detuneRatio[3] = {1.0f, 1.0f, 1.0f};
    if (unison == 2) {
        detuneRatio[0] = std::exp2(-inst.detune / 2400.0f);
        detuneRatio[1] = std::exp2(inst.detune / 2400.0f);
    } else if (unison == 3) {
        detuneRatio[0] = std::exp2(-inst.detune / 1200.0f);
        detuneRatio[2] = std::exp2(inst.detune / 1200.0f);
    }
    const float unisonGain = 1.0f / std::sqrt((float)unison);
    float phase[3] = {0.0f, 0.37f, 0.71f};
    float modPhase = 0.0f;
    float held = 0.0f;  // sample-and-hold value of the noise wave
    const float amp = inst.gain * note.velocity;
    const bool filtered = inst.cutoff > 0.0f;
    Svf filter;

    float level = 0.0f;
    for (int base = 0; base < span; base += kBlock) {
        const float t = (float)base / kRate;
        float p = note.pitch;
        if (note.glideFrom >= 0.0f) p += (note.glideFrom - note.pitch) * std::exp(-t / inst.glideTime);
        if (inst.slide != 0.0f && t < inst.slideTime) p += inst.slide * (1.0f - t / inst.slideTime);
        if (inst.vibDepth > 0.0f && t > inst.vibDelay) {
            float ramp = std::min(1.0f, (t - inst.vibDelay) / 0.25f);
            p += inst.vibDepth * ramp * FastSin(inst.vibRate * t);
        }
        const float dt = MidiToHz(p) / kRate;
        float width = inst.width;
        if (inst.pwmDepth > 0.0f)
            width += inst.pwmDepth * FastSin(inst.pwmRate * (float)(note.start + base) / kRate);
        width = std::clamp(width, 0.05f, 0.95f);
        if (filtered) {
            float hz = inst.cutoff * (0.7f + 0.3f * note.velocity);
            if (inst.filterEnv != 0.0f) hz *= std::exp2(inst.filterEnv * std::exp(-t / inst.filterDecay));
            filter.Set(hz, inst.resonance);
        }
        float index = inst.fmIndex;
        if (inst.fmAttackIndex != 0.0f) index += inst.fmAttackIndex * std::exp(-t / inst.fmDecay);
        index *= 1.0f / kTwoPi;  // radians of phase swing, in the turns FastSin reads

        const int blockEnd = std::min(span, base + kBlock);
        for (int i = base; i < blockEnd; ++i) {
            if (i < attackSamples && i < note.length) {
                level = (float)(i + 1) / attackSamples;
            } else if (i < note.length) {
                level = inst.sustain + (level - inst.sustain) * decayCoef;
            } else {
                level *= releaseCoef;
            }
            float s = 0.0f;
            for (int u = 0; u < unison; ++u) {
                const float d = dt * detuneRatio[u];
                float ph = phase[u];
                switch (inst.wave) {
                    case WavePulse: {
                        float v = ph < width ? 1.0f : -1.0f;
                        v += PolyBlep(ph, d);
                        float shifted = ph + 1.0f - width;
                        if (shifted >= 1.0f) shifted -= 1.0f;
                        v -= PolyBlep(shifted, d);
                        s += v;
                        break;
                    }
                    case WaveSaw: s += 2.0f * ph - 1.0f - PolyBlep(ph, d); break;
                    case WaveTriangle: s += ph < 0.5f ? 4.0f * ph - 1.0f : 3.0f - 4.0f * ph; break;
                    case WaveSine: s += FastSin(ph); break;
                    case WaveFm: s += FastSin(ph + index * FastSin(modPhase)); break;
                    case WaveNoise: s += held; break;
                }
                ph += d;
                if (ph >= 1.0f) {
                    ph -= 1.0f;
                    if (inst.wave == WaveNoise) held = noise.Next();
                }
                phase[u] = ph;
            }
            if (inst.wave == WaveFm) {
                modPhase += dt * inst.fmRatio;
                if (modPhase >= 1.0f) modPhase -= std::floor(modPhase);
            }
            s *= unisonGain;
            if (filtered) s = filter.Low(s);
            dst[i] += s * level * amp;
        }
    }
}

}  // namespace soundgen
