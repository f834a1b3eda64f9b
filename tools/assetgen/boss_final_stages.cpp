// Bosses of the last stages: the shell launcher with its shell and pods, the gun tower
// with its three guns, and the spinning grid core.
#include <algorithm>
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// ---- boss 8, the shell launcher ------------------------------------------------------

// The hull outline both the launcher and its shell share, part by part; it follows the
// hit rectangles: horns, shoulders, torso, lower body, the wide fin and the tail.
struct LauncherShape {
    Mask hornL, hornR, shoulders, torso, belly, fin, tail;
};

LauncherShape LauncherOutline(const Canvas& cv) {
    return {
        PolyMask(cv, {9, 46, 9, 20, 13, 3, 19, 8, 31, 18, 31, 46}),
        PolyMask(cv, {84, 46, 84, 20, 96, 10, 102, 5, 106, 22, 106, 46}),
        PolyMask(cv, {6, 44, 112, 44, 104, 66, 14, 66}),
        PolyMask(cv, {14, 60, 104, 60, 102, 96, 88, 104, 30, 104, 16, 96}),
        PolyMask(cv, {26, 100, 92, 100, 88, 124, 30, 124}),
        PolyMask(cv, {1, 124, 112, 122, 118, 128, 112, 134, 4, 134}),
        PolyMask(cv, {34, 133, 84, 133, 80, 160, 68, 169, 50, 169, 38, 160}),
    };
}

// The launcher: crimson armour over gunmetal, every gun port where its shots leave.
void Boss280(Canvas& cv) {
    LauncherShape s = LauncherOutline(cv);
    Armor(cv, s.tail, pal::kGunmetal, 2800, 4, 12);
    DownThruster(cv, 59, 162, 16);
    Armor(cv, s.fin, pal::kGunmetal, 2801, 2, 40);
    Armor(cv, s.belly, pal::kGunmetal, 2802, 4, 10);
    Armor(cv, s.hornL, pal::kRed, 2803, 3, 14);
    Armor(cv, s.hornR, pal::kRed, 2804, 3, 14);
    Armor(cv, s.shoulders, pal::kGunmetal, 2805, 3, 40);
    Armor(cv, s.torso, pal::kRed, 2806, 6, 18);
    // the launch rack on the belly: ribs of the next shell showing through
    Grille(cv, 34, 104, 50, 16);
    for (int x = 38; x <= 80; x += 14) Seam(cv, x, 102, x, 122);
    // warning stripes along the fin's leading edge
    for (int x = 6; x < 110; x += 8)
        for (int k = 0; k < 3; ++k) cv.Set(x + k, 126, pal::kGold[3]), cv.Set(x + k + 1, 127, pal::kGold[2]);
    // a red eye over the stream port, and the seven ports of its volleys
    Mask visor(cv.w, cv.h);
    visor.RoundRect(36, 68, 46, 12, 5);
    Paint(cv, visor, pal::kInk);
    for (int x = 40; x < 80; ++x) cv.Set(x, 73, kCoreRed[x > 52 && x < 66 ? 4 : 2]);
    Bloom(cv, 59, 73, 24, kCoreRed[2], 0.2f);
    Port(cv, 23, 37, 4.0f, pal::kFire);
    Port(cv, 90, 39, 4.0f, pal::kFire);
    Port(cv, 24, 73, 3.5f, pal::kFire);
    Port(cv, 88, 75, 3.5f, pal::kFire);
    Port(cv, 56, 94, 6.0f, pal::kHot);  // the stream port, the largest
    Port(cv, 113, 129, 2.5f, pal::kFire);
    Port(cv, 57, 156, 3.5f, pal::kFire);
    Lights(cv, 12, 52, 104, 12, kCoreBlue);
}

// The shell: the same hull as one bare, riveted casing with nothing inside.
void Boss283(Canvas& cv) {
    LauncherShape s = LauncherOutline(cv);
    Mask whole = s.hornL;
    for (const Mask* m : {&s.hornR, &s.shoulders, &s.torso, &s.belly, &s.fin, &s.tail}) whole.Or(*m);
    Armor(cv, whole, pal::kSteel, 2830, 6, 14);
    // heavy riveted straps across the casing
    for (int y : {52, 84, 116, 148}) {
        for (int x = 0; x < cv.w; ++x)
            if (whole.Eroded(3).At(x, y)) Darken(cv, x, y, 0.55f), Lighten(cv, x, y + 1, 0.3f);
        for (int x = 8; x < 112; x += 9)
            if (whole.Eroded(4).At(x, y + 3)) Rivet(cv, x, y + 3);
    }
    // hazard chevrons on the torso: it is thrown, not flown
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < 10; ++i) {
            int x = 30 + k * 16 + i / 2, y = 64 + i;
            cv.Set(x, y, pal::kGold[3]);
            cv.Set(x + 1, y, pal::kGold[2]);
            cv.Set(x + 8 - i, y + 10, pal::kGold[3]);
        }
}

// A pod: a round drone with two antenna ears, a glowing eye and a spray nozzle below.
void Boss282(Canvas& cv) {
    Armor(cv, PolyMask(cv, {6, 28, 7, 10, 12, 6, 18, 9, 19, 32}), pal::kGunmetal, 2820, 2, 40);
    Armor(cv, PolyMask(cv, {45, 32, 46, 9, 52, 6, 57, 10, 58, 28}), pal::kGunmetal, 2821, 2, 40);
    GlowBall(cv, 12, 10, 2.0f, kCoreBlue);
    GlowBall(cv, 52, 10, 2.0f, kCoreBlue);
    Mask nozzle(64, 70);
    nozzle.Poly({20, 54, 44, 54, 41, 67, 23, 67});
    AddPart(cv, nozzle, pal::kGunmetal, ShadeOpts{2.0f});
    for (int x = 24; x <= 40; x += 4) cv.Set(x, 66, pal::kFire[4]);
    Mask body(64, 70);
    body.Ellipse(32, 41, 24, 18);
    body.RoundRect(12, 24, 40, 16, 6);
    Armor(cv, body, pal::kMagenta, 2822, 7, 12);
    Mask band(64, 70);
    band.Rect(9, 45, 46, 3);
    band.Intersect(body.Eroded(1));
    Paint(cv, band, pal::kMagenta[0]);
    WeakCore(cv, 22, 42, 29, 47, kCoreBlue);
}

// ---- boss 10, the gun tower --------------------------------------------------------

constexpr int kTowerW = 104, kTowerH = 330;
// The three gun mounts (top, height) down the tower's front.
constexpr int kMounts[3][2] = {{62, 45}, {140, 48}, {220, 52}};

// The tower: a teal column round a glowing spine (its weak point), buttresses, three
// gun mounts on the front, a crown of lights on top and thrusters underneath.
void Boss300(Canvas& cv) {
    Armor(cv, PolyMask(cv, {62, 8, 96, 24, 102, 60, 102, 300, 92, 318, 62, 324}), pal::kGunmetal, 3001, 4, 30);
    Armor(cv, PolyMask(cv, {42, 8, 8, 24, 2, 60, 2, 300, 12, 318, 42, 324}), pal::kGunmetal, 3002, 4, 30);
    Armor(cv, PolyMask(cv, {30, 0, 74, 0, 84, 14, 86, 316, 76, 330, 28, 330, 18, 316, 20, 14}), pal::kTeal, 3000, 6,
          26);
    // the spine: an energy column behind armoured ribs
    Mask spine(kTowerW, kTowerH);
    spine.Rect(40, 4, 24, 322);
    Canvas glow(kTowerW, kTowerH);
    PaintTone(glow, spine, kCoreGreen, [](int x, int y) {
        float d = std::abs(x + 0.5f - 52.0f) / 12.0f;
        return std::clamp(1.0f - d * 0.9f + 0.12f * std::sin(y * 0.35f), 0.0f, 1.0f);
    });
    cv.Blit(glow, 0, 0);
    InnerEdge(cv, spine, pal::kInk);
    for (int y = 16; y < 322; y += 14) {
        Mask rib(kTowerW, kTowerH);
        rib.RoundRect(38, float(y), 28, 4, 2);
        AddPart(cv, rib, pal::kTeal, ShadeOpts{1.5f});
    }
    Bloom(cv, 52, 165, 150, kCoreGreen[3], 0.12f);
    // gun mounts: brackets that reach out to the left where the guns ride
    for (const auto& m : kMounts) {
        float top = float(m[0]) + 6, bottom = float(m[0] + m[1]) - 6;
        Armor(cv, PolyMask(cv, {4, top, 40, top - 4, 40, bottom + 4, 4, bottom}), pal::kGunmetal, 3003 + m[0], 3, 40);
        Grille(cv, 8, int(top) + 4, 26, int(bottom - top) - 8);
    }
    // the hatches of the tower's own weapons, shut until a gun is lost
    Port(cv, 52, 80, 5.0f, kCoreRed);
    Port(cv, 52, 163, 5.0f, kCoreRed);
    Port(cv, 65, 241, 6.0f, kCoreRed);
    // crown and foundation
    for (int x = 28; x <= 74; x += 9) GlowBall(cv, float(x), 6, 2.0f, kCoreRed);
    for (int y = 30; y < 320; y += 28) Lights(cv, 94, y, 94, 1, kCoreRed);
    for (float x : {34.0f, 70.0f}) DownThruster(cv, x, 318, 14);
}

// A tower gun: a pod whose barrel points left with its muzzle at (4, 22), clamped on
// the right to its mount. Flung out it unfolds four blades and spins.
void TowerGun(Canvas& cv, int w, int h, uint32_t seed) {
    const float cy = 22.0f;
    for (int col = 0; col < 2; ++col) {
        Canvas cell(w, h);
        Barrel(cell, 36, cy, 5, cy, 5.5f, pal::kSteel);
        Mask body(w, h);
        body.RoundRect(26, 5, float(w - 44), float(h - 10), 9);
        Armor(cell, body, pal::kTeal, seed, 5, 16);
        // the clamp that holds it on the tower
        Armor(cell, PolyMask(cell, {float(w - 20), 10, float(w - 2), 14, float(w - 2), float(h - 14),
                                    float(w - 20), float(h - 10)}),
              pal::kGunmetal, seed + 1, 2, 40);
        Vents(cell, 36, int(cy) + 8, w - 66, h - int(cy) - 14, 3);
        GlowBall(cell, w * 0.52f, cy, 5, col ? kCoreRed : kCoreGreen);
        if (col) {
            // flung, it spins: a whirling rotor in front of it, drawn as a bright rim
            // and four smeared blades, dithered so the pod shows through
            Bloom(cell, w * 0.52f, cy, 36, kCoreRed[3], 0.3f);
            float bx = w * 0.52f, by = h * 0.5f, rx = w * 0.5f - 2, ry = h * 0.5f - 1;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    float dx = (x + 0.5f - bx) / rx, dy = (y + 0.5f - by) / ry;
                    float r = std::hypot(dx, dy);
                    if (r > 1.0f) continue;
                    float phase = std::fmod(std::atan2(dy, dx) + 6.2831853f, 1.5707963f);
                    bool rim = r > 0.9f;
                    bool blade = phase < 0.5f && r > 0.35f;
                    if (rim && phase < 1.1f) cell.Set(x, y, pal::kHot[phase < 0.4f ? 4 : 3]);
                    else if (blade && (x + y) % 2 == 0) cell.Set(x, y, pal::kHot[phase < 0.2f ? 3 : 2]);
                }
        }
        cv.Blit(cell, col * w, 0);
    }
}

// ---- boss 16, the grid core -----------------------------------------------------------

// The core's own colours: emerald energy, which no mine, enemy or item wears.
const Ramp kEmerald{{MakeRgb(10, 56, 48), MakeRgb(16, 110, 84), MakeRgb(50, 190, 120), MakeRgb(140, 250, 180),
                     MakeRgb(225, 255, 235), pal::kWhite}};

// The core is turned to any angle by the game, so its light does not come from one side:
// a white-hot emerald heart in a dark socket, and a gold ring broken into four hooked
// arcs whose bright leading ends make the spin show; one arc carries the emitter.
void Boss360(Canvas& cv) {
    constexpr float kC = 16.0f, kPi = 3.14159265f;
    Canvas ring(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float dx = x + 0.5f - kC, dy = y + 0.5f - kC, r = std::hypot(dx, dy);
            float a = std::atan2(dy, dx) + kPi;                   // 0 .. 2 pi
            float along = std::fmod(a + kPi / 4, kPi / 2) / (kPi / 2);  // 0 .. 1 along each arc
            // each arc thickens towards its leading end, a hook that reads as a turn
            float outer = 12.5f + 2.6f * along;
            if (r < 10.5f || r > outer || along > 0.82f) continue;
            float band = 1.0f - std::abs(r - 12.8f) / 2.6f;
            float t = std::clamp(0.2f + 0.5f * band + 0.35f * along, 0.0f, 1.0f);
            int i = std::clamp(int(t * float(pal::kGold.Size() - 1) + (Bayer(x, y) - 0.5f) * 0.5f + 0.5f), 0,
                               pal::kGold.Size() - 1);
            ring.Set(x, y, pal::kGold[i]);
        }
    Outline(ring, pal::kInk);
    cv.Blit(ring, 0, 0);
    // the socket and the heart
    Mask socket(32, 32);
    socket.Circle(kC, kC, 10.5f);
    Paint(cv, socket, pal::kInk);
    Mask halo(32, 32);
    halo.Ring(kC, kC, 8.2f, 9.4f);
    Paint(cv, halo, kEmerald[2]);
    Mask heart(32, 32);
    heart.Circle(kC, kC, 7.2f);
    Canvas h(32, 32);
    PaintTone(h, heart, kEmerald, [](int x, int y) {
        return std::clamp(1.05f - std::hypot(x + 0.5f - 16.0f, y + 0.5f - 16.0f) / 7.2f, 0.0f, 1.0f);
    }, 0.5f);
    cv.Blit(h, 0, 0);
    // the emitter: an emerald lens set into the right-hand arc
    Mask lens(32, 32);
    lens.RoundRect(25, 14, 5, 4, 1.5f);
    Paint(cv, lens, kEmerald[3]);
    cv.Set(28, 15, kEmerald[5]);
    cv.Set(28, 16, kEmerald[4]);
    // spokes from the heart to the ring, so the turn shows on the heart as well
    for (int k = 0; k < 4; ++k) {
        float a = k * kPi / 2 + kPi / 4;
        for (float d = 7.5f; d < 10.5f; d += 0.5f) cv.Set(int(kC + std::cos(a) * d), int(kC + std::sin(a) * d), kEmerald[3]);
    }
}

}  // namespace

void AddFinalStageBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy280.png", Boss280});
    out.push_back({"ImgEnemy282.png", Boss282});
    out.push_back({"ImgEnemy283.png", Boss283});
    out.push_back({"ImgEnemy300.png", Boss300});
    out.push_back({"ImgEnemy301.png", [](Canvas& cv) { TowerGun(cv, 104, 45, 3010); }});
    out.push_back({"ImgEnemy302.png", [](Canvas& cv) { TowerGun(cv, 103, 48, 3020); }});
    out.push_back({"ImgEnemy303.png", [](Canvas& cv) { TowerGun(cv, 102, 52, 3030); }});
    out.push_back({"ImgEnemy360.png", Boss360});
    out.push_back({"ImgEnemy361.png", [](Canvas& cv) {
                       Canvas n(32, 32);
                       Boss360(n);
                       cv.Blit(FlashOf(n), 0, 0);
                   }});
}
