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

void MapFront(Canvas& cv) {
    const Ramp* ramps[] = {&pal::kRock, &pal::kSteel, &pal::kGunmetal, &pal::kViolet, &pal::kTeal, &pal::kBrown};
    for (int i = 0; i < 26; ++i) {
        int style = i == 0 ? 0 : i == 1 ? 1 : (i % 4);
        const Ramp& r = i == 0 ? pal::kRock : i == 1 ? pal::kSteel : *ramps[i % 6];
        cv.Blit(Tile(r, style, 300 + i), i * 32, 0);
    }
}

// Armoured block: dark riveted iron with a cross brace; nothing gets through.
void Enemy018(Canvas& cv) {
    Mask m(32, 32);
    m.RoundRect(1, 1, 30, 30, 3);
    AddPart(cv, m, pal::kGunmetal, Bevel(3, 0.2f));
    cv.Line(5, 5, 26, 26, pal::kGunmetal[0]);
    cv.Line(26, 5, 5, 26, pal::kGunmetal[0]);
    cv.Line(6, 5, 26, 25, pal::kGunmetal[3]);
    cv.Line(26, 6, 6, 26, pal::kGunmetal[3]);
    for (int k : {4, 27}) Rivet(cv, k, 4), Rivet(cv, k, 27);
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
