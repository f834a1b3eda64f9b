// The scenery: map tiles, and the ground objects (blocks, guns, silos) that sit on them.
#include <cmath>

#include "pictures.h"
#include "sprite_kit.h"

namespace {

ShadeOpts Bevel(float b, float grad = 0.0f) {
    ShadeOpts o;
    o.bevel = b;
    o.gradient = grad;
    return o;
}

// One 32 x 32 tile: a bevelled block whose face carries a texture; seamless in a grid.
Canvas Tile(const Ramp& ramp, int style, uint32_t seed) {
    Canvas t(32, 32);
    Mask m(32, 32);
    m.Rect(0, 0, 32, 32);
    ShadeOpts o = Bevel(3.0f, 0.15f);
    o.dither = 0.2f;
    Shade(t, m, ramp, o);
    for (int y = 2; y < 30; ++y)
        for (int x = 2; x < 30; ++x) {
            float n = Fbm(x * 0.18f, y * 0.18f, seed, 3);
            if (style == 0) {
                // rock: mottled face with cracks
                if (n < 0.36f) Darken(t, x, y, 0.8f);
                else if (n > 0.66f) Lighten(t, x, y, 0.12f);
            } else if (style == 1) {
                // plating: panel seams every 16 pixels, rivets
                if (x == 16 || y == 16) Darken(t, x, y, 0.6f);
                if ((x == 17 || y == 17) && x > 2 && y > 2) Lighten(t, x, y, 0.2f);
            } else if (style == 2) {
                // grate: horizontal slots
                if (y % 6 == 3 && x > 4 && x < 27) Darken(t, x, y, 0.4f), Lighten(t, x, y + 1, 0.15f);
            } else {
                // crystal rock: glints
                if (n > 0.72f && ((x + y) % 3 == 0)) t.Set(x, y, ramp[4]);
            }
        }
    if (style == 1) {
        for (int k : {5, 26}) {
            Rivet(t, k, 5);
            Rivet(t, k, 26);
        }
    }
    // the outer pixel ring: dark on every side so neighbouring blocks read as one wall
    for (int i = 0; i < 32; ++i) {
        Darken(t, i, 31, 0.6f);
        Darken(t, 31, i, 0.6f);
    }
    return t;
}

// Value noise on a lattice that wraps every `period` cells, so a tile cut from it
// continues across its own edges.
float WrappedNoise(float x, float y, int period, uint32_t seed) {
    auto lattice = [&](int ix, int iy) {
        ix = ((ix % period) + period) % period;
        iy = ((iy % period) + period) % period;
        uint32_t h = uint32_t(ix) * 374761393u + uint32_t(iy) * 668265263u + seed * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        h ^= h >> 16;
        return float(h & 0xFFFFFF) / float(0xFFFFFF);
    };
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = lattice(ix, iy), b = lattice(ix + 1, iy);
    float c = lattice(ix, iy + 1), d = lattice(ix + 1, iy + 1);
    float top = a + (b - a) * fx, bottom = c + (d - c) * fx;
    return top + (bottom - top) * fy;
}

// Octaves of wrapped noise over a 32-pixel tile: base lattice of `cells` per tile.
float TileFbm(int x, int y, int cells, uint32_t seed) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < 3; ++o) {
        int period = cells << o;
        float scale = float(period) / 32.0f;
        sum += amp * WrappedNoise(x * scale, y * scale, period, seed + uint32_t(o) * 101u);
        norm += amp;
        amp *= 0.5f;
    }
    return sum / norm;
}

// Terrain sits behind every actor: darker and greyer than any sprite.
const Ramp kBasalt{{MakeRgb(22, 18, 28), MakeRgb(40, 34, 46), MakeRgb(58, 50, 62), MakeRgb(80, 70, 80),
                    MakeRgb(106, 94, 100)}};
const Ramp kHull{{MakeRgb(14, 18, 28), MakeRgb(26, 32, 46), MakeRgb(40, 48, 64), MakeRgb(58, 68, 86),
                  MakeRgb(82, 94, 112)}};

int ToneIndex(float t, const Ramp& r) {
    int i = int(t * float(r.Size()));
    return i < 0 ? 0 : i >= r.Size() ? r.Size() - 1 : i;
}

// Cell "a": a continuous mass of rock. Strata and cracks come from wrapped noise, so
// a wall of many cells shows no borders; light falls from the top left on the ridges.
Canvas RockTile() {
    Canvas t(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float grain = TileFbm(x, y, 8, 811);
            float strata = TileFbm(x, y, 2, 877);
            float crack = std::fabs(TileFbm(x, y, 4, 919) - 0.5f);
            // slope of the grain towards the light: brighter on the top-left faces
            float slope = TileFbm(x - 1, y - 1, 8, 811) - grain;
            float tone = 0.45f + (grain - 0.5f) * 0.7f + (strata - 0.5f) * 0.25f - slope * 2.0f;
            tone += (Bayer(x, y) - 0.5f) * 0.1f;
            if (crack < 0.025f) tone = 0.05f;
            else if (crack < 0.045f) tone -= 0.12f;
            t.Set(x, y, kBasalt[ToneIndex(tone, kBasalt)]);
        }
    return t;
}

// Cell "b": hull plating of staggered panels, seams on the tile edges and the half,
// worn by the same wrapped noise, so it tiles with itself and meets rock cleanly.
Canvas HullTile() {
    Canvas t(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float wear = TileFbm(x, y, 4, 1303);
            float tone = 0.55f + (wear - 0.5f) * 0.5f + (Bayer(x, y) - 0.5f) * 0.1f;
            bool upper = y < 16;
            int seamX = upper ? 0 : 16;               // panels offset like brickwork
            if (y == 0 || y == 16 || x == seamX) tone = 0.0f;
            else if (y == 1 || y == 17 || x == seamX + 1) tone += 0.25f;  // lit lip below a seam
            else if (y == 15 || y == 31 || x == (seamX + 31) % 32) tone -= 0.2f;
            t.Set(x, y, kHull[ToneIndex(tone, kHull)]);
        }
    for (int x : {4, 12, 20, 28}) {
        t.Set(x, 3, kHull[4]);
        t.Set(x, 4, kHull[1]);
        t.Set(x, 19, kHull[4]);
        t.Set(x, 20, kHull[1]);
    }
    return t;
}

void MapFront(Canvas& cv) {
    const Ramp* ramps[] = {&pal::kRock, &pal::kSteel, &pal::kGunmetal, &pal::kViolet, &pal::kTeal, &pal::kBrown};
    cv.Blit(RockTile(), 0, 0);
    cv.Blit(HullTile(), 32, 0);
    // the other cells are unused by the level data; they keep the bevelled blocks
    for (int i = 2; i < 26; ++i) cv.Blit(Tile(*ramps[i % 6], i % 4, 300 + i), i * 32, 0);
}

// Armoured block: a forged steel ingot with chamfered corners, a raised bolted
// plate and hazard corners, so it reads as the one block no shot breaks.
void Enemy018(Canvas& cv) {
    Mask ingot(32, 32);
    ingot.Poly({4, 1, 28, 1, 31, 4, 31, 28, 28, 31, 4, 31, 1, 28, 1, 4});
    AddPart(cv, ingot, pal::kGunmetal, Bevel(3.5f, 0.25f));
    for (int k = 0; k < 6; ++k) {
        // yellow and black hazard ticks on two opposite corners
        Rgb c = (k % 2) ? pal::kInk : pal::kGold[3];
        cv.Set(3 + k, 2, c), cv.Set(2, 3 + k, c);
        cv.Set(28 - k, 29, c), cv.Set(29, 28 - k, c);
    }
    Mask plate(32, 32);
    plate.RoundRect(8, 8, 16, 16, 2);
    AddPart(cv, plate, pal::kSteel, Bevel(2.5f, 0.2f));
    Seam(cv, 11, 16, 21, 16);
    for (int x : {10, 21})
        for (int y : {10, 21}) Rivet(cv, x, y);
}

// Destructible block: a cracked orange cargo crate.
void Enemy019(Canvas& cv) {
    Mask m(32, 32);
    m.Rect(1, 1, 30, 30);
    AddPart(cv, m, pal::kOrange, Bevel(2.5f, 0.2f));
    for (int y = 5; y < 28; y += 7) Seam(cv, 3, y, 28, y);
    cv.Line(10, 3, 14, 12, pal::kOrange[0]);
    cv.Line(14, 12, 11, 19, pal::kOrange[0]);
    cv.Line(20, 18, 25, 28, pal::kOrange[0]);
    Rivet(cv, 4, 4);
    Rivet(cv, 27, 27);
}

// A gun base: a low armoured mound on the bottom of a 64 x 64 cell.
void Base(Canvas& cv, const Ramp& r) {
    Mask m(64, 64);
    m.Poly({2, 64, 6, 44, 14, 40, 50, 40, 58, 44, 62, 64});
    AddPart(cv, m, r, Bevel(4, 0.25f));
    for (int x = 10; x < 56; x += 9) Rivet(cv, x, 46);
    Vents(cv, 20, 52, 24, 6, 4);
}

// "D": squid launcher bunker with a domed hatch.
void Enemy020(Canvas& cv) {
    Mask body(64, 64);
    body.Poly({3, 63, 6, 24, 58, 24, 61, 63});
    AddPart(cv, body, pal::kOlive, Bevel(4, 0.25f));
    Mask dome(64, 64);
    dome.Ellipse(32, 24, 21, 15);
    dome.Rect(0, 24, 64, 40, false);
    AddPart(cv, dome, pal::kGunmetal, Bevel(8));
    Mask hatch(64, 64);
    hatch.RoundRect(20, 10, 24, 6, 2);
    Paint(cv, hatch, pal::kInk);
    GlowBall(cv, 32, 13, 2, pal::kFire);
    for (int x = 10; x < 56; x += 11) Rivet(cv, x, 30);
    Vents(cv, 14, 40, 36, 14, 4);
}

// "E": upward gun, a long barrel pointing straight up.
void Enemy021(Canvas& cv) {
    Mask barrel(64, 64);
    barrel.RoundRect(25, 2, 14, 40, 3);
    AddPart(cv, barrel, pal::kGunmetal, Bevel(4));
    Mask ring(64, 64);
    ring.RoundRect(22, 4, 20, 6, 2);
    ring.RoundRect(22, 22, 20, 5, 2);
    AddPart(cv, ring, pal::kSteel, Bevel(2));
    Paint(cv, [] { Mask m(64, 64); m.RoundRect(29, 3, 6, 3, 1); return m; }(), pal::kInk);
    Base(cv, pal::kOlive);
}

// "F": launch tube for the rising pods, hatch open.
void Enemy022(Canvas& cv) {
    Mask tube(64, 64);
    tube.RoundRect(16, 12, 32, 32, 4);
    AddPart(cv, tube, pal::kOlive, Bevel(5));
    Mask mouth(64, 64);
    mouth.Ellipse(32, 13, 14, 4);
    Paint(cv, mouth, pal::kInk);
    GlowBall(cv, 32, 13, 3, pal::kGold);
    Mask lid(64, 64);
    lid.Poly({44, 11, 58, 2, 60, 5, 47, 13});
    AddPart(cv, lid, pal::kGunmetal, Bevel(1.5f));
    Base(cv, pal::kGunmetal);
}

// "G": fan gun, a ball turret with a barrel raised toward the upper left.
void Enemy023(Canvas& cv) {
    Mask barrel(64, 64);
    barrel.Capsule(32, 30, 12, 8, 4);
    AddPart(cv, barrel, pal::kGunmetal, Bevel(3));
    Ball(cv, 32, 34, 13, pal::kRed, true);
    GlowBall(cv, 27, 30, 3, pal::kGold);
    Base(cv, pal::kOlive);
}

// "H": fast fan gun, twin barrels.
void Enemy024(Canvas& cv) {
    Mask barrel(64, 64);
    barrel.Capsule(30, 30, 10, 12, 3);
    barrel.Capsule(36, 28, 18, 6, 3);
    AddPart(cv, barrel, pal::kSteel, Bevel(2.5f));
    Ball(cv, 33, 34, 13, pal::kViolet, true);
    GlowBall(cv, 28, 30, 3, pal::kFire);
    Base(cv, pal::kGunmetal);
}

// "I": missile silo, the warhead showing in its open top.
void Enemy025(Canvas& cv) {
    Mask silo(64, 64);
    silo.RoundRect(14, 18, 36, 30, 3);
    AddPart(cv, silo, pal::kSteel, Bevel(4, 0.2f));
    Mask tip(64, 64);
    tip.Poly({24, 20, 32, 4, 40, 20});
    AddPart(cv, tip, pal::kRed, Bevel(3));
    for (int y = 24; y < 46; y += 6) Seam(cv, 16, y, 47, y);
    GlowBall(cv, 20, 22, 2, pal::kFire);
    GlowBall(cv, 44, 22, 2, pal::kFire);
    Base(cv, pal::kOlive);
}

// "J": dripper hanging from the ceiling, nozzle pointing down.
void Enemy026(Canvas& cv) {
    Mask top(64, 64);
    top.Poly({2, 0, 62, 0, 58, 20, 6, 20});
    AddPart(cv, top, pal::kGunmetal, Bevel(4, -0.2f));
    for (int x = 10; x < 56; x += 9) Rivet(cv, x, 6);
    Mask tank(64, 64);
    tank.Ellipse(32, 30, 12, 12);
    AddPart(cv, tank, pal::kWater, Bevel(8));
    Mask nozzle(64, 64);
    nozzle.Poly({24, 38, 40, 38, 36, 56, 28, 56});
    AddPart(cv, nozzle, pal::kSteel, Bevel(2));
    Mask drip(64, 64);
    drip.Circle(32, 59, 3);
    AddPart(cv, drip, pal::kWater, Bevel(2));
    cv.Set(28, 26, pal::kWhite);
}

}  // namespace

void AddGroundDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgMapFront00.png", MapFront});
    out.push_back({"ImgEnemy018.png", Enemy018});
    out.push_back({"ImgEnemy019.png", Enemy019});
    out.push_back({"ImgEnemy020.png", Enemy020});
    out.push_back({"ImgEnemy021.png", Enemy021});
    out.push_back({"ImgEnemy022.png", Enemy022});
    out.push_back({"ImgEnemy023.png", Enemy023});
    out.push_back({"ImgEnemy024.png", Enemy024});
    out.push_back({"ImgEnemy025.png", Enemy025});
    out.push_back({"ImgEnemy026.png", Enemy026});
}
