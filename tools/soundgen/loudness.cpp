// BS.1770 loudness and true peak. The K-weighting filters are designed for the sample rate
// from their analogue prototypes, so they match the published 48 kHz coefficients there.
#include "loudness.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "synth.h"

namespace soundgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kHop = kRate / 10;  // blocks of 400 ms start every 100 ms
constexpr int kTaps = 12;         // per phase of the 4x interpolator

struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double Run(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

// The head's acoustic effect: a +4 dB shelf above about 1.7 kHz.
Biquad Shelf() {
    const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(kPi * f0 / kRate);
    const double vh = std::pow(10.0, gain / 20.0), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// The ear's weak lows: a high-pass at about 38 Hz.
Biquad LowCut() {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(kPi * f0 / kRate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// K-weighted energy of every 100 ms hop of [from, to), summed over the channels.
std::vector<double> HopEnergies(const float* const* channels, int count, int from, int to) {
    std::vector<double> hops((size_t)std::max(0, (to - from + kHop - 1) / kHop), 0.0);
    for (int c = 0; c < count; ++c) {
        Biquad shelf = Shelf(), low = LowCut();
        for (int i = from; i < to; ++i) {
            const double y = low.Run(shelf.Run(channels[c][i]));
            hops[(size_t)((i - from) / kHop)] += y * y;
        }
    }
    return hops;
}

double ToLufs(double meanSquare) { return meanSquare > 0.0 ? -0.691 + 10.0 * std::log10(meanSquare) : -200.0; }

// Mean square of each 400 ms block; a sound shorter than a block counts as one, padded.
std::vector<double> Blocks(const std::vector<double>& hops) {
    std::vector<double> blocks;
    for (size_t k = 0; k + 4 <= hops.size(); ++k)
        blocks.push_back((hops[k] + hops[k + 1] + hops[k + 2] + hops[k + 3]) / (4.0 * kHop));
    if (blocks.empty() && !hops.empty()) {
        double sum = 0.0;
        for (double h : hops) sum += h;
        blocks.push_back(sum / (4.0 * kHop));
    }
    return blocks;
}

double Gated(const std::vector<double>& blocks) {
    double sum = 0.0;
    int used = 0;
    for (double b : blocks)
        if (ToLufs(b) > kSilenceLufs) sum += b, ++used;
    if (used == 0) return kSilenceLufs;
    const double relative = ToLufs(sum / used) - 10.0;
    double gated = 0.0;
    int kept = 0;
    for (double b : blocks)
        if (ToLufs(b) > kSilenceLufs && ToLufs(b) > relative) gated += b, ++kept;
    return kept ? ToLufs(gated / kept) : kSilenceLufs;
}

// Windowed-sinc phases of the interpolator at a quarter, half and three quarters of a sample.
using Phases = std::array<std::array<float, kTaps>, 3>;
const Phases& Interpolator() {
    static const Phases phases = [] {
        Phases p{};
        for (int ph = 0; ph < 3; ++ph) {
            const double frac = (ph + 1) / 4.0;
            for (int j = 0; j < kTaps; ++j) {
                const double t = frac - (j - kTaps / 2 + 1);  // taps cover samples i-5 .. i+6
                const double sinc = std::sin(kPi * t) / (kPi * t);
                const double window = 0.5 * (1.0 + std::cos(kPi * t / (kTaps / 2)));
                p[ph][j] = (float)(sinc * window);
            }
        }
        return p;
    }();
    return phases;
}

}  // namespace

double IntegratedLufs(const float* const* channels, int count, int from, int to) {
    return Gated(Blocks(HopEnergies(channels, count, from, to)));
}

double IntegratedLufs(const Stereo& s, int from, int to) {
    const float* ch[2] = {s.l.data(), s.r.data()};
    return IntegratedLufs(ch, 2, from, to < 0 ? s.Length() : to);
}

double IntegratedLufs(const std::vector<float>& mono) {
    const float* ch[1] = {mono.data()};
    return IntegratedLufs(ch, 1, 0, (int)mono.size());
}

double MomentaryMaxLufs(const std::vector<float>& mono) {
    const float* ch[1] = {mono.data()};
    double best = 0.0;
    for (double b : Blocks(HopEnergies(ch, 1, 0, (int)mono.size()))) best = std::max(best, b);
    return std::max(kSilenceLufs, ToLufs(best));
}

void TruePeakEnvelope(const float* x, int n, float* out) {
    const Phases& p = Interpolator();
    for (int i = 0; i < n; ++i) {
        float peak = std::fabs(x[i]);
        for (int ph = 0; ph < 3; ++ph) {
            float v = 0.0f;
            for (int j = 0; j < kTaps; ++j) {
                const int k = i + j - kTaps / 2 + 1;
                if (k >= 0 && k < n) v += p[ph][j] * x[k];
            }
            peak = std::max(peak, std::fabs(v));
        }
        out[i] = peak;
    }
}

float TruePeakDb(const float* x, int n) {
    std::vector<float> env((size_t)n);
    TruePeakEnvelope(x, n, env.data());
    float peak = 0.0f;
    for (float e : env) peak = std::max(peak, e);
    return peak > 1e-6f ? 20.0f * std::log10(peak) : -120.0f;
}

float TruePeakDb(const Stereo& s) {
    return std::max(TruePeakDb(s.l.data(), s.Length()), TruePeakDb(s.r.data(), s.Length()));
}

}  // namespace soundgen
