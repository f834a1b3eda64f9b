// Stereo buses and mastering: echo, reverb, loudness, limiter, level measurement.
#pragma once

#include <cmath>
#include <vector>

namespace soundgen {

inline float DbToGain(float db) { return std::pow(10.0f, db / 20.0f); }

struct Stereo {
    std::vector<float> l, r;
    int Length() const { return (int)l.size(); }
    void Resize(int n) {
        l.assign(n, 0.0f);
        r.assign(n, 0.0f);
    }
};

struct Levels {
    float peakDb = -120.0f;  // true peak, dBTP
    float lufs = -70.0f;     // integrated loudness (the loudest 400 ms for an effect)
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

Levels MeasureLevels(const Stereo& s);
Levels MeasureMono(const std::vector<float>& v);

// Second-order high-pass (Butterworth), in place: takes out DC and rumble.
void HighPass(std::vector<float>& v, float hz);

// Look-ahead limiter on the true peak of one or two channels: no band-limited peak passes
// `ceilingDb` (dBTP); the gain falls ahead of a peak and recovers over `releaseSeconds`.
void LimitTruePeak(std::vector<float>* const* channels, int count, float ceilingDb, float releaseSeconds);

// Finishes a song: removes rumble, brings it to `targetLufs`, limits its true peak to
// `ceilingDb`, and fades the last `fadeSeconds` to silence.
void MasterSong(Stereo& s, float targetLufs, float ceilingDb, float fadeSeconds);

// Raised-cosine fades over the first 2 ms and the last 10 ms.
void FadeEnds(std::vector<float>& v);

// Finishes an effect: DC out, its loudest 400 ms at `targetLufs` as far as a true peak of
// `ceilingDb` allows. Returns the loudness reached.
double MasterEffect(std::vector<float>& v, float targetLufs, float ceilingDb);

}  // namespace soundgen
