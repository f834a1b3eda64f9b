// The warship bosses: the charging carrier and its plates, the roaming gunboat, the rail
// with its three escorts, and the first dashing cruiser. All face left; light from the
// top left as everywhere else.
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// ---- boss 1: the charging carrier ---------------------------------------------------

// A long carrier with a ram bow whose mouth holds its cannon (the core), a flight deck
// along its back, mounts where its three plates sit, and three engines at the tail.
void Carrier(Canvas& cv) {
    // engines first: the hull overlaps their mounts
    for (int k = 0; k < 3; ++k) {
        float y = 58.0f + 24.0f * float(k);
        Armor(cv, PolyMask(cv, {248, y - 10, 290, y - 9, 296, y - 6, 296, y + 6, 290, y + 9, 248, y + 10}),
              pal::kGunmetal, 2104 + k, 3, 30);
        Engine(cv, 300, y, 15);
    }
    // the hull: a deck at y 32, the keel swelling under the hangars, the bow wedge
    Armor(cv, PolyMask(cv, {46, 40, 70, 32, 262, 32, 276, 44, 278, 118, 262, 130, 120, 136, 60, 124, 46, 110}),
          pal::kTeal, 2100, 5, 26);
    // the ram: a heavy wedge around the cannon mouth, its jaws reaching forward
    Armor(cv, PolyMask(cv, {10, 81, 20, 44, 52, 34, 64, 46, 64, 116, 52, 126, 20, 118}), pal::kSteel, 2101, 5, 40);
    const std::vector<float> jaw = {0, 56, 14, 40, 44, 32, 66, 40, 60, 54, 26, 52};
    Armor(cv, PolyMask(cv, jaw), pal::kGunmetal, 2102, 3, 40);
    Armor(cv, PolyMask(cv, Mirrored(jaw, 81)), pal::kGunmetal, 2103, 3, 40);
    // warning chevrons on the jaws: it rams
    for (int k = 0; k < 4; ++k)
        for (int t = 0; t < 5; ++t) {
            cv.Set(22 + k * 9 + t, 44 - t / 2, pal::kGold[3]);
            cv.Set(22 + k * 9 + t, 118 + t / 2, pal::kGold[2]);
        }
    WeakCore(cv, 7, 47, 54, 108, kCoreRed);
    // the flight deck: a dark strip with its landing lights
    Mask deck(cv.w, cv.h);
    deck.Rect(108, 34, 150, 6);
    Recess(cv, deck, 0.55f);
    Lights(cv, 112, 36, 252, 10, pal::kOrange);
    // hangar bays along the side, the side the craft would leave from
    for (int k = 0; k < 4; ++k) {
        Mask bay(cv.w, cv.h);
        bay.RoundRect(116.0f + 28.0f * float(k), 50, 20, 18, 2);
        Recess(cv, bay, 0.45f);
        for (int x = 118 + 28 * k; x < 134 + 28 * k; x += 3) Darken(cv, x, 60, 0.7f);
    }
    Windows(cv, 72, 46, 104, 7, 4, 3);
    // mounts of the plates: the bare frames show once a plate is shot off
    Mask cowlMount(cv.w, cv.h);
    cowlMount.Poly({48, 36, 100, 30, 104, 50, 52, 52});
    Recess(cv, cowlMount, 0.5f);
    for (int x = 56; x < 100; x += 10) cv.Line(x, 34, x + 2, 50, pal::kGunmetal[1]);
    Mask bellyMount(cv.w, cv.h);
    bellyMount.Rect(150, 84, 120, 40);
    Recess(cv, bellyMount, 0.6f);
    for (int x = 156; x < 268; x += 14) cv.Line(x, 86, x, 122, pal::kGunmetal[2]);
    // a mast above the bow plates
    Mask mast(cv.w, cv.h);
    mast.Rect(34, 4, 2, 24);
    mast.Rect(28, 10, 14, 2);
    AddPart(cv, mast, pal::kSteel, ShadeOpts{1.0f});
    cv.Set(34, 3, kCoreRed[4]);
    Lights(cv, 70, 126, 250, 12, kCoreBlue);
    Bloom(cv, 300, 82, 40, pal::kPlasma[2], 0.25f);
}

// The small armour cap over the bridge.
void CarrierUpperPlate(Canvas& cv) {
    Armor(cv, PolyMask(cv, {2, 24, 8, 6, 20, 1, 42, 2, 43, 14, 36, 24}), pal::kSteel, 2110, 3, 12);
    Windows(cv, 12, 8, 38, 6, 4, 2);
    cv.Set(40, 5, kCoreRed[4]);
}

// The sloped cowl over the bow, with cooling vents.
void CarrierMiddlePlate(Canvas& cv) {
    Armor(cv, PolyMask(cv, {4, 46, 8, 14, 28, 2, 62, 4, 65, 16, 65, 44, 42, 49}), pal::kSteel, 2120, 4, 16);
    Vents(cv, 20, 16, 36, 10, 3);
    Lights(cv, 14, 40, 58, 9, kCoreRed);
}

// The ventral armour: a stepped keel slung under the hangars.
void CarrierRearPlate(Canvas& cv) {
    Armor(cv, PolyMask(cv, {9, 10, 16, 4, 134, 4, 139, 10, 139, 58, 134, 62, 134, 78, 121, 80, 121, 88, 60, 88, 60, 80,
                            29, 78, 29, 62, 9, 58}),
          pal::kSteel, 2130, 5, 20);
    Mask doors(cv.w, cv.h);
    doors.RoundRect(22, 18, 104, 26, 3);
    Recess(cv, doors, 0.6f);
    for (int x = 48; x < 126; x += 26) cv.Line(x, 19, x, 42, pal::kInk);
    Grille(cv, 36, 64, 90, 10);
    Lights(cv, 66, 82, 114, 8, kCoreBlue);
}

// ---- boss 3: the roaming gunboat ----------------------------------------------------

// A gunboat with a tall bridge at the bow whose window is the core, a laser emitter on
// top of it and a gun port under it, a deck turret, a hangar hatch amidships (the
// escorts leave from it), a radar mast and an engine at the stern.
void Gunboat(Canvas& cv) {
    Engine(cv, 228, 112, 16);
    Engine(cv, 222, 140, 12);
    // the hull in three decks, the lowest one reaching back under the stern
    Armor(cv, PolyMask(cv, {10, 134, 30, 130, 226, 132, 230, 150, 212, 156, 60, 156, 58, 172, 30, 172, 24, 152, 12, 150}),
          pal::kOlive, 2300, 4, 24);
    Armor(cv, PolyMask(cv, {24, 106, 40, 100, 210, 100, 222, 110, 216, 134, 30, 134}), pal::kOlive, 2301, 4, 30);
    Armor(cv, PolyMask(cv, {20, 104, 30, 88, 44, 80, 150, 80, 168, 94, 164, 104}), pal::kOlive, 2302, 3, 40);
    // the prow: a sharp forefoot under the bridge
    Armor(cv, PolyMask(cv, {0, 140, 14, 130, 40, 132, 60, 156, 58, 174, 30, 174}), pal::kOlive, 2306, 4, 40);
    Windows(cv, 44, 112, 206, 9, 5, 4);
    Lights(cv, 30, 142, 212, 12, kCoreGreen);
    // the hangar hatch the escorts come out of
    Mask hatch(cv.w, cv.h);
    hatch.Rect(104, 80, 52, 10);
    Recess(cv, hatch, 0.45f);
    cv.Line(130, 80, 130, 89, pal::kInk);
    for (int x = 106; x < 154; x += 6) cv.Set(x, 81, pal::kAccent);
    // the deck turret with its long barrel forward
    Barrel(cv, 88, 64, 52, 60, 3.5f, pal::kGunmetal);
    Mask turret(cv.w, cv.h);
    turret.Ellipse(88, 72, 20, 11);
    turret.Rect(60, 76, 60, 10, false);
    Armor(cv, turret, pal::kSteel, 2303, 4, 40);
    // the radar mast and the funnel
    Mask mast(cv.w, cv.h);
    mast.Rect(184, 30, 3, 52);
    mast.Rect(174, 38, 24, 3);
    mast.Rect(178, 50, 16, 2);
    AddPart(cv, mast, pal::kSteel, ShadeOpts{1.0f});
    cv.Set(185, 29, kCoreRed[4]);
    Armor(cv, PolyMask(cv, {196, 100, 200, 62, 220, 62, 222, 100}), pal::kGunmetal, 2304, 3, 40);
    Grille(cv, 202, 66, 16, 10);
    // the bridge tower at the bow: its window is the core
    Armor(cv, PolyMask(cv, {2, 10, 10, 2, 44, 2, 52, 14, 52, 92, 40, 98, 4, 98, 2, 88}), pal::kSteel, 2305, 4, 26);
    WeakCore(cv, 7, 41, 7, 82, kCoreGreen);
    // laser emitter on top of the tower and the fan port under its window
    Barrel(cv, 14, 16, 2, 16, 3, pal::kGunmetal);
    Mask port(cv.w, cv.h);
    port.Circle(5, 54, 3);
    Paint(cv, port, pal::kInk);
    cv.Set(5, 54, kCoreGreen[3]);
}

// ---- boss 5: the rail and its escorts -----------------------------------------------

// The rail: an energy channel inside a coiled housing, an emitter at each end and the
// collars the escorts grip. Its picture holds kRailPulseFrames cells: two pulses of
// energy run from the right emitter to the left one, a step further in each cell.
constexpr int kRailW = 228, kRailH = 8, kRailPulseFrames = 16;  // 16 cells: pictures are at most 4096 wide
// the channel's glow, from the dim energy at rest to the pulse's white-hot heart
const Ramp kRailGlow{{MakeRgb(54, 10, 38), pal::kHot[0], pal::kHot[1], pal::kHot[2], pal::kHot[3], pal::kHot[4]}};

void RailCell(Canvas& cv, int frame) {
    // the channel's light: a dim glow everywhere, and two pulses with trails behind them
    float step = float(kRailW) / float(kRailPulseFrames);
    auto heat = [&](int x) {
        float h = 0.3f + 0.08f * std::sin(x * 0.55f + frame * 1.7f);
        for (int k = 0; k < 2; ++k) {
            float p = std::fmod(216.0f - step * float(frame) + 114.0f * float(k) + 2.0f * kRailW, float(kRailW));
            float d = float(x) - p;                          // the trail lies to the right
            if (d > -4 && d < 0) h = std::max(h, 1.0f + d / 4.0f);
            if (d >= 0 && d < 30) h = std::max(h, 1.0f - d / 34.0f);
        }
        return std::clamp(h, 0.0f, 1.0f);
    };
    // the housing: lit top, shaded bottom, outlined; the channel between
    for (int x = 0; x < kRailW; ++x) {
        float h = heat(x);
        cv.Set(x, 0, pal::kInk);
        cv.Set(x, 1, pal::kGunmetal[3]);
        for (int y = 2; y <= 5; ++y) {
            float t = h * (y == 3 || y == 4 ? 1.0f : 0.7f);
            int i = std::clamp(int(t * float(kRailGlow.Size() - 1) + (Bayer(x, y) - 0.5f) * 0.6f + 0.5f), 0,
                               kRailGlow.Size() - 1);
            cv.Set(x, y, kRailGlow[i]);
        }
        cv.Set(x, 6, pal::kGunmetal[1]);
        cv.Set(x, 7, pal::kInk);
    }
    // coils round the channel every 12 pixels, lit by the energy under them
    for (int x = 16; x < kRailW - 14; x += 12) {
        if (std::abs(x - 18) < 8 || std::abs(x - 96) < 8 || std::abs(x - 174) < 8) continue;
        for (int y = 1; y <= 6; ++y) {
            cv.Set(x, y, y < 3 ? pal::kSteel[3] : pal::kSteel[1]);
            cv.Set(x + 1, y, pal::kGunmetal[0]);
        }
        if (heat(x) > 0.7f) cv.Set(x, 3, pal::kHot[3]), cv.Set(x, 4, pal::kHot[3]);
    }
    // the collars the escorts grip: riveted steel bands
    for (int c : {18, 96, 174}) {
        Mask collar(cv.w, cv.h);
        collar.Rect(float(c - 5), 0, 10, 8);
        Canvas band(cv.w, cv.h);
        Shade(band, collar, pal::kSteel, ShadeOpts{2.0f});
        cv.Blit(band, 0, 0);
        cv.Line(c - 5, 0, c + 4, 0, pal::kInk);
        cv.Line(c - 5, 7, c + 4, 7, pal::kInk);
        Rivet(cv, c - 2, 2);
        Rivet(cv, c + 2, 4);
    }
    // the emitters: the left one is the muzzle the bolts and rings leave from
    for (bool left : {true, false}) {
        float cx = left ? 6.0f : 221.0f;
        Mask cap(cv.w, cv.h);
        cap.RoundRect(cx - 6, 0, 13, 8, 3);
        Canvas c(cv.w, cv.h);
        Shade(c, cap, pal::kGunmetal, ShadeOpts{2.0f});
        cv.Blit(c, 0, 0);
        float lx = left ? 3.5f : 224.5f;
        GlowBall(cv, lx, 4, 3.0f, pal::kHot);
        cv.Set(int(lx), 3, pal::kWhite);
        for (int y = 1; y <= 6; ++y) cv.Set(left ? 12 : 215, y, pal::kInk);
    }
}

void Rail(Canvas& cv) {
    for (int frame = 0; frame < kRailPulseFrames; ++frame) {
        Canvas cell(kRailW, kRailH);
        RailCell(cell, frame);
        cv.Blit(cell, frame * kRailW, 0);
    }
}

// Every escort grips the rail across its middle (y 34 to 46): the clamp's jaws show on
// both sides of its body.
void EscortClamp(Canvas& cv, int w) {
    Mask clamp(cv.w, cv.h);
    clamp.RoundRect(2, 33, float(w - 4), 14, 4);
    AddPart(cv, clamp, pal::kGunmetal, ShadeOpts{3.0f});
    for (int x : {5, w - 8}) {
        cv.Line(x, 35, x, 44, pal::kInk);
        cv.Line(x + 1, 35, x + 1, 44, pal::kGunmetal[3]);
    }
}

// The homer: a seeker, its nose and sensor eye to the front, swept fins behind, a big
// engine to push it at the ship.
void Homer(Canvas& cv) {
    EscortClamp(cv, 76);
    Mask fins(cv.w, cv.h);
    fins.Poly({34, 22, 52, 4, 64, 4, 60, 24});
    fins.Poly(Mirrored({34, 22, 52, 4, 64, 4, 60, 24}, 40));
    AddPart(cv, fins, pal::kRed, ShadeOpts{2.5f});
    Armor(cv, PolyMask(cv, {6, 40, 16, 24, 38, 14, 60, 18, 70, 30, 70, 50, 60, 62, 38, 66, 16, 56}), pal::kRed, 2510, 8,
          20);
    Engine(cv, 72, 40, 16);
    Mask eyeRim(cv.w, cv.h);
    eyeRim.Circle(20, 40, 9);
    AddPart(cv, eyeRim, pal::kSteel, ShadeOpts{2.0f});
    GlowBall(cv, 20, 40, 6, kCoreRed);
    for (int k = 0; k < 3; ++k) cv.Line(34 + 8 * k, 26, 38 + 8 * k, 54, pal::kRed[1]);
    Lights(cv, 40, 60, 60, 6, kCoreRed);
}

// The drifter: a heavy gun pod, a turret with a twin barrel on its front and a blue
// firing eye at its centre.
void Drifter(Canvas& cv) {
    EscortClamp(cv, 75);
    Mask back(cv.w, cv.h);
    back.RoundRect(52, 18, 20, 44, 6);
    Armor(cv, back, pal::kGunmetal, 2521, 3, 20);
    Grille(cv, 56, 24, 12, 32);
    Mask body(cv.w, cv.h);
    body.Circle(38, 40, 27);
    Armor(cv, body, pal::kBlue, 2520, 10, 18);
    Barrel(cv, 24, 22, 4, 22, 2.5f, pal::kSteel);
    Barrel(cv, 24, 28, 6, 28, 2.5f, pal::kSteel);
    Mask dome(cv.w, cv.h);
    dome.Ellipse(30, 24, 13, 9);
    Armor(cv, dome, pal::kSteel, 2522, 3, 40);
    WeakCore(cv, 26, 50, 34, 58, kCoreBlue);
    Lights(cv, 28, 64, 50, 7, kCoreBlue);
}

// The bouncer: a bumper ball ringed with studs, springs above and below.
void Bouncer(Canvas& cv) {
    EscortClamp(cv, 76);
    for (float y : {8.0f, 72.0f}) {
        Mask spring(cv.w, cv.h);
        for (int k = 0; k < 3; ++k) spring.RoundRect(28, y - 4 + (y < 40 ? 3.0f : -3.0f) * float(k), 22, 3, 1);
        AddPart(cv, spring, pal::kSteel, ShadeOpts{1.0f});
    }
    Mask body(cv.w, cv.h);
    body.Circle(39, 40, 26);
    Armor(cv, body, pal::kGold, 2530, 10, 18);
    for (int k = 0; k < 10; ++k) {
        float a = float(k) * 0.628318f + 0.3f;
        Ball(cv, 39 + std::cos(a) * 25, 40 + std::sin(a) * 25, 3.5f, pal::kSteel, true);
    }
    WeakCore(cv, 27, 51, 28, 52, kCoreGreen);
}

// ---- bosses 12 and 15: the dashing cruisers -----------------------------------------

// A cruiser with a tall slanted prow, a low hull with deck guns, a keel and big engines,
// and steering nozzles on every side that throw it about in its dashes.
void Cruiser(Canvas& cv, const Ramp& hull, const Ramp& trim, const Ramp& glow, uint32_t seed) {
    // steering nozzles behind the plating: up, down and forward
    Nozzle(cv, 170, 104, 0, -1, 4);
    Nozzle(cv, 90, 20, 0, -1, 4);
    Nozzle(cv, 130, 208, 0, 1, 4);
    Nozzle(cv, 236, 136, 0, 1, 3);
    Armor(cv, PolyMask(cv, {58, 185, 209, 185, 196, 212, 70, 212}), pal::kGunmetal, seed, 3, 40);
    Armor(cv, PolyMask(cv, {220, 104, 276, 100, 286, 108, 286, 136, 276, 142, 220, 138}), pal::kGunmetal, seed + 5, 4,
          20);
    Engine(cv, 292, 112, 14);
    Engine(cv, 292, 130, 14);
    Armor(cv, PolyMask(cv, {110, 111, 150, 104, 226, 104, 232, 116, 231, 185, 110, 185}), hull, seed + 1, 5, 20);
    for (int k = 0; k < 2; ++k) {
        float x = 150.0f + float(k) * 44;
        Barrel(cv, x + 6, 100, x - 18, 96, 3.5f, pal::kSteel);
        Mask dome(cv.w, cv.h);
        dome.Ellipse(x + 10, 104, 12, 8);
        dome.Rect(0, 104, 308, 30, false);
        Armor(cv, dome, trim, seed + 10 + k, 4, 40);
    }
    // speed stripes along the hull
    for (int x = 118; x < 228; ++x) {
        cv.Set(x, 150, trim[3]);
        cv.Set(x, 151, trim[1]);
    }
    // the prow, slanted toward the bow
    Armor(cv, PolyMask(cv, {28, 120, 34, 60, 46, 17, 113, 17, 116, 40, 116, 186, 40, 186}), trim, seed + 2, 6, 22);
    Mask mast(cv.w, cv.h);
    mast.Rect(84, 2, 3, 16);
    mast.Rect(76, 6, 18, 2);
    AddPart(cv, mast, pal::kSteel, ShadeOpts{1.0f});
    cv.Set(85, 1, kCoreRed[4]);
    // the bow gun: its needles leave from the muzzle at the far left
    Barrel(cv, 36, 41, 6, 41, 5, pal::kGunmetal);
    Barrel(cv, 36, 41, 14, 41, 2, pal::kSteel);
    Mask bridge(cv.w, cv.h);
    bridge.RoundRect(54, 26, 50, 12, 4);
    Shade(cv, bridge, pal::kCyan, ShadeOpts{3.0f, -0.55f, -0.65f, 0.3f, 0.75f, 0.0f, 0.3f, 0.08f, 0});
    InnerEdge(cv, bridge, pal::kInk);
    for (int x = 60; x < 100; x += 8) cv.Line(x, 28, x, 36, pal::kCyan[0]);
    WeakCore(cv, 48, 100, 96, 150, glow);
    Lights(cv, 124, 176, 224, 10, glow);
    Grille(cv, 44, 60, 60, 14);
    Grille(cv, 50, 160, 56, 16);
    Nozzle(cv, 30, 150, -1, 0, 4);
    Nozzle(cv, 30, 170, -1, 0, 4);
}

}  // namespace

void AddWarshipDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy210.png", Carrier});
    out.push_back({"ImgEnemy211.png", CarrierUpperPlate});
    out.push_back({"ImgEnemy212.png", CarrierMiddlePlate});
    out.push_back({"ImgEnemy213.png", CarrierRearPlate});
    out.push_back({"ImgEnemy230.png", Gunboat});
    out.push_back({"ImgEnemy250.png", Rail});
    out.push_back({"ImgEnemy251.png", Homer});
    out.push_back({"ImgEnemy252.png", Drifter});
    out.push_back({"ImgEnemy253.png", Bouncer});
    out.push_back({"ImgEnemy320.png", [](Canvas& cv) { Cruiser(cv, pal::kGunmetal, pal::kRed, kCoreRed, 3200); }});
}
