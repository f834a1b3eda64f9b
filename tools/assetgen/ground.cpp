// The ground objects (blocks, guns, silos) that sit on the scenery; the map tiles are terrain.cpp.
#include "pictures.h"
#include "sprite_kit.h"

namespace {

ShadeOpts Bevel(float b, float grad = 0.0f) {
    ShadeOpts o;
    o.bevel = b;
    o.gradient = grad;
    return o;
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
    out.push_back({"ImgMapFront00.png", DrawMapTiles});
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
