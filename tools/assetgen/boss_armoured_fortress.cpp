// Boss 14, the armoured fortress of the last stage, with its turret and needle gun.
// It shares the descending fortress's frame (size, core, part mounts) but not its look:
// black armour edged in gold, a ram at the bow, missile silos at the stern, and a
// magenta phase field that keeps it out of reach while its parts live.
#include <algorithm>
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// Black, blue-tinged armour: the last enemy does not wear the colours of the first.
const Ramp kObsidian{{MakeRgb(22, 20, 34), MakeRgb(42, 40, 62), MakeRgb(66, 64, 94), MakeRgb(100, 100, 134),
                      MakeRgb(148, 150, 184)}};
// The phase field and the core behind it.
const Ramp kPhase{{MakeRgb(80, 10, 64), MakeRgb(170, 24, 120), MakeRgb(236, 70, 180), MakeRgb(255, 150, 225),
                   MakeRgb(255, 222, 246), pal::kWhite}};

// A gold edge along a polygon's outline, one pixel inside it, lit on its upper side.
void GoldEdge(Canvas& cv, const Mask& m) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            if (!m.At(x, y)) continue;
            bool rimTop = !m.At(x, y - 2) || !m.At(x - 2, y);
            bool rimBottom = !m.At(x, y + 2) || !m.At(x + 2, y);
            if (rimTop) cv.Set(x, y, pal::kGold[3]);
            else if (rimBottom) cv.Set(x, y, pal::kGold[1]);
        }
}

// A gold-edged armour plate.
void Plate(Canvas& cv, const std::vector<float>& xy, uint32_t seed, float bevel = 3, int seamStep = 40) {
    Mask m = PolyMask(cv, xy);
    Armor(cv, m, kObsidian, seed, bevel, seamStep);
    GoldEdge(cv, m.Eroded(1));
}

// A missile silo at the stern: a pod with two missiles ready in its open tube, centred
// on the height where its missiles leave.
void Silo(Canvas& cv, float cy, bool upper, uint32_t seed) {
    float s = upper ? 1.0f : -1.0f;
    auto Y = [&](float dy) { return cy + s * dy; };
    Plate(cv, {150, Y(-20), 190, Y(-24), 201, Y(-14), 201, Y(14), 190, Y(20), 150, Y(22), 142, Y(8), 142, Y(-6)},
          seed, 4, 24);
    Mask tube(cv.w, cv.h);
    tube.RoundRect(164, cy - 9, 34, 18, 4);
    Recess(cv, tube, 0.35f);
    for (int k = 0; k < 2; ++k) {
        float my = cy - 4 + 8 * k;
        Mask body(cv.w, cv.h);
        body.Capsule(168, my, 188, my, 2.6f);
        AddPart(cv, body, pal::kBone, ShadeOpts{1.5f});
        Mask nose(cv.w, cv.h);
        nose.Poly({188, my - 2.6f, 195, my, 188, my + 2.6f});
        Paint(cv, nose, pal::kRed[2]);
        cv.Set(194, int(my), pal::kRed[4]);
    }
    // hazard marks on the silo door: missiles come out here
    for (int x = 152; x < 162; x += 3) cv.Line(x, int(Y(-14)), x + 2, int(Y(-10)), pal::kGold[3]);
}

void ArmouredFortress(Canvas& cv) {
    // stern engines between the silos: the body rams across the screen and back
    for (float y : {84.0f, 116.0f}) {
        Plate(cv, {170, y - 12, 194, y - 10, 194, y + 10, 170, y + 12}, 3400 + uint32_t(y), 2, 40);
        Engine(cv, 196, y, 18);
    }
    Bloom(cv, 198, 100, 40, kPhase[3], 0.2f);
    // the keep: a tall stepped block, narrower at its crown and its foot
    Plate(cv, {64, 26, 82, 8, 164, 8, 178, 22, 182, 50, 182, 150, 178, 178, 164, 192, 82, 192, 64, 174}, 3401, 5, 22);
    // crown spikes and the keel fin: the silhouette of a fortress, not a box
    for (int k = 0; k < 3; ++k) {
        float x = 98.0f + 24.0f * float(k);
        Plate(cv, {x - 8, 12, x - 2, 0, x + 2, 0, x + 8, 12}, 3410 + k, 2, 40);
    }
    Plate(cv, {100, 188, 146, 188, 136, 199, 110, 199}, 3413, 2, 40);
    Lights(cv, 112, 192, 134, 11, kPhase);
    // the missile silos, each at a missile's launch height
    Silo(cv, 50, true, 3420);
    Silo(cv, 150, false, 3421);
    // the ram: gold-edged chevrons layered to a point at the bow
    Plate(cv, {58, 100, 96, 34, 136, 34, 112, 100, 136, 166, 96, 166}, 3430, 4, 30);
    Plate(cv, {96, 100, 124, 52, 150, 52, 132, 100, 150, 148, 124, 148}, 3431, 3, 30);
    // the phase field projector in the chevrons' heart, with its four emitters
    Mask lens(cv.w, cv.h);
    lens.Poly({132, 100, 146, 82, 164, 82, 164, 118, 146, 118});
    AddPart(cv, lens, kObsidian, ShadeOpts{2.0f});
    Mask field(cv.w, cv.h);
    field.Poly({137, 100, 148, 86, 160, 86, 160, 114, 148, 114});
    Canvas glow(cv.w, cv.h);
    PaintTone(glow, field, kPhase, [](int x, int y) {
        float d = std::hypot((x + 0.5f - 152.0f) / 10.0f, (y + 0.5f - 100.0f) / 14.0f);
        return std::clamp(1.0f - 0.7f * d + 0.1f * std::sin(y * 1.3f), 0.0f, 1.0f);
    });
    cv.Blit(glow, 0, 0);
    for (int y = 88; y < 114; y += 4) Darken(cv, 148, y, 0.6f);
    Bloom(cv, 152, 100, 36, kPhase[2], 0.3f);
    for (auto [x, y] : {std::pair{84.0f, 30.0f}, {170.0f, 30.0f}, {84.0f, 170.0f}, {170.0f, 170.0f}}) {
        Port(cv, x, y, 3.0f, kPhase);
        Bloom(cv, x, y, 10, kPhase[3], 0.25f);
    }
    // window slits of the keep's upper floors
    for (int x = 100; x < 160; x += 10) {
        cv.FillRect(x, 20, 6, 3, pal::kInk);
        cv.Set(x + 1, 20, kPhase[3]);
        cv.Set(x + 2, 20, kPhase[4]);
    }
    // the ram blade over the turret mount
    Plate(cv, {4, 18, 30, 10, 66, 10, 70, 24, 40, 24}, 3440, 2, 40);
    // turret mount: a collar on a strut, empty once the turret is shot off
    Plate(cv, {10, 46, 62, 36, 70, 48, 70, 80, 58, 84, 16, 80}, 3441, 3, 40);
    Mask socket(cv.w, cv.h);
    socket.Ellipse(42, 62, 16, 12);
    Recess(cv, socket, 0.45f);
    // gun mount: a short bracket
    Plate(cv, {22, 88, 66, 84, 72, 92, 72, 104, 24, 106}, 3442, 2, 40);
    // the core housing: a round iris held by four gold clamps
    Plate(cv, {2, 122, 20, 112, 66, 112, 78, 126, 78, 188, 66, 198, 16, 198, 2, 186}, 3450, 4, 40);
    Mask iris(cv.w, cv.h);
    iris.Ellipse(40.5f, 156.5f, 31, 34);
    Recess(cv, iris, 0.5f);
    WeakCore(cv, 14, 67, 127, 186, kPhase);
    for (auto [x, y] : {std::pair{40.0f, 122.0f}, {40.0f, 191.0f}, {8.0f, 156.0f}, {73.0f, 156.0f}}) {
        Mask clamp(cv.w, cv.h);
        clamp.RoundRect(x - 4, y - 4, 8, 8, 2);
        AddPart(cv, clamp, pal::kGold, ShadeOpts{2.0f});
        Rivet(cv, int(x) - 1, int(y) - 1);
    }
}

// The turret: an angular casemate whose wide mouth throws the big shots, with armour
// fins swept back from it.
void ArmouredTurret(Canvas& cv) {
    Plate(cv, {30, 6, 52, 2, 68, 10, 68, 40, 52, 46, 30, 42}, 3411, 3, 14);
    Mask mouth(cv.w, cv.h);
    mouth.Poly({4, 14, 34, 10, 40, 22, 34, 34, 4, 30});
    Armor(cv, mouth, kObsidian, 3412, 3, 40);
    GoldEdge(cv, mouth.Eroded(1));
    Mask bore(cv.w, cv.h);
    bore.Ellipse(7, 22, 5, 8);
    Paint(cv, bore, pal::kInk);
    GlowBall(cv, 7, 22, 4.5f, kPhase);
    Bloom(cv, 8, 22, 14, kPhase[3], 0.35f);
    for (int k = 0; k < 3; ++k) Seam(cv, 16 + 6 * k, 13, 16 + 6 * k, 31);
    // swept fins above and below the casemate
    Plate(cv, {36, 6, 50, 0, 62, 0, 54, 8}, 3413, 1.5f, 40);
    Plate(cv, {36, 38, 54, 38, 62, 46, 50, 46}, 3414, 1.5f, 40);
    Port(cv, 56, 24, 3.0f, kPhase);
}

// The needle gun: a short pod whose crown of prongs throws rings of needles.
void ArmouredGun(Canvas& cv) {
    Mask pod(cv.w, cv.h);
    pod.RoundRect(12, 2, 22, 8, 3);
    Armor(cv, pod, kObsidian, 3420, 2, 40);
    for (int x = 14; x < 32; x += 4) cv.Set(x, 3, pal::kGold[3]);
    for (int k = -2; k <= 2; ++k) {
        Mask prong(cv.w, cv.h);
        prong.Capsule(8, 6, 8 - 5.0f * std::cos(k * 0.5f), 6 + 5.0f * std::sin(k * 0.5f), 0.8f);
        AddPart(cv, prong, pal::kGold, ShadeOpts{1.0f});
    }
    GlowBall(cv, 7.5f, 6, 3.2f, kPhase);
    cv.Set(6, 5, pal::kWhite);
}

}  // namespace

void AddArmouredFortressDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy340.png", ArmouredFortress});
    out.push_back({"ImgEnemy341.png", ArmouredTurret});
    out.push_back({"ImgEnemy342.png", ArmouredGun});
}
