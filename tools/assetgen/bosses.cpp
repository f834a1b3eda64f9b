// The boss of the first stage, the descending fortress, with its turret and gun; and the
// list of every boss picture.
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// The fortress: a tall armoured block, its core low at the front, a platform for the
// turret and one for the gun.
void Fortress(Canvas& cv, const Ramp& hull, const Ramp& trim, const Ramp& glow, uint32_t seed) {
    // downward thrusters under the hull: it comes down from above
    for (int k = 0; k < 3; ++k) {
        float x = 104.0f + k * 34;
        Mask bell(cv.w, cv.h);
        bell.Poly({x - 8, 188, x + 8, 188, x + 12, 199, x - 12, 199});
        AddPart(cv, bell, pal::kGunmetal, ShadeOpts{2.0f});
        for (int i = -9; i <= 9; ++i) cv.Set(int(x) + i, 199, pal::kPlasma[2 + (std::abs(i) < 5)]);
    }
    Armor(cv, PolyMask(cv, {52, 4, 186, 2, 201, 18, 201, 182, 186, 194, 52, 194, 46, 182, 46, 16}), hull, seed, 5, 24);
    // the central armour slab with a reactor grille and a row of windows
    Armor(cv, PolyMask(cv, {96, 22, 176, 22, 188, 38, 188, 160, 176, 176, 96, 176, 86, 160, 86, 38}), trim, seed + 1, 5,
          26);
    Mask reactor(cv.w, cv.h);
    reactor.RoundRect(104, 70, 64, 56, 8);
    Paint(cv, reactor, pal::kInk);
    Mask glowBars(cv.w, cv.h);
    for (int k = 0; k < 6; ++k) glowBars.RoundRect(108, 74.0f + k * 9, 56, 5, 2);
    Canvas bars(cv.w, cv.h);
    PaintTone(bars, glowBars, glow, [](int x, int) { return 0.45f + 0.4f * std::sin((x - 108) / 56.0f * 3.1416f); });
    cv.Blit(bars, 0, 0);
    Bloom(cv, 136, 98, 50, glow[3], 0.18f);
    for (int x = 100; x < 172; x += 9) {
        Mask win(cv.w, cv.h);
        win.RoundRect(float(x), 40, 5, 7, 1);
        Paint(cv, win, pal::kInk);
        cv.Set(x + 1, 41, kCoreBlue[3]);
        cv.Set(x + 2, 41, kCoreBlue[4]);
    }
    // turret platform (upper left) and gun platform
    Armor(cv, PolyMask(cv, {6, 58, 54, 50, 54, 84, 12, 84}), hull, seed + 4, 3, 40);
    Armor(cv, PolyMask(cv, {22, 92, 54, 88, 54, 106, 26, 106}), hull, seed + 5, 2, 40);
    // the lower bay that holds the core, with armoured jaws above and below it
    Armor(cv, PolyMask(cv, {4, 124, 54, 112, 54, 194, 12, 192}), hull, seed + 6, 4, 40);
    WeakCore(cv, 14, 67, 127, 186, glow);
    Armor(cv, PolyMask(cv, {2, 116, 60, 108, 72, 118, 20, 126}), trim, seed + 8, 2, 40);
    Armor(cv, PolyMask(cv, {20, 188, 72, 184, 62, 196, 8, 196}), trim, seed + 9, 2, 40);
    Lights(cv, 100, 184, 172, 12, kCoreBlue);
    Grille(cv, 110, 150, 56, 10);
    for (int y = 40; y < 170; y += 26) Engine(cv, 197, float(y), 12);
}

// Fortress turret: a domed mount with a heavy barrel pointing left.
void FortressTurret(Canvas& cv, const Ramp& hull, const Ramp& glow) {
    Barrel(cv, 30, 22, 5, 22, 6.5f, pal::kGunmetal);
    Mask dome(69, 47);
    dome.Ellipse(46, 26, 21, 19);
    dome.Rect(0, 42, 69, 10, false);
    Armor(cv, dome, hull, 5, 6, 14);
    Mask base(69, 47);
    base.RoundRect(24, 38, 44, 8, 3);
    AddPart(cv, base, pal::kGunmetal, ShadeOpts{2.0f});
    GlowBall(cv, 44, 22, 4, glow);
}

// Fortress gun: a slim barrel on a small block.
void FortressGun(Canvas& cv, const Ramp& hull) {
    Barrel(cv, 26, 6, 3, 6, 3.2f, pal::kSteel);
    Mask block(35, 12);
    block.RoundRect(22, 1, 12, 10, 2);
    AddPart(cv, block, hull, ShadeOpts{2.0f});
    cv.Set(28, 5, pal::kFire[4]);
}

}  // namespace

void AddWarshipDrawers(std::vector<DrawerEntry>& out);           // boss_warships.cpp
void AddSecondColumnBossDrawers(std::vector<DrawerEntry>& out);  // boss_second_column.cpp
void AddFinalStageBossDrawers(std::vector<DrawerEntry>& out);    // boss_final_stages.cpp
void AddLastColumnBossDrawers(std::vector<DrawerEntry>& out);    // boss_last_columns.cpp
void AddArmouredFortressDrawers(std::vector<DrawerEntry>& out);  // boss_armoured_fortress.cpp
void AddCruiserMk2Drawers(std::vector<DrawerEntry>& out);        // boss_cruiser_mk2.cpp

void AddBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy200.png", [](Canvas& cv) { Fortress(cv, pal::kGunmetal, pal::kRed, kCoreRed, 200); }});
    out.push_back({"ImgEnemy201.png", [](Canvas& cv) { FortressTurret(cv, pal::kRed, kCoreRed); }});
    out.push_back({"ImgEnemy202.png", [](Canvas& cv) { FortressGun(cv, pal::kRed); }});
    AddSecondColumnBossDrawers(out);
    AddWarshipDrawers(out);
    AddFinalStageBossDrawers(out);
    AddLastColumnBossDrawers(out);
    AddArmouredFortressDrawers(out);
    AddCruiserMk2Drawers(out);
}
