// Loudness as broadcasters measure it (ITU-R BS.1770: K-weighting, 400 ms blocks, an absolute
// and a relative gate) and the true peak between samples (4x oversampling).
#pragma once

#include <vector>

#include "mixer.h"

namespace soundgen {

constexpr double kSilenceLufs = -70.0;

// Integrated loudness of samples [from, to) of one or two channels, LUFS; -70 for silence.
double IntegratedLufs(const float* const* channels, int count, int from, int to);
double IntegratedLufs(const Stereo& s, int from = 0, int to = -1);
double IntegratedLufs(const std::vector<float>& mono);

// The loudest 400 ms of a mono sound: its level while it sounds.
double MomentaryMaxLufs(const std::vector<float>& mono);

// For each sample, the highest level of the band-limited signal from it to the next one.
void TruePeakEnvelope(const float* x, int n, float* out);
float TruePeakDb(const float* x, int n);
float TruePeakDb(const Stereo& s);

}  // namespace soundgen
