// Buses and mastering. The limiter looks ahead, so it never lets a peak through and never clips.
#include "mixer.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "loudness.h"
#include "synth.h"

namespace soundgen {

namespace {

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

void HighPass(std::vector<float>& v, float hz) {
    const double k = std::tan(3.14159265358979 * hz / kRate), q = 0.70710678;
    const double a0 = 1.0 + k / q + k * k;
    const double b0 = 1.0 / a0, a1 = 2.0 * (k * k - 1.0) / a0, a2 = (1.0 - k / q + k * k) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (float& x : v) {
        const double y = b0 * (x - 2.0 * x1 + x2) - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        x = (float)y;
    }
}

namespace {

// Low shelf (RBJ, slope 1): `db` below about `hz`, in place.
void LowShelf(std::vector<float>& v, float hz, float db) {
    const double a = std::pow(10.0, db / 40.0), w = 2.0 * 3.14159265358979 * hz / kRate;
    const double cw = std::cos(w), alpha = std::sin(w) / 2.0 * std::sqrt(2.0), sa = 2.0 * std::sqrt(a) * alpha;
    const double a0 = (a + 1) + (a - 1) * cw + sa;
    const double b0 = a * ((a + 1) - (a - 1) * cw + sa) / a0, b1 = 2 * a * ((a - 1) - (a + 1) * cw) / a0;
    const double b2 = a * ((a + 1) - (a - 1) * cw - sa) / a0, a1 = -2 * ((a - 1) + (a + 1) * cw) / a0;
    const double a2 = ((a + 1) + (a - 1) * cw - sa) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (float& x : v) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        x = (float)y;
    }
}

}  // namespace

Levels MeasureLevels(const Stereo& s) { return {TruePeakDb(s), (float)IntegratedLufs(s)}; }

Levels MeasureMono(const std::vector<float>& v) {
    return {TruePeakDb(v.data(), (int)v.size()), (float)MomentaryMaxLufs(v)};
}

void LimitTruePeak(std::vector<float>* const* channels, int count, float ceilingDb, float releaseSeconds) {
    const int n = (int)channels[0]->size();
    const float ceiling = DbToGain(ceilingDb);
    // gain each sample may have, the minimum of it over the next `look` samples, a slow
    // recovery, then a trailing average over `look`: the average never exceeds what any
    // sample in its window needs, so no peak passes the ceiling
    const int look = kRate / 400;
    std::vector<float> need(n, 1.0f), env(n);
    for (int c = 0; c < count; ++c) {
        TruePeakEnvelope(channels[c]->data(), n, env.data());
        for (int i = 0; i < n; ++i)
            if (env[i] > ceiling) need[i] = std::min(need[i], ceiling / env[i]);
    }
    std::vector<float> held(n);
    std::deque<int> window;
    for (int i = n - 1; i >= 0; --i) {
        while (!window.empty() && need[window.back()] >= need[i]) window.pop_back();
        window.push_back(i);
        while (window.front() > i + look - 1) window.pop_front();
        held[i] = need[window.front()];
    }
    const float recover = 1.0f - std::exp(-1.0f / (releaseSeconds * kRate));
    float g = 1.0f;
    for (int i = 0; i < n; ++i) {
        g = std::min(held[i], g + (1.0f - g) * recover);
        held[i] = g;
    }
    double run = 0.0;
    for (int i = 0; i < n; ++i) {
        run += held[i];
        if (i >= look) run -= held[i - look];
        const float avg = (float)(run / std::min(i + 1, look));
        for (int c = 0; c < count; ++c) {
            float& x = (*channels[c])[i];
            x = std::clamp(x * avg, -ceiling, ceiling);
        }
    }
}

namespace {

void Scale(std::vector<float>& v, double db) {
    const float g = DbToGain((float)db);
    for (float& x : v) x *= g;
}

}  // namespace

void MasterSong(Stereo& s, float targetLufs, float ceilingDb, float fadeSeconds) {
    const int n = s.Length();
    // the sub-bass goes down: small speakers cannot play it and it only eats headroom
    for (std::vector<float>* c : {&s.l, &s.r}) {
        HighPass(*c, 32.0f);
        LowShelf(*c, 90.0f, -5.0f);
    }
    // limiting takes a little loudness away; a second pass makes it up
    std::vector<float>* channels[2] = {&s.l, &s.r};
    for (int pass = 0; pass < 2; ++pass) {
        const double db = targetLufs - IntegratedLufs(s);
        Scale(s.l, db);
        Scale(s.r, db);
        LimitTruePeak(channels, 2, ceilingDb, 0.12f);
    }
    const int fade = std::min(n, (int)(fadeSeconds * kRate));
    for (int i = 0; i < fade; ++i) {
        float f = (float)i / fade;
        s.l[n - 1 - i] *= f;
        s.r[n - 1 - i] *= f;
    }
}

void FadeEnds(std::vector<float>& v) {
    const size_t in = std::min(v.size(), (size_t)(0.002f * kRate));
    const size_t out = std::min(v.size(), (size_t)(0.01f * kRate));
    auto ramp = [](size_t i, size_t n) { return 0.5f - 0.5f * std::cos(3.14159265f * (float)i / (float)n); };
    for (size_t i = 0; i < in; ++i) v[i] *= ramp(i, in);
    for (size_t i = 0; i < out; ++i) v[v.size() - 1 - i] *= ramp(i, out);
}

double MasterEffect(std::vector<float>& v, float targetLufs, float ceilingDb) {
    if (v.empty()) return kSilenceLufs;
    HighPass(v, 28.0f);
    std::vector<float>* channels[1] = {&v};
    for (int pass = 0; pass < 3; ++pass) {
        Scale(v, targetLufs - MomentaryMaxLufs(v));
        LimitTruePeak(channels, 1, ceilingDb, 0.05f);
    }
    FadeEnds(v);  // the high-pass leaves a small tail past the sound's own fade
    return MomentaryMaxLufs(v);
}

}  // namespace soundgen
