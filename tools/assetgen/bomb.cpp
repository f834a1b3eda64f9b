// The bomb attack: sixteen 200 x 200 cells of a plasma detonation (charge, burst, shock ring, fade).
#include <cmath>

#include "pictures.h"
#include "sprite_kit.h"

namespace {

constexpr int kCells = 16;
constexpr float kC = 100.0f;  // centre of a cell

// Jagged bolt from the centre outward.
void Lightning(Canvas& cv, float angle, float length, uint32_t seed, const Ramp& ramp) {
    Rng rng(seed);
    float x = kC, y = kC;
    int steps = int(length / 6.0f);
    for (int i = 0; i < steps; ++i) {
        float a = angle + rng.Range(-0.7f, 0.7f);
        float nx = x + std::cos(a) * 6.0f, ny = y + std::sin(a) * 6.0f;
        int tone = ramp.Size() - 1 - (i * 2 / std::max(1, steps));
        cv.Line(int(x), int(y), int(nx), int(ny), ramp[tone]);
        cv.Line(int(x) + 1, int(y), int(nx) + 1, int(ny), ramp[tone - 1]);
        x = nx, y = ny;
        if (rng.Upto(5) == 0) {
            // a short fork
            float fa = a + rng.Range(-1.2f, 1.2f);
            cv.Line(int(x), int(y), int(x + std::cos(fa) * 8), int(y + std::sin(fa) * 8), ramp[tone - 1]);
        }
    }
}

void Cell(Canvas& cell, int i) {
    const Ramp& plasma = pal::kPlasma;
    Ramp edge{{pal::kViolet[1], pal::kViolet[2], pal::kBlue[2], pal::kCyan[3], pal::kWhite}};
    float t = i / float(kCells - 1);
    int n = plasma.Size();
    if (i < 4) {
        // charge: streaks rush toward a growing core
        Rng rng(40 + i);
        for (int s = 0; s < 28; ++s) {
            float a = rng.Range(0, 6.2831853f);
            float r1 = rng.Range(30, 96) * (1.0f - 0.22f * i), r0 = r1 - rng.Range(10, 26);
            int tone = 1 + rng.Upto(n - 2);
            cell.Line(int(kC + std::cos(a) * r0), int(kC + std::sin(a) * r0), int(kC + std::cos(a) * r1),
                      int(kC + std::sin(a) * r1), plasma[tone]);
        }
        GlowBall(cell, kC, kC, 6.0f + 5.0f * i, edge);
        GlowBall(cell, kC, kC, 3.0f + 4.0f * i, plasma);
        return;
    }
    float k = (i - 4) / float(kCells - 5);  // 0..1 over the burst
    float sphere = 26.0f + 62.0f * std::sqrt(k);
    float ringR = 34.0f + 64.0f * std::sqrt(k);
    float ringW = 9.0f - 6.0f * k;
    float fade = k < 0.45f ? 0.0f : (k - 0.45f) / 0.55f;
    // long rays of light burst past the ring in the first frames of the blast
    if (i < 10) {
        Rng rng(700 + i);
        for (int s = 0; s < 14; ++s) {
            float a = s * 6.2831853f / 14 + rng.Range(-0.12f, 0.12f) + i * 0.05f;
            float len = std::min(99.0f, ringR * rng.Range(1.15f, 1.6f));
            for (float d = sphere * 0.6f; d < len; d += 0.5f) {
                float w = (1.0f - d / len) * 2.2f;
                float px = kC + std::cos(a) * d, py = kC + std::sin(a) * d;
                int tone = std::clamp(int((1.0f - d / len) * 5.0f), 1, 4);
                for (float o = -w; o <= w; o += 0.5f)
                    cell.Set(int(px - std::sin(a) * o), int(py + std::cos(a) * o), plasma[std::abs(o) < 0.6f ? tone : tone - 1]);
            }
        }
    }
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            float dx = x + 0.5f - kC, dy = y + 0.5f - kC, d = std::sqrt(dx * dx + dy * dy);
            float a = std::atan2(dy, dx);
            float b = Bayer(x, y);
            float swirl = Fbm(std::cos(a + d * 0.02f) * 3.0f + 11.0f, std::sin(a + d * 0.02f) * 3.0f + d * 0.03f, 77, 4);
            float v = -1.0f;
            if (d < sphere) {
                float q = d / sphere;
                v = 1.05f - 0.75f * q * q + (swirl - 0.5f) * 0.6f - 0.9f * fade;
                if (fade > 0 && swirl + (b - 0.5f) * 0.4f < fade * 1.1f) v = -1.0f;
            }
            float ring = 1.0f - std::abs(d - ringR) / ringW;
            if (ring > 0 && ring + (b - 0.5f) * 0.3f > 0.15f + 0.4f * fade) {
                float rv = 0.55f + 0.5f * ring - 0.35f * fade;
                if (rv > v) {
                    float f = rv * float(edge.Size() - 1) + (b - 0.5f) * 0.8f;
                    cell.Set(x, y, edge[int(std::floor(f + 0.5f))]);
                    continue;
                }
            }
            if (v > 0.05f) {
                float f = v * float(n - 1) + (b - 0.5f) * 0.9f;
                int idx = int(std::floor(f + 0.5f));
                cell.Set(x, y, idx < 0 ? edge[1] : plasma[idx]);
            }
        }
    // lightning arcs through the burst's brightest frames
    if (i < 12) {
        Rng rng(300 + i);
        int bolts = 5 + (i % 3);
        for (int s = 0; s < bolts; ++s)
            Lightning(cell, rng.Range(0, 6.2831853f), ringR * rng.Range(0.7f, 1.05f), 500 + i * 31 + s, plasma);
    }
    PaintSparks(cell, kC, kC, ringR + 6, 0.2f + 0.8f * k, 60, 900 + i, plasma);
    (void)t;
}

void Zorbex(Canvas& cv) {
    for (int i = 0; i < kCells; ++i) {
        Canvas cell(200, 200);
        Cell(cell, i);
        cv.Blit(cell, (i % 3) * 200, (i / 3) * 200);
    }
}

}  // namespace

void AddBombDrawers(std::vector<DrawerEntry>& out) { out.push_back({"ImgZorbex.png", Zorbex}); }
