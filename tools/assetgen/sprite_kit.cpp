// Shared sprite pieces: parts, seams, rivets, lit balls, glows and the explosion painter.
#include "sprite_kit.h"

#include <algorithm>
#include <cmath>

Canvas Part(int w, int h, const Mask& m, const Ramp& r, const ShadeOpts& o, Rgb line) {
    Canvas c(w, h);
    Shade(c, m, r, o);
    Outline(c, line);
    return c;
}

void AddPart(Canvas& cv, const Mask& m, const Ramp& r, const ShadeOpts& o, Rgb line) {
    cv.Blit(Part(cv.w, cv.h, m, r, o, line), 0, 0);
}

Mask MaskOf(const Canvas& cv) {
    Mask m(cv.w, cv.h);
    for (size_t i = 0; i < cv.on.size(); ++i) m.m[i] = cv.on[i];
    return m;
}

void Darken(Canvas& cv, int x, int y, float f) {
    if (cv.Opaque(x, y)) cv.Set(x, y, Scale(cv.Get(x, y), f));
}

void Lighten(Canvas& cv, int x, int y, float f) {
    if (cv.Opaque(x, y)) cv.Set(x, y, Mix(cv.Get(x, y), pal::kWhite, f));
}

void Seam(Canvas& cv, int x0, int y0, int x1, int y1) {
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int n = std::max(dx, dy);
    for (int i = 0; i <= n; ++i) {
        int x = x0 + (n ? (x1 - x0) * i / n : 0), y = y0 + (n ? (y1 - y0) * i / n : 0);
        Darken(cv, x, y, 0.55f);
        if (dx >= dy) Lighten(cv, x, y + 1, 0.25f);
        else Lighten(cv, x + 1, y, 0.25f);
    }
}

void Rivet(Canvas& cv, int x, int y) {
    Lighten(cv, x, y, 0.5f);
    Darken(cv, x + 1, y + 1, 0.5f);
}

void Vents(Canvas& cv, int x, int y, int w, int h, int step) {
    for (int i = x; i < x + w; i += step) {
        for (int j = y; j < y + h; ++j) {
            Darken(cv, i, j, 0.45f);
            Lighten(cv, i + 1, j, 0.2f);
        }
    }
}

void Ball(Canvas& cv, float cx, float cy, float r, const Ramp& ramp, bool outline) {
    Mask m(cv.w, cv.h);
    m.Circle(cx, cy, r);
    ShadeOpts o;
    o.bevel = r;
    o.specular = 0.06f;
    o.dither = 0.6f;
    if (outline) AddPart(cv, m, ramp, o);
    else Shade(cv, m, ramp, o);
}

void GlowBall(Canvas& cv, float cx, float cy, float r, const Ramp& ramp) {
    int n = ramp.Size();
    for (int y = int(cy - r - 1); y <= int(cy + r + 1); ++y)
        for (int x = int(cx - r - 1); x <= int(cx + r + 1); ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float d = std::sqrt(dx * dx + dy * dy) / r;
            if (d > 1.0f) continue;
            // the hot spot sits a little up and left, as the light does
            float ex = x + 0.5f - (cx - r * 0.2f), ey = y + 0.5f - (cy - r * 0.2f);
            float e = std::sqrt(ex * ex + ey * ey) / r;
            float t = 1.0f - std::min(1.0f, 0.55f * d + 0.55f * e);
            float f = t * float(n - 1) + (Bayer(x, y) - 0.5f) * 0.7f;
            cv.Set(x, y, ramp[int(f + 0.5f)]);
        }
}

void Bloom(Canvas& cv, float cx, float cy, float r, Rgb c, float strength) {
    for (int y = int(cy - r); y <= int(cy + r); ++y)
        for (int x = int(cx - r); x <= int(cx + r); ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy, d = std::sqrt(dx * dx + dy * dy) / r;
            if (d < 1.0f) cv.AddLight(x, y, c, strength * (1.0f - d) * (1.0f - d));
        }
}

void PaintBlast(Canvas& cv, float cx, float cy, float R, float t, uint32_t seed) {
    const Ramp& fire = pal::kFire;
    const Ramp& smoke = pal::kSmoke;
    struct Puff {
        float ang, dist, size, heat;
    };
    // a cluster of round puffs: a big centre one and a ring of smaller ones around it
    Rng rng(seed);
    std::vector<Puff> puffs;
    puffs.push_back({0, 0, 0.55f, 1.0f});
    int ring = 7;
    for (int i = 0; i < ring; ++i)
        puffs.push_back({i * 6.2831853f / ring + rng.Range(-0.3f, 0.3f), rng.Range(0.45f, 0.62f),
                         rng.Range(0.30f, 0.42f), rng.Range(0.75f, 0.95f)});
    for (int i = 0; i < 4; ++i)
        puffs.push_back({rng.Range(0, 6.2831853f), rng.Range(0.15f, 0.35f), rng.Range(0.3f, 0.4f), 0.95f});
    float grow = 0.30f + 0.70f * std::sqrt(std::min(1.0f, t * 1.5f));
    float heat = std::max(0.0f, 1.2f - 1.45f * t);
    // the smoke thins out but a last wisp is still there in the final frame
    float dissolve = t < 0.5f ? 0.0f : (t - 0.5f) / 0.5f * 0.82f;
    const float lx = -0.5f, ly = -0.6f, lz = 0.62f;
    for (int y = int(cy - R - 2); y <= int(cy + R + 2); ++y)
        for (int x = int(cx - R - 2); x <= int(cx + R + 2); ++x) {
            float best = 0, bnx = 0, bny = 0, bheat = 0;
            float wob = (Noise2(x * 0.35f, y * 0.35f, seed + 3) - 0.5f) * 0.25f;
            for (const Puff& p : puffs) {
                // outer puffs drift outward a little faster as the smoke rises
                float pd = p.dist * R * grow * (1.0f + 0.25f * t);
                float px = cx + std::cos(p.ang) * pd, py = cy + std::sin(p.ang) * pd - 3.0f * t * R / 46.0f;
                float pr = p.size * R * grow * (1.0f + 0.1f * t);
                float dx = (x + 0.5f - px) / pr, dy = (y + 0.5f - py) / pr;
                float q = dx * dx + dy * dy + wob;
                if (q >= 1.0f) continue;
                float hgt = std::sqrt(1.0f - q) * pr;
                if (hgt > best) best = hgt, bnx = dx, bny = dy, bheat = p.heat * (1.0f - 0.45f * p.dist);
            }
            if (best <= 0) continue;
            float nz = std::sqrt(std::max(0.0f, 1.0f - bnx * bnx - bny * bny));
            float lit = std::max(0.0f, bnx * lx + bny * ly + nz * lz);
            float b = Bayer(x, y);
            float n = Noise2(x * 0.13f + 9.0f, y * 0.13f, seed + 11);
            if (dissolve > 0 && n * 0.8f + 0.2f * lit < dissolve * 0.95f + (b - 0.5f) * 0.18f) continue;
            float temp = heat * bheat * (0.55f + 0.6f * nz) + (n - 0.5f) * 0.25f;
            if (temp > 0.32f) {
                float f = (temp - 0.32f) / 0.7f * float(fire.Size() - 1) + (lit - 0.5f) * 1.2f + (b - 0.5f) * 0.6f;
                cv.Set(x, y, fire[int(std::floor(f + 0.5f))]);
            } else {
                float s = (0.2f + 1.1f * lit) * float(smoke.Size() - 1) + (b - 0.5f) * 0.6f;
                int si = int(std::floor(s + 0.5f));
                // the last embers glow inside the smoke
                if (temp > 0.24f && n > 0.6f) cv.Set(x, y, fire[1]);
                else cv.Set(x, y, smoke[si]);
            }
        }
}

void PaintSparks(Canvas& cv, float cx, float cy, float reach, float t, int count, uint32_t seed, const Ramp& ramp) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        float a = rng.Range(0, 6.2831853f);
        float sp = rng.Range(0.45f, 1.0f);
        float life = rng.Range(0.55f, 1.0f);
        if (t > life) continue;
        float d = reach * sp * std::sqrt(t / life);
        float x = cx + std::cos(a) * d, y = cy + std::sin(a) * d;
        float heat = 1.0f - t / life;
        int tone = std::clamp(int(heat * float(ramp.Size() - 1) + 0.5f), 1, ramp.Size() - 1);
        cv.Set(int(x), int(y), ramp[tone]);
        // a short streak behind each spark
        float bx = x - std::cos(a) * 2.0f, by = y - std::sin(a) * 2.0f;
        cv.Set(int(bx), int(by), ramp[std::max(0, tone - 2)]);
    }
}

std::vector<float> Mirrored(const std::vector<float>& xy, float axisY) {
    std::vector<float> out(xy);
    for (size_t i = 1; i < out.size(); i += 2) out[i] = 2 * axisY - out[i];
    return out;
}

std::vector<float> Shifted(const std::vector<float>& xy, float dx, float dy) {
    std::vector<float> out(xy);
    for (size_t i = 0; i < out.size(); i += 2) out[i] += dx, out[i + 1] += dy;
    return out;
}

std::vector<float> Scaled(const std::vector<float>& xy, float sx, float sy) {
    std::vector<float> out(xy);
    for (size_t i = 0; i < out.size(); i += 2) out[i] *= sx, out[i + 1] *= sy;
    return out;
}
