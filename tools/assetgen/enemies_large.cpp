// Larger enemies: the fried-shrimp flyer, the whitebait, the walker, the armoured pigeon,
// the fish-shaped cake and the whale ship.
#include <cmath>

#include "pictures.h"
#include "sprite_kit.h"

namespace {

ShadeOpts Soft(float bevel, float shine = 0.05f) {
    ShadeOpts o;
    o.bevel = bevel;
    o.specular = shine;
    return o;
}

// Breadcrumb texture: bumps of light and shadow over a golden crust.
void Crumbs(Canvas& cv, const Mask& m, uint32_t seed) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            if (!m.At(x, y)) continue;
            float n = Noise2(x * 0.6f, y * 0.6f, seed);
            if (n > 0.72f) Lighten(cv, x, y, 0.35f);
            else if (n < 0.25f) Darken(cv, x, y, 0.78f);
        }
}

// Fried-shrimp flyer: a fat golden breaded shrimp with a red tail fan; the body
// wiggles and the tail beats over its four cells.
void Enemy003(Canvas& cv) {
    for (int f = 0; f < 4; ++f) {
        Canvas cell(64, 64);
        float beat = std::sin(f * 1.5708f);
        // the spine: from the front (left) curving down to the tail
        auto spine = [beat](float s, float* x, float* y) {
            *x = 12 + 34 * s;
            *y = 24 + 16 * s * s - std::sin(s * 3.1416f) * (5 + beat * 2);
        };
        float tx, ty;
        spine(1.0f, &tx, &ty);
        // tail fan (behind the body), spread wide and beating
        Mask tail(64, 64);
        float a = 0.5f + beat * 0.28f;
        for (int k = -2; k <= 2; ++k) {
            float ang = a + k * 0.28f;
            tail.Poly({tx - 2, ty, tx + std::cos(ang) * 17 - std::sin(ang) * 3, ty + std::sin(ang) * 17 + std::cos(ang) * 3,
                       tx + std::cos(ang) * 18 + std::sin(ang) * 3, ty + std::sin(ang) * 18 - std::cos(ang) * 3});
        }
        AddPart(cell, tail, pal::kRed, Soft(2.0f));
        for (int k = -2; k <= 1; ++k) {
            float ang = a + (k + 0.5f) * 0.28f;
            cell.Line(int(tx + std::cos(ang) * 4), int(ty + std::sin(ang) * 4), int(tx + std::cos(ang) * 16),
                      int(ty + std::sin(ang) * 16), pal::kRed[0]);
        }
        Mask body(64, 64);
        Rng rng(30);
        for (int i = 0; i <= 16; ++i) {
            float s = i / 16.0f, x, y;
            spine(s, &x, &y);
            float r = 12.5f - 4.5f * s * s;
            body.Circle(x, y, r);
            // crumbs stick out of the batter all round
            for (int k = 0; k < 3; ++k) {
                float ang = rng.Range(0, 6.2831853f);
                body.Circle(x + std::cos(ang) * r, y + std::sin(ang) * r, rng.Range(1.2f, 2.4f));
            }
        }
        Canvas layer(64, 64);
        Shade(layer, body, pal::kGold, Soft(9, 0.03f));
        Crumbs(layer, body, 40);
        Outline(layer, pal::kInk);
        cell.Blit(layer, 0, 0);
        // an angry pair of eyes at the front
        for (int e = 0; e < 2; ++e) {
            Mask eye(64, 64);
            eye.Circle(9.0f + e * 7, 20.0f - e, 2.8f);
            AddPart(cell, eye, pal::kBone, Soft(1.5f));
            cell.Set(8 + e * 7, 20 - e, pal::kInk);
            cell.Set(8 + e * 7, 21 - e, pal::kInk);
        }
        cell.Line(5, 15, 11, 17, pal::kInk);
        cell.Line(14, 15, 19, 14, pal::kInk);
        cv.Blit(cell, f * 64, 0);
    }
}

// Eel: a long olive fish with a golden belly, head low at the left, body arching up,
// tail at the right; no player weapon shares its colours.
void Enemy004(Canvas& cv) {
    auto spineY = [](float x) { return 24.0f - 14.0f * std::sin(std::min(1.0f, (x - 4) / 60.0f) * 1.5708f) + (x > 64 ? (x - 64) * 0.12f : 0); };
    auto thick = [](float x) { return x < 14 ? 5.5f : 5.5f - (x - 14) * 0.045f; };
    Mask body(106, 32);
    for (float x = 4; x < 92; x += 1.0f) body.Circle(x, spineY(x), std::max(1.5f, thick(x)));
    Mask tail(106, 32);
    float ty = spineY(92);
    tail.Poly({88, ty, 104, ty - 7, 100, ty, 104, ty + 6});
    AddPart(cv, tail, pal::kOlive, Soft(1.5f));
    Canvas layer(106, 32);
    ShadeOpts o = Soft(4, 0.08f);
    o.gradient = 0.25f;
    Shade(layer, body, pal::kOlive, o);
    // golden belly line and a dark dorsal stripe
    for (float x = 10; x < 88; x += 1.0f) {
        Darken(layer, int(x), int(spineY(x) - 1), 0.75f);
        layer.Set(int(x), int(spineY(x) + thick(x) * 0.5f), pal::kGold[3]);
    }
    Outline(layer, pal::kInk);
    cv.Blit(layer, 0, 0);
    Mask eye(106, 32);
    eye.Circle(8, 22, 2.6f);
    Paint(cv, eye, pal::kInk);
    cv.Set(7, 21, pal::kWhite);
    cv.Set(3, 25, pal::kPink[2]);
}

// Ground walker: a two-legged gun mech, cannon to the left; two stride frames.
void Enemy005(Canvas& cv) {
    for (int f = 0; f < 2; ++f) {
        Canvas cell(64, 64);
        // legs: far leg darker
        for (int leg = 0; leg < 2; ++leg) {
            bool front = (leg == 0) == (f == 0);
            float hipX = leg ? 38.0f : 28.0f, footX = hipX + (front ? -7.0f : 6.0f);
            Mask l(64, 64);
            l.Capsule(hipX, 40, (hipX + footX) * 0.5f + 3, 51, 3.5f);
            l.Capsule((hipX + footX) * 0.5f + 3, 51, footX, 60, 3.0f);
            l.RoundRect(footX - 7, 59, 14, 5, 2);
            ShadeOpts o = Soft(2.5f);
            if (leg) o.ambient = 0.15f;
            AddPart(cell, l, pal::kOlive, o);
        }
        // body
        Mask body(64, 64);
        body.Poly({16, 26, 24, 20, 48, 20, 56, 28, 54, 42, 22, 44, 14, 36});
        AddPart(cell, body, pal::kOlive, Soft(5));
        // cannon to the left
        Mask gun(64, 64);
        gun.RoundRect(2, 29, 20, 6, 2);
        gun.RoundRect(14, 27, 10, 10, 2);
        AddPart(cell, gun, pal::kGunmetal, Soft(2));
        // cockpit visor
        Mask vis(64, 64);
        vis.RoundRect(28, 24, 16, 6, 3);
        Shade(cell, vis, pal::kRed, Soft(2.5f, 0.1f));
        InnerEdge(cell, vis, pal::kInk);
        Vents(cell, 44, 33, 9, 6, 3);
        Rivet(cell, 24, 40);
        Rivet(cell, 50, 40);
        cv.Blit(cell, f * 64, 0);
    }
}

// Armoured pigeon: wings spread, steel plates on breast and wings, head turned left.
void Enemy012(Canvas& cv) {
    const int W = 116, H = 98;
    // wings, the far one first
    Mask farWing(W, H);
    farWing.Poly({60, 40, 112, 18, 114, 30, 104, 44, 96, 56, 64, 62});
    ShadeOpts dim = Soft(4);
    dim.ambient = 0.15f;
    AddPart(cv, farWing, pal::kGunmetal, dim);
    // tail fan below
    Mask tail(W, H);
    tail.Poly({36, 64, 56, 64, 62, 92, 46, 96, 30, 90});
    AddPart(cv, tail, pal::kGunmetal, Soft(3));
    for (int k = 0; k < 4; ++k) cv.Line(44 + k * 3, 70, 36 + k * 7, 92, pal::kGunmetal[1]);
    // body
    Mask body(W, H);
    body.Ellipse(52, 58, 30, 14);
    AddPart(cv, body, pal::kSteel, Soft(8));
    // near wing with feather plates
    Mask wing(W, H);
    wing.Poly({30, 52, 4, 30, 8, 46, 2, 56, 16, 64, 48, 66});
    AddPart(cv, wing, pal::kSteel, Soft(4));
    for (int k = 0; k < 4; ++k) Seam(cv, 8 + k * 8, 46 + k * 2, 28 + k * 5, 62);
    // armour breastplate
    Mask plate(W, H);
    plate.RoundRect(40, 48, 40, 16, 6);
    AddPart(cv, plate, pal::kViolet, Soft(3));
    for (int x = 46; x < 78; x += 8) Rivet(cv, x, 52), Rivet(cv, x, 60);
    // neck with its sheen, then the head
    Mask neck(W, H);
    neck.Ellipse(57, 38, 11, 15);
    AddPart(cv, neck, pal::kTeal, Soft(6, 0.08f));
    for (int y = 28; y < 50; y += 3) Lighten(cv, 52 + (y % 6) / 3, y, 0.2f);
    Mask head(W, H);
    head.Circle(54, 22, 10);
    AddPart(cv, head, pal::kSteel, Soft(7));
    Mask helm(W, H);
    helm.Circle(54, 22, 10);
    Mask cut(W, H);
    cut.Rect(0, 22, W, H);
    helm.AndNot(cut);
    Shade(cv, helm, pal::kViolet, Soft(3));
    Mask beak(W, H);
    beak.Poly({46, 21, 34, 26, 46, 27});
    AddPart(cv, beak, pal::kGold, Soft(1.5f));
    GlowBall(cv, 50, 21, 2.5f, pal::kFire);
    // feet tucked under
    Mask feet(W, H);
    feet.Capsule(44, 70, 40, 80, 2);
    feet.Capsule(56, 70, 54, 80, 2);
    AddPart(cv, feet, pal::kRed, Soft(1.5f));
}

// Fish-shaped cake: golden-brown waffle fish with embossed scales, mouth at the lower left.
void Enemy100(Canvas& cv) {
    Mask tail(64, 64);
    tail.Poly({46, 36, 62, 22, 58, 36, 62, 52});
    AddPart(cv, tail, pal::kBrown, Soft(2.5f));
    Mask body(64, 64);
    body.Ellipse(28, 38, 25, 17);
    body.Poly({4, 40, 10, 30, 10, 48});
    Mask fin(64, 64);
    fin.Poly({18, 24, 34, 14, 44, 24});
    fin.Poly({20, 52, 32, 60, 38, 52});
    AddPart(cv, fin, pal::kBrown, Soft(2));
    Canvas layer(64, 64);
    ShadeOpts o = Soft(7);
    o.gradient = 0.2f;
    Shade(layer, body, pal::kGold, o);
    // baked rim and scale pattern pressed by the mould
    InnerEdge(layer, body, pal::kBrown[2]);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c) {
            int x = 20 + c * 6 + (r % 2) * 3, y = 30 + r * 6;
            if (!body.At(x, y)) continue;
            Darken(layer, x, y + 1, 0.72f);
            Darken(layer, x + 1, y + 2, 0.72f);
            Darken(layer, x - 1, y + 2, 0.72f);
            Lighten(layer, x, y, 0.25f);
        }
    Outline(layer, pal::kInk);
    cv.Blit(layer, 0, 0);
    // eye and mouth
    Mask eye(64, 64);
    eye.Circle(14, 34, 3);
    AddPart(cv, eye, pal::kBrown, Soft(1.5f));
    cv.Set(14, 34, pal::kInk);
    cv.Line(3, 45, 9, 44, pal::kBrown[0]);
    cv.Set(2, 46, pal::kRed[2]);
}

// Whale ship: a dark blue armoured whale hull with a pale ribbed belly, mouth gun in front.
void Enemy110(Canvas& cv) {
    const int W = 127, H = 87;
    Mask fluke(W, H);
    fluke.Poly({100, 50, 122, 34, 126, 40, 118, 54, 126, 66, 120, 70, 100, 60});
    AddPart(cv, fluke, pal::kBlue, Soft(3));
    Mask hull(W, H);
    hull.Ellipse(56, 52, 54, 32);
    hull.Poly({80, 40, 110, 50, 110, 60, 80, 72});
    Canvas layer(W, H);
    ShadeOpts o = Soft(14, 0.03f);
    o.gradient = 0.3f;
    Shade(layer, hull, pal::kBlue, o);
    // belly: pale, ribbed
    Mask belly(W, H);
    belly.Ellipse(52, 70, 46, 14);
    belly.Intersect(hull);
    Shade(layer, belly, pal::kBone, Soft(4));
    for (int x = 14; x < 96; x += 5) Seam(layer, x, 60, x + 4, 84);
    Outline(layer, pal::kInk);
    cv.Blit(layer, 0, 0);
    // armour plates and portholes along the back
    for (int k = 0; k < 4; ++k) {
        Mask p(W, H);
        p.RoundRect(30 + k * 17, 24 + k * 2, 15, 8, 3);
        p.Intersect(hull.Eroded(2));
        AddPart(cv, p, pal::kSteel, Soft(2));
    }
    for (int k = 0; k < 5; ++k) GlowBall(cv, 44 + k * 10, 46, 2, pal::kGold);
    // eye and mouth cannon
    GlowBall(cv, 20, 44, 3.5f, pal::kFire);
    cv.Set(19, 43, pal::kWhite);
    Mask mouth(W, H);
    mouth.RoundRect(1, 50, 18, 7, 2);
    AddPart(cv, mouth, pal::kGunmetal, Soft(2));
    GlowBall(cv, 3, 53, 2, pal::kFire);
    // spout vents on top
    Mask fin(W, H);
    fin.Poly({46, 22, 60, 8, 66, 10, 62, 22});
    AddPart(cv, fin, pal::kBlue, Soft(2));
}

}  // namespace

void AddLargeEnemyDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy003.png", Enemy003});
    out.push_back({"ImgEnemy004.png", Enemy004});
    out.push_back({"ImgEnemy005.png", Enemy005});
    out.push_back({"ImgEnemy012.png", Enemy012});
    out.push_back({"ImgEnemy100.png", Enemy100});
    out.push_back({"ImgEnemy110.png", Enemy110});
}
