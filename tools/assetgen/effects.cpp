// Explosions, shot sparks and every enemy shot: warm, glowing, round, easy to see.
#include <cmath>
#include <string>

#include "pictures.h"
#include "sprite_kit.h"
#include "text.h"

namespace {

// The 96 x 96 explosion: a white flash, a fireball, then smoke that breaks up.
void Explosion(Canvas& cv) {
    for (int i = 0; i < 15; ++i) {
        Canvas cell(96, 96);
        float t = i / 14.0f;
        PaintBlast(cell, 48, 48, 46, t, 11);
        if (i < 3) {
            // the first frames: a white-hot core with short rays
            GlowBall(cell, 48, 48, 9.0f + 5 * i, Ramp{{pal::kFire[3], pal::kFire[4], pal::kFire[5], pal::kWhite}});
            for (int k = 0; k < 8; ++k) {
                float a = k * 0.785398f + 0.2f;
                float len = (k % 2 ? 16.0f : 26.0f) + 8 * i;
                for (int s = 8 + 4 * i; s < int(len); ++s) {
                    int x = int(48 + std::cos(a) * s), y = int(48 + std::sin(a) * s);
                    cell.Set(x, y, s < len * 0.7f ? pal::kFire[5] : pal::kFire[4]);
                }
            }
        }
        if (i >= 1 && i < 11) PaintSparks(cell, 48, 48, 46, (i - 1) / 10.0f, 26, 77, pal::kFire);
        cv.Blit(cell, i * 96, 0);
    }
}

// Spark left by a destroyed enemy shot: a tiny burst, six frames and an empty seventh.
void Spark(Canvas& cv) {
    for (int i = 0; i < 6; ++i) {
        Canvas cell(16, 16);
        float t = i / 5.0f;
        if (i < 2) GlowBall(cell, 8, 8, 3.5f - i, pal::kFire);
        int arms = 8;
        float reach = 2.0f + 6.0f * std::sqrt(t);
        for (int k = 0; k < arms; ++k) {
            float a = k * 6.2831853f / arms + (i % 2) * 0.39f;
            int tone = std::max(1, 5 - i);
            int x = int(8 + std::cos(a) * reach), y = int(8 + std::sin(a) * reach);
            cell.Set(x, y, pal::kFire[tone]);
            if (i < 4) cell.Set(int(8 + std::cos(a) * (reach - 1.5f)), int(8 + std::sin(a) * (reach - 1.5f)),
                                pal::kFire[tone - 1]);
        }
        cv.Blit(cell, i * 16, 0);
    }
}

}  // namespace

// A warm glowing ball: white core, yellow and orange body, a red rim and a dark line.
void DrawEnemyRoundShot(Canvas& cv, int x, int y, int size, int phase) {
    Canvas c(size, size);
    float r = size * 0.5f - 1.0f;
    Ramp warm{{pal::kFire[1], pal::kFire[2], pal::kFire[3], pal::kFire[4], pal::kFire[5], pal::kWhite}};
    float cx = size * 0.5f, cy = size * 0.5f;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i) {
            float dx = i + 0.5f - cx, dy = j + 0.5f - cy, d = std::sqrt(dx * dx + dy * dy) / r;
            if (d > 1.0f) continue;
            float t = 1.0f - d;
            if (phase) t += 0.18f;
            float f = t * 1.25f * float(warm.Size() - 1) + (Bayer(i, j) - 0.5f) * 0.7f;
            c.Set(i, j, warm[int(std::floor(f + 0.5f))]);
        }
    Outline(c, phase ? pal::kRed[1] : pal::kRed[0]);
    cv.Blit(c, x, y);
}

namespace {

void Shot000(Canvas& cv) {
    DrawEnemyRoundShot(cv, 2, 2, 12, 0);
    DrawEnemyRoundShot(cv, 16 + 1, 1, 14, 1);
}

// The big slow ball: a magenta plasma orb with a hot core and a swirling rim.
void Shot001(Canvas& cv) {
    Ramp orb{{pal::kMagenta[0], pal::kMagenta[1], pal::kMagenta[2], pal::kHot[2], pal::kHot[3], pal::kHot[4],
              pal::kWhite}};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            float dx = x + 0.5f - 32, dy = y + 0.5f - 32, d = std::sqrt(dx * dx + dy * dy);
            float a = std::atan2(dy, dx);
            float swirl = Fbm(std::cos(a * 3 + d * 0.12f) * 2 + 5, std::sin(a * 3 + d * 0.12f) * 2 + 5, 5, 3);
            float edge = 26.0f + 4.0f * swirl;
            if (d > edge) continue;
            float t = 1.0f - d / edge * 0.9f + (swirl - 0.5f) * 0.35f;
            float f = t * float(orb.Size() - 1) + (Bayer(x, y) - 0.5f) * 0.8f;
            cv.Set(x, y, orb[int(std::floor(f + 0.5f))]);
        }
    Outline(cv, pal::kInk);
}

void Shot002(Canvas& cv) { DrawEnemyRoundShot(cv, 5, 5, 22, 0); }

// A laser bolt flying left: bright head at the left, red body fading to the right.
void Shot003(Canvas& cv) {
    Mask m(64, 16);
    m.Capsule(8, 8, 60, 8, 4.0f);
    m.Ellipse(10, 8, 7, 6);
    PaintTone(cv, m, pal::kHot, [](int x, int y) {
        float dy = std::abs(y + 0.5f - 8.0f) / 6.0f;
        return std::clamp(1.1f - dy - (x - 6) / 64.0f * 0.7f, 0.0f, 1.0f);
    });
    Outline(cv, pal::kRed[0]);
}

// Warning sign of the beams, cell 0: a band of energy with a white-hot core and hot rims,
// rippling with a period that divides the cell, and a hazard mark in the core.
void BeamSign(Canvas& cv, bool vertical) {
    const Ramp beam{{pal::kRed[0], pal::kRed[1], pal::kRed[2], pal::kHot[1], pal::kHot[2], pal::kHot[3],
                     pal::kHot[4]}};
    constexpr float kTau = 6.2831853f;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            int across = vertical ? x : y;  // distance across the band
            int along = vertical ? y : x;
            float e = std::abs(across + 0.5f - 64.0f) / 64.0f;  // 0 at the core, 1 at the rims
            float ripple = 0.5f * std::sin(kTau * (along / 64.0f + e * 0.8f)) +
                           0.3f * std::sin(kTau * (along / 32.0f - e * 1.7f));
            float t = 1.0f - e * 0.9f + ripple * 0.12f * e;
            if (e > 0.82f && e < 0.92f) t = 0.9f;  // the hot rim of the band
            if (e >= 0.92f) t = 0.2f - (e - 0.92f);
            float f = t * float(beam.Size() - 1) + (Bayer(x, y) - 0.5f) * 0.7f;
            int i = std::clamp(int(std::floor(f + 0.5f)), 0, beam.Size() - 1);
            cv.Set(x, y, beam[i]);
        }
    // hazard mark: a small black-rimmed gold triangle with its bang
    Mask tri(128, 128);
    tri.Poly({64, 44, 86, 82, 42, 82});
    Mask inner(128, 128);
    inner.Poly({64, 51, 79, 78, 49, 78});
    Paint(cv, tri, pal::kInk);
    Shade(cv, inner, pal::kGold, ShadeOpts{3.0f});
    Mask bang(128, 128);
    bang.RoundRect(62, 57, 5, 12, 2);
    bang.Circle(64.5f, 73, 2.5f);
    Paint(cv, bang, pal::kInk);
}

// One block of a fired beam, cells 1 and on, one per shimmer frame: a white-hot core, a
// hot glow falling off towards the rims and thinning into a haze the player's shots show
// through, and rims that wander from frame to frame. Along the beam everything repeats
// with the block's length, so blocks drawn in the same frame join into one beam.
void BeamBlock(Canvas& cv, int ox, bool vertical, int frame) {
    const Ramp glow{{pal::kRed[1], pal::kHot[1], pal::kHot[2], pal::kHot[3], pal::kHot[4], pal::kWhite}};
    constexpr float kTau = 6.2831853f;
    Rng rng(700 + uint64_t(frame));
    float phase[2][3], flow = rng.Unit();
    for (auto& side : phase)
        for (float& p : side) p = rng.Unit() * kTau;
    for (int along = 0; along < 128; ++along) {
        const float u = along / 128.0f;
        for (int across = 0; across < 128; ++across) {
            const int side = across < 64 ? 0 : 1;
            // the rim: whole numbers of waves per block, their phases new in every frame
            const float wave = 0.5f * std::sin(kTau * 3 * u + phase[side][0]) +
                               0.3f * std::sin(kTau * 5 * u + phase[side][1]) +
                               0.2f * std::sin(kTau * 11 * u + phase[side][2]);
            const float rim = 0.92f + 0.045f * wave;
            const float e = std::abs(across + 0.5f - 64.0f) / 64.0f / rim;  // 1 on the rim
            const int x = vertical ? across : along, y = vertical ? along : across;
            if (e > 1.0f) continue;
            Rgb c;
            if (e > 0.965f) {
                c = pal::kHot[3];  // the rim line
            } else {
                // streaks flowing along the beam in the glow, moving on every frame
                const float streak = 0.06f * std::sin(kTau * (4 * u + flow) + e * 9.0f);
                const float t = std::clamp(1.08f - e * 1.05f + streak * e, 0.0f, 1.0f);
                const float f = t * float(glow.Size() - 1) + (Bayer(x, y) - 0.5f) * 0.8f;
                c = glow[std::clamp(int(std::floor(f + 0.5f)), 0, glow.Size() - 1)];
                // the haze: solid up to the middle of the glow, then ever thinner
                const float density = e < 0.45f ? 1.0f : 1.0f - (e - 0.45f) / 0.52f * 0.7f;
                if (Bayer(x + frame, y + frame * 2) >= density) continue;
            }
            cv.Set(ox + x, y, c);
        }
    }
}

// The beam picture: the sign, then the block in each shimmer frame.
void Beam(Canvas& cv, bool vertical) {
    BeamSign(cv, vertical);
    for (int f = 0; f < cv.w / 128 - 1; ++f) BeamBlock(cv, 128 * (f + 1), vertical, f);
}

// The thrown bomb: a heavy iron shell with glowing seams and a burning fuse.
void Shot006(Canvas& cv) {
    Ball(cv, 43, 44, 27, pal::kGunmetal, true);
    Mask band(86, 84);
    band.Ellipse(43, 44, 27, 7);
    Mask ball(86, 84);
    ball.Circle(43, 44, 27);
    band.Intersect(ball);
    Shade(cv, band, pal::kRed, ShadeOpts{3.0f});
    for (int k = 0; k < 6; ++k) {
        float a = k * 1.0472f;
        int x = int(43 + std::cos(a) * 20), y = int(44 + std::sin(a) * 20);
        Mask spike(86, 84);
        spike.Poly({float(x) - 3, float(y), float(43 + std::cos(a) * 33), float(44 + std::sin(a) * 33),
                    float(x) + 3, float(y)});
        AddPart(cv, spike, pal::kSteel, ShadeOpts{1.5f});
    }
    GlowBall(cv, 43, 44, 6, pal::kFire);
    // fuse glow on top
    GlowBall(cv, 52, 15, 5, pal::kFire);
    Outline(cv, pal::kInk);
}

// Small spray pellet: a warm teardrop pointing down the flight.
void Shot007(Canvas& cv) {
    Mask m(16, 18);
    m.Circle(8, 10, 5.5f);
    m.Poly({4, 9, 8, 1.5f, 12, 9});
    Canvas c(16, 18);
    PaintTone(c, m, pal::kFire, [](int x, int y) {
        float dx = (x + 0.5f - 7.0f) / 6.0f, dy = (y + 0.5f - 9.0f) / 7.0f;
        return std::clamp(1.05f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
    });
    Outline(c, pal::kRed[0]);
    cv.Blit(c, 0, 0);
}

// Blast segment: a ground-shaking fire burst that flickers in, burns, and fades.
void Shot008(Canvas& cv) {
    for (int i = 0; i < 19; ++i) {
        Canvas cell(32, 32);
        if (i < 3) {
            // arming: a flicker of sparks where the blast will be
            PaintSparks(cell, 16, 16, 6 + i * 3, 0.5f, 10, 60 + i, pal::kFire);
            GlowBall(cell, 16, 16, 2.0f + i, pal::kFire);
        } else {
            float t = (i - 3) / 15.0f;
            PaintBlast(cell, 16, 16, 15.5f, 0.05f + 0.9f * t, 200 + i % 4);
        }
        cv.Blit(cell, i * 32, 0);
    }
}

// Needle: hot pink with a white point; points right, the game turns it.
void Shot009(Canvas& cv) {
    for (int x = 0; x < 24; ++x) {
        float t = x / 23.0f;
        int half = x > 18 ? 1 : (x > 2 ? 2 : 1);
        for (int y = 3 - half; y < 3 + half; ++y) {
            float e = std::abs(y + 0.5f - 3.0f) / 2.0f;
            int tone = std::clamp(int((t * 0.8f + (1 - e) * 0.5f) * 4.0f + 0.5f), 0, 4);
            cv.Set(x, y, pal::kHot[tone]);
        }
    }
    cv.Set(23, 2, pal::kWhite);
    cv.Set(23, 3, pal::kWhite);
    cv.Set(0, 2, pal::kRed[0]);
    cv.Set(0, 3, pal::kRed[0]);
}

}  // namespace

void AddEffectDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgBomb00.png", Explosion});
    out.push_back({"ImgEnemyShotAfter00.png", Spark});
    out.push_back({"ImgEnemyShot000.png", Shot000});
    out.push_back({"ImgEnemyShot001.png", Shot001});
    out.push_back({"ImgEnemyShot002.png", Shot002});
    out.push_back({"ImgEnemyShot003.png", Shot003});
    out.push_back({"ImgEnemyShot005.png", [](Canvas& cv) { Beam(cv, false); }});
    out.push_back({"ImgEnemyShot006.png", Shot006});
    out.push_back({"ImgEnemyShot007.png", Shot007});
    out.push_back({"ImgEnemyShot008.png", Shot008});
    out.push_back({"ImgEnemyShot009.png", Shot009});
    out.push_back({"ImgEnemyShot010.png", [](Canvas& cv) { Beam(cv, true); }});
}
