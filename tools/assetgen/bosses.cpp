// Bosses of the early and middle stages: the fortresses (0 and 14), the walking
// battleship, the hidden-core carrier, the beam carrier and the bomb thrower, with their
// separate parts.
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// Fortress of bosses 0 and 14: a tall armoured block, its core low at the front, a
// platform for the turret and one for the gun; the heavy variant carries extra plates.
void Fortress(Canvas& cv, const Ramp& hull, const Ramp& trim, const Ramp& glow, uint32_t seed, bool heavy) {
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
    if (heavy) {
        Armor(cv, PolyMask(cv, {60, 10, 92, 10, 92, 60, 60, 70}), trim, seed + 2, 3, 14);
        Armor(cv, PolyMask(cv, {60, 140, 92, 130, 92, 184, 60, 184}), trim, seed + 3, 3, 14);
        for (int k = 0; k < 4; ++k) {
            float y = 30.0f + k * 40;
            Armor(cv, PolyMask(cv, {188, y, 201, y + 6, 201, y + 26, 188, y + 20}), trim, seed + 7 + k, 2, 40);
        }
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

// Boss 2: a battleship on mechanical legs; its glowing underside is the weak spot.
void Boss220(Canvas& cv) {
    Mask belly(349, 159);
    belly.Poly({8, 104, 341, 104, 330, 146, 20, 146});
    Armor(cv, belly, pal::kGunmetal, 224, 3, 60);
    // the glowing intakes along the underside are its weak spot
    for (int k = 0; k < 10; ++k) {
        int x = 18 + k * 32;
        Mask vent(349, 159);
        vent.RoundRect(float(x), 114, 24, 22, 4);
        Paint(cv, vent, pal::kInk);
        Mask core(349, 159);
        core.RoundRect(float(x + 2), 116, 20, 18, 3);
        Canvas c(349, 159);
        PaintTone(c, core, kCoreRed, [x](int px, int py) {
            float dx = (px - x - 12) / 10.0f, dy = (py - 125) / 9.0f;
            return std::clamp(1.0f - std::sqrt(dx * dx + dy * dy) * 0.8f, 0.0f, 1.0f);
        });
        cv.Blit(c, 0, 0);
        for (int y = 118; y < 134; y += 3) Darken(cv, x + 12, y, 0.5f);
    }
    // four jointed legs, the far pair darker
    for (int k = 0; k < 4; ++k) {
        float hip = 44.0f + k * 86, knee = hip - 14, foot = hip - 4;
        Mask leg(349, 159);
        leg.Capsule(hip, 128, knee, 146, 6);
        leg.Capsule(knee, 146, foot, 152, 5);
        leg.RoundRect(foot - 16, 150, 30, 9, 3);
        Armor(cv, leg, pal::kSteel, 225 + k, 3, 40);
        GlowBall(cv, knee, 146, 2.5f, kCoreBlue);
    }
    Armor(cv, PolyMask(cv, {0, 104, 18, 70, 60, 60, 330, 60, 349, 78, 349, 110, 0, 110}), pal::kGunmetal, 220, 5, 20);
    Armor(cv, PolyMask(cv, {0, 104, 8, 90, 340, 90, 349, 104, 349, 112, 0, 112}), pal::kRed, 221, 3, 60);
    Lights(cv, 20, 98, 330, 12, kCoreBlue);
    Barrel(cv, 30, 80, 2, 84, 5, pal::kSteel);
}

// Boss 2's front mast: a tall pole with a gun head at the top.
void Boss221(Canvas& cv) {
    Armor(cv, PolyMask(cv, {19, 22, 34, 22, 36, 126, 17, 126}), pal::kGunmetal, 2210, 3, 18);
    Barrel(cv, 22, 15, 3, 15, 3.5f, pal::kSteel);
    Mask head(43, 126);
    head.RoundRect(12, 6, 28, 18, 5);
    Armor(cv, head, pal::kRed, 2211, 4, 40);
    GlowBall(cv, 30, 14, 3, kCoreBlue);
}

// Boss 2's middle launcher: a mortar tube on an armoured base.
void Boss222(Canvas& cv) {
    Armor(cv, PolyMask(cv, {1, 58, 6, 26, 44, 26, 49, 58}), pal::kGunmetal, 2220, 4, 14);
    Mask tube(51, 59);
    tube.RoundRect(17, 2, 18, 28, 4);
    Armor(cv, tube, pal::kRed, 2221, 4, 40);
    Mask bore(51, 59);
    bore.Ellipse(26, 4, 6, 2);
    Paint(cv, bore, pal::kInk);
    Lights(cv, 10, 46, 40, 10, kCoreRed);
}

// Boss 2's rear hangar: its door at the left lets out the flying pigs.
void Boss223(Canvas& cv) {
    Armor(cv, PolyMask(cv, {27, 6, 110, 4, 117, 20, 117, 72, 27, 72}), pal::kGunmetal, 2230, 5, 18);
    Mask door(119, 76);
    door.RoundRect(6, 8, 24, 32, 4);
    AddPart(cv, door, pal::kRed, ShadeOpts{3.0f});
    Mask dark(119, 76);
    dark.RoundRect(10, 13, 16, 22, 2);
    Paint(cv, dark, pal::kInk);
    GlowBall(cv, 18, 24, 3, pal::kPink);
    Grille(cv, 40, 20, 60, 14);
    Lights(cv, 40, 62, 104, 10, kCoreBlue);
}

// Boss 4: a stepped hull with a glowing nose window; the second column opens its gun ports.
void Boss240(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(292, 104);
        Armor(cell,
              PolyMask(cell, {69, 21, 211, 21, 287, 40, 287, 80, 278, 87, 213, 87, 213, 99, 141, 99, 141, 87, 34, 87, 9,
                              80, 9, 44, 39, 35}),
              pal::kViolet, 240, 5, 20);
        Armor(cell, PolyMask(cell, {90, 10, 190, 10, 200, 22, 80, 22}), pal::kSteel, 241, 3, 40);
        WeakCore(cell, 9, 21, 43, 81, kCoreRed);
        for (int y = 48; y <= 72; y += 12) Engine(cell, 285, float(y), 10);
        for (int k = 0; k < 4; ++k) {
            int x = 30 + k * 12, y = 56 + (k % 2) * 8;
            Mask port(292, 104);
            port.RoundRect(float(x), float(y), 8, 6, 2);
            Paint(cell, port, pal::kInk);
            if (col == 1) GlowBall(cell, x + 4.0f, y + 3.0f, 3.5f, pal::kFire);
        }
        Lights(cell, 60, 76, 270, 14, col ? kCoreRed : kCoreBlue);
        cv.Blit(cell, col * 292, 0);
    }
}

// Boss 4's weak point: a glowing pod hanging under the hull.
void Boss241(Canvas& cv) {
    Mask cap(16, 29);
    cap.RoundRect(1, 0, 14, 8, 2);
    AddPart(cv, cap, pal::kSteel, ShadeOpts{2.0f});
    Mask pod(16, 29);
    pod.Ellipse(8, 18, 6.5f, 10);
    Canvas p(16, 29);
    GlowBall(p, 8, 18, 6.5f, kCoreRed);
    Outline(p, pal::kInk);
    cv.Blit(p, 0, 0);
}

// Boss 4's craft: a flat bomber that flies off to the left.
void Boss242(Canvas& cv) {
    Armor(cv, PolyMask(cv, {4, 44, 30, 24, 120, 22, 145, 34, 145, 56, 120, 63, 20, 62}), pal::kViolet, 2420, 4, 16);
    Mask can(148, 70);
    can.Poly({42, 22, 60, 8, 130, 8, 143, 22});
    Armor(cv, can, pal::kSteel, 2421, 3, 40);
    Mask glass(148, 70);
    glass.Poly({50, 20, 62, 11, 84, 11, 84, 20});
    Shade(cv, glass, pal::kCyan, ShadeOpts{2.0f, -0.55f, -0.65f, 0.3f, 0.75f, 0.0f, 0.3f, 0.1f, 0});
    for (int y = 32; y <= 54; y += 11) Engine(cv, 143, float(y), 9);
    Lights(cv, 30, 56, 120, 12, kCoreRed);
}

// Boss 6: a tall beam carrier; its front slot opens and glows while it attacks.
void Boss260(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(220, 230);
        Armor(cell, PolyMask(cell, {48, 206, 210, 206, 200, 226, 60, 226}), pal::kGunmetal, 260, 3, 30);
        Armor(cell, PolyMask(cell, {0, 170, 12, 164, 196, 164, 196, 206, 8, 206}), pal::kSteel, 261, 4, 20);
        Mask hangar(220, 230);
        hangar.RoundRect(4, 176, 40, 22, 3);
        Paint(cell, hangar, pal::kInk);
        Lights(cell, 8, 200, 40, 8, kCoreBlue);
        Armor(cell, PolyMask(cell, {70, 28, 196, 28, 216, 50, 216, 150, 200, 162, 70, 162}), pal::kRed, 262, 6, 22);
        Armor(cell, PolyMask(cell, {26, 8, 178, 8, 186, 28, 22, 28}), pal::kSteel, 263, 3, 40);
        for (int y = 60; y <= 140; y += 40) Engine(cell, 216, float(y), 14);
        // the emitter: a tall slot between two armoured jaws
        Armor(cell, PolyMask(cell, {18, 30, 74, 30, 74, 140, 18, 140}), pal::kGunmetal, 264, 4, 30);
        Mask slot(220, 230);
        slot.RoundRect(28, 36, 34, 98, 10);
        Canvas s(220, 230);
        PaintTone(s, slot, col ? kCoreRed : kCoreBlue, [col](int x, int) {
            float d = std::abs(x + 0.5f - 45.0f) / 17.0f;
            return std::clamp((col ? 1.1f : 0.75f) - d, 0.0f, 1.0f);
        });
        cell.Blit(s, 0, 0);
        InnerEdge(cell, slot, pal::kInk);
        if (col) {
            Bloom(cell, 45, 85, 60, kCoreRed[3], 0.35f);
            for (int y = 40; y < 132; y += 12) cell.Line(8, y, 26, y + 3, kCoreRed[4]);
        }
        cv.Blit(cell, col * 220, 0);
    }
}

// Boss 6's craft: a small dart fighter facing left.
void Boss261(Canvas& cv) {
    Mask wing(53, 47);
    wing.Poly({18, 20, 40, 20, 52, 4, 44, 4});
    wing.Poly({18, 27, 40, 27, 52, 43, 44, 43});
    AddPart(cv, wing, pal::kRed, ShadeOpts{2.0f});
    Armor(cv, PolyMask(cv, {2, 23.5f, 16, 16, 44, 16, 50, 23.5f, 44, 31, 16, 31}), pal::kGunmetal, 2610, 4, 40);
    Mask can(53, 47);
    can.Ellipse(20, 19, 6, 3);
    Shade(cv, can, pal::kCyan, ShadeOpts{2.0f});
    Engine(cv, 50, 23.5f, 8);
}

// Boss 7: a round mortar fortress with bomb tubes on top.
void Boss270(Canvas& cv) {
    for (int k = 0; k < 3; ++k) {
        float x = 62.0f + k * 28;
        Barrel(cv, x + 8, 44, x - 6, 9, 9, pal::kGunmetal);
    }
    Mask body(172, 151);
    body.Ellipse(86, 88, 76, 58);
    body.Rect(0, 130, 172, 30, false);
    Armor(cv, body, pal::kOrange, 270, 14, 22);
    Mask skirt(172, 151);
    skirt.Poly({20, 118, 152, 118, 160, 140, 12, 140});
    Armor(cv, skirt, pal::kGunmetal, 271, 3, 40);
    Lights(cv, 28, 128, 146, 10, kCoreRed);
    WeakCore(cv, 64, 110, 62, 100, kCoreRed);
}

// Boss 7's turret: a ball turret with a wide-mouthed gun pointing left.
void Boss271(Canvas& cv) {
    Barrel(cv, 30, 27, 5, 27, 6, pal::kGunmetal);
    Mask ball(54, 54);
    ball.Circle(34, 27, 17);
    Armor(cv, ball, pal::kOrange, 2710, 8, 14);
    GlowBall(cv, 34, 26, 5, kCoreRed);
}

}  // namespace

void AddLateBossDrawers(std::vector<DrawerEntry>& out);  // bosses_late.cpp
void AddWarshipDrawers(std::vector<DrawerEntry>& out);   // boss_warships.cpp

void AddBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy200.png", [](Canvas& cv) { Fortress(cv, pal::kGunmetal, pal::kRed, kCoreRed, 200, false); }});
    out.push_back({"ImgEnemy201.png", [](Canvas& cv) { FortressTurret(cv, pal::kRed, kCoreRed); }});
    out.push_back({"ImgEnemy202.png", [](Canvas& cv) { FortressGun(cv, pal::kRed); }});
    out.push_back({"ImgEnemy340.png", [](Canvas& cv) { Fortress(cv, pal::kGunmetal, pal::kViolet, kCoreBlue, 340, true); }});
    out.push_back({"ImgEnemy341.png", [](Canvas& cv) { FortressTurret(cv, pal::kViolet, kCoreBlue); }});
    out.push_back({"ImgEnemy342.png", [](Canvas& cv) { FortressGun(cv, pal::kViolet); }});
    out.push_back({"ImgEnemy220.png", Boss220});
    out.push_back({"ImgEnemy221.png", Boss221});
    out.push_back({"ImgEnemy222.png", Boss222});
    out.push_back({"ImgEnemy223.png", Boss223});
    out.push_back({"ImgEnemy240.png", Boss240});
    out.push_back({"ImgEnemy241.png", Boss241});
    out.push_back({"ImgEnemy242.png", Boss242});
    out.push_back({"ImgEnemy260.png", Boss260});
    out.push_back({"ImgEnemy261.png", Boss261});
    out.push_back({"ImgEnemy270.png", Boss270});
    out.push_back({"ImgEnemy271.png", Boss271});
    AddLateBossDrawers(out);
    AddWarshipDrawers(out);
}
