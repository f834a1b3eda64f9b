// Bosses of the later stages: the clam, the hive and the fading fortress.
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

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

}  // namespace

void AddLateBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy290.png", Boss290});
    out.push_back({"ImgEnemy310.png", Boss310});
    out.push_back({"ImgEnemy330.png", Boss330});
    out.push_back({"ImgEnemy331.png", [](Canvas& cv) {
                       Canvas n(362, 315);
                       Boss330(n);
                       cv.Blit(FlashOf(n), 0, 0);
                   }});
}
