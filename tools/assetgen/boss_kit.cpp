// Machine parts for the bosses, built on the sprite kit.
#include "boss_kit.h"

#include <algorithm>
#include <cmath>

const Ramp kCoreRed{{MakeRgb(90, 10, 30), MakeRgb(180, 20, 40), MakeRgb(255, 60, 60), MakeRgb(255, 150, 110),
                     MakeRgb(255, 230, 200), pal::kWhite}};
const Ramp kCoreBlue{{MakeRgb(20, 20, 100), MakeRgb(30, 80, 200), MakeRgb(60, 170, 255), MakeRgb(150, 230, 255),
                      MakeRgb(230, 250, 255), pal::kWhite}};
const Ramp kCoreGreen{{MakeRgb(20, 60, 40), MakeRgb(40, 130, 80), MakeRgb(110, 210, 120), MakeRgb(190, 250, 170),
                       MakeRgb(240, 255, 230), pal::kWhite}};

Mask PolyMask(const Canvas& cv, const std::vector<float>& xy) {
    Mask m(cv.w, cv.h);
    m.Poly(xy);
    return m;
}

void Armor(Canvas& cv, const Mask& m, const Ramp& r, uint32_t seed, float bevel, int seamStep) {
    Canvas layer(cv.w, cv.h);
    ShadeOpts o;
    o.bevel = bevel;
    o.gradient = 0.35f;
    o.ambient = 0.42f;
    o.diffuse = 0.8f;
    o.specular = 0.03f;
    Shade(layer, m, r, o);
    Mask inner = m.Eroded(int(bevel) + 1);
    int top = m.h, bottom = 0, left = m.w, right = 0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.At(x, y)) top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x),
                            right = std::max(right, x);
    Rng rng(seed);
    // panels: horizontal bands, each cut by staggered vertical seams; every panel gets
    // a slightly different tone so the plating reads as separate plates
    for (int band = top; band < bottom; band += seamStep) {
        std::vector<int> cuts{left};
        for (int x = left + 6 + rng.Upto(seamStep); x < right - 6; x += seamStep + rng.Upto(seamStep * 2)) cuts.push_back(x);
        cuts.push_back(right + 1);
        for (size_t k = 0; k + 1 < cuts.size(); ++k) {
            float tone = 0.9f + 0.05f * float(rng.Upto(4));
            for (int y = band + 1; y < band + seamStep && y <= bottom; ++y)
                for (int x = cuts[k] + 1; x < cuts[k + 1]; ++x)
                    if (inner.At(x, y) && layer.Opaque(x, y)) layer.Set(x, y, Scale(layer.Get(x, y), tone));
            int x = cuts[k];
            if (k == 0) continue;
            for (int y = band + 1; y < band + seamStep && y <= bottom; ++y)
                if (inner.At(x, y)) {
                    Darken(layer, x, y, 0.5f);
                    Lighten(layer, x + 1, y, 0.22f);
                }
            if (inner.At(x - 3, band + 3)) Rivet(layer, x - 3, band + 3);
            if (inner.At(x + 4, band + 3)) Rivet(layer, x + 4, band + 3);
        }
        if (band > top)
            for (int x = left; x <= right; ++x)
                if (inner.At(x, band)) {
                    Darken(layer, x, band, 0.5f);
                    Lighten(layer, x, band + 1, 0.22f);
                }
    }
    // surface details: small hatches and vents
    int details = (right - left) * (bottom - top) / 700;
    for (int i = 0; i < details; ++i) {
        int x = left + rng.Upto(right - left), y = top + rng.Upto(bottom - top);
        int w = 4 + rng.Upto(10), h = 3 + rng.Upto(5);
        bool fits = inner.At(x, y) && inner.At(x + w, y) && inner.At(x, y + h) && inner.At(x + w, y + h);
        if (!fits) continue;
        int kind = rng.Upto(3);
        if (kind == 0) {
            Grille(layer, x, y, w, h);
        } else if (kind == 1) {
            for (int j = y; j < y + h; ++j)
                for (int k = x; k < x + w; ++k) Darken(layer, k, j, 0.8f);
            for (int k = x; k < x + w; ++k) Lighten(layer, k, y + h, 0.25f);
            for (int j = y; j <= y + h; ++j) Lighten(layer, x + w, j, 0.25f);
        } else {
            for (int k = x; k < x + w; ++k) Lighten(layer, k, y, 0.2f), Darken(layer, k, y + 1, 0.7f);
        }
    }
    Outline(layer, pal::kInk);
    // the part casts a short shadow on what lies under it
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x)
            if (layer.Opaque(x, y) && !layer.Opaque(x + 2, y + 2)) Darken(cv, x + 2, y + 2, 0.6f);
    cv.Blit(layer, 0, 0);
}

void WeakCore(Canvas& cv, float left, float right, float top, float bottom, const Ramp& glow) {
    float cx = (left + right) * 0.5f, cy = (top + bottom) * 0.5f;
    float rx = (right - left) * 0.5f, ry = (bottom - top) * 0.5f;
    Mask rim(cv.w, cv.h);
    rim.Ellipse(cx, cy, rx, ry);
    AddPart(cv, rim, pal::kSteel, ShadeOpts{3.0f});
    Mask socket(cv.w, cv.h);
    socket.Ellipse(cx, cy, rx - 3, ry - 3);
    Paint(cv, socket, pal::kInk);
    float r = std::max(2.0f, std::min(rx, ry) - 5.0f);
    GlowBall(cv, cx, cy, r, glow);
    // slits of light around the eye
    if (rx > 10 && ry > 10) {
        for (int k = 0; k < 8; ++k) {
            float a = k * 0.785398f;
            int x = int(cx + std::cos(a) * (rx - 4.5f)), y = int(cy + std::sin(a) * (ry - 4.5f));
            cv.Set(x, y, glow[3]);
        }
    }
    Bloom(cv, cx, cy, std::max(rx, ry) * 1.6f, glow[2], 0.25f);
}

void Barrel(Canvas& cv, float x0, float y0, float x1, float y1, float r, const Ramp& ramp) {
    Mask b(cv.w, cv.h);
    b.Capsule(x0, y0, x1, y1, r);
    AddPart(cv, b, ramp, ShadeOpts{std::max(1.5f, r * 0.8f)});
    // muzzle ring and bore
    float dx = x1 - x0, dy = y1 - y0, len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0) return;
    Mask ring(cv.w, cv.h);
    ring.Capsule(x1 - dx / len * 3, y1 - dy / len * 3, x1, y1, r + 1.2f);
    AddPart(cv, ring, pal::kSteel, ShadeOpts{1.5f});
    Mask bore(cv.w, cv.h);
    bore.Circle(x1, y1, std::max(1.0f, r * 0.5f));
    Paint(cv, bore, pal::kInk);
}

void Engine(Canvas& cv, float x, float y, float h) {
    Mask n(cv.w, cv.h);
    n.Poly({x - 8, y - h * 0.5f, x + 4, y - h * 0.62f, x + 4, y + h * 0.62f, x - 8, y + h * 0.5f});
    AddPart(cv, n, pal::kGunmetal, ShadeOpts{2.0f});
    Mask flame(cv.w, cv.h);
    flame.Ellipse(x + 6, y, 5, h * 0.45f);
    Canvas f(cv.w, cv.h);
    PaintTone(f, flame, pal::kPlasma, [&](int px, int py) {
        float d = std::abs(py + 0.5f - y) / (h * 0.45f);
        return std::clamp(1.0f - d - (px - x) * 0.05f, 0.0f, 1.0f);
    });
    cv.Blit(f, 0, 0);
}

void Lights(Canvas& cv, int x0, int y, int x1, int step, const Ramp& ramp) {
    for (int x = x0; x <= x1; x += step) {
        cv.Set(x, y, ramp[ramp.Size() - 1]);
        cv.Set(x + 1, y, ramp[ramp.Size() - 2]);
        cv.Set(x, y + 1, ramp[ramp.Size() - 3]);
        cv.Set(x + 1, y + 1, ramp[ramp.Size() - 3]);
    }
}

void Grille(Canvas& cv, int x, int y, int w, int h) {
    for (int j = y; j < y + h; j += 2)
        for (int i = x; i < x + w; ++i) {
            Darken(cv, i, j, 0.5f);
            Lighten(cv, i, j + 1, 0.12f);
        }
}

void Recess(Canvas& cv, const Mask& m, float depth) {
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) {
            if (!m.At(x, y) || !cv.Opaque(x, y)) continue;
            Darken(cv, x, y, depth);
            if (!m.At(x, y + 1) || !m.At(x + 1, y)) Lighten(cv, x, y, 0.3f);
            if (!m.At(x, y - 1) || !m.At(x - 1, y)) Darken(cv, x, y, 0.6f);
        }
}

void Nozzle(Canvas& cv, float x, float y, float dx, float dy, float r) {
    Mask n(cv.w, cv.h);
    n.Capsule(x, y, x + dx * r * 1.4f, y + dy * r * 1.4f, r);
    AddPart(cv, n, pal::kGunmetal, ShadeOpts{1.5f});
    Mask bore(cv.w, cv.h);
    bore.Circle(x + dx * r * 1.6f, y + dy * r * 1.6f, r * 0.55f);
    Paint(cv, bore, pal::kPlasma[2]);
    cv.Set(int(x + dx * r * 1.6f), int(y + dy * r * 1.6f), pal::kPlasma[4]);
}

void Windows(Canvas& cv, int x0, int y, int x1, int step, int w, int h) {
    for (int x = x0; x + w <= x1; x += step) {
        cv.FillRect(x, y, w, h, pal::kCyan[0]);
        cv.FillRect(x, y, w, 1, pal::kCyan[3]);
        cv.Set(x, y + 1, pal::kCyan[2]);
    }
}

void Port(Canvas& cv, float x, float y, float r, const Ramp& glow) {
    Mask collar(cv.w, cv.h);
    collar.Circle(x, y, r + 1.5f);
    AddPart(cv, collar, pal::kGunmetal, ShadeOpts{1.5f});
    Mask bore(cv.w, cv.h);
    bore.Circle(x, y, r);
    Paint(cv, bore, pal::kInk);
    GlowBall(cv, x, y + 0.5f, std::max(1.2f, r * 0.55f), glow);
}

void DownThruster(Canvas& cv, float x, float y, float w) {
    Mask bell(cv.w, cv.h);
    bell.Poly({x - w * 0.35f, y, x + w * 0.35f, y, x + w * 0.5f, y + 6, x - w * 0.5f, y + 6});
    AddPart(cv, bell, pal::kGunmetal, ShadeOpts{1.5f});
    for (int i = int(-w * 0.45f); i <= int(w * 0.45f); ++i) {
        cv.Set(int(x) + i, int(y) + 7, pal::kPlasma[std::abs(i) < w * 0.25f ? 3 : 1]);
        if (std::abs(i) < w * 0.2f) cv.Set(int(x) + i, int(y) + 8, pal::kPlasma[2]);
    }
}
