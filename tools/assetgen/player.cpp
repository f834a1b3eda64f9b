// The player's pictures: the fighter, its death, its arms, its shots, missiles and items.
#include <cmath>
#include <string>

#include "pictures.h"
#include "sprite_kit.h"
#include "text.h"

namespace {

// Fuselage, wings and engine of the fighter, nose at the right; centre line y 30.
const std::vector<float> kUpperWing = {46, 26, 24, 26, 10, 10, 13, 8, 18, 8};
const std::vector<float> kFuselage = {5, 25, 20, 22.5f, 38, 23.5f, 50, 26, 62, 30, 50, 33.5f, 38, 35.5f, 20, 36.5f, 5, 34};
const std::vector<float> kFin = {10, 24.5f, 24, 24.5f, 14, 17, 8, 17};

}  // namespace

Canvas DrawShipSprite() {
    Canvas ship(64, 64);
    // wings first: the lower one in shadow, as the light comes from above
    Mask up(64, 64), low(64, 64);
    up.Poly(kUpperWing);
    low.Poly(Mirrored(kUpperWing, 30));
    ShadeOpts wing;
    wing.bevel = 2.5f;
    wing.gradient = -0.25f;
    ShadeOpts wingLow = wing;
    wingLow.ambient = 0.2f;
    wingLow.gradient = 0.2f;
    AddPart(ship, low, pal::kBlue, wingLow);
    AddPart(ship, up, pal::kBlue, wing);
    // orange flashes along the wings' trailing edges
    for (int k = 0; k < 7; ++k) {
        ship.Set(17 + k, 13 + k * 2 / 3, pal::kOrange[3]);
        ship.Set(17 + k, 46 - k * 2 / 3, pal::kOrange[2]);
    }
    ship.Set(12, 9, pal::kRed[3]);
    ship.Set(12, 50, pal::kRed[3]);
    // tail fin, swept back over the engine
    Mask fin(64, 64);
    fin.Poly(kFin);
    AddPart(ship, fin, pal::kBlue, ShadeOpts{2.0f});
    // engine block and nozzle
    Mask eng(64, 64);
    eng.RoundRect(3, 24.5f, 15, 11, 3);
    ShadeOpts engO;
    engO.bevel = 3.0f;
    engO.gradient = 0.3f;
    AddPart(ship, eng, pal::kSteel, engO);
    // fuselage
    Mask body(64, 64);
    body.Poly(kFuselage);
    ShadeOpts hull;
    hull.bevel = 5.0f;
    hull.specular = 0.04f;
    hull.gradient = 0.45f;
    hull.ambient = 0.45f;
    AddPart(ship, body, pal::kHull, hull);
    // red accent stripe and nose tip
    for (int x = 21; x <= 46; ++x) ship.Set(x, 32, x < 40 ? pal::kRed[2] : pal::kRed[3]);
    for (int x = 21; x <= 38; ++x) ship.Set(x, 33, pal::kRed[1]);
    Mask nose(64, 64);
    nose.Poly({54, 28, 62, 30, 54, 32});
    Shade(ship, nose, pal::kRed, ShadeOpts{1.5f});
    // canopy
    Mask can(64, 64);
    can.Ellipse(40, 27.5f, 7.5f, 3.3f);
    Mask canCut(64, 64);
    canCut.Rect(0, 29.5f, 64, 10);
    can.AndNot(canCut);
    ShadeOpts glass;
    glass.bevel = 3.0f;
    glass.specular = 0.12f;
    Shade(ship, can, pal::kCyan, glass);
    InnerEdge(ship, can, pal::kCyan[0]);
    ship.Set(37, 26, pal::kWhite);
    ship.Set(38, 26, pal::kWhite);
    // panel seams
    Seam(ship, 21, 24, 21, 34);
    Seam(ship, 48, 27, 48, 32);
    for (int y = 26; y <= 33; y += 2) ship.Set(16, y, pal::kSteel[1]);
    // exhaust: a blue-white flame with a hot core
    Mask flame(64, 64);
    flame.Poly({4, 26.5f, 4, 33.5f, -1, 31, -1, 29});
    flame.Ellipse(3, 30, 2.5f, 3.5f);
    Canvas f(64, 64);
    PaintTone(f, flame, pal::kPlasma, [](int x, int y) {
        float d = std::abs(y + 0.5f - 30.0f) / 4.0f;
        return std::clamp(1.0f - d - (4 - x) * 0.08f, 0.0f, 1.0f);
    });
    ship.Blit(f, 0, 0);
    Bloom(ship, 4, 30, 7, pal::kCyan[3], 0.35f);
    return ship;
}

namespace {

void MyShip(Canvas& cv) { cv.Blit(DrawShipSprite(), 0, 0); }

// Death: flashes white, breaks apart into burning pieces, a blast, then drifting smoke.
void MyShipBomb(Canvas& cv) {
    Canvas ship = DrawShipSprite();
    for (int i = 0; i < 15; ++i) {
        Canvas cell(64, 64);
        float t = i / 14.0f;
        if (i < 3) {
            cell.Blit(i == 1 ? FlashOf(ship) : ship, 0, 0);
            if (i == 2) {
                Canvas hot = FlashOf(FlashOf(ship));
                cell.Blit(hot, 0, 0);
            }
            PaintSparks(cell, 36, 30, 10 + 6 * i, 0.3f + 0.2f * i, 14, 71 + i, pal::kFire);
        } else {
            // pieces of the hull tumble away from the blast
            float k = (i - 3) / 11.0f;
            if (i < 9) {
                Canvas front = ship.Crop(40, 22, 24, 16).Rotate(-80 * k * 3);
                Canvas back = ship.Crop(0, 22, 24, 16).Rotate(90 * k * 3);
                Canvas wing = ship.Crop(8, 6, 26, 16).Rotate(140 * k * 3);
                Canvas wing2 = ship.Crop(8, 40, 26, 16).Rotate(-120 * k * 3);
                cell.Blit(front, int(40 + 40 * k), int(22 + 14 * k));
                cell.Blit(back, int(-40 * k), int(22 + 10 * k));
                cell.Blit(wing, int(8 - 10 * k), int(6 - 30 * k));
                cell.Blit(wing2, int(8 + 16 * k), int(40 + 30 * k));
            }
            PaintBlast(cell, 32, 30, 30, std::min(1.0f, (t - 0.14f) * 1.25f), 901);
            if (i < 12) PaintSparks(cell, 32, 30, 30, k, 20, 903, pal::kFire);
        }
        cv.Blit(cell, i * 64, 0);
    }
}

// Arms: armour plates above and below the fighter and a shield bow ahead of it.
// The fighter itself is drawn over them, 16 pixels in from the cell's left edge.
void MyArm(Canvas& cv, int level) {
    const Ramp& plateRamp = level == 0 ? pal::kSteel : level == 1 ? pal::kTeal : pal::kViolet;
    for (int col = 0; col < 2; ++col) {
        Canvas cell(96, 64);
        Mask plates(96, 64);
        int thick = 5 + level * 2;
        // upper and lower plates, swept like the wings
        std::vector<float> top = {26, float(12 - level), 74, float(12 - level), 80, float(12 - level + thick),
                                  30, float(12 - level + thick), 18, float(16 - level + thick)};
        plates.Poly(top);
        plates.Poly(Mirrored(top, 30));
        // the bow shield, an arc in front of the nose
        Mask bow(96, 64);
        bow.Ellipse(78, 30, 16, 22);
        Mask inner(96, 64);
        inner.Ellipse(72, 30, float(14 - level), float(19 - level));
        bow.AndNot(inner);
        Mask cutBack(96, 64);
        cutBack.Rect(0, 0, 76, 64);
        bow.AndNot(cutBack);
        ShadeOpts o;
        o.bevel = 2.5f + level;
        o.specular = 0.05f;
        AddPart(cell, plates, plateRamp, o);
        AddPart(cell, bow, plateRamp, o);
        // energy lights along the plates
        Rgb light = col == 0 ? pal::kCyan[3] : pal::kRed[3];
        for (int k = 0; k <= level + 1; ++k) {
            int x = 34 + k * 12;
            cell.Set(x, 13 - level + thick / 2, light);
            cell.Set(x + 1, 13 - level + thick / 2, light);
            cell.Set(x, 47 + level - thick / 2, light);
            cell.Set(x + 1, 47 + level - thick / 2, light);
        }
        for (int y = 24; y <= 36; y += 4) cell.Set(90, y, light);
        if (level >= 1) {
            // extra studs and a second shield layer on the heavier arms
            for (int x = 30; x < 74; x += 8) Rivet(cell, x, 12 - level + 1), Rivet(cell, x, 48 + level - 2);
        }
        if (col == 1) {
            // one hit left: cracked plates, scorched edges
            Rng rng(500 + level);
            for (int c = 0; c < 5; ++c) {
                int x = 28 + rng.Upto(44), y = rng.Upto(1) ? 10 + rng.Upto(4) : 46 + rng.Upto(4);
                for (int s = 0; s < 5; ++s) {
                    Darken(cell, x, y, 0.3f);
                    x += rng.Upto(2) - 1 + 1;
                    y += rng.Upto(2) - 1;
                }
            }
            for (int y = 16; y < 48; y += 3) Darken(cell, 86 + (y % 2), y, 0.4f);
            // worn through: the plates glow a warning red
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 96; ++x)
                    if (cell.Opaque(x, y)) cell.Set(x, y, Mix(cell.Get(x, y), pal::kRed[2], 0.4f));
        }
        cv.Blit(cell, col * 96, 0);
    }
}

// A plasma shot: a bright bolt with a cool trail.
void MyShot0(Canvas& cv) {
    Mask m(32, 32);
    m.Ellipse(20, 16, 10, 5.5f);
    m.Poly({4, 14.5f, 16, 11.5f, 16, 20.5f, 4, 17.5f});
    PaintTone(cv, m, pal::kPlasma, [](int x, int y) {
        float dx = (x + 0.5f - 22.0f) / 12.0f, dy = (y + 0.5f - 16.0f) / 6.0f;
        return std::clamp(1.1f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
    });
    Outline(cv, pal::kPlasma[0]);
}

// Laser wave: a long beam with a bright head.
void MyShot1(Canvas& cv) {
    Mask m(91, 22);
    m.Poly({17, 9, 80, 5, 90, 11, 80, 17, 17, 13});
    m.Ellipse(80, 11, 10, 6);
    PaintTone(cv, m, pal::kCyan, [](int x, int y) {
        float dy = std::abs(y + 0.5f - 11.0f) / 6.0f;
        float along = (x - 17) / 74.0f;
        return std::clamp(1.15f - dy * 1.1f - (1.0f - along) * 0.35f, 0.0f, 1.0f);
    });
    Outline(cv, pal::kBlue[1]);
    for (int x = 4; x < 16; x += 3) cv.Set(x, 11, pal::kCyan[2 + (x / 3) % 2]);
}

// Wave shots: crescents of plasma, taller at higher levels.
void Crescent(Canvas& cv, float cx, float r, float thick, const Ramp& ramp, Rgb edge) {
    Mask m(cv.w, cv.h);
    float cy = cv.h * 0.5f;
    m.Ellipse(cx, cy, r * 0.42f, r);
    Mask cut(cv.w, cv.h);
    cut.Ellipse(cx - thick, cy, r * 0.42f, r * 0.96f);
    m.AndNot(cut);
    PaintTone(cv, m, ramp, [&](int x, int y) {
        float dx = (x + 0.5f - cx) / (r * 0.42f), dy = (y + 0.5f - cy) / r;
        float d = std::sqrt(dx * dx + dy * dy);
        return std::clamp(0.2f + 0.9f * d - std::abs(dy) * 0.5f, 0.0f, 1.0f);
    });
    Outline(cv, edge);
}

void MyShot2(Canvas& cv) { Crescent(cv, 14, 25, 6, pal::kPlasma, pal::kBlue[1]); }
void MyShot3(Canvas& cv) { Crescent(cv, 18, 63, 9, pal::kPlasma, pal::kBlue[1]); }
// The top level: two thin nested crescents with an open centre, so what they fly
// over (enemies, the warning) stays visible between the strokes.
void MyShot4(Canvas& cv) {
    Crescent(cv, 26, 63, 5, pal::kPlasma, pal::kViolet[1]);
    Canvas inner(48, 128);
    Crescent(inner, 16, 50, 3, pal::kCyan, pal::kBlue[2]);
    cv.Blit(inner, 0, 0);
}

// Missiles: four headings (forward down, forward up, back down, back up): a white body,
// a red nose and a bright cyan exhaust, so they read at a glance beside the shots.
void MyMissile(Canvas& cv) {
    for (int type = 0; type < 4; ++type) {
        Canvas cell(20, 20);
        Mask fins(20, 20);
        fins.Poly({3, 6, 8, 9, 3, 9});
        fins.Poly({3, 14, 8, 11, 3, 11});
        AddPart(cell, fins, pal::kBlue, ShadeOpts{1.0f});
        Mask body(20, 20);
        body.Capsule(5, 10, 14, 10, 2.8f);
        body.Poly({13, 7.5f, 19, 10, 13, 12.5f});
        AddPart(cell, body, pal::kHull, ShadeOpts{2.0f, -0.55f, -0.65f, 0.45f, 0.75f, 0.3f, 0.3f, 0.05f, 0});
        cell.Set(17, 10, pal::kRed[3]);
        cell.Set(16, 9, pal::kRed[2]);
        cell.Set(16, 10, pal::kRed[2]);
        cell.Set(16, 11, pal::kRed[1]);
        // exhaust
        cell.Set(1, 10, pal::kCyan[3]);
        cell.Set(0, 10, pal::kCyan[2]);
        cell.Set(2, 9, pal::kCyan[3]);
        cell.Set(2, 10, pal::kWhite);
        cell.Set(2, 11, pal::kCyan[3]);
        float angle = (type % 2 == 0) ? -20.0f : 20.0f;
        Canvas turned = cell.Rotate(angle);
        if (type >= 2) turned = turned.FlipX();
        cv.Blit(turned, type * 20, 0);
    }
}

}  // namespace

// Items: a capsule in the kind's colour with its letter.
Canvas DrawItemIcon(int kind) {
    static const Ramp* ramps[7] = {&pal::kBlue, &pal::kOrange, &pal::kTeal, &pal::kRed,
                                   &pal::kGold, &pal::kViolet, &pal::kMagenta};
    static const char* letters[7] = {"S", "M", "A", "B", "1UP", "P", "!"};
    Canvas cell(32, 32);
    Mask shell(32, 32);
    shell.RoundRect(3, 5, 26, 22, 9);
    AddPart(cell, shell, pal::kSteel, ShadeOpts{3.0f});
    Mask gem(32, 32);
    gem.RoundRect(6, 8, 20, 16, 7);
    ShadeOpts o;
    o.bevel = 5.0f;
    o.specular = 0.08f;
    Shade(cell, gem, *ramps[kind], o);
    InnerEdge(cell, gem, (*ramps[kind])[0]);
    std::string s = letters[kind];
    Mask t = PixelTextMask(s, 1);
    int tx = 16 - t.w / 2, ty = 13;
    Canvas txt(32, 32);
    for (int y = 0; y < t.h; ++y)
        for (int x = 0; x < t.w; ++x)
            if (t.At(x, y)) txt.Set(tx + x, ty + y, pal::kWhite);
    // a dark rim under the letter keeps it readable on every gem colour
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (txt.Opaque(x, y)) {
                if (!txt.Opaque(x + 1, y + 1)) cell.Set(x + 1, y + 1, (*ramps[kind])[0]);
            }
    cell.Blit(txt, 0, 0);
    cell.Set(9, 10, pal::kWhite);
    cell.Set(10, 10, pal::kWhite);
    cell.Set(9, 11, pal::kWhite);
    return cell;
}

namespace {
void Items(Canvas& cv) {
    for (int k = 0; k < 7; ++k) cv.Blit(DrawItemIcon(k), k * 32, 0);
}
}  // namespace

void AddBombDrawers(std::vector<DrawerEntry>& out);  // bomb.cpp

void AddPlayerDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgMyShip.png", MyShip});
    out.push_back({"ImgMyShipBomb.png", MyShipBomb});
    for (int level = 0; level < 3; ++level)
        out.push_back({"ImgMyArm" + std::to_string(level) + ".png", [level](Canvas& cv) { MyArm(cv, level); }});
    out.push_back({"ImgMyShot00.png", MyShot0});
    out.push_back({"ImgMyShot01.png", MyShot1});
    out.push_back({"ImgMyShot02.png", MyShot2});
    out.push_back({"ImgMyShot03.png", MyShot3});
    out.push_back({"ImgMyShot04.png", MyShot4});
    out.push_back({"ImgMyMissile00.png", MyMissile});
    out.push_back({"ImgItem.png", Items});
    AddBombDrawers(out);
}
