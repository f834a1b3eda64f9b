// Bosses of the later stages: the shell launcher, the clam, the gun tower, the hive, the
// fading fortress and the grid core.
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

// Boss 9: a clam. Closed: two ribbed shells shut. Open: the lid raised on its hinge,
// pink flesh and a glowing pearl between them.
void Shell(Canvas& cv, const Mask& m, uint32_t seed, float hx, float hy) {
    Armor(cv, m, pal::kViolet, seed, 8, 200);
    Mask inner = m.Eroded(2);
    // ridges fanning out from the hinge, lit on one flank and shaded on the other
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            if (!inner.At(x, y)) continue;
            float a = std::atan2(y - hy, x - hx);
            float r = std::sin(a * 22.0f);
            if (r > 0.55f) Lighten(cv, x, y, 0.22f);
            else if (r < -0.55f) Darken(cv, x, y, 0.72f);
        }
}

// Half an ellipse (the upper or lower shell) turned about the hinge by `turn` radians.
Mask HalfShell(int w, int h, float cx, float cy, float rx, float ry, bool upper, float hx, float hy, float turn) {
    std::vector<float> pts;
    for (int i = 0; i <= 40; ++i) {
        float t = 3.14159265f * i / 40.0f;
        float x = cx - std::cos(t) * rx, y = cy + (upper ? -1.0f : 1.0f) * std::sin(t) * ry;
        float dx = x - hx, dy = y - hy;
        pts.push_back(hx + dx * std::cos(turn) - dy * std::sin(turn));
        pts.push_back(hy + dx * std::sin(turn) + dy * std::cos(turn));
    }
    Mask m(w, h);
    m.Poly(pts);
    return m;
}

void Boss290(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(134, 197);
        Armor(cell, PolyMask(cell, {96, 80, 126, 90, 132, 130, 126, 172, 96, 180}), pal::kGunmetal, 2900, 4, 16);
        Engine(cell, 130, 110, 14);
        Engine(cell, 130, 150, 14);
        float hinge = col ? 112.0f : 124.0f;
        Mask lower = HalfShell(134, 197, 54, hinge, 50, 64, false, 104, hinge, 0);
        if (col) {
            Mask flesh(134, 197);
            flesh.Ellipse(58, 100, 46, 20);
            AddPart(cell, flesh, pal::kPink, ShadeOpts{6.0f});
            Mask lid = HalfShell(134, 197, 54, 112, 50, 64, true, 104, 112, 0.62f);
            Shell(cell, lid, 2901, 104, 112);
            WeakCore(cell, 33, 77, 76, 96, kCoreRed);
        } else {
            Mask upper = HalfShell(134, 197, 54, hinge, 50, 64, true, 104, hinge, 0);
            Shell(cell, upper, 2902, 104, hinge);
            for (int x = 8; x < 100; x += 6) cell.Set(x, int(hinge), kCoreRed[2]);
        }
        Shell(cell, lower, 2903, 104, hinge);
        cv.Blit(cell, col * 134, 0);
    }
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

// Boss 11: a great hive dome of honeycomb armour; the second column is the broken hive.
void Boss310(Canvas& cv) {
    std::vector<float> outline = {66, 10, 169, 10, 184, 40, 191, 56, 207, 82, 207, 171, 177, 200, 152, 218, 129, 228, 79,
                                  228, 55, 218, 34, 200, 5, 171, 5, 82, 12, 56, 26, 40};
    for (int col = 0; col < 2; ++col) {
        Canvas cell(212, 245);
        Mask dome(212, 245);
        dome.RoundRect(5, 8, 202, 222, 78);
        dome.Intersect(PolyMask(cell, outline).Dilated(6));
        Armor(cell, dome, pal::kGold, 3100 + col, 16, 200);
        // honeycomb cells, some of them lit from inside
        Rng rng(3110);
        Mask deep = dome.Eroded(6), skin = dome.Eroded(3), rim = dome.Eroded(2);
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 12; ++c) {
                float x = 18 + c * 16 + (r % 2) * 8, y = 30 + r * 16;
                if (!deep.At(int(x), int(y))) continue;
                Mask hex(212, 245);
                hex.Poly({x - 6, y, x - 3, y - 6, x + 3, y - 6, x + 6, y, x + 3, y + 6, x - 3, y + 6});
                bool lit = rng.Upto(4) == 0;
                if (lit) GlowBall(cell, x, y, 5, pal::kFire);
                else InnerEdge(cell, hex, pal::kGold[0]);
            }
        WeakCore(cell, 80, 132, 100, 150, kCoreRed);
        if (col) {
            // broken: scorched holes, cracks and fires
            Rng dmg(3120);
            for (int k = 0; k < 9; ++k) {
                float x = 30 + dmg.Upto(150), y = 40 + dmg.Upto(160);
                Mask hole(212, 245);
                hole.Ellipse(x, y, 6 + dmg.Upto(8), 4 + dmg.Upto(6));
                hole.Intersect(skin);
                Paint(cell, hole, pal::kInk);
                InnerEdge(cell, hole, pal::kFire[2]);
                GlowBall(cell, x, y + 1, 2.5f, pal::kFire);
                int cx = int(x), cy = int(y);
                for (int s = 0; s < 14; ++s) {
                    cx += dmg.Upto(2) - 1 + (k % 2 ? 1 : -1);
                    cy += dmg.Upto(2);
                    if (rim.At(cx, cy)) cell.Set(cx, cy, pal::kInk);
                }
            }
        }
        cv.Blit(cell, col * 212, 0);
    }
}

// Boss 13: the largest fortress: swept wings, a layered hull with shoulder cannons, a
// command tower, its core in the chest and two thruster pylons underneath.
void Boss330(Canvas& cv) {
    // thruster pylons and their downward flames
    for (int k = 0; k < 2; ++k) {
        float x0 = k ? 184.0f : 102.0f, x1 = k ? 240.0f : 152.0f;
        Armor(cv, PolyMask(cv, {x0, 236, x1, 236, x1 - 4, 292, x0 + 4, 292}), pal::kViolet, 3300 + k, 5, 16);
        Mask bell(362, 315);
        bell.Poly({x0 + 8, 290, x1 - 8, 290, x1 - 2, 302, x0 + 2, 302});
        AddPart(cv, bell, pal::kGunmetal, ShadeOpts{2.0f});
        for (int x = int(x0) + 4; x < int(x1) - 4; ++x) {
            int len = 4 + int(6 * std::sin((x - x0) / (x1 - x0) * 3.1416f));
            for (int y = 303; y < 303 + len && y < 315; ++y) cv.Set(x, y, pal::kPlasma[std::min(4, 4 - (y - 303) / 2)]);
        }
    }
    Armor(cv, PolyMask(cv, {112, 168, 222, 168, 230, 200, 218, 242, 116, 242, 104, 200}), pal::kGunmetal, 3302, 6, 18);
    // swept wings, each with three fins
    for (int side = 0; side < 2; ++side) {
        auto X = [side](float x) { return side ? 362.0f - x : x; };
        Armor(cv, PolyMask(cv, {X(110), 118, X(13), 156, X(13), 171, X(40), 171, X(118), 176}), pal::kSteel,
              3303 + side, 4, 16);
        for (int k = 0; k < 3; ++k) {
            float x = 30.0f + k * 26;
            Armor(cv, PolyMask(cv, {X(x), 158.0f - k * 9, X(x + 16), 152.0f - k * 9, X(x + 4), 126.0f - k * 10}),
                  pal::kViolet, 3310 + side * 4 + k, 2, 40);
        }
        Lights(cv, int(std::min(X(20), X(100))), 166, int(std::max(X(20), X(100))), 10, kCoreBlue);
    }
    // the hull: a layered hexagon
    Armor(cv, PolyMask(cv, {102, 58, 130, 44, 206, 44, 235, 58, 240, 130, 215, 162, 119, 162, 96, 130}), pal::kGunmetal,
          3304, 8, 22);
    Armor(cv, PolyMask(cv, {122, 56, 214, 56, 224, 76, 112, 76}), pal::kViolet, 3306, 3, 40);
    // shoulder cannons pointing forward (left)
    for (int k = 0; k < 2; ++k) {
        float y = 84.0f + k * 34;
        Barrel(cv, 110, y, 74, y, 5, pal::kSteel);
        Mask pod(362, 315);
        pod.RoundRect(98, y - 10, 26, 20, 5);
        Armor(cv, pod, pal::kViolet, 3307 + k, 4, 40);
    }
    // command tower
    Armor(cv, PolyMask(cv, {131, 19, 205, 19, 212, 46, 124, 46}), pal::kViolet, 3305, 4, 40);
    Mask visor(362, 315);
    visor.RoundRect(140, 28, 56, 8, 3);
    Paint(cv, visor, pal::kInk);
    Lights(cv, 144, 31, 190, 6, kCoreRed);
    Mask mast(362, 315);
    mast.Rect(166, 4, 4, 16);
    mast.Rect(156, 9, 24, 2);
    AddPart(cv, mast, pal::kSteel, ShadeOpts{1.0f});
    // the core in the chest, between armoured jaws
    WeakCore(cv, 136, 200, 78, 138, kCoreRed);
    Armor(cv, PolyMask(cv, {128, 80, 148, 74, 148, 86, 132, 96}), pal::kViolet, 3320, 2, 40);
    Armor(cv, PolyMask(cv, {208, 80, 188, 74, 188, 86, 204, 96}), pal::kViolet, 3321, 2, 40);
    Grille(cv, 130, 146, 76, 10);
    for (int y = 70; y <= 130; y += 30) Engine(cv, 243, float(y), 14);
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
    out.push_back({"ImgEnemy290.png", Boss290});
    out.push_back({"ImgEnemy300.png", Boss300});
    out.push_back({"ImgEnemy301.png", [](Canvas& cv) { TowerGun(cv, 104, 45, 3010); }});
    out.push_back({"ImgEnemy302.png", [](Canvas& cv) { TowerGun(cv, 103, 48, 3020); }});
    out.push_back({"ImgEnemy303.png", [](Canvas& cv) { TowerGun(cv, 102, 52, 3030); }});
    out.push_back({"ImgEnemy310.png", Boss310});
    out.push_back({"ImgEnemy330.png", Boss330});
    out.push_back({"ImgEnemy331.png", [](Canvas& cv) {
                       Canvas n(362, 315);
                       Boss330(n);
                       cv.Blit(FlashOf(n), 0, 0);
                   }});
    out.push_back({"ImgEnemy360.png", Boss360});
    out.push_back({"ImgEnemy361.png", [](Canvas& cv) {
                       Canvas n(32, 32);
                       Boss360(n);
                       cv.Blit(FlashOf(n), 0, 0);
                   }});
}
