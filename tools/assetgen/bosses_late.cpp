// Bosses of the later stages: the shell launcher, the gun tower and the grid core.
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// Boss 8's silhouette: two horns, a gun body, a wide fin and a tail. The shell it throws
// is the same outline in bare armour.
void Launcher(Canvas& cv, const Ramp& hull, const Ramp& trim, bool shell, uint32_t seed) {
    Armor(cv, PolyMask(cv, {9, 44, 12, 10, 22, 6, 30, 44}), trim, seed, 3, 12);
    Armor(cv, PolyMask(cv, {84, 44, 92, 9, 102, 12, 105, 44}), trim, seed + 1, 3, 12);
    Armor(cv, PolyMask(cv, {2, 124, 117, 124, 112, 134, 6, 134}), trim, seed + 2, 2, 40);
    Armor(cv, PolyMask(cv, {35, 134, 82, 134, 76, 168, 42, 168}), hull, seed + 3, 4, 12);
    Armor(cv, PolyMask(cv, {20, 40, 98, 40, 104, 64, 102, 100, 88, 123, 28, 123, 14, 100, 12, 64}), hull, seed + 4, 7,
          16);
    if (shell) {
        for (int y = 52; y < 120; y += 8) Seam(cv, 18, y, 100, y);
        for (int k = 0; k < 5; ++k) Rivet(cv, 24 + k * 17, 46), Rivet(cv, 24 + k * 17, 116);
        return;
    }
    // seven gun ports and the central eye
    for (int k = 0; k < 7; ++k) {
        int x = 22 + k * 11;
        Mask port(cv.w, cv.h);
        port.Circle(float(x), 110, 3.5f);
        Paint(cv, port, pal::kInk);
        GlowBall(cv, float(x), 110, 2.2f, pal::kFire);
    }
    WeakCore(cv, 38, 80, 56, 98, kCoreRed);
    Lights(cv, 40, 150, 76, 9, kCoreBlue);
}

// Boss 8's pod: a round drone with two antenna ears and a spray nozzle underneath.
void Boss282(Canvas& cv) {
    Armor(cv, PolyMask(cv, {6, 27, 8, 8, 18, 10, 18, 30}), pal::kViolet, 2820, 2, 40);
    Armor(cv, PolyMask(cv, {47, 30, 47, 10, 57, 8, 59, 27}), pal::kViolet, 2821, 2, 40);
    Mask nozzle(64, 70);
    nozzle.Poly({22, 54, 42, 54, 40, 68, 24, 68});
    AddPart(cv, nozzle, pal::kGunmetal, ShadeOpts{2.0f});
    Mask body(64, 70);
    body.Ellipse(32, 40, 24, 19);
    Armor(cv, body, pal::kMagenta, 2822, 9, 14);
    WeakCore(cv, 22, 42, 32, 50, kCoreBlue);
}

// Boss 10: a tall tower with a glowing spine.
void Boss300(Canvas& cv) {
    Armor(cv, PolyMask(cv, {20, 0, 84, 0, 100, 20, 100, 310, 84, 330, 20, 330, 4, 310, 4, 20}), pal::kTeal, 3000, 6, 24);
    Mask spine(104, 330);
    spine.Rect(38, 0, 28, 330);
    Canvas s(104, 330);
    PaintTone(s, spine, kCoreGreen, [](int x, int y) {
        float d = std::abs(x + 0.5f - 52.0f) / 14.0f;
        return std::clamp(0.95f - d + 0.15f * std::sin(y * 0.2f), 0.0f, 1.0f);
    });
    cv.Blit(s, 0, 0);
    InnerEdge(cv, spine, pal::kInk);
    for (int y = 12; y < 330; y += 24) Seam(cv, 39, y, 64, y);
    Lights(cv, 10, 40, 10, 1, kCoreRed);
    for (int y = 20; y < 320; y += 30) Lights(cv, 88, y, 88, 1, kCoreRed);
}

// Boss 10's guns: a gun pod with its barrel pointing left; flung out, it spreads blades.
void TowerGun(Canvas& cv, int w, int h, uint32_t seed) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(w, h);
        float cy = h * 0.5f;
        if (col) {
            Mask blades(w, h);
            blades.Poly({float(w) * 0.5f, 2, float(w) * 0.5f + 10, cy, float(w) * 0.5f, float(h) - 2,
                         float(w) * 0.5f - 10, cy});
            blades.Poly({4, cy - 4, float(w) - 4, cy - 4, float(w) - 4, cy + 4, 4, cy + 4});
            AddPart(cell, blades, pal::kSteel, ShadeOpts{2.0f});
        }
        Barrel(cell, 40, cy, 6, cy, 6, pal::kGunmetal);
        Mask body(w, h);
        body.RoundRect(26, 6, float(w - 32), float(h - 12), 10);
        Armor(cell, body, pal::kTeal, seed, 6, 14);
        GlowBall(cell, w * 0.6f, cy, 6, col ? kCoreRed : kCoreGreen);
        if (col) {
            // flung: it spins, blades blurred into arcs of light around the pod
            Bloom(cell, w * 0.6f, cy, 30, kCoreRed[3], 0.3f);
            for (int k = 0; k < 3; ++k) {
                float r = 14.0f + k * 5;
                for (int a = 0; a < 40; ++a) {
                    float t = -1.2f + a * 0.06f;
                    int x = int(w * 0.6f + std::cos(t) * r * 1.6f), y = int(cy + std::sin(t) * r * 0.9f);
                    cell.Set(x, y - 1, kCoreRed[3 + (k == 0)]);
                    int x2 = int(w * 0.6f - std::cos(t) * r * 1.6f), y2 = int(cy - std::sin(t) * r * 0.9f);
                    cell.Set(x2, y2 + 1, kCoreRed[3 + (k == 0)]);
                }
            }
        }
        cv.Blit(cell, col * w, 0);
    }
}

// Boss 16: a small core in a square frame with four spikes; the game spins it.
void Boss360(Canvas& cv) {
    Mask spikes(32, 32);
    spikes.Poly({16, 0, 19, 8, 13, 8});
    spikes.Poly({16, 32, 19, 24, 13, 24});
    spikes.Poly({0, 16, 8, 13, 8, 19});
    spikes.Poly({32, 16, 24, 13, 24, 19});
    AddPart(cv, spikes, pal::kSteel, ShadeOpts{1.5f});
    Mask frame(32, 32);
    frame.RoundRect(6, 6, 20, 20, 3);
    AddPart(cv, frame, pal::kViolet, ShadeOpts{3.0f});
    GlowBall(cv, 16, 16, 6, kCoreBlue);
}

}  // namespace

void AddLateBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy280.png", [](Canvas& cv) { Launcher(cv, pal::kRed, pal::kGunmetal, false, 2800); }});
    out.push_back({"ImgEnemy283.png", [](Canvas& cv) { Launcher(cv, pal::kSteel, pal::kGunmetal, true, 2830); }});
    out.push_back({"ImgEnemy282.png", Boss282});
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
