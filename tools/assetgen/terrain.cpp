// Terrain: every look of the map cells "a" (rock) and "b" (hull plating). A look is one
// cell with some sides open to space (outlined, lit on top, shaded below, outer corners
// rounded or cut) and, on each closed side, one of two seam patterns: two cells whose
// touching sides carry the same pattern continue into each other without a border. The
// game picks the look from a cell's neighbours and its map position, so walls show no
// repeat. Below the looks, one row of inner corners.
#include <algorithm>
#include <cmath>

#include "../../src/stages/map_tiles.h"
#include "pictures.h"
#include "sprite_kit.h"

namespace {

constexpr int kCell = 32;

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e) {
    uint32_t h = 2166136261u;
    for (uint32_t v : {a, b, c, d, e}) {
        h = (h ^ v) * 16777619u;
        h ^= h >> 15;
        h *= 0x2C1B3C6Du;
        h ^= h >> 12;
    }
    return h;
}

// Value noise over one cell. Its lattice points on a closed side depend only on that
// side's seam pattern, and those in the corners (shared by four cells) on nothing, so
// cells with matching seams continue into each other; the smoothstep fade leaves no
// crease across a side. Open sides touch no other cell and take the look's own values.
struct CellNoise {
    uint32_t seed;
    int open;
    int seams;
    uint32_t look;
};

struct NoiseSample {
    float v, dx, dy;  // value in [0, 1] and its slope per pixel
};

float Lattice(const CellNoise& n, int i, int j, int cells) {
    const bool onX = i == 0 || i == cells, onY = j == 0 || j == cells;
    const int sideY = j == 0 ? kSideTop : kSideBottom;
    const int sideX = i == 0 ? kSideLeft : kSideRight;
    uint32_t h;
    if (onX && onY) h = Hash(n.seed, 1, 0, 0, 0);
    else if (onY && !(n.open & sideY)) h = Hash(n.seed, 2, (n.seams & sideY) ? 1 : 0, uint32_t(i), 0);
    else if (onX && !(n.open & sideX)) h = Hash(n.seed, 3, (n.seams & sideX) ? 1 : 0, uint32_t(j), 0);
    else h = Hash(n.seed, 4, n.look, uint32_t(i), uint32_t(j));
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

NoiseSample Sample(const CellNoise& n, int x, int y, int spacing) {
    const int cells = kCell / spacing;
    const int i = x / spacing, j = y / spacing;
    const float fx = float(x % spacing) / float(spacing), fy = float(y % spacing) / float(spacing);
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float a = Lattice(n, i, j, cells), b = Lattice(n, i + 1, j, cells);
    const float c = Lattice(n, i, j + 1, cells), d = Lattice(n, i + 1, j + 1, cells);
    const float top = a + (b - a) * sx, bottom = c + (d - c) * sx;
    NoiseSample s;
    s.v = top + (bottom - top) * sy;
    s.dx = ((b - a) * (1 - sy) + (d - c) * sy) * 6 * fx * (1 - fx) / float(spacing);
    s.dy = (bottom - top) * 6 * fy * (1 - fy) / float(spacing);
    return s;
}

// Octaves from `spacing` pixels down, each half the last (spacing a power of two).
NoiseSample Octaves(CellNoise n, int x, int y, int spacing, int octaves) {
    NoiseSample sum{0, 0, 0};
    float amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves && spacing >= 1; ++o, spacing /= 2, amp *= 0.5f) {
        NoiseSample s = Sample(n, x, y, spacing);
        sum.v += amp * s.v;
        sum.dx += amp * s.dx;
        sum.dy += amp * s.dy;
        norm += amp;
        n.seed += 101;
    }
    return NoiseSample{sum.v / norm, sum.dx / norm, sum.dy / norm};
}

// How far a pixel centre lies inside the rock, measured from the space around the cell:
// from each open side, and where two open sides meet from a rounded or a cut corner.
float SpaceDistance(int open, float px, float py, bool rounded) {
    constexpr float kRadius = 5.0f, kChamfer = 4.0f;
    float d = 99.0f;
    if (open & kSideTop) d = std::min(d, py);
    if (open & kSideBottom) d = std::min(d, kCell - py);
    if (open & kSideLeft) d = std::min(d, px);
    if (open & kSideRight) d = std::min(d, kCell - px);
    const int corners[4][2] = {{kSideTop, kSideLeft}, {kSideTop, kSideRight}, {kSideBottom, kSideLeft},
                               {kSideBottom, kSideRight}};
    for (const auto& c : corners) {
        if (!(open & c[0]) || !(open & c[1])) continue;
        const float ux = (c[1] == kSideLeft) ? px : kCell - px;
        const float uy = (c[0] == kSideTop) ? py : kCell - py;
        if (rounded) {
            if (ux < kRadius && uy < kRadius)
                d = std::min(d, kRadius - std::hypot(kRadius - ux, kRadius - uy));
        } else {
            d = std::min(d, (ux + uy - kChamfer) * 0.70710678f);
        }
    }
    return d;
}

// Distance to one open side, or far away when the side is closed.
float SideDistance(int open, int side, float px, float py) {
    if (!(open & side)) return 99.0f;
    if (side == kSideTop) return py;
    if (side == kSideBottom) return kCell - py;
    if (side == kSideLeft) return px;
    return kCell - px;
}

// Lit rims and shade, by the distance to each open side: the light falls from the top
// left, so tops and left faces brighten and undersides and right faces darken.
float EdgeLight(int open, float px, float py, float inset, float topLip, float underside) {
    auto ramp = [](float d, float width) { return d < width ? 1.0f - d / width : 0.0f; };
    float t = 0;
    t += topLip * ramp(SideDistance(open, kSideTop, px, py) - inset - 1, 4);
    t += 0.25f * ramp(SideDistance(open, kSideLeft, px, py) - inset - 1, 3);
    t -= 0.2f * ramp(SideDistance(open, kSideRight, px, py) - inset - 1, 3);
    t -= underside * ramp(SideDistance(open, kSideBottom, px, py) - inset - 1, 8);
    return t;
}

// Terrain sits behind every actor: darker and greyer than any sprite. The last tone of
// each ramp is only reached on the lit rims.
const Ramp kBasalt{{MakeRgb(22, 18, 28), MakeRgb(40, 34, 46), MakeRgb(58, 50, 62), MakeRgb(80, 70, 80),
                    MakeRgb(106, 94, 100), MakeRgb(140, 126, 128)}};
const Ramp kHull{{MakeRgb(14, 18, 28), MakeRgb(26, 32, 46), MakeRgb(40, 48, 64), MakeRgb(58, 68, 86),
                  MakeRgb(82, 94, 112), MakeRgb(124, 138, 160)}};
// The rim where rock meets space: lit on the top and left sides, a dim cool line on the
// others, so every wall stands out from the black of space.
Rgb DimRim(const Ramp& r) { return Mix(r[2], MakeRgb(70, 76, 120), 0.35f); }

Rgb RimColor(int open, float px, float py, const Ramp& r) {
    float best = 99.0f;
    int nearest = kSideTop;
    for (int side = kSideTop; side <= kSideLeft; side <<= 1) {
        const float d = SideDistance(open, side, px, py);
        if (d < best) best = d, nearest = side;
    }
    if (nearest == kSideTop) return r[5];
    if (nearest == kSideLeft) return r[4];
    return DimRim(r);
}

Rgb Tone(const Ramp& r, float t, int x, int y, float dither) {
    const int last = r.Size() - 1;
    const float f = t * float(last - 1) + 0.5f + (Bayer(x, y) - 0.5f) * dither;
    return r[std::clamp(int(std::floor(f)), 0, last)];
}

// Cell "a": a mass of rock with strata and cracks; its open sides crumble a little.
void RockLook(Canvas& cv, int ox, int oy, int open, int seams, uint32_t look) {
    const CellNoise formN{811, open, seams, look}, grainN{839, open, seams, look};
    const CellNoise strataN{877, open, seams, look}, crackN{919, open, seams, look};
    const CellNoise edgeN{953, open, seams, look};
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            // how far the crumbling edge eats into the cell here: up to 1.5 pixels
            const float rag = open ? Octaves(edgeN, x, y, 4, 2).v * 1.5f : 0.0f;
            const float d = SpaceDistance(open, px, py, true) - rag;
            if (d < 0) continue;
            if (d < 1) {
                cv.Set(ox + x, oy + y, RimColor(open, px, py, kBasalt));
                continue;
            }
            // lumps of rock lit from the top left, fine grit, strata and cracks
            const NoiseSample form = Octaves(formN, x, y, 16, 3);
            const float grit = Octaves(grainN, x, y, 2, 2).v;
            const float strata = Octaves(strataN, x, y, 16, 2).v;
            const float crack = std::fabs(Octaves(crackN, x, y, 16, 2).v - 0.5f);
            float tone = 0.40f + (form.v - 0.5f) * 0.5f + (form.dx + form.dy) * 5.0f + (grit - 0.5f) * 0.3f +
                         (strata - 0.5f) * 0.2f;
            if (crack < 0.016f) tone = 0.02f;
            else if (crack < 0.03f) tone -= 0.12f;
            tone += EdgeLight(open, px, py, rag, 0.7f, 0.5f);
            if (SideDistance(open, kSideTop, px, py) - rag < 2.5f) tone = std::max(tone, 1.2f);  // the lit lip
            cv.Set(ox + x, oy + y, Tone(kBasalt, tone, x, y, 0.5f));
        }
}

// Cell "b": hull plating of staggered panels, seams on the cell's edges and its half,
// worn by the cell noise; a hull's open sides end in a bevelled rim with cut corners.
// Some panels carry a vent or a hatch, chosen by the look.
void HullLook(Canvas& cv, int ox, int oy, int open, int seams, uint32_t look) {
    const CellNoise wearN{1303, open, seams, look};
    const uint32_t detail = Hash(1307, look, 0, 0, 0);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = SpaceDistance(open, px, py, false);
            if (d < 0) continue;
            if (d < 1) {
                cv.Set(ox + x, oy + y, RimColor(open, px, py, kHull));
                continue;
            }
            const NoiseSample wear = Octaves(wearN, x, y, 8, 3);
            float tone = 0.55f + (wear.v - 0.5f) * 0.5f;
            const bool upper = y < 16;
            const int seamX = upper ? 0 : 16;  // panels offset like brickwork
            if (y == 0 || y == 16 || x == seamX) tone = 0.0f;
            else if (y == 1 || y == 17 || x == seamX + 1) tone += 0.25f;  // lit lip below a seam
            else if (y == 15 || y == 31 || x == (seamX + 31) % 32) tone -= 0.2f;
            // the panel feature, kept clear of the cell's sides so any neighbour fits
            const int feature = int(detail % 5);
            if (feature == 1 && upper && x >= 6 && x <= 25 && y >= 5 && y <= 11 && (y % 2) == 1) tone = 0.05f;
            if (feature == 2 && !upper && x >= 20 && x <= 28 && y >= 20 && y <= 28) {
                const bool rim = x == 20 || x == 28 || y == 20 || y == 28;
                tone = rim ? 0.08f : (x == 21 || y == 21) ? tone + 0.2f : tone - 0.1f;
            }
            if (feature == 3) tone -= 0.25f * std::max(0.0f, 1.0f - std::hypot(px - 10, py - 24) / 7.0f);  // scorch
            // a bevelled rim where the plating ends
            const float rim = SideDistance(open, kSideTop, px, py) < 3 || SideDistance(open, kSideLeft, px, py) < 3
                                  ? 0.45f
                                  : SideDistance(open, kSideBottom, px, py) < 3 ||
                                            SideDistance(open, kSideRight, px, py) < 3
                                        ? -0.35f
                                        : 0.0f;
            tone += rim + EdgeLight(open, px, py, 2, 0.0f, 0.3f);
            cv.Set(ox + x, oy + y, Tone(kHull, tone, x, y, 0.2f));
        }
    if (detail % 5 != 4) {
        // rivets, but not on a rim
        for (int x : {4, 12, 20, 28})
            for (int y : {3, 19}) {
                if (SpaceDistance(open, x + 0.5f, y + 0.5f, false) < 4) continue;
                cv.Set(ox + x, oy + y, kHull[4]);
                cv.Set(ox + x, oy + y + 1, kHull[1]);
            }
    }
}

// The inner corners: where a cell's two sides touch rock but the cell across the corner
// is empty, the rims of the two walls meet: a lit fillet in an upper corner, the dim rim
// and a little shadow in a lower one.
void InnerCorners(Canvas& cv, int ox, int oy, const Ramp& ramp, bool rounded) {
    for (int cy : {0, kCell})
        for (int cx : {0, kCell})
            for (int y = 0; y < kCell / 2; ++y)
                for (int x = 0; x < kCell / 2; ++x) {
                    const int qx = cx ? kCell - 1 - x : x, qy = cy ? kCell - 1 - y : y;
                    const float ux = x + 0.5f, uy = y + 0.5f;
                    const float r = rounded ? std::hypot(ux, uy) : (ux + uy) * 0.70710678f;
                    if (!cy && r < 2.2f) cv.Set(ox + qx, oy + qy, ramp[4]);
                    else if (cy && r < 1.2f) cv.Set(ox + qx, oy + qy, DimRim(ramp));
                    else if (cy && r < 4.0f && Bayer(qx, qy) < (4.0f - r) / 2.8f) cv.Set(ox + qx, oy + qy, ramp[0]);
                }
}

// The unused cells keep bevelled blocks: a face carrying a texture, seamless in a grid.
Canvas Block(const Ramp& ramp, int style, uint32_t seed) {
    Canvas t(kCell, kCell);
    Mask m(kCell, kCell);
    m.Rect(0, 0, kCell, kCell);
    ShadeOpts o;
    o.bevel = 3.0f;
    o.gradient = 0.15f;
    o.dither = 0.2f;
    Shade(t, m, ramp, o);
    for (int y = 2; y < 30; ++y)
        for (int x = 2; x < 30; ++x) {
            float n = Fbm(x * 0.18f, y * 0.18f, seed, 3);
            if (style == 0) {
                if (n < 0.36f) Darken(t, x, y, 0.8f);
                else if (n > 0.66f) Lighten(t, x, y, 0.12f);
            } else if (style == 1) {
                if (x == 16 || y == 16) Darken(t, x, y, 0.6f);
                if ((x == 17 || y == 17) && x > 2 && y > 2) Lighten(t, x, y, 0.2f);
            } else if (style == 2) {
                if (y % 6 == 3 && x > 4 && x < 27) Darken(t, x, y, 0.4f), Lighten(t, x, y + 1, 0.15f);
            } else if (n > 0.72f && ((x + y) % 3 == 0)) {
                t.Set(x, y, ramp[4]);
            }
        }
    if (style == 1)
        for (int k : {5, 26}) Rivet(t, k, 5), Rivet(t, k, 26);
    for (int i = 0; i < kCell; ++i) {
        Darken(t, i, 31, 0.6f);
        Darken(t, 31, i, 0.6f);
    }
    return t;
}

}  // namespace

void DrawMapTiles(Canvas& cv) {
    for (int open = 0; open < kSideMasks; ++open)
        for (int seams = 0; seams < kSideMasks; ++seams) {
            if (seams & open) continue;  // an open side has no seam: one row per closed pattern
            const int row = TileLookRow(open, seams);
            RockLook(cv, 0, row * kCell, open, seams, uint32_t(row));
            HullLook(cv, kCell, row * kCell, open, seams, uint32_t(row));
        }
    InnerCorners(cv, 0, kInnerCornerRow * kCell, kBasalt, true);
    InnerCorners(cv, kCell, kInnerCornerRow * kCell, kHull, false);
    const Ramp* ramps[] = {&pal::kRock, &pal::kSteel, &pal::kGunmetal, &pal::kViolet, &pal::kTeal, &pal::kBrown};
    for (int i = 2; i < 26; ++i) cv.Blit(Block(*ramps[i % 6], i % 4, 300 + i), i * kCell, 0);
}
