// Stereo buses and mastering: echo, reverb, loudness, limiter, level measurement.
#pragma once

#include <vector>

struct Stereo {
    std::vector<float> l, r;
    int Length() const { return (int)l.size(); }
    void Resize(int n) {
        l.assign(n, 0.0f);
        r.assign(n, 0.0f);
    }
};

struct Levels {
    float peakDb = -120.0f;  // highest sample, dBFS
    float rmsDb = -120.0f;   // gated mean level of the loud passages, dBFS
};

// Mixes a mono part into the bus at `pan` (-1 to 1, constant power) with the given sends.
void MixMono(const float* mono, int n, float gain, float pan, Stereo& out,
             float* echoSend, float echoAmount, float* reverbSend, float reverbAmount);

// A ping-pong echo of `send`, added to `out`; the feedback path is darkened each repeat.
void AddPingPongEcho(const std::vector<float>& send, int delay, float feedback, float mix,
                     Stereo& out);

// A plate-like reverb of `send` (mono in, stereo out), added to `out`.
void AddReverb(const std::vector<float>& send, float roomSize, float damping, float mix,
               Stereo& out);

// Gated level of the loud passages, weighted toward the frequencies the ear favours.
float LoudnessDb(const Stereo& s);
Levels MeasureLevels(const Stereo& s);
Levels MeasureMono(const std::vector<float>& v);

// Finishes a song: removes DC and rumble, brings it to `targetDb` loudness, limits peaks to
// `ceilingDb`, and fades the last `fadeSeconds` to silence.
void MasterSong(Stereo& s, float targetDb, float ceilingDb, float fadeSeconds);

// Scales a mono effect so that its highest peak sits at `peakDb`.
void NormalizePeak(std::vector<float>& v, float peakDb);
