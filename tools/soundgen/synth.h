// Voices of the sound generator: oscillators, envelopes, a filter and the note renderer.
#pragma once

#include <cstdint>

namespace soundgen {

constexpr int kRate = 44100;

enum Wave : uint8_t { WavePulse, WaveTriangle, WaveSaw, WaveSine, WaveFm, WaveNoise };

// One playable sound: the settings shared by every note of a part.
struct Instrument {
    Wave wave = WavePulse;
    float width = 0.5f;       // pulse duty
    float pwmDepth = 0.0f;    // duty swing around `width`
    float pwmRate = 0.0f;     // Hz
    float attack = 0.004f;    // seconds
    float decay = 0.15f;      // seconds to fall by about 63 % toward `sustain`
    float sustain = 0.7f;     // level while held
    float release = 0.08f;    // seconds after the note ends
    float gain = 0.3f;
    float cutoff = 0.0f;      // low-pass Hz, 0 = open
    float resonance = 0.0f;   // 0 to 0.9
    float filterEnv = 0.0f;   // extra cutoff at the note start, octaves
    float filterDecay = 0.15f;
    float fmRatio = 1.0f;     // modulator frequency / carrier frequency
    float fmIndex = 0.0f;     // modulation depth while held, radians
    float fmAttackIndex = 0.0f;  // extra depth at the note start, decaying with `fmDecay`
    float fmDecay = 0.1f;
    float vibDepth = 0.0f;    // semitones
    float vibRate = 5.5f;     // Hz
    float vibDelay = 0.15f;   // seconds before vibrato starts
    float slide = 0.0f;       // semitones off at the note start, glides to pitch
    float slideTime = 0.04f;
    float glideTime = 0.06f;  // portamento of tied '~' notes
    int unison = 1;           // 1 to 3 oscillators
    float detune = 0.0f;      // cents between unison oscillators
    int floorNote = 48;       // lowest root of chord-degree lines; bottom of chord voicings
    float pan = 0.0f;         // -1 left to 1 right
    float echo = 0.0f;        // send to the song's echo
    float reverb = 0.15f;     // send to the song's reverb
};

// A note ready to render: start and length in samples, pitch as a MIDI number.
struct NoteEvent {
    int start = 0;
    int length = 0;
    float pitch = 60.0f;
    float velocity = 1.0f;
    float glideFrom = -1.0f;  // pitch glided from, -1 for none
};

// The generator's only random source: a fixed-seed xorshift, so output never varies.
struct Noise {
    uint32_t state = 0x9e3779b9u;
    float Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (float)(int32_t)state * (1.0f / 2147483648.0f);
    }
};

float MidiToHz(float pitch);
float FastSin(float phase);  // phase in turns, any value
float PolyBlep(float t, float dt);

// Two-pole state-variable filter (trapezoidal form, stable under fast sweeps).
struct Svf {
    float ic1 = 0.0f, ic2 = 0.0f;
    float a1 = 1.0f, a2 = 0.0f, a3 = 0.0f, k = 2.0f;
    void Set(float hz, float resonance);
    float Low(float x) {
        float v3 = x - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        return v2;
    }
    float High(float x) {
        float v3 = x - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        return x - k * v1 - v2;
    }
    float Band(float x) {
        float v3 = x - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        return v1;
    }
};

// Samples a note occupies including its release.
int NoteSpan(const Instrument& inst, const NoteEvent& note);

// Adds one note into `out` (mono, `outLength` samples); samples past the end are dropped.
void RenderNote(const Instrument& inst, const NoteEvent& note, float* out, int outLength,
                Noise& noise);

}  // namespace soundgen
