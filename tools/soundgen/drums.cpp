// Drum voices: pitched-sine kick, tone-and-noise snare, metallic hats and cymbals, toms, clap.
#include "drums.h"

#include <cmath>

#include "synth.h"

namespace soundgen {

namespace {

// Six square waves at inharmonic ratios, the classic drum-machine metal.
float Metal(float t, float base) {
    static const float ratios[6] = {1.0f, 1.4826f, 1.8001f, 2.5459f, 2.6303f, 3.8965f};
    float s = 0.0f;
    for (float r : ratios) {
        float ph = t * base * r;
        s += (ph - std::floor(ph)) < 0.5f ? 1.0f : -1.0f;
    }
    return s / 6.0f;
}

std::vector<float> Kick(const DrumKit& kit, Noise& noise) {
    int n = (int)(kit.kickDecay * 6.0f * kRate);
    std::vector<float> v(n);
    float phase = 0.0f;
    Svf click;
    click.Set(3000.0f, 0.0f);
    for (int i = 0; i < n; ++i) {
        float t = (float)i / kRate;
        float hz = kit.kickPitch + kit.kickDrop * std::exp(-t / 0.025f);
        phase += hz / kRate;
        float body = FastSin(phase) * std::exp(-t / kit.kickDecay);
        float c = click.Low(noise.Next()) * kit.kickClick * std::exp(-t / 0.004f);
        v[i] = std::tanh(1.6f * (body + c));
    }
    return v;
}

std::vector<float> Snare(const DrumKit& kit, Noise& noise) {
    int n = (int)(kit.snareDecay * 7.0f * kRate);
    std::vector<float> v(n);
    float phase = 0.0f;
    Svf hp, lp;
    hp.Set(900.0f, 0.1f);
    lp.Set(kit.snareBright, 0.0f);
    for (int i = 0; i < n; ++i) {
        float t = (float)i / kRate;
        phase += kit.snareTone * (1.0f + 0.5f * std::exp(-t / 0.01f)) / kRate;
        float tone = FastSin(phase) * std::exp(-t / 0.05f);
        float nz = lp.Low(hp.High(noise.Next())) * std::exp(-t / kit.snareDecay);
        v[i] = 0.55f * tone + kit.snareNoise * 1.3f * nz;
    }
    return v;
}

std::vector<float> Cymbal(float decay, float base, float hpHz, float noiseMix, Noise& noise) {
    int n = (int)(decay * 6.5f * kRate);
    std::vector<float> v(n);
    Svf hp, hp2;
    hp.Set(hpHz, 0.2f);
    hp2.Set(hpHz * 0.8f, 0.0f);
    for (int i = 0; i < n; ++i) {
        float t = (float)i / kRate;
        float s = (1.0f - noiseMix) * Metal(t, base) + noiseMix * noise.Next();
        float env = std::exp(-t / decay) * std::min(1.0f, t / 0.0015f + 0.05f);
        v[i] = hp2.High(hp.High(s)) * env;
    }
    return v;
}

std::vector<float> Tom(float hz, Noise& noise) {
    int n = (int)(0.3f * 6.0f * kRate);
    std::vector<float> v(n);
    float phase = 0.0f;
    for (int i = 0; i < n; ++i) {
        float t = (float)i / kRate;
        phase += hz * (1.0f + 0.6f * std::exp(-t / 0.05f)) / kRate;
        float body = FastSin(phase) * std::exp(-t / 0.3f);
        float nz = noise.Next() * 0.25f * std::exp(-t / 0.02f);
        v[i] = std::tanh(1.3f * (body + nz));
    }
    return v;
}

std::vector<float> Clap(Noise& noise) {
    int n = (int)(0.6f * kRate);
    std::vector<float> v(n);
    Svf bp;
    bp.Set(1300.0f, 0.5f);
    for (int i = 0; i < n; ++i) {
        float t = (float)i / kRate;
        // three quick slaps, then the room tail
        float env = t < 0.033f ? std::exp(-std::fmod(t, 0.011f) / 0.003f)
                               : std::exp(-(t - 0.033f) / 0.11f);
        v[i] = 2.2f * bp.Band(noise.Next()) * env;
    }
    return v;
}

void Scale(std::vector<float>& v, float gain) {
    for (float& s : v) s *= gain;
}

}  // namespace

void RenderDrumKit(const DrumKit& kit, DrumSamples& out) {
    Noise noise;
    noise.state = 0x2545f491u;
    out.drum[DrumKick] = Kick(kit, noise);
    out.drum[DrumSnare] = Snare(kit, noise);
    out.drum[DrumHat] = Cymbal(kit.hatDecay, 420.0f, 7000.0f, 0.45f, noise);
    out.drum[DrumOpenHat] = Cymbal(kit.openDecay, 420.0f, 6500.0f, 0.45f, noise);
    out.drum[DrumCrash] = Cymbal(kit.crashDecay, 330.0f, 3500.0f, 0.7f, noise);
    out.drum[DrumRide] = Cymbal(0.7f, 610.0f, 5000.0f, 0.2f, noise);
    out.drum[DrumTomHigh] = Tom(kit.tomPitch * 1.5f, noise);
    out.drum[DrumTomMid] = Tom(kit.tomPitch * 1.2f, noise);
    out.drum[DrumTomLow] = Tom(kit.tomPitch * 0.9f, noise);
    out.drum[DrumClap] = Clap(noise);
    static const float levels[DrumCount] = {0.75f, 0.6f, 0.3f, 0.24f, 0.32f, 0.2f,
                                            0.45f, 0.45f, 0.5f, 0.45f};
    static const float pans[DrumCount] = {0.0f, 0.05f, 0.35f, 0.35f, -0.35f, 0.4f,
                                          -0.4f, 0.0f, 0.4f, -0.1f};
    static const float sends[DrumCount] = {0.03f, 0.25f, 0.05f, 0.1f, 0.2f, 0.1f,
                                           0.25f, 0.25f, 0.25f, 0.3f};
    for (int d = 0; d < DrumCount; ++d) {
        Scale(out.drum[d], levels[d] * kit.gain);
        out.pan[d] = pans[d];
        out.reverb[d] = sends[d];
    }
}

int DrumForLetter(char c) {
    switch (c | 0x20) {
        case 'k': return DrumKick;
        case 's': return DrumSnare;
        case 'g': return DrumSnare;  // ghost note: the snare, played softly
        case 'h': return DrumHat;
        case 'o': return DrumOpenHat;
        case 'c': return DrumCrash;
        case 'r': return DrumRide;
        case 't': return DrumTomHigh;
        case 'm': return DrumTomMid;
        case 'l': return DrumTomLow;
        case 'p': return DrumClap;
        default: return -1;
    }
}

}  // namespace soundgen
