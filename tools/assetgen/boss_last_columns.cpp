// Bosses of the last columns: the beam carrier and its craft, the opening clam, the
// rising hive and the fading fortress. All face left; light from the top left.
#include <algorithm>
#include <cmath>

#include "boss_kit.h"
#include "pictures.h"

namespace {

// A dark opening (a bay, a port, a slot): black inside, its far rim lit.
void Hollow(Canvas& cv, const Mask& m, Rgb rimLight) {
    Paint(cv, m, pal::kInk);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.At(x, y) && (!m.At(x + 1, y) || !m.At(x, y + 1))) cv.Set(x, y, rimLight);
}

// A rimmed opening: a metal ring of the ramp around a dark hole; returns the hole.
Mask Maw(Canvas& cv, float cx, float cy, float rx, float ry, const Ramp& rim) {
    Mask ring(cv.w, cv.h);
    ring.Ellipse(cx, cy, rx, ry);
    AddPart(cv, ring, rim, ShadeOpts{3.0f});
    Mask hole(cv.w, cv.h);
    hole.Ellipse(cx - 1.5f, cy + 0.5f, rx * 0.55f, ry * 0.72f);
    Paint(cv, hole, pal::kInk);
    return hole;
}

// Horizontal coil rings on a cylinder from x0 to x1 centred on cy: lit tops, shaded
// bottoms; `hot` lights the gaps between them with the ramp.
void Coils(Canvas& cv, int x0, int x1, float cy, float r, int step, const Ramp* hot) {
    for (int x = x0; x <= x1; x += step) {
        Mask ring(cv.w, cv.h);
        ring.RoundRect(float(x), cy - r, 4, 2 * r, 2);
        AddPart(cv, ring, pal::kSteel, ShadeOpts{1.5f});
        if (!hot) continue;
        for (int y = int(cy - r + 3); y < int(cy + r - 2); ++y) cv.Set(x + 5, y, (*hot)[3 + (y % 3 == 0)]);
    }
}

// ---- boss 6: the beam carrier ---------------------------------------------------------

// A heavy carrier: a tall lens tower at the bow (the core, and the gun in it), the beam
// cannon along the upper hull, a hangar deck under it whose bay at the bow lets out
// the craft, a keel and three engines. Attacking, the lens and the coils blaze.
void BeamCarrierCell(Canvas& cv, bool attacking) {
    for (int k = 0; k < 3; ++k) Engine(cv, 214, 60.0f + 44.0f * float(k), 18);
    // keel and hangar deck
    Armor(cv, PolyMask(cv, {50, 206, 204, 206, 212, 212, 200, 226, 64, 226}), pal::kGunmetal, 2600, 3, 30);
    Armor(cv, PolyMask(cv, {0, 170, 10, 162, 200, 162, 206, 170, 206, 206, 190, 210, 14, 210, 0, 200}), pal::kSteel,
          2601, 4, 22);
    Mask bay(cv.w, cv.h);
    bay.RoundRect(2, 172, 30, 30, 4);
    Hollow(cv, bay, pal::kSteel[2]);
    Lights(cv, 6, 168, 30, 6, attacking ? kCoreRed : pal::kOrange);
    for (int y = 178; y < 200; y += 6) cv.Line(6, y, 28, y, pal::kGunmetal[1]);
    Lights(cv, 40, 198, 196, 12, kCoreBlue);
    Grille(cv, 120, 176, 60, 14);
    // the beam cannon's housing: a long hull with a sloped bow over the lens tower
    Armor(cv, PolyMask(cv, {60, 40, 84, 28, 196, 28, 210, 40, 210, 150, 196, 160, 80, 160, 60, 146}), pal::kRed, 2602,
          6, 26);
    // dorsal spine with its mast
    Armor(cv, PolyMask(cv, {26, 26, 34, 12, 170, 10, 184, 18, 184, 28, 30, 30}), pal::kGunmetal, 2603, 3, 40);
    Mask mast(cv.w, cv.h);
    mast.Rect(150, 0, 2, 12);
    mast.Rect(144, 3, 14, 2);
    AddPart(cv, mast, pal::kSteel, ShadeOpts{1.0f});
    cv.Set(150, 0, kCoreRed[4]);
    // the cannon barrel through the housing: a lit cylinder ringed by coils
    Mask barrel(cv.w, cv.h);
    barrel.RoundRect(66, 60, 142, 54, 20);
    AddPart(cv, barrel, pal::kGunmetal, ShadeOpts{6.0f});
    Canvas tube(cv.w, cv.h);
    PaintTone(tube, barrel.Eroded(3), pal::kSteel, [](int, int y) {
        float d = (float(y) + 0.5f - 78.0f) / 30.0f;  // the highlight above the axis
        return std::clamp(0.95f - d * d, 0.1f, 1.0f);
    });
    cv.Blit(tube, 0, 0);
    Coils(cv, 92, 196, 87, 26, 13, attacking ? &kCoreRed : nullptr);
    Mask mouth = Maw(cv, 72, 87, 9, 27, pal::kSteel);
    if (attacking) {
        Canvas charge(cv.w, cv.h);
        PaintTone(charge, mouth, kCoreRed, [](int, int y) {
            return std::clamp(1.0f - std::abs(float(y) + 0.5f - 87.0f) / 22.0f, 0.0f, 1.0f);
        });
        cv.Blit(charge, 0, 0);
        Bloom(cv, 80, 87, 60, kCoreRed[3], 0.45f);
    }
    // vents on the housing, glowing while the cannon charges
    Vents(cv, 100, 36, 80, 14, 5);
    Vents(cv, 100, 136, 80, 14, 5);
    if (attacking)
        for (int x = 101; x < 180; x += 5) cv.Set(x, 43, kCoreRed[3]), cv.Set(x, 143, kCoreRed[3]);
    Lights(cv, 92, 124, 196, 14, attacking ? kCoreRed : kCoreBlue);
    // the lens tower at the bow: a tall glowing lens (the core) with the gun in it
    Armor(cv, PolyMask(cv, {20, 36, 30, 26, 62, 26, 70, 36, 70, 136, 62, 146, 30, 146, 20, 136}), pal::kSteel, 2604, 4,
          30);
    Mask socket(cv.w, cv.h);
    socket.RoundRect(27, 32, 36, 106, 16);
    AddPart(cv, socket, pal::kGunmetal, ShadeOpts{3.0f});
    Mask lens = socket.Eroded(4);
    Paint(cv, lens, pal::kInk);
    const Ramp& glow = attacking ? kCoreRed : kCoreBlue;
    Canvas light(cv.w, cv.h);
    PaintTone(light, lens.Eroded(1), glow, [](int x, int y) {
        float dx = std::abs(float(x) + 0.5f - 43.0f) / 13.0f, dy = std::abs(float(y) + 0.5f - 85.0f) / 52.0f;
        return std::clamp(1.05f - dx * 0.9f - dy * dy * 0.6f, 0.0f, 1.0f);
    });
    cv.Blit(light, 0, 0);
    for (int y = 40; y < 132; y += 8) Darken(cv, 36, y, 0.6f), Darken(cv, 50, y + 4, 0.6f);
    Bloom(cv, 45, 85, 60, glow[2], attacking ? 0.35f : 0.2f);
    Barrel(cv, 54, 84, 40, 84, 4, pal::kGunmetal);
    if (attacking)
        for (int y = 40; y < 134; y += 10) cv.Line(10, y, 22, y + 2, kCoreRed[4]);
}

void BeamCarrier(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(220, 230);
        BeamCarrierCell(cell, col == 1);
        cv.Blit(cell, col * 220, 0);
    }
}

// The carrier's craft: a dart with forward-swept wings, a red canopy and one engine.
void CarrierCraft(Canvas& cv) {
    Mask wing(53, 47);
    wing.Poly({20, 20, 38, 18, 48, 2, 40, 2});
    Mask low(53, 47);
    low.Poly(Mirrored({20, 20, 38, 18, 48, 2, 40, 2}, 23.5f));
    ShadeOpts shadow{2.0f};
    shadow.ambient = 0.2f;
    AddPart(cv, low, pal::kRed, shadow);
    AddPart(cv, wing, pal::kRed, ShadeOpts{2.0f});
    for (int k = 0; k < 5; ++k) cv.Set(41 + k, 4 + k * 2, pal::kGold[3]);
    Armor(cv, PolyMask(cv, {1, 23.5f, 12, 17, 42, 16, 48, 20, 48, 27, 42, 31, 12, 30}), pal::kGunmetal, 2610, 3, 40);
    Mask canopy(53, 47);
    canopy.Ellipse(19, 21, 7, 3.5f);
    Shade(cv, canopy, pal::kHot, ShadeOpts{2.0f});
    cv.Set(16, 20, pal::kWhite);
    Barrel(cv, 10, 27, 2, 27, 1.5f, pal::kSteel);
    Engine(cv, 50, 23.5f, 9);
}

// ---- boss 9: the opening clam ---------------------------------------------------------

// One shell of the clam: violet armour ribbed from the hinge, a gold rim along the lip.
void ClamShell(Canvas& cv, const Mask& m, uint32_t seed, float hx, float hy) {
    Armor(cv, m, pal::kViolet, seed, 8, 200);
    Mask inner = m.Eroded(3);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            if (!inner.At(x, y)) continue;
            float a = std::atan2(y - hy, x - hx);
            float r = std::sin(a * 20.0f);
            if (r > 0.6f) Lighten(cv, x, y, 0.25f);
            else if (r < -0.6f) Darken(cv, x, y, 0.7f);
            // growth rings around the hinge
            float d = std::hypot(x - hx, y - hy);
            if (std::fmod(d, 18.0f) < 1.0f) Darken(cv, x, y, 0.8f);
        }
    Mask lip = m;
    lip.AndNot(m.Eroded(3));
    Canvas gold(cv.w, cv.h);
    Shade(gold, lip, pal::kGold, ShadeOpts{1.0f});
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (gold.Opaque(x, y) && x < hx - 6) cv.Set(x, y, gold.Get(x, y));
}

// Half an ellipse (the upper or lower shell) turned about the hinge by `turn` radians.
Mask HalfShell(int w, int h, float cx, float cy, float rx, float ry, bool upper, float hx, float hy, float turn) {
    std::vector<float> pts;
    for (int i = 0; i <= 40; ++i) {
        float t = 3.14159265f * float(i) / 40.0f;
        float x = cx - std::cos(t) * rx, y = cy + (upper ? -1.0f : 1.0f) * std::sin(t) * ry;
        float dx = x - hx, dy = y - hy;
        pts.push_back(hx + dx * std::cos(turn) - dy * std::sin(turn));
        pts.push_back(hy + dx * std::sin(turn) + dy * std::cos(turn));
    }
    Mask m(w, h);
    m.Poly(pts);
    return m;
}

// The hinge block behind the shells: two missile tubes and two engines.
void ClamHinge(Canvas& cv) {
    Armor(cv, PolyMask(cv, {92, 74, 122, 82, 130, 100, 130, 160, 122, 180, 92, 186}), pal::kGunmetal, 2900, 4, 18);
    Engine(cv, 130, 112, 14);
    Engine(cv, 130, 150, 14);
    for (float y : {95.0f, 145.0f}) {
        Mask tube(cv.w, cv.h);
        tube.RoundRect(86, y - 6, 20, 12, 4);
        AddPart(cv, tube, pal::kSteel, ShadeOpts{2.0f});
        Mask mouth(cv.w, cv.h);
        mouth.Circle(92, y, 3.5f);
        Paint(cv, mouth, pal::kInk);
        GlowBall(cv, 92, y, 1.8f, pal::kFire);
    }
    Lights(cv, 110, 124, 122, 6, kCoreRed);
}

void ClamCell(Canvas& cv, bool open) {
    ClamHinge(cv);
    const float hx = 104, hy = open ? 112.0f : 124.0f;
    Mask lower = HalfShell(cv.w, cv.h, 54, hy, 50, 64, false, hx, hy, 0);
    if (open) {
        // the flesh, a row of teeth and the pearl eye between the shells
        Mask flesh(cv.w, cv.h);
        flesh.Ellipse(58, 100, 48, 22);
        AddPart(cv, flesh, pal::kPink, ShadeOpts{7.0f});
        for (int x = 12; x < 100; x += 7) {
            Mask tooth(cv.w, cv.h);
            tooth.Poly({float(x), 112, float(x + 6), 112, float(x + 3), 104});
            AddPart(cv, tooth, pal::kBone, ShadeOpts{1.0f});
        }
        Mask lid = HalfShell(cv.w, cv.h, 54, hy, 50, 64, true, hx, hy, 0.62f);
        ClamShell(cv, lid, 2901, hx, hy);
        WeakCore(cv, 33, 77, 76, 96, kCoreRed);
        Bloom(cv, 55, 86, 40, kCoreRed[3], 0.3f);
    } else {
        Mask upper = HalfShell(cv.w, cv.h, 54, hy, 50, 64, true, hx, hy, 0);
        ClamShell(cv, upper, 2902, hx, hy);
        // a thin red glow through the shut lips
        for (int x = 8; x < 98; x += 3) cv.Set(x, int(hy), kCoreRed[2 + (x % 2)]);
    }
    ClamShell(cv, lower, 2903, hx, hy);
}

void OpeningClam(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(134, 197);
        ClamCell(cell, col == 1);
        cv.Blit(cell, col * 134, 0);
    }
}

// ---- boss 11: the rising hive ---------------------------------------------------------

// The hull's bands from the top: y of the band's middle and its half width.
struct Band {
    float y, half;
};
const Band kHiveBands[] = {{18, 52}, {48, 76}, {78, 94}, {108, 101}, {138, 101}, {166, 96},
                           {192, 78}, {212, 56}, {228, 30}};

// A domed hive of stacked armour rings, honeycomb ports where the flyers wait, a mouth
// at the left that fires, and a core in its middle. Broken: holes, cracks and fires,
// its bottom tip torn off.
void HiveCell(Canvas& cv, bool broken) {
    const float cx = 106;
    Rng rng(broken ? 3120 : 3110);
    int bands = broken ? 7 : 9;
    for (int i = bands - 1; i >= 0; --i) {
        const Band& b = kHiveBands[i];
        Mask ring(cv.w, cv.h);
        ring.RoundRect(cx - b.half, b.y - 16, b.half * 2, 32, 14);
        Armor(cv, ring, pal::kGold, 3100 + uint32_t(i), 6, 200);
    }
    if (broken) {
        // the torn lower edge
        Mask tear(cv.w, cv.h);
        std::vector<float> jag;
        for (int x = 16; x <= 198; x += 10) jag.push_back(float(x)), jag.push_back(float(212 + rng.Upto(8)));
        jag.insert(jag.end(), {198, 245, 16, 245});
        tear.Poly(jag);
        for (int y = 0; y < cv.h; ++y)
            for (int x = 0; x < cv.w; ++x)
                if (tear.At(x, y)) cv.Clear(x, y);
        for (int x = 16; x < 198; ++x)
            for (int y = 200; y < 222; ++y)
                if (cv.Opaque(x, y) && !cv.Opaque(x, y + 1)) cv.Set(x, y, pal::kFire[2 + (x % 3 == 0)]);
    }
    // honeycomb ports on the bands, some with a flyer's eye glowing inside
    for (int i = 1; i < bands - 1; ++i) {
        const Band& b = kHiveBands[i];
        for (float x = cx - b.half + 20; x < cx + b.half - 14; x += 22) {
            float px = x + float(i % 2) * 11;
            if (std::abs(px - cx) < 28 && b.y > 80 && b.y < 150) continue;  // the core sits there
            Mask hex(cv.w, cv.h);
            hex.Poly({px - 6, b.y, px - 3, b.y - 6, px + 3, b.y - 6, px + 6, b.y, px + 3, b.y + 6, px - 3, b.y + 6});
            Hollow(cv, hex, pal::kGold[3]);
            if (rng.Upto(2) == 0) GlowBall(cv, px, b.y, 2.5f, broken ? pal::kFire : kCoreGreen);
        }
    }
    // the mouth it fires from, and the crown vent the flyers burst out of
    Maw(cv, 22, 136, 10, 14, pal::kGunmetal);
    GlowBall(cv, 19, 137, 3, pal::kFire);
    Mask crown(cv.w, cv.h);
    crown.RoundRect(cx - 22, 2, 44, 12, 5);
    AddPart(cv, crown, pal::kGunmetal, ShadeOpts{2.0f});
    Grille(cv, int(cx) - 18, 5, 36, 7);
    WeakCore(cv, 80, 132, 100, 150, broken ? pal::kFire : kCoreRed);
    if (!broken) return;
    // scorched holes with fire in them, and cracks running down from them
    for (int k = 0; k < 10; ++k) {
        float x = 30 + float(rng.Upto(150)), y = 30 + float(rng.Upto(160));
        if (std::abs(x - cx) < 32 && y > 92 && y < 158) continue;
        Mask hole(cv.w, cv.h);
        hole.Ellipse(x, y, 5 + float(rng.Upto(7)), 4 + float(rng.Upto(5)));
        Mask body = MaskOf(cv).Eroded(3);
        hole.Intersect(body);
        Paint(cv, hole, pal::kInk);
        InnerEdge(cv, hole, pal::kFire[2]);
        GlowBall(cv, x, y + 1, 2.5f, pal::kFire);
        int px = int(x), py = int(y);
        for (int s = 0; s < 16; ++s) {
            px += rng.Upto(2) - 1;
            py += 1;
            if (body.At(px, py)) cv.Set(px, py, pal::kInk);
        }
    }
    Bloom(cv, cx, 210, 60, pal::kFire[3], 0.3f);
}

void RisingHive(Canvas& cv) {
    for (int col = 0; col < 2; ++col) {
        Canvas cell(212, 245);
        HiveCell(cell, col == 1);
        cv.Blit(cell, col * 212, 0);
    }
}

// ---- boss 13: the fading fortress -----------------------------------------------------

// Cyan phase lines: the field that lets the fortress fade, traced along a mask's rim.
void PhaseLines(Canvas& cv, const Mask& m, int inset) {
    Mask band = m.Eroded(inset);
    band.AndNot(m.Eroded(inset + 1));
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (band.At(x, y) && cv.Opaque(x, y)) cv.Set(x, y, (x + y) % 6 < 4 ? pal::kCyan[3] : pal::kCyan[2]);
}

// A dark, angular fortress: a turret crown, the main hull with the stream gun under its
// eye, a long wing beam with a gun pod at each tip, the spiral emitter below the hull,
// a lower hull and two thruster legs.
void FadingFortress(Canvas& cv) {
    // legs first, the lower hull overlaps them
    for (float lx : {104.0f, 186.0f}) {
        Mask leg(cv.w, cv.h);
        leg.Poly({lx, 236, lx + 50, 236, lx + 54, 292, lx + 40, 304, lx + 12, 304, lx - 2, 292});
        Armor(cv, leg, pal::kSteel, 3300 + uint32_t(lx), 4, 18);
        PhaseLines(cv, leg, 5);
        Mask nozzle(cv.w, cv.h);
        nozzle.RoundRect(lx + 10, 298, 32, 10, 3);
        AddPart(cv, nozzle, pal::kGunmetal, ShadeOpts{2.0f});
        for (int x = int(lx) + 14; x < int(lx) + 38; x += 4) cv.Set(x, 308, pal::kPlasma[3]);
    }
    Mask lower(cv.w, cv.h);
    lower.Poly({116, 172, 218, 172, 226, 200, 212, 242, 124, 242, 110, 200});
    Armor(cv, lower, pal::kViolet, 3302, 5, 20);
    PhaseLines(cv, lower, 6);
    // swept wings behind the wing beam, lower one in shadow
    Mask upperWing(cv.w, cv.h);
    upperWing.Poly({36, 158, 96, 112, 250, 104, 300, 124, 330, 158});
    Armor(cv, upperWing, pal::kSteel, 3308, 4, 16);
    PhaseLines(cv, upperWing, 5);
    Mask lowerWing(cv.w, cv.h);
    lowerWing.Poly({44, 170, 318, 170, 292, 196, 110, 200});
    Armor(cv, lowerWing, pal::kGunmetal, 3309, 3, 14);
    PhaseLines(cv, lowerWing, 4);
    // the wing beam, tips drawn as gun pods
    Mask wing(cv.w, cv.h);
    wing.Poly({40, 156, 322, 156, 334, 163, 322, 172, 40, 172, 28, 163});
    Armor(cv, wing, pal::kSteel, 3303, 3, 40);
    Lights(cv, 50, 164, 310, 16, pal::kCyan);
    for (float px : {24.0f, 336.0f}) {
        Mask pod(cv.w, cv.h);
        pod.Ellipse(px, 166, 16, 12);
        Armor(cv, pod, pal::kViolet, 3304 + uint32_t(px), 4, 40);
        Mask bore(cv.w, cv.h);
        bore.Circle(px, 167, 4);
        Paint(cv, bore, pal::kInk);
        GlowBall(cv, px, 167, 2.5f, kCoreBlue);
    }
    // main hull: an arrowhead pointing left, the eye and the stream gun in its face
    Mask hull(cv.w, cv.h);
    hull.Poly({96, 100, 120, 50, 210, 44, 244, 62, 244, 132, 224, 148, 110, 148});
    Armor(cv, hull, pal::kViolet, 3305, 7, 22);
    PhaseLines(cv, hull, 8);
    Vents(cv, 196, 70, 36, 40, 5);
    // a fin swept back from the brow, and a sensor strip under the eye
    Armor(cv, PolyMask(cv, {100, 98, 112, 70, 126, 62, 122, 92}), pal::kGunmetal, 3306, 2, 40);
    Lights(cv, 128, 144, 176, 8, pal::kCyan);
    WeakCore(cv, 124, 178, 84, 140, kCoreBlue);
    Barrel(cv, 152, 128, 138, 128, 5, pal::kGunmetal);
    // the crown turret on top
    Mask crown(cv.w, cv.h);
    crown.Poly({128, 48, 138, 22, 198, 20, 208, 48});
    Armor(cv, crown, pal::kSteel, 3307, 3, 40);
    Lights(cv, 144, 30, 190, 8, pal::kCyan);
    Mask antenna(cv.w, cv.h);
    antenna.Rect(166, 4, 2, 18);
    AddPart(cv, antenna, pal::kSteel, ShadeOpts{1.0f});
    cv.Set(166, 3, pal::kCyan[4]);
    // the spiral emitter under the hull
    Mask emitter(cv.w, cv.h);
    emitter.Circle(152, 184, 12);
    AddPart(cv, emitter, pal::kGunmetal, ShadeOpts{3.0f});
    Mask ring(cv.w, cv.h);
    ring.Ring(152, 184, 4, 8);
    Paint(cv, ring, pal::kCyan[2]);
    GlowBall(cv, 152, 184, 3.5f, pal::kCyan);
    Bloom(cv, 152, 184, 30, pal::kCyan[2], 0.2f);
}

}  // namespace

void AddLastColumnBossDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgEnemy260.png", BeamCarrier});
    out.push_back({"ImgEnemy261.png", CarrierCraft});
    out.push_back({"ImgEnemy290.png", OpeningClam});
    out.push_back({"ImgEnemy310.png", RisingHive});
    out.push_back({"ImgEnemy330.png", FadingFortress});
    out.push_back({"ImgEnemy331.png", [](Canvas& cv) {
                       Canvas n(362, 315);
                       FadingFortress(n);
                       cv.Blit(FlashOf(n), 0, 0);
                   }});
}
