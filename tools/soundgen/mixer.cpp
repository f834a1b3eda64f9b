// Buses and mastering. The limiter looks ahead, so it never lets a peak through and never clips.
#include "mixer.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "synth.h"

namespace {

float DbToGain(float db) { return std::pow(10.0f, db / 20.0f); }
float GainToDb(double g) { return g > 1e-12 ? (float)(20.0 * std::log10(g)) : -120.0f; }

// One-pole high-pass, in place.
void HighPass(std::vector<float>& v, float hz) {
    const float a = std::exp(-2.0f * 3.14159265f * hz / kRate);
    float prevIn = 0.0f, prevOut = 0.0f;
    for (float& x : v) {
        float y = a * (prevOut + x - prevIn);
        prevIn = x;
        prevOut = y;
        x = y;
    }
}

struct Comb {
    std::vector<float> buf;
    int pos = 0;
    float store = 0.0f;
    explicit Comb(int n) : buf(n, 0.0f) {}
    float Run(float x, float feedback, float damp) {
        float y = buf[pos];
        store = y * (1.0f - damp) + store * damp;
        buf[pos] = x + store * feedback;
        if (++pos == (int)buf.size()) pos = 0;
        return y;
    }
};

struct Allpass {
    std::vector<float> buf;
    int pos = 0;
    explicit Allpass(int n) : buf(n, 0.0f) {}
    float Run(float x) {
        float b = buf[pos];
        buf[pos] = x + b * 0.5f;
        if (++pos == (int)buf.size()) pos = 0;
        return b - x;
    }
};

}  // namespace

void MixMono(const float* mono, int n, float gain, float pan, Stereo& out, float* echoSend,
             float echoAmount, float* reverbSend, float reverbAmount) {
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * 3.14159265f;
    const float gl = std::cos(angle) * gain * 1.41421356f;
    const float gr = std::sin(angle) * gain * 1.41421356f;
    const float ge = echoAmount * gain, gv = reverbAmount * gain;
    n = std::min(n, out.Length());
    for (int i = 0; i < n; ++i) {
        const float x = mono[i];
        out.l[i] += x * gl;
        out.r[i] += x * gr;
        if (ge != 0.0f) echoSend[i] += x * ge;
        if (gv != 0.0f) reverbSend[i] += x * gv;
    }
}

void AddPingPongEcho(const std::vector<float>& send, int delay, float feedback, float mix,
                     Stereo& out) {
    const int n = std::min((int)send.size(), out.Length());
    if (delay <= 0 || n <= delay) return;
    std::vector<float> el(n, 0.0f), er(n, 0.0f);
    float lowL = 0.0f;
    for (int i = delay; i < n; ++i) {
        // left takes the fresh signal and what came back from the right; right repeats left
        float in = send[i - delay] + feedback * er[i - delay];
        lowL += 0.45f * (in - lowL);
        el[i] = lowL;
        er[i] = el[i - delay];
    }
    for (int i = 0; i < n; ++i) {
        out.l[i] += el[i] * mix;
        out.r[i] += er[i] * mix;
    }
}

void AddReverb(const std::vector<float>& send, float roomSize, float damping, float mix,
               Stereo& out) {
    static const int combTunes[6] = {1116, 1188, 1277, 1356, 1422, 1557};
    static const int allTunes[3] = {556, 441, 341};
    const int spread = 23;
    std::vector<Comb> cl, cr;
    std::vector<Allpass> al, ar;
    for (int t : combTunes) {
        cl.emplace_back(t);
        cr.emplace_back(t + spread);
    }
    for (int t : allTunes) {
        al.emplace_back(t);
        ar.emplace_back(t + spread);
    }
    const int n = std::min((int)send.size(), out.Length());
    const float g = mix * 0.12f;
    for (int i = 0; i < n; ++i) {
        const float x = send[i];
        float yl = 0.0f, yr = 0.0f;
        for (int c = 0; c < 6; ++c) {
            yl += cl[c].Run(x, roomSize, damping);
            yr += cr[c].Run(x, roomSize, damping);
        }
        for (int a = 0; a < 3; ++a) {
            yl = al[a].Run(yl);
            yr = ar[a].Run(yr);
        }
        out.l[i] += yl * g;
        out.r[i] += yr * g;
    }
}

float LoudnessDb(const Stereo& s) {
    // weighting: drop the lows (the ear hears little of them), lift the presence range a little
    const int n = s.Length();
    const int block = kRate * 4 / 10;
    const float aLow = std::exp(-2.0f * 3.14159265f * 100.0f / kRate);
    const float aHigh = std::exp(-2.0f * 3.14159265f * 1500.0f / kRate);
    std::vector<double> blocks;
    float lpIn[2] = {0, 0}, lpOut[2] = {0, 0}, hpIn[2] = {0, 0}, hpOut[2] = {0, 0};
    double acc = 0.0;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        const float x[2] = {s.l[i], s.r[i]};
        for (int c = 0; c < 2; ++c) {
            float low = aLow * (lpOut[c] + x[c] - lpIn[c]);
            lpIn[c] = x[c];
            lpOut[c] = low;
            float high = aHigh * (hpOut[c] + low - hpIn[c]);
            hpIn[c] = low;
            hpOut[c] = high;
            float w = low + 0.6f * high;
            acc += (double)w * w * 0.5;
        }
        if (++count == block) {
            blocks.push_back(acc / block);
            acc = 0.0;
            count = 0;
        }
    }
    if (blocks.empty()) return -120.0f;
    double sum = 0.0;
    int used = 0;
    for (double b : blocks)
        if (b > 1e-6) sum += b, ++used;
    if (used == 0) return -120.0f;
    const double gate = sum / used * 0.1;  // ignore passages 10 dB below the average
    double gated = 0.0;
    int kept = 0;
    for (double b : blocks)
        if (b > gate && b > 1e-6) gated += b, ++kept;
    return GainToDb(std::sqrt(gated / std::max(1, kept)));
}

Levels MeasureLevels(const Stereo& s) {
    Levels lv;
    float peak = 0.0f;
    for (int i = 0; i < s.Length(); ++i) peak = std::max({peak, std::fabs(s.l[i]), std::fabs(s.r[i])});
    lv.peakDb = GainToDb(peak);
    lv.rmsDb = LoudnessDb(s);
    return lv;
}

Levels MeasureMono(const std::vector<float>& v) {
    Levels lv;
    float peak = 0.0f;
    double sum = 0.0;
    for (float x : v) {
        peak = std::max(peak, std::fabs(x));
        sum += (double)x * x;
    }
    lv.peakDb = GainToDb(peak);
    lv.rmsDb = v.empty() ? -120.0f : GainToDb(std::sqrt(sum / v.size()));
    return lv;
}

void MasterSong(Stereo& s, float targetDb, float ceilingDb, float fadeSeconds) {
    const int n = s.Length();
    HighPass(s.l, 25.0f);
    HighPass(s.r, 25.0f);

    const float gain = DbToGain(targetDb - LoudnessDb(s));
    for (int i = 0; i < n; ++i) {
        s.l[i] *= gain;
        s.r[i] *= gain;
    }

    // gain each sample may have, the minimum of it over the next `look` samples, a slow
    // recovery, then a trailing average over `look`: the average never exceeds what any
    // sample in its window needs, so no sample passes the ceiling
    const int look = kRate / 400;
    const float ceiling = DbToGain(ceilingDb);
    std::vector<float> need(n);
    for (int i = 0; i < n; ++i) {
        float p = std::max(std::fabs(s.l[i]), std::fabs(s.r[i]));
        need[i] = p > ceiling ? ceiling / p : 1.0f;
    }
    std::vector<float> held(n);
    std::deque<int> window;
    for (int i = n - 1; i >= 0; --i) {
        while (!window.empty() && need[window.back()] >= need[i]) window.pop_back();
        window.push_back(i);
        while (window.front() > i + look - 1) window.pop_front();
        held[i] = need[window.front()];
    }
    const float recover = 1.0f - std::exp(-1.0f / (0.12f * kRate));
    float g = 1.0f;
    for (int i = 0; i < n; ++i) {
        g = std::min(held[i], g + (1.0f - g) * recover);
        held[i] = g;
    }
    double run = 0.0;
    for (int i = 0; i < n; ++i) {
        run += held[i];
        if (i >= look) run -= held[i - look];
        float avg = (float)(run / std::min(i + 1, look));
        s.l[i] = std::clamp(s.l[i] * avg, -ceiling, ceiling);
        s.r[i] = std::clamp(s.r[i] * avg, -ceiling, ceiling);
    }

    const int fade = std::min(n, (int)(fadeSeconds * kRate));
    for (int i = 0; i < fade; ++i) {
        float f = (float)i / fade;
        s.l[n - 1 - i] *= f;
        s.r[n - 1 - i] *= f;
    }
}

void NormalizePeak(std::vector<float>& v, float peakDb) {
    float peak = 0.0f;
    for (float x : v) peak = std::max(peak, std::fabs(x));
    if (peak <= 0.0f) return;
    const float g = DbToGain(peakDb) / peak;
    for (float& x : v) x *= g;
}
