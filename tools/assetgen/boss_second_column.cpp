// Bosses of stages 2 to 6: the walking battleship (2), the carrier with a weak point (4)
// and the bomb thrower (7), with their parts. Light comes from the top left.
#include <algorithm>
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// A jointed leg: thigh from the hip, shin to the foot, a piston along the thigh.
void Leg(Canvas& cv, float hipX, float hipY, float kneeX, float kneeY, float footX, float footY,
         const Ramp& ramp, uint32_t seed) {
    Mask limb(cv.w, cv.h);
    limb.Capsule(hipX, hipY, kneeX, kneeY, 7.5f);
    limb.Capsule(kneeX, kneeY, footX, footY - 4, 5.5f);
    Armor(cv, limb, ramp, seed, 3, 60);
    Barrel(cv, hipX + 5, hipY - 2, kneeX + 6, kneeY - 3, 2, pal::kSteel);
    Mask foot(cv.w, cv.h);
    foot.Poly({footX - 14, footY + 6, footX - 10, footY - 3, footX + 10, footY - 3, footX + 15, footY + 6});
    AddPart(cv, foot, ramp, ShadeOpts{2.0f});
    Ball(cv, kneeX, kneeY, 4.5f, pal::kGunmetal, true);
    GlowBall(cv, kneeX - 1, kneeY - 1, 1.8f, kCoreBlue);
    Ball(cv, hipX, hipY, 5.5f, pal::kGunmetal, true);
}

// Boss 2: a battleship hull carried on four legs; the glowing intakes along its belly
// are what can be hurt.
void Boss220(Canvas& cv) {
    // belly: a dark keel with the intakes
    Mask belly(cv.w, cv.h);
    belly.Poly({8, 104, 341, 104, 332, 146, 18, 146});
    Armor(cv, belly, pal::kGunmetal, 224, 3, 60);
    for (int k = 0; k < 10; ++k) {
        int x = 20 + k * 32;
        Mask vent(cv.w, cv.h);
        vent.RoundRect(float(x), 114, 24, 22, 4);
        Paint(cv, vent, pal::kInk);
        Mask core(cv.w, cv.h);
        core.RoundRect(float(x + 2), 116, 20, 18, 3);
        Canvas c(cv.w, cv.h);
        PaintTone(c, core, kCoreRed, [x](int px, int py) {
            float dx = (px - x - 12) / 10.0f, dy = (py - 125) / 9.0f;
            return std::clamp(1.05f - std::sqrt(dx * dx + dy * dy) * 0.8f, 0.0f, 1.0f);
        });
        cv.Blit(c, 0, 0);
        for (int y = 118; y < 134; y += 3) Darken(cv, x + 12, y, 0.5f);
        Bloom(cv, x + 12.0f, 126, 18, kCoreRed[2], 0.15f);
    }
    // the hull: a sharp prow at the left, a raked stern at the right
    Armor(cv, PolyMask(cv, {0, 98, 10, 74, 34, 62, 318, 60, 336, 66, 349, 84, 346, 110, 4, 110}), pal::kSteel, 220, 5,
          24);
    // the red boot-top stripe and a row of lit ports above it
    Armor(cv, PolyMask(cv, {2, 100, 346, 100, 346, 110, 4, 110}), pal::kRed, 221, 2, 80);
    for (int x = 24; x < 336; x += 14) {
        Mask port(cv.w, cv.h);
        port.Circle(float(x), 84, 2.2f);
        Paint(cv, port, pal::kInk);
        cv.Set(x - 1, 83, kCoreBlue[3]);
        cv.Set(x, 83, kCoreBlue[4]);
    }
    for (int x = 8; x < 340; x += 3) Lighten(cv, x, 62, 0.35f);  // the deck edge catches the light
    // deck works the turrets leave free: the bow gun, a foremast and the funnel astern
    Barrel(cv, 36, 74, 3, 78, 4.5f, pal::kGunmetal);
    Armor(cv, PolyMask(cv, {44, 62, 48, 26, 54, 26, 58, 62}), pal::kGunmetal, 2201, 2, 60);
    for (int y = 32; y < 60; y += 7) cv.Line(42, y, 60, y + 3, pal::kSteel[1]);
    GlowBall(cv, 51, 24, 2.5f, kCoreRed);
    Armor(cv, PolyMask(cv, {310, 62, 314, 30, 338, 30, 340, 64}), pal::kGunmetal, 2202, 3, 40);
    Armor(cv, PolyMask(cv, {312, 30, 340, 30, 340, 36, 312, 36}), pal::kRed, 2203, 1.5f, 60);
    Mask smoke(cv.w, cv.h);
    smoke.Ellipse(326, 30, 10, 2.5f);
    Paint(cv, smoke, pal::kInk);
    // four legs striding under the belly: the far pair darker, the near pair in the light
    for (int k = 0; k < 2; ++k) {
        float hip = 110.0f + k * 150;
        Leg(cv, hip, 116, hip + 18, 136, hip + 8, 153, pal::kGunmetal, 2290 + k);
    }
    for (int k = 0; k < 2; ++k) {
        float hip = 46.0f + k * 150;
        Leg(cv, hip, 116, hip - 20, 136, hip - 8, 153, pal::kSteel, 2280 + k);
    }
}

// Boss 2's front turret: a lattice mast with a twin-gun head aiming left.
void Boss221(Canvas& cv) {
    Mask legs(cv.w, cv.h);
    legs.Poly({19, 24, 23, 24, 22, 126, 16, 126});
    legs.Poly({31, 24, 35, 24, 38, 126, 32, 126});
    AddPart(cv, legs, pal::kGunmetal, ShadeOpts{1.5f});
    for (int y = 30; y < 122; y += 12) {
        cv.Line(21, y, 34, y + 10, pal::kSteel[2]);
        cv.Line(34, y, 21, y + 10, pal::kSteel[1]);
        cv.Line(20, y, 35, y, pal::kSteel[3]);
    }
    Mask base(cv.w, cv.h);
    base.RoundRect(13, 116, 27, 10, 3);
    Armor(cv, base, pal::kRed, 2212, 2, 40);
    Barrel(cv, 20, 12, 2, 12, 2.8f, pal::kSteel);
    Barrel(cv, 20, 19, 3, 19, 2.8f, pal::kSteel);
    Mask head(cv.w, cv.h);
    head.Poly({14, 8, 22, 4, 38, 5, 40, 14, 38, 26, 16, 26, 12, 18});
    Armor(cv, head, pal::kRed, 2211, 3, 40);
    Mask eye(cv.w, cv.h);
    eye.RoundRect(26, 10, 8, 5, 2);
    Paint(cv, eye, pal::kInk);
    GlowBall(cv, 30, 12.5f, 2, kCoreBlue);
    cv.Line(33, 4, 37, 0, pal::kSteel[3]);  // antenna
}

// Boss 2's middle turret: a mortar tube on a sloped, armoured base.
void Boss222(Canvas& cv) {
    Armor(cv, PolyMask(cv, {1, 58, 5, 30, 14, 22, 38, 22, 46, 30, 49, 58}), pal::kSteel, 2220, 4, 14);
    Barrel(cv, 8, 44, 4, 30, 2.5f, pal::kGunmetal);
    Barrel(cv, 43, 44, 47, 30, 2.5f, pal::kGunmetal);
    Mask tube(cv.w, cv.h);
    tube.RoundRect(17, 3, 18, 26, 3);
    Armor(cv, tube, pal::kRed, 2221, 4, 40);
    for (int y = 9; y < 26; y += 6) {
        Mask band(cv.w, cv.h);
        band.Rect(16, float(y), 20, 2);
        AddPart(cv, band, pal::kGunmetal, ShadeOpts{1.0f});
    }
    Mask bore(cv.w, cv.h);
    bore.Ellipse(26, 4, 7, 2.5f);
    Paint(cv, bore, pal::kInk);
    GlowBall(cv, 26, 4.5f, 1.8f, pal::kFire);
    Lights(cv, 10, 48, 40, 10, kCoreRed);
}

// Boss 2's rear turret: the hangar the small walkers come out of, its door at the left.
void Boss223(Canvas& cv) {
    Armor(cv, PolyMask(cv, {27, 14, 44, 4, 108, 4, 117, 16, 117, 72, 27, 72}), pal::kSteel, 2230, 5, 18);
    // roof crane
    Barrel(cv, 60, 8, 94, 2, 2, pal::kGunmetal);
    cv.Line(94, 2, 94, 12, pal::kSteel[1]);
    Mask frame(cv.w, cv.h);
    frame.RoundRect(5, 7, 26, 35, 4);
    Armor(cv, frame, pal::kRed, 2231, 3, 60);
    Mask dark(cv.w, cv.h);
    dark.RoundRect(9, 12, 18, 25, 2);
    Canvas inside(cv.w, cv.h);
    PaintTone(inside, dark, pal::kFire, [](int, int py) { return std::clamp((py - 12) / 40.0f, 0.0f, 0.6f); });
    cv.Blit(inside, 0, 0);
    // warning chevrons on the door frame
    for (int y = 9; y < 40; y += 6) {
        cv.Line(6, y, 9, y + 3, pal::kGold[3]);
        cv.Line(27, y, 30, y + 3, pal::kGold[3]);
    }
    Grille(cv, 44, 20, 62, 14);
    Lights(cv, 40, 62, 104, 10, kCoreBlue);
    Armor(cv, PolyMask(cv, {40, 44, 110, 44, 110, 54, 40, 54}), pal::kGunmetal, 2232, 2, 30);
}

// Boss 4: a flat carrier in gunmetal with violet bands: an armoured prow whose slit is
// the core, with the fan guns stepped down its cheek; a flight deck with its island,
// crane and radar on top; hangar bays along the side; radiator fins and three engines
// astern; the keel clamp below that holds a craft. Column 1 has the fan guns open and hot.
void CarrierHull(Canvas& cell, bool firing) {
    // main hull, shaped to the shields that cover it
    const std::vector<float> hull = {9, 48, 24, 38, 40, 35, 262, 35, 287, 42, 287, 82, 276, 87, 34, 87, 16, 82, 9, 74};
    Armor(cell, PolyMask(cell, hull), pal::kGunmetal, 240, 5, 14);
    // two-tone: a violet strake along the lower hull, a violet band over the hangars
    Armor(cell, PolyMask(cell, {18, 72, 287, 72, 287, 82, 276, 87, 34, 87, 16, 82}), pal::kViolet, 247, 3, 40);
    Mask band(cell.w, cell.h);
    band.Rect(40, 44, 236, 4);
    band.Intersect(PolyMask(cell, hull).Eroded(2));
    Canvas b(cell.w, cell.h);
    Shade(b, band, pal::kViolet, ShadeOpts{1.5f});
    cell.Blit(b, 0, 0);
    // the flight deck with its runway marks and edge lights
    Armor(cell, PolyMask(cell, {64, 35, 72, 21, 208, 21, 216, 35}), pal::kSteel, 243, 3, 60);
    for (int x = 80; x < 164; x += 10) cell.Line(x, 28, x + 5, 28, pal::kGold[3]);
    for (int x = 76; x < 96; x += 4) cell.Line(x, 24, x + 2, 32, pal::kInk);
    Lights(cell, 74, 22, 206, 16, kCoreBlue);
    // deck crane forward, radar and bridge island aft
    Barrel(cell, 100, 20, 122, 10, 1.5f, pal::kGunmetal);
    cell.Line(122, 10, 122, 18, pal::kSteel[1]);
    Armor(cell, PolyMask(cell, {166, 21, 172, 8, 200, 8, 206, 21}), pal::kViolet, 244, 2, 40);
    Windows(cell, 176, 11, 200, 5, 3, 2);
    cell.Line(186, 8, 186, 1, pal::kSteel[3]);
    cell.Line(182, 3, 190, 3, pal::kSteel[2]);
    GlowBall(cell, 186, 1.5f, 1.5f, kCoreRed);
    // the prow: a heavy armoured shell round the core slit
    Armor(cell, PolyMask(cell, {4, 62, 8, 44, 22, 34, 58, 32, 64, 36, 64, 86, 56, 90, 22, 90, 8, 80}), pal::kSteel, 246, 4,
          16);
    for (int y = 40; y < 86; y += 9) Seam(cell, 28, y, 60, y - 2);
    // hangar bays along the side, each door framed and lit from inside
    for (int k = 0; k < 5; ++k) {
        float x = 72.0f + 32.0f * float(k);
        Mask frame(cell.w, cell.h);
        frame.RoundRect(x, 51, 28, 18, 3);
        AddPart(cell, frame, pal::kGunmetal, ShadeOpts{2.0f});
        Mask bay(cell.w, cell.h);
        bay.RoundRect(x + 3, 54, 22, 12, 2);
        Paint(cell, bay, pal::kInk);
        Mask glow(cell.w, cell.h);
        glow.RoundRect(x + 4, 57, 20, 8, 1);
        Canvas g(cell.w, cell.h);
        PaintTone(g, glow, kCoreBlue, [](int, int py) { return std::clamp((py - 56) / 12.0f, 0.1f, 0.6f); });
        cell.Blit(g, 0, 0);
        for (int i = int(x) + 6; i < int(x) + 24; i += 5) cell.Set(i, 65, kCoreBlue[4]);
    }
    // portholes under the bays
    for (int x = 74; x < 232; x += 8) {
        cell.Set(x, 79, pal::kInk);
        cell.Set(x + 1, 79, kCoreBlue[3]);
    }
    // radiator fins and engines astern
    for (int x = 238; x < 262; x += 4) {
        for (int y = 50; y < 74; ++y) Darken(cell, x, y, 0.55f);
        for (int y = 50; y < 74; ++y) Lighten(cell, x + 1, y, 0.25f);
    }
    for (int y = 48; y <= 76; y += 14) Engine(cell, 285, float(y), 10);
    // keel clamp for the craft, below the middle
    Armor(cell, PolyMask(cell, {141, 87, 213, 87, 206, 99, 148, 99}), pal::kSteel, 245, 2, 40);
    Barrel(cell, 152, 96, 152, 103, 2, pal::kGunmetal);
    Barrel(cell, 202, 96, 202, 103, 2, pal::kGunmetal);
    for (int x = 156; x < 200; x += 8) cell.Line(x, 90, x + 3, 96, pal::kGold[3]);
    // the core: a glowing slit in the prow, the one place it can be hurt
    Mask slit(cell.w, cell.h);
    slit.RoundRect(8, 42, 14, 40, 5);
    AddPart(cell, slit, pal::kGunmetal, ShadeOpts{2.0f});
    Mask eye(cell.w, cell.h);
    eye.RoundRect(11, 45, 8, 34, 3);
    Canvas e(cell.w, cell.h);
    PaintTone(e, eye, kCoreRed, [](int x, int y) {
        return std::clamp(1.1f - std::hypot((x + 0.5f - 15.0f) / 4.0f, (y + 0.5f - 62.0f) / 17.0f), 0.0f, 1.0f);
    });
    cell.Blit(e, 0, 0);
    Bloom(cell, 15, 62, 22, kCoreRed[2], firing ? 0.45f : 0.2f);
    // the fan guns stepped down the prow's cheek
    for (int k = 0; k < 4; ++k) {
        int x = 26 + k * 9, y = 44 + k * 9;
        Mask port(cell.w, cell.h);
        port.RoundRect(float(x), float(y), 7, 6, 2);
        Paint(cell, port, pal::kInk);
        if (firing) {
            GlowBall(cell, x + 3.5f, y + 3, 3.5f, pal::kFire);
            Bloom(cell, x + 3.5f, y + 3.0f, 12, pal::kFire[3], 0.3f);
        } else {
            cell.Set(x + 2, y + 2, pal::kSteel[2]);
        }
    }
}

void Boss240(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(292, 104);
        CarrierHull(cell, col == 1);
        cv.Blit(cell, col * 292, 0);
    }
}

// Boss 4's weak point: a glowing capsule in a cage on a pylon under the hull.
void Boss241(Canvas& cv) {
    Mask pylon(cv.w, cv.h);
    pylon.RoundRect(4, 0, 8, 7, 2);
    AddPart(cv, pylon, pal::kSteel, ShadeOpts{2.0f});
    Canvas p(cv.w, cv.h);
    GlowBall(p, 8, 18, 6.5f, kCoreRed);
    Outline(p, pal::kInk);
    cv.Blit(p, 0, 0);
    for (int y = 10; y <= 26; y += 8) cv.Line(2, y, 13, y, pal::kSteel[1]);
    cv.Line(2, 9, 2, 27, pal::kSteel[2]);
    cv.Line(13, 9, 13, 27, pal::kSteel[1]);
}

// Boss 4's craft: a heavy bomber flying left, nose gun forward, engines astern.
void Boss242(Canvas& cv) {
    for (int y = 30; y <= 56; y += 13) Engine(cv, 140, float(y), 10);
    // stub wing under the fuselage
    Armor(cv, PolyMask(cv, {60, 52, 110, 50, 132, 66, 76, 66}), pal::kGunmetal, 2422, 3, 40);
    Armor(cv, PolyMask(cv, {2, 46, 20, 30, 50, 23, 130, 22, 142, 30, 142, 58, 126, 62, 22, 62, 6, 56}), pal::kViolet,
          2420, 4, 14);
    // dorsal hump and tail fin
    Armor(cv, PolyMask(cv, {42, 23, 60, 10, 118, 8, 126, 22}), pal::kSteel, 2421, 3, 40);
    Armor(cv, PolyMask(cv, {118, 22, 128, 2, 140, 2, 142, 22}), pal::kViolet, 2423, 2, 40);
    Mask glass(cv.w, cv.h);
    glass.Poly({22, 31, 34, 26, 50, 26, 50, 33});
    Shade(cv, glass, pal::kCyan, ShadeOpts{1.5f, -0.55f, -0.65f, 0.3f, 0.75f, 0.0f, 0.3f, 0.1f, 0});
    Barrel(cv, 14, 44, 2, 44, 2.2f, pal::kSteel);
    Lights(cv, 30, 56, 120, 12, kCoreRed);
    Grille(cv, 70, 34, 40, 8);
}

// Boss 7: a squat mortar carriage on a hover skirt: one huge mortar on top throws the
// bombs, a rack of them waits at its side, the spread gun rides on its left flank.
void Boss270(Canvas& cv) {
    // hover skirt and its downward jets
    for (int k = 0; k < 4; ++k) {
        float x = 34.0f + k * 34;
        Mask jet(cv.w, cv.h);
        jet.Ellipse(x, 146, 9, 4);
        Canvas j(cv.w, cv.h);
        PaintTone(j, jet, pal::kPlasma, [x](int px, int) { return std::clamp(1.0f - std::abs(px - x) / 9.0f, 0.0f, 1.0f); });
        cv.Blit(j, 0, 0);
    }
    Armor(cv, PolyMask(cv, {14, 120, 158, 120, 166, 142, 6, 142}), pal::kGunmetal, 271, 3, 40);
    // the mortar: a fat tube rising from a trunnion, its mouth at the top middle
    Mask trunnion(cv.w, cv.h);
    trunnion.Circle(75, 40, 20);
    Armor(cv, trunnion, pal::kSteel, 272, 5, 40);
    Mask tube(cv.w, cv.h);
    tube.Poly({60, 40, 62, 6, 88, 6, 90, 40});
    Armor(cv, tube, pal::kSteel, 273, 4, 60);
    Mask lip(cv.w, cv.h);
    lip.RoundRect(56, 1, 38, 9, 3);
    Armor(cv, lip, pal::kGunmetal, 274, 2, 60);
    Mask mouth(cv.w, cv.h);
    mouth.Ellipse(75, 4, 14, 2.5f);
    Paint(cv, mouth, pal::kInk);
    GlowBall(cv, 75, 4, 2, pal::kFire);
    // the body: a low armoured dome with hazard stripes along its rim
    Mask body(cv.w, cv.h);
    body.Ellipse(86, 96, 76, 50);
    body.Rect(0, 124, 172, 40, false);
    Armor(cv, body, pal::kOrange, 270, 12, 20);
    for (int x = 20; x < 156; x += 12) {
        Mask stripe(cv.w, cv.h);
        stripe.Poly({float(x), 124, float(x + 6), 112, float(x + 11), 112, float(x + 5), 124});
        Paint(cv, stripe, pal::kInk);
    }
    // the bomb rack on the right: three bombs ready for the loader
    for (int k = 0; k < 3; ++k) {
        float y = 62.0f + k * 20;
        Ball(cv, 146, y, 8.5f, pal::kGunmetal, true);
        cv.Line(146, int(y) - 9, 149, int(y) - 12, pal::kGold[3]);
        GlowBall(cv, 149, y - 12, 1.5f, pal::kFire);
    }
    Armor(cv, PolyMask(cv, {132, 52, 140, 50, 140, 110, 132, 112}), pal::kGunmetal, 275, 2, 60);
    // the gunner's eye under the mortar
    WeakCore(cv, 64, 110, 62, 100, kCoreRed);
    Lights(cv, 26, 132, 146, 12, kCoreRed);
}

// Boss 7's turret: a ball mount with a splayed triple muzzle for its wide spreads.
void Boss271(Canvas& cv) {
    Barrel(cv, 30, 27, 6, 16, 3.5f, pal::kGunmetal);
    Barrel(cv, 30, 27, 6, 38, 3.5f, pal::kGunmetal);
    Barrel(cv, 30, 27, 3, 27, 4.5f, pal::kSteel);
    Mask collar(cv.w, cv.h);
    collar.Circle(32, 27, 9);
    AddPart(cv, collar, pal::kGunmetal, ShadeOpts{2.0f});
    Mask ball(cv.w, cv.h);
    ball.Circle(38, 27, 15);
    Armor(cv, ball, pal::kOrange, 2710, 7, 12);
    Mask clamp(cv.w, cv.h);
    clamp.RoundRect(40, 8, 12, 38, 4);
    Armor(cv, clamp, pal::kGunmetal, 2711, 2, 40);
    GlowBall(cv, 36, 26, 4.5f, kCoreRed);
}

}  // namespace

void AddSecondColumnBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy220.png", Boss220});
    out.push_back({"ImgEnemy221.png", Boss221});
    out.push_back({"ImgEnemy222.png", Boss222});
    out.push_back({"ImgEnemy223.png", Boss223});
    out.push_back({"ImgEnemy240.png", Boss240});
    out.push_back({"ImgEnemy241.png", Boss241});
    out.push_back({"ImgEnemy242.png", Boss242});
    out.push_back({"ImgEnemy270.png", Boss270});
    out.push_back({"ImgEnemy271.png", Boss271});
}
