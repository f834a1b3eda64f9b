// Full screens: the title picture and logo, the route map and its background, the ranking
// and the ending.
#include <cmath>
#include <string>

#include "pictures.h"
#include "sprite_kit.h"
#include "text.h"

namespace {

// Deep space: a vertical gradient, a dithered nebula and stars of three sizes.
void Space(Canvas& cv, uint32_t seed, const Ramp& nebula, float nebulaAmount) {
    Rng rng(seed);
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) {
            Rgb c = Mix(MakeRgb(4, 4, 16), MakeRgb(18, 8, 40), float(y) / cv.h);
            float n = Fbm(x * 0.006f, y * 0.009f, seed, 5);
            float m = Fbm(x * 0.02f + 40, y * 0.02f, seed + 9, 3);
            float v = (n - 0.45f) * 2.2f * nebulaAmount + (m - 0.5f) * 0.35f;
            if (v > 0) {
                float f = v * 3.0f + (Bayer(x, y) - 0.5f) * 0.9f;
                int i = int(std::floor(f));
                if (i >= 0) c = Mix(c, nebula[std::min(i, 2)], 0.35f + 0.15f * std::min(i, 2));
            }
            cv.Set(x, y, c);
        }
    int stars = cv.w * cv.h / 700;
    for (int i = 0; i < stars; ++i) {
        int x = rng.Upto(cv.w - 1), y = rng.Upto(cv.h - 1);
        int kind = rng.Upto(20);
        Rgb c = kind < 2 ? MakeRgb(255, 220, 180) : kind < 4 ? MakeRgb(180, 210, 255) : pal::kWhite;
        if (kind < 14) {
            cv.Set(x, y, Mix(cv.Get(x, y), c, 0.35f + 0.05f * kind));
        } else if (kind < 19) {
            cv.Set(x, y, c);
        } else {
            cv.Set(x, y, pal::kWhite);
            cv.Set(x - 1, y, Mix(c, cv.Get(x - 1, y), 0.5f));
            cv.Set(x + 1, y, Mix(c, cv.Get(x + 1, y), 0.5f));
            cv.Set(x, y - 1, Mix(c, cv.Get(x, y - 1), 0.5f));
            cv.Set(x, y + 1, Mix(c, cv.Get(x, y + 1), 0.5f));
        }
    }
}

// A planet lit from the upper left, with a rim of atmosphere and a band of cloud.
void Planet(Canvas& cv, float cx, float cy, float r, const Ramp& ramp, uint32_t seed) {
    for (int y = std::max(0, int(cy - r - 3)); y < std::min(cv.h, int(cy + r + 3)); ++y)
        for (int x = std::max(0, int(cx - r - 3)); x < std::min(cv.w, int(cx + r + 3)); ++x) {
            float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r, d2 = dx * dx + dy * dy;
            if (d2 > 1.0f) {
                float d = std::sqrt(d2);
                if ((d - 1.0f) * r < 2.5f && dx + dy < 0.4f) cv.Set(x, y, Mix(cv.Get(x, y), pal::kCyan[3], 0.5f));
                continue;
            }
            float nz = std::sqrt(1.0f - d2);
            float lit = std::max(0.0f, -0.6f * dx - 0.55f * dy + 0.58f * nz);
            float band = Fbm(dx * 3.0f, dy * 9.0f + dx * 0.8f, seed, 4);
            float t = lit * 1.1f + (band - 0.5f) * 0.5f;
            float f = t * float(ramp.Size() - 1) + (Bayer(x, y) - 0.5f) * 0.8f;
            Rgb c = ramp[int(std::floor(f + 0.5f))];
            if (nz < 0.3f && lit > 0.05f) c = Mix(c, pal::kCyan[3], (0.3f - nz) * 1.5f);
            cv.Set(x, y, c);
        }
}

void TitleBack(Canvas& cv) {
    Space(cv, 7, pal::kViolet, 1.0f);
    Planet(cv, 520, 520, 250, pal::kTeal, 21);
    Planet(cv, 596, 44, 22, pal::kOrange, 23);  // a moon clear of the logo
    // the fighter, three times its size, streaking across on a tapering plasma trail
    Canvas ship = DrawShipSprite().ScaleNearest(192, 192);
    for (int x = 0; x < 262; ++x) {
        float t = x / 262.0f;  // 0 at the far end, 1 at the nozzle
        float half = 1.0f + 9.0f * t * t;
        for (int y = int(290 - half); y <= int(290 + half); ++y) {
            float e = std::abs(y + 0.5f - 290.0f) / half;
            float v = t * (1.1f - e) + (Bayer(x, y) - 0.5f) * 0.35f;
            if (v < 0.12f) continue;
            int i = std::clamp(int(v * 5.0f), 0, 4);
            cv.Set(x, y, Mix(cv.Get(x, y), pal::kPlasma[i], std::min(1.0f, 0.35f + v)));
        }
    }
    cv.Blit(ship, 250, 200);
    // a formation of small fry far away, and streaks of speed
    Canvas fry(32, 32);
    Mask m(32, 32);
    m.Ellipse(15, 16, 10, 8);
    m.Poly({15, 10, 29, 3, 27, 11, 21, 13});
    m.Poly(Mirrored({15, 10, 29, 3, 27, 11, 21, 13}, 16));
    Paint(fry, m, MakeRgb(40, 24, 60));
    for (int k = 0; k < 5; ++k) cv.Blit(fry.ScaleNearest(16, 16), 470 + k * 28, 120 + (k % 2) * 14);
    Rng rng(99);
    for (int i = 0; i < 40; ++i) {
        int y = rng.Upto(479), x = rng.Upto(639), len = 8 + rng.Upto(30);
        for (int k = 0; k < len && x - k >= 0; ++k)
            cv.Set(x - k, y, Mix(cv.Get(x - k, y), MakeRgb(160, 190, 255), 0.5f * (1.0f - k / float(len))));
    }
}

// The logo: heavy slanted letters in 80s chrome, extruded in deep blue, with the
// side-story kanji on a red stamp and the start prompt below.
void TitleFront(Canvas& cv) {
    Mask raw = TextMask("ZORBEX", 112, true);
    // slant for speed
    Mask m(raw.w + 40, raw.h);
    for (int y = 0; y < raw.h; ++y)
        for (int x = 0; x < raw.w; ++x)
            if (raw.At(x, y)) m.Put(x + (raw.h - y) * 28 / raw.h, y, true);
    int top = m.h, bottom = 0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.At(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
    int ox = 320 - m.w / 2, oy = 70 - top;
    Canvas logo(640, 480);
    // extrusion toward the lower right
    for (int k = 9; k >= 1; --k) {
        Rgb c = Mix(MakeRgb(14, 20, 70), MakeRgb(40, 60, 160), 1.0f - k / 9.0f);
        for (int y = 0; y < m.h; ++y)
            for (int x = 0; x < m.w; ++x)
                if (m.At(x, y)) logo.Set(ox + x + k, oy + y + k, c);
    }
    // chrome face: sky above the horizon line, sunset below
    Ramp sky{{MakeRgb(70, 110, 220), MakeRgb(130, 180, 255), MakeRgb(200, 230, 255), pal::kWhite}};
    Ramp dusk{{MakeRgb(90, 30, 60), MakeRgb(200, 70, 40), MakeRgb(255, 150, 50), MakeRgb(255, 220, 120)}};
    float h = float(bottom - top);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            if (!m.At(x, y)) continue;
            float t = (y - top) / h;
            Rgb c;
            float b = Bayer(x, y) - 0.5f;
            if (t < 0.52f) c = sky[int(std::clamp((t / 0.52f) * 3.0f + b * 0.8f + 0.5f, 0.0f, 3.0f))];
            else if (t < 0.57f) c = MakeRgb(30, 20, 60);
            else c = dusk[int(std::clamp((t - 0.57f) / 0.43f * 3.0f + b * 0.8f + 0.5f, 0.0f, 3.0f))];
            logo.Set(ox + x, oy + y, c);
        }
    Outline(logo, pal::kInk);
    Outline(logo, MakeRgb(200, 220, 255));
    Outline(logo, pal::kInk);
    // glints
    for (int k = 0; k < 3; ++k) {
        int gx = ox + 60 + k * 150, gy = oy + top + 8;
        for (int d = -6; d <= 6; ++d) logo.Set(gx + d, gy, pal::kWhite), logo.Set(gx, gy + d, pal::kWhite);
    }
    cv.Blit(logo, 0, 0);
    // side-story stamp: 外伝 on a red seal, and its reading
    int sx = 452, sy = oy + bottom + 20;
    Mask seal(640, 480);
    seal.RoundRect(float(sx), float(sy), 92, 50, 6);
    AddPart(cv, seal, pal::kRed, ShadeOpts{3.0f});
    TextLook kanji;
    kanji.solid = pal::kWhite;
    kanji.outline = pal::kRed[0];
    DrawTextCentred(cv, "外伝", sx + 46, sy + 5, 40, true, kanji);
    static const Ramp subRamp{{pal::kGold[2], pal::kGold[3], pal::kGold[4], pal::kWhite}};
    TextLook sub;
    sub.fill = &subRamp;
    sub.shadow = 2;
    DrawText(cv, "GAIDEN  -  THE SIDE STORY", 120, sy + 14, 20, true, sub);
    // the game draws its menu and the keys as bound over the lower half
    TextLook small;
    small.solid = MakeRgb(170, 180, 220);
    // bottom right: the game writes the difficulty at the bottom left
    DrawText(cv, "(C) ZORBEX PROJECT", 628 - TextWidth("(C) ZORBEX PROJECT", 12, true), 462, 12, true, small);
}

void White(Canvas& cv) { cv.Fill(pal::kWhite); }

// Route map: node n of column c, row r sits at (80c, 36r - 18c + 108) in the map.
int NodeX(int c) { return 80 * c; }
int NodeY(int c, int r) { return 36 * r - 18 * c + 108; }

void Node(Canvas& cv, int c, int r, int stage, bool cleared) {
    int x = NodeX(c), y = NodeY(c, r);
    Mask plate(528, 248);
    plate.RoundRect(float(x + 2), float(y + 3), 44, 26, 6);
    const Ramp& ramp = cleared ? pal::kGold : pal::kSteel;
    ShadeOpts o;
    o.bevel = 4.0f;
    o.gradient = 0.2f;
    o.ambient = cleared ? 0.4f : 0.15f;
    AddPart(cv, plate, ramp, o);
    std::string s = std::to_string(stage);
    Mask g = PixelTextMask(s, 2);
    int tx = x + 24 - g.w / 2, ty = y + 9;
    for (int j = 0; j < g.h; ++j)
        for (int i = 0; i < g.w; ++i)
            if (g.At(i, j)) {
                cv.Set(tx + i + 1, ty + j + 1, pal::kInk);
            }
    for (int j = 0; j < g.h; ++j)
        for (int i = 0; i < g.w; ++i)
            if (g.At(i, j)) cv.Set(tx + i, ty + j, cleared ? pal::kRed[1] : pal::kWhite);
    if (cleared) {
        // a check mark in the corner: this stage is won
        Mask chk(528, 248);
        chk.Capsule(float(x + 33), float(y + 20), float(x + 37), float(y + 25), 1.4f);
        chk.Capsule(float(x + 37), float(y + 25), float(x + 45), float(y + 11), 1.4f);
        AddPart(cv, chk, pal::kRed, ShadeOpts{1.0f});
    }
}

void RouteMap(Canvas& cv, bool cleared) {
    if (!cleared) {
        // links from each node's right edge to its two successors' left edges
        for (int c = 0; c < 6; ++c)
            for (int r = 0; r <= c; ++r)
                for (int d = 0; d < 2; ++d) {
                    int x0 = NodeX(c) + 46, y0 = NodeY(c, r) + 16;
                    int x1 = NodeX(c + 1) + 2, y1 = NodeY(c + 1, r + d) + 16;
                    for (int w = -1; w <= 1; ++w) cv.Line(x0, y0 + w, x1, y1 + w, w ? pal::kInk : pal::kBlue[3]);
                    cv.Line(x0, y0, x1, y1, pal::kCyan[3]);
                }
    }
    int stage = 1;
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r <= c; ++r) Node(cv, c, r, stage++, cleared);
}

void StageSelectAllow(Canvas& cv) {
    Mask m(28, 28);
    m.Poly({2, 7, 14, 7, 14, 1, 27, 14, 14, 27, 14, 21, 2, 21});
    ShadeOpts o;
    o.bevel = 3.0f;
    o.specular = 0.1f;
    AddPart(cv, m, pal::kGold, o);
}

// The title bar of a screen: a dark band, a gold rule below it and the heading.
void TitleBar(Canvas& cv, const char* heading, int height, int textY, int size) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < 640; ++x) cv.Set(x, y, Mix(MakeRgb(26, 30, 70), MakeRgb(10, 12, 34), float(y) / (height - 1)));
    for (int x = 0; x < 640; ++x)
        cv.Set(x, height, pal::kGold[3]), cv.Set(x, height + 1, pal::kGold[1]), cv.Set(x, height + 2, pal::kInk);
    static const Ramp title{{pal::kGold[2], pal::kGold[3], pal::kGold[4], pal::kWhite}};
    TextLook t;
    t.fill = &title;
    t.shadow = 2;
    DrawTextCentred(cv, heading, 320, textY, size, true, t);
}

// A holographic chart: space, a fine grid, a title bar and the controls.
void StageSelectBack(Canvas& cv) {
    Space(cv, 31, pal::kBlue, 0.8f);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if ((x % 32 == 0 || y % 32 == 0) && y > 70) cv.Set(x, y, Mix(cv.Get(x, y), pal::kBlue[2], 0.25f));
    TitleBar(cv, "ROUTE SELECT", 64, 12, 36);
    TextLook l;
    l.solid = pal::kLabel;
    DrawTextCentred(cv, "CHOOSE YOUR NEXT BATTLEFIELD", 320, 96, 18, true, l);
    TextLook s;
    s.solid = MakeRgb(170, 180, 220);
    DrawTextCentred(cv, "UP / DOWN: CHOOSE        Z: LAUNCH", 320, 140, 14, true, s);
    // a frame around the chart area where the map is drawn
    for (int x = 36; x < 588; ++x) cv.Set(x, 194, pal::kPanelLine), cv.Set(x, 462, pal::kPanelLine);
    for (int y = 194; y <= 462; ++y) cv.Set(36, y, pal::kPanelLine), cv.Set(587, y, pal::kPanelLine);
}

// The game's window frame: a double gold rule with corner brackets and a dark, even
// inside, so what is drawn in it stays as legible as on a plain panel. The inside runs
// from left + 4 to right - 4 and from top + 4 to bottom - 4.
void GoldFrame(Canvas& cv, int left, int top, int right, int bottom) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            bool edge = y == top || y == bottom || x == left || x == right;
            bool inner = y == top + 3 || y == bottom - 3 || x == left + 3 || x == right - 3;
            bool gap = !edge && !inner && (y < top + 3 || y > bottom - 3 || x < left + 3 || x > right - 3);
            Rgb c = edge ? pal::kGold[3] : inner ? pal::kGold[1] : gap ? MakeRgb(30, 16, 10)
                                                                     : Mix(cv.Get(x, y), MakeRgb(6, 6, 20), 0.85f);
            cv.Set(x, y, c);
        }
    // corner brackets, lit from the top left
    for (int k = 0; k < 14; ++k)
        for (int t = 0; t < 3; ++t) {
            cv.Set(left - 2 + k, top - 2 + t, pal::kGold[4 - t]);
            cv.Set(left - 2 + t, top - 2 + k, pal::kGold[4 - t]);
            cv.Set(right + 2 - k, top - 2 + t, pal::kGold[3 - t]);
            cv.Set(right + 2 - t, top - 2 + k, pal::kGold[2 - t]);
            cv.Set(left - 2 + k, bottom + 2 - t, pal::kGold[2 - t]);
            cv.Set(left - 2 + t, bottom + 2 - k, pal::kGold[3 - t]);
            cv.Set(right + 2 - k, bottom + 2 - t, pal::kGold[2 - t]);
            cv.Set(right + 2 - t, bottom + 2 - k, pal::kGold[2 - t]);
        }
}

// Ranking: the table the scene draws (place digits ending at x 160, score digits from x
// 204 to 440, stage cells from 480 to 514, the new row's mark from 520 to 552, rows from
// y 85 to 391) sits in a gold frame under a heading, with its column labels above it,
// a faint band behind every other row and the way back to the title below.
void RankingBack(Canvas& cv) {
    Space(cv, 83, pal::kBlue, 0.6f);
    Planet(cv, 600, 560, 190, pal::kViolet, 87);
    TitleBar(cv, "HIGH SCORES", 48, 9, 30);
    GoldFrame(cv, 92, 80, 575, 396);
    for (int row = 0; row < 10; row += 2)
        for (int y = 86 + 30 * row; y < 116 + 30 * row; ++y)
            for (int x = 96; x <= 571; ++x) cv.Set(x, y, Mix(cv.Get(x, y), pal::kPanelLine, 0.12f));
    TextLook label;
    label.solid = pal::kLabel;
    label.shadow = 1;
    DrawTextCentred(cv, "RANK", 140, 58, 14, true, label);
    DrawTextCentred(cv, "SCORE", 322, 58, 14, true, label);
    DrawTextCentred(cv, "STAGE", 497, 58, 14, true, label);
    static const Ramp promptRamp{{pal::kCyan[2], pal::kCyan[3], pal::kCyan[4], pal::kWhite}};
    TextLook prompt;
    prompt.fill = &promptRamp;
    prompt.shadow = 2;
    DrawTextCentred(cv, "PRESS  Z  FOR THE TITLE", 320, 424, 20, true, prompt);
}

// Ending: the home planet's limb under open space, seen from orbit at no hour of the
// day, a text window in rows 63 to 188 and columns 20 to 619, and room for the route
// map below. It is shared by every ending, so it shows nothing any of them denies: no
// ship and no path, which the route map alone shows.
void Ending(Canvas& cv) {
    Space(cv, 57, pal::kMagenta, 0.7f);
    Planet(cv, 320, 1180, 800, pal::kBlue, 61);
    TitleBar(cv, "EPILOGUE", 50, 10, 30);
    GoldFrame(cv, 16, 59, 623, 192);
    for (int x = 36; x < 588; ++x) cv.Set(x, 198, pal::kPanelLine);
}

void EndingTxt(Canvas& cv) {
    // shown in every ending: nothing in them may deny what any epilogue tells
    const char* lines[5] = {"YOUR FLIGHT ENDS HERE", "THE ROUTE YOU FLEW", "SEVEN STAGES CLEARED",
                            "OTHER ROUTES, OTHER ENDINGS", "THANK YOU FOR PLAYING!"};
    static const Ramp ramp{{pal::kGold[2], pal::kGold[3], pal::kGold[4], pal::kWhite}};
    TextLook l;
    l.fill = &ramp;
    l.shadow = 1;
    for (int k = 0; k < 5; ++k) DrawTextCentred(cv, lines[k], 165, k * 28 + 4, 18, true, l);
}

}  // namespace

void AddScreenDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgTitleBack.png", TitleBack});
    out.push_back({"ImgTitleFront.png", TitleFront});
    out.push_back({"ImgWhite.png", White});
    out.push_back({"ImgStageSelectBack.png", StageSelectBack});
    out.push_back({"ImgStageSelect.png", [](Canvas& cv) { RouteMap(cv, false); }});
    out.push_back({"ImgStageSelect2.png", [](Canvas& cv) { RouteMap(cv, true); }});
    out.push_back({"ImgStageSelectAllow.png", StageSelectAllow});
    out.push_back({"ImgRankingBack.png", RankingBack});
    out.push_back({"ImgEnding.png", Ending});
    out.push_back({"ImgEndingTxt.png", EndingTxt});
}
