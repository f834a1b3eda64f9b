// Boss 15, the second dashing cruiser: the first one's hull and way of moving, drawn as
// a flyer carrier of its own. Ivory plating over navy, amber lights, a forward-swept
// prow with a triple needle gun, hangar bays and a launch rail for the flyers it calls
// in, a bridge tower with a radar dish, a blade keel and a triple engine.
#include <algorithm>
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

const Ramp kNavy{{MakeRgb(14, 20, 48), MakeRgb(26, 40, 88), MakeRgb(42, 64, 132), MakeRgb(74, 104, 182),
                  MakeRgb(136, 166, 224)}};
const Ramp kAmber{{MakeRgb(100, 40, 10), MakeRgb(190, 90, 20), MakeRgb(250, 150, 40), MakeRgb(255, 210, 110),
                   MakeRgb(255, 240, 200), pal::kWhite}};

// The hangar bays the flyers leave from: open doors, lit inside.
void HangarBay(Canvas& cv, float x, float y, float w, float h) {
    Mask bay(cv.w, cv.h);
    bay.RoundRect(x, y, w, h, 2);
    Paint(cv, bay, pal::kInk);
    Mask inside(cv.w, cv.h);
    inside.RoundRect(x + 2, y + 2, w - 4, h - 3, 1);
    Canvas lit(cv.w, cv.h);
    PaintTone(lit, inside, kAmber, [y, h](int, int py) { return std::clamp(0.15f + 0.6f * (py - y) / h, 0.0f, 0.8f); });
    cv.Blit(lit, 0, 0);
    // the door slid up over the bay, and the deck light strip at its floor
    Mask door(cv.w, cv.h);
    door.Rect(x - 1, y - 4, w + 2, 4);
    AddPart(cv, door, kNavy, ShadeOpts{1.0f});
    for (int i = int(x) + 2; i < int(x + w) - 2; i += 3) cv.Set(i, int(y + h) - 2, kAmber[4]);
}

void CruiserMk2(Canvas& cv) {
    // the engine nacelle with three engines behind the hull
    Armor(cv, PolyMask(cv, {214, 96, 268, 90, 288, 98, 288, 148, 268, 154, 214, 148}), kNavy, 3500, 4, 20);
    for (float y : {106.0f, 122.0f, 138.0f}) Engine(cv, 293, y, 12);
    Grille(cv, 232, 100, 44, 8);
    Grille(cv, 232, 138, 44, 8);
    // the blade keel with its swept fins and a sensor pod under it
    Armor(cv, PolyMask(cv, {200, 192, 220, 222, 206, 222, 180, 198}), kNavy, 3501, 2, 40);
    Armor(cv, PolyMask(cv, {58, 184, 210, 184, 204, 198, 150, 212, 92, 212, 68, 198}), kNavy, 3502, 3, 40);
    Mask pod(cv.w, cv.h);
    pod.Ellipse(120, 212, 14, 6);
    AddPart(cv, pod, pal::kBone, ShadeOpts{2.5f});
    GlowBall(cv, 112, 212, 2.5f, kAmber);
    // the hull with its hangar bays
    Armor(cv, PolyMask(cv, {112, 108, 130, 102, 226, 102, 234, 112, 234, 184, 112, 186}), pal::kBone, 3503, 5, 20);
    for (int k = 0; k < 3; ++k) HangarBay(cv, 124.0f + 34.0f * float(k), 134, 26, 26);
    for (int x = 116; x < 232; ++x) {
        cv.Set(x, 120, kNavy[2]);
        cv.Set(x, 121, kNavy[1]);
        cv.Set(x, 170, kNavy[3]);
        cv.Set(x, 171, kNavy[1]);
    }
    Lights(cv, 122, 176, 226, 9, kAmber);
    // the launch rail along the deck, chevrons pointing forward
    Mask rail(cv.w, cv.h);
    rail.Rect(118, 96, 112, 6);
    AddPart(cv, rail, pal::kGunmetal, ShadeOpts{1.5f});
    for (int x = 124; x < 224; x += 10) {
        cv.Line(x + 3, 97, x, 99, kAmber[3]);
        cv.Line(x, 99, x + 3, 101, kAmber[2]);
    }
    // the bridge tower, swept back, with its window band and radar dish
    Armor(cv, PolyMask(cv, {168, 96, 176, 58, 188, 46, 210, 46, 214, 96}), pal::kBone, 3504, 3, 16);
    Mask glass(cv.w, cv.h);
    glass.Poly({180, 56, 208, 56, 208, 63, 178, 63});
    Shade(cv, glass, kAmber, ShadeOpts{1.5f, -0.55f, -0.65f, 0.3f, 0.75f, 0.0f, 0.3f, 0.1f, 0});
    InnerEdge(cv, glass, pal::kInk);
    for (int y = 70; y < 92; y += 6) Seam(cv, 180, y, 210, y);
    Mask mast(cv.w, cv.h);
    mast.Rect(198, 26, 3, 20);
    AddPart(cv, mast, pal::kSteel, ShadeOpts{1.0f});
    Mask dish(cv.w, cv.h);
    dish.Ellipse(199, 24, 12, 5);
    dish.Ellipse(199, 21, 10, 3.5f, false);
    AddPart(cv, dish, pal::kSteel, ShadeOpts{1.5f});
    GlowBall(cv, 199, 16, 2, kAmber);
    // the lower ram jaw under the prow
    Armor(cv, PolyMask(cv, {8, 158, 34, 142, 62, 150, 62, 186, 30, 188, 14, 176}), kNavy, 3505, 3, 40);
    for (int k = 0; k < 3; ++k) cv.Line(16 + 8 * k, 174 - 3 * k, 24 + 8 * k, 160 - 3 * k, pal::kInk);
    // the prow: swept forward to an overhang over the needle gun
    const std::vector<float> prow = {24, 52, 30, 28, 50, 14, 112, 14, 120, 30, 120, 186, 56, 186, 40, 168, 34, 120, 40, 62};
    Armor(cv, PolyMask(cv, prow), pal::kBone, 3506, 6, 22);
    // a navy band sweeps down the prow
    Mask band(cv.w, cv.h);
    band.Poly({74, 14, 92, 14, 70, 186, 52, 186});
    band.Intersect(PolyMask(cv, prow).Eroded(2));
    Canvas b(cv.w, cv.h);
    Shade(b, band, kNavy, ShadeOpts{2.0f});
    cv.Blit(b, 0, 0);
    // the bridge visor across the prow's brow
    Mask visor(cv.w, cv.h);
    visor.Poly({46, 24, 112, 24, 112, 34, 40, 34});
    Shade(cv, visor, kAmber, ShadeOpts{2.0f, -0.55f, -0.65f, 0.3f, 0.75f, 0.0f, 0.3f, 0.08f, 0});
    InnerEdge(cv, visor, pal::kInk);
    for (int x = 56; x < 110; x += 10) cv.Line(x, 25, x - 2, 33, kAmber[0]);
    // the reactor: a tall lens between two armour fins
    Armor(cv, PolyMask(cv, {56, 80, 70, 74, 70, 160, 56, 154}), kNavy, 3507, 2, 40);
    Armor(cv, PolyMask(cv, {96, 74, 110, 80, 110, 154, 96, 160}), kNavy, 3508, 2, 40);
    WeakCore(cv, 66, 100, 82, 152, kAmber);
    // the lens glows along its whole height, brightest at its heart
    Mask lens(cv.w, cv.h);
    lens.Ellipse(83, 117, 10, 28);
    Canvas glow(cv.w, cv.h);
    PaintTone(glow, lens, kAmber, [](int x, int y) {
        return std::clamp(1.0f - std::hypot((x + 0.5f - 83.0f) / 10.0f, (y + 0.5f - 117.0f) / 28.0f), 0.0f, 1.0f);
    });
    cv.Blit(glow, 0, 0);
    Grille(cv, 56, 166, 54, 12);
    // the triple needle gun under the overhang: its volleys leave from the muzzles at the left
    Armor(cv, PolyMask(cv, {18, 30, 44, 26, 50, 40, 44, 54, 18, 52}), kNavy, 3509, 2, 40);
    for (int k = -1; k <= 1; ++k) Barrel(cv, 26, 41.0f + 6 * k, 5, 41.0f + 6 * k, 2.0f, pal::kSteel);
    Bloom(cv, 6, 41, 12, kAmber[3], 0.4f);
    // vectoring vanes above and below the stern, the way it throws itself about
    Nozzle(cv, 140, 104, 0, -1, 4);
    Nozzle(cv, 226, 186, 0, 1, 4);
    Nozzle(cv, 40, 64, -1, 0, 3.5f);
}

}  // namespace

void AddCruiserMk2Drawers(std::vector<DrawerEntry>& out) { out.push_back({"ImgEnemy350.png", CruiserMk2}); }
