// Small enemies of the stage scripts: small fry, shrimp, jets, flying pig, squid, rugby ball,
// missiles, mines, drops, divers and the item carrier. Row 0 only; the flash row is added after.
#include <algorithm>
#include <cmath>

#include "pictures.h"
#include "sprite_kit.h"

namespace {

ShadeOpts Round(float bevel) {
    ShadeOpts o;
    o.bevel = bevel;
    o.specular = 0.05f;
    return o;
}

// Small fry: a crimson drone with one yellow eye, facing left.
void Enemy000(Canvas& cv) {
    Mask fins(32, 32);
    fins.Poly({15, 10, 29, 3, 27, 11, 21, 13});
    fins.Poly(Mirrored({15, 10, 29, 3, 27, 11, 21, 13}, 16));
    AddPart(cv, fins, pal::kGunmetal, ShadeOpts{1.5f});
    Mask body(32, 32);
    body.Ellipse(15, 16, 10.5f, 8.5f);
    body.Poly({20, 11, 28, 14, 28, 18, 20, 21});
    AddPart(cv, body, pal::kRed, Round(6));
    Mask visor(32, 32);
    visor.Ellipse(10, 15.5f, 5, 4);
    Paint(cv, visor, pal::kInk);
    GlowBall(cv, 9.5f, 15, 3.2f, pal::kGold);
    cv.Set(8, 14, pal::kWhite);
    Seam(cv, 19, 10, 19, 22);
    GlowBall(cv, 29, 16, 2.2f, pal::kFire);
}

// Shrimp dasher: a curled, segmented shrimp with long feelers, facing left.
void Enemy001(Canvas& cv) {
    // segments from the head (left) curling down to the tail
    const float seg[6][3] = {{9, 14, 6}, {14, 13, 5.5f}, {19, 14, 5}, {23, 16.5f, 4.5f}, {25.5f, 20, 4}, {26, 24, 3.2f}};
    Mask body(32, 32);
    for (auto& s : seg) body.Circle(s[0], s[1], s[2]);
    Canvas layer(32, 32);
    Shade(layer, body, pal::kOrange, Round(4));
    // shell bands between segments
    for (int i = 1; i < 5; ++i) {
        int x = int(seg[i][0] - 2);
        for (int y = int(seg[i][1] - seg[i][2] + 1); y < int(seg[i][1] + seg[i][2]); ++y) Darken(layer, x, y, 0.7f);
    }
    Outline(layer, pal::kInk);
    cv.Blit(layer, 0, 0);
    // tail fan
    Mask tail(32, 32);
    tail.Poly({24, 26, 30, 30, 21, 31});
    AddPart(cv, tail, pal::kRed, ShadeOpts{1.2f});
    // legs and feelers
    for (int i = 0; i < 4; ++i) cv.Line(11 + i * 4, 19, 10 + i * 4, 22, pal::kRed[1]);
    cv.Line(5, 11, 0, 3, pal::kOrange[3]);
    cv.Line(6, 12, 1, 8, pal::kOrange[2]);
    cv.Set(7, 13, pal::kInk);
    cv.Set(7, 12, pal::kWhite);
}

// Left-edge flyer: a slim violet jet facing right.
void Enemy002(Canvas& cv) {
    Mask wing(32, 32);
    wing.Poly({8, 20, 18, 20, 6, 10, 3, 10});
    wing.Poly({8, 22, 20, 22, 6, 29, 2, 29});
    AddPart(cv, wing, pal::kViolet, ShadeOpts{1.5f});
    Mask body(32, 32);
    body.Poly({3, 18, 20, 17, 30, 21, 20, 24, 3, 24});
    AddPart(cv, body, pal::kGunmetal, Round(3));
    Mask can(32, 32);
    can.Ellipse(19, 18.5f, 4, 2);
    Shade(cv, can, pal::kRed, Round(2));
    cv.Set(18, 18, pal::kWhite);
    GlowBall(cv, 2, 21, 2, pal::kFire);
}

// Flying pig: pink, round, with small white wings and a curly tail, facing left.
void Enemy006(Canvas& cv) {
    Mask wing(32, 32);
    wing.Poly({15, 10, 20, 2, 27, 3, 25, 8, 29, 9, 22, 13});
    AddPart(cv, wing, pal::kBone, ShadeOpts{1.5f});
    Mask body(32, 32);
    body.Ellipse(17, 19, 11.5f, 9);
    body.Rect(11, 25, 3, 5);
    body.Rect(21, 25, 3, 5);
    body.Poly({9, 11, 11, 6, 14, 11});
    AddPart(cv, body, pal::kPink, Round(7));
    Mask snout(32, 32);
    snout.Ellipse(6, 20, 3.5f, 3.5f);
    AddPart(cv, snout, pal::kPink, Round(2));
    cv.Set(5, 19, pal::kPink[0]);
    cv.Set(5, 21, pal::kPink[0]);
    cv.Set(10, 15, pal::kInk);
    cv.Set(10, 14, pal::kInk);
    cv.Set(11, 14, pal::kWhite);
    // curly tail
    cv.Set(29, 17, pal::kPink[1]);
    cv.Set(30, 16, pal::kPink[1]);
    cv.Set(31, 17, pal::kPink[1]);
    cv.Set(30, 18, pal::kPink[1]);
    // the front wing over the body
    Mask wing2(32, 32);
    wing2.Poly({16, 13, 19, 7, 25, 8, 23, 14});
    AddPart(cv, wing2, pal::kBone, ShadeOpts{1.5f});
}

// Homing missile: a stubby black warhead with a glowing red nose, gold hazard bands and
// big swept fins, riding a long orange flame; the player's missiles are slim and white,
// so the two never read alike. Two flame frames facing left, then the same facing right.
void Enemy007(Canvas& cv) {
    for (int f = 0; f < 2; ++f) {
        Canvas cell(32, 32);
        // the flame behind, long and ragged, longer in the second frame
        Mask flame(32, 32);
        flame.Poly({21, 11.5f, f ? 32.0f : 29.0f, 16, 21, 20.5f});
        PaintTone(cell, flame, pal::kFire, [f](int x, int y) {
            return std::clamp(1.15f - (x - 21) / (f ? 11.0f : 8.0f) - std::abs(y + 0.5f - 16.0f) / 5.0f, 0.0f, 1.0f);
        });
        Mask fins(32, 32);
        fins.Poly({12, 12, 19, 5, 22, 6, 20, 12});
        fins.Poly(Mirrored({12, 12, 19, 5, 22, 6, 20, 12}, 16));
        AddPart(cell, fins, pal::kOrange, ShadeOpts{1.5f});
        Mask body(32, 32);
        body.Capsule(9, 16, 17, 16, 5.5f);
        AddPart(cell, body, pal::kGunmetal, Round(4));
        for (int x : {11, 16}) {
            Mask band(32, 32);
            band.Rect(float(x), 10, 2, 12);
            band.Intersect(MaskOf(cell));
            Shade(cell, band, pal::kGold, Round(3));
        }
        Mask nose(32, 32);
        nose.Poly({10, 10.5f, 1, 16, 10, 21.5f});
        AddPart(cell, nose, pal::kRed, Round(3));
        GlowBall(cell, 5, 16, 1.8f, pal::kFire);
        GlowBall(cell, 22.5f, 16, f ? 3.0f : 2.4f, pal::kFire);
        cv.Blit(cell, f * 32, 0);
        cv.Blit(cell.FlipX(), 64 + f * 32, 0);
    }
}

// Mine: a dark spiked sphere whose lamp blinks.
void Enemy008(Canvas& cv) {
    for (int f = 0; f < 2; ++f) {
        Canvas cell(32, 32);
        Mask spikes(32, 32);
        for (int k = 0; k < 8; ++k) {
            float a = k * 0.785398f;
            spikes.Capsule(16, 16, 16 + std::cos(a) * 14, 16 + std::sin(a) * 14, 1.6f);
        }
        AddPart(cell, spikes, pal::kSteel, ShadeOpts{1.0f});
        Ball(cell, 16, 16, 10, pal::kGunmetal, true);
        GlowBall(cell, 16, 16, 4, f ? pal::kFire : Ramp{{pal::kRed[0], pal::kRed[1], pal::kRed[2]}});
        cv.Blit(cell, f * 32, 0);
    }
}

// Squid: a white-pink squid facing right (the game turns it to its heading), fins at
// the tip of its mantle, arms trailing behind.
void Enemy009(Canvas& cv) {
    Canvas arms(32, 32);
    for (int k = 0; k < 6; ++k) {
        float y0 = 12.5f + k * 1.4f;
        for (int x = 1; x <= 12; ++x) {
            float y = y0 + (k - 2.5f) * (12 - x) * 0.22f + std::sin(x * 0.9f + k) * 0.8f;
            arms.Set(x, int(y), k % 2 ? pal::kPink[2] : pal::kPink[3]);
            if (x > 6) arms.Set(x, int(y) + 1, pal::kPink[1]);
        }
    }
    Outline(arms, pal::kInk);
    cv.Blit(arms, 0, 0);
    Mask fins(32, 32);
    fins.Poly({22, 13, 30, 7, 31, 15});
    fins.Poly({22, 19, 30, 25, 31, 17});
    AddPart(cv, fins, pal::kPink, ShadeOpts{1.2f});
    Mask body(32, 32);
    body.Ellipse(19, 16, 9, 5.5f);
    body.Poly({22, 11, 32, 16, 22, 21});
    AddPart(cv, body, pal::kBone, Round(5));
    for (int k = 0; k < 5; ++k) cv.Set(16 + k * 3, 14 + (k % 2) * 3, pal::kMagenta[2]);
    for (int e = 0; e < 2; ++e) {
        int y = e ? 19 : 12;
        cv.Set(12, y, pal::kInk);
        cv.Set(13, y, pal::kInk);
        cv.Set(12, y + (e ? -1 : 1), pal::kGold[3]);
    }
}

// Rugby ball: brown leather with white laces (the game spins it).
void Enemy010(Canvas& cv) {
    Mask ball(32, 32);
    ball.Ellipse(16, 16, 14, 8.5f);
    AddPart(cv, ball, pal::kBrown, Round(8));
    for (int x = 10; x <= 22; ++x) cv.Set(x, 12, pal::kBone[3]);
    for (int x = 11; x <= 21; x += 2) cv.Set(x, 11, pal::kBone[2]), cv.Set(x, 13, pal::kBone[1]);
    Seam(cv, 4, 16, 28, 16);
    for (int y = 9; y <= 23; ++y) Darken(cv, 5, y, 0.7f), Darken(cv, 26, y, 0.7f);
}

// Pressure drone: an angry spiked hornet, magenta and gold, facing left.
void Enemy013(Canvas& cv) {
    Mask body(32, 32);
    body.Ellipse(18, 16, 11, 8);
    body.Poly({4, 16, 10, 11, 10, 21});
    AddPart(cv, body, pal::kGold, Round(5));
    for (int x = 17; x < 29; x += 4)
        for (int y = 8; y < 25; ++y)
            if (cv.Opaque(x, y) && cv.Opaque(x + 1, y)) cv.Set(x, y, pal::kInk), cv.Set(x + 1, y, pal::kViolet[1]);
    Mask wing(32, 32);
    wing.Ellipse(20, 6, 6, 3.5f);
    wing.Ellipse(24, 27, 5, 3);
    AddPart(cv, wing, pal::kCyan, ShadeOpts{1.5f});
    GlowBall(cv, 10, 14, 2.5f, pal::kFire);
    cv.Set(30, 16, pal::kInk);
    cv.Set(31, 16, pal::kInk);
}

// Straight flyer and fast jet: a flat dark-red fighter facing left.
void Enemy017(Canvas& cv) {
    Mask wing(32, 32);
    wing.Poly({10, 20, 22, 20, 30, 12, 26, 12});
    wing.Poly({9, 23, 22, 23, 31, 27, 24, 28});
    AddPart(cv, wing, pal::kRed, ShadeOpts{1.5f});
    Mask body(32, 32);
    body.Poly({1, 21.5f, 10, 18, 26, 18, 30, 20, 30, 24, 10, 25});
    AddPart(cv, body, pal::kGunmetal, Round(3));
    Mask can(32, 32);
    can.Ellipse(13, 18.5f, 4, 2);
    Shade(cv, can, pal::kGold, Round(2));
    GlowBall(cv, 31, 22, 2, pal::kFire);
}

// Rising shooter: a small armoured pod; the second column lights its gun port.
void Enemy027(Canvas& cv) {
    for (int f = 0; f < 2; ++f) {
        Canvas cell(32, 32);
        Mask pod(32, 32);
        pod.Ellipse(16, 15, 10, 10);
        pod.Poly({8, 22, 24, 22, 20, 30, 12, 30});
        AddPart(cell, pod, pal::kOlive, Round(6));
        Mask band(32, 32);
        band.Rect(6, 13, 20, 4);
        band.Intersect(MaskOf(cell));
        Shade(cell, band, pal::kGunmetal, ShadeOpts{1.0f});
        GlowBall(cell, 16, 15, 3.5f, f ? pal::kFire : pal::kGold);
        GlowBall(cell, 16, 29, 2, pal::kFire);
        cv.Blit(cell, f * 32, 0);
    }
}

// Falling drop: a blue water drop in an armoured collar, point up.
void Enemy028(Canvas& cv) {
    Mask drop(32, 32);
    drop.Circle(16, 22, 8.5f);
    drop.Poly({16, 2, 23.5f, 18, 8.5f, 18});
    ShadeOpts o = Round(6);
    o.specular = 0.12f;
    AddPart(cv, drop, pal::kWater, o);
    Mask collar(32, 32);
    collar.Rect(7, 17, 18, 3);
    collar.Intersect(drop.Dilated(1));
    AddPart(cv, collar, pal::kSteel, ShadeOpts{1.0f});
    cv.Set(12, 22, pal::kWhite);
    cv.Set(12, 23, pal::kWhite);
    cv.Set(13, 21, pal::kWater[4]);
}

// Diver: a small orange torpedo fish, facing left.
void Enemy030(Canvas& cv) {
    Mask fin(24, 20);
    fin.Poly({15, 10, 23, 3, 22, 17});
    AddPart(cv, fin, pal::kRed, ShadeOpts{1.0f});
    Mask body(24, 20);
    body.Ellipse(10, 10, 8.5f, 5.5f);
    AddPart(cv, body, pal::kOrange, Round(4));
    cv.Set(5, 9, pal::kInk);
    cv.Set(5, 8, pal::kWhite);
    Seam(cv, 11, 6, 11, 14);
}

// Item carrier: a crimson hauler with a yellow eye, like the small fry, gripping a sealed
// canister in two claws. The canister's bands show the cargo's colour, one column per
// item kind, but no letter: the shell and claws must never pass for the items themselves.
void Enemy099(Canvas& cv) {
    static const Ramp* ramps[7] = {&pal::kBlue, &pal::kOrange, &pal::kTeal, &pal::kRed,
                                   &pal::kGold, &pal::kViolet, &pal::kMagenta};
    for (int k = 0; k < 7; ++k) {
        Canvas cell(32, 32);
        Mask claws(32, 32);
        claws.Poly({9, 14, 12, 14, 11, 26, 14, 29, 10, 29, 7, 24});
        claws.Poly({20, 14, 23, 14, 25, 24, 22, 29, 18, 29, 21, 26});
        AddPart(cell, claws, pal::kGunmetal, ShadeOpts{1.2f});
        Mask can(32, 32);
        can.RoundRect(11, 19, 10, 9, 3);
        AddPart(cell, can, pal::kSteel, Round(3));
        for (int x : {13, 18}) {
            Mask band(32, 32);
            band.Rect(float(x), 19, 2, 9);
            band.Intersect(MaskOf(cell));
            Shade(cell, band, *ramps[k], Round(2));
        }
        Mask shell(32, 32);
        shell.Ellipse(16, 13, 12.5f, 7.5f);
        shell.Rect(3, 13, 26, 5);
        shell.Poly({26, 9, 31, 12, 31, 16, 26, 18});
        AddPart(cell, shell, pal::kRed, Round(5));
        Seam(cell, 6, 17, 25, 17);
        Seam(cell, 19, 7, 19, 16);
        Mask visor(32, 32);
        visor.Ellipse(8, 12, 4, 3);
        Paint(cell, visor, pal::kInk);
        GlowBall(cell, 7.5f, 11.5f, 2.4f, pal::kGold);
        cell.Set(6, 11, pal::kWhite);
        GlowBall(cell, 30, 14, 2.0f, pal::kFire);
        cv.Blit(cell, k * 32, 0);
    }
}

}  // namespace

void AddLargeEnemyDrawers(std::vector<DrawerEntry>& out);  // enemies_large.cpp

void AddEnemyDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy000.png", Enemy000});
    out.push_back({"ImgEnemy001.png", Enemy001});
    out.push_back({"ImgEnemy002.png", Enemy002});
    out.push_back({"ImgEnemy006.png", Enemy006});
    out.push_back({"ImgEnemy007.png", Enemy007});
    out.push_back({"ImgEnemy008.png", Enemy008});
    out.push_back({"ImgEnemy009.png", Enemy009});
    out.push_back({"ImgEnemy010.png", Enemy010});
    out.push_back({"ImgEnemy011.png", [](Canvas& cv) {
                       Canvas n(32, 32);
                       Enemy010(n);
                       cv.Blit(FlashOf(n), 0, 0);
                   }});
    out.push_back({"ImgEnemy013.png", Enemy013});
    out.push_back({"ImgEnemy017.png", Enemy017});
    out.push_back({"ImgEnemy027.png", Enemy027});
    out.push_back({"ImgEnemy028.png", Enemy028});
    out.push_back({"ImgEnemy030.png", Enemy030});
    out.push_back({"ImgEnemy099.png", Enemy099});
    AddLargeEnemyDrawers(out);
}
