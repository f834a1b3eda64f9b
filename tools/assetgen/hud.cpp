// The HUD and the boss-sequence overlays: digits, header, gauge pip, stage plates,
// clear banner, final tally panel, game-over prompt and the warnings.
#include <cmath>
#include <cstdio>
#include <string>

#include "pictures.h"
#include "sprite_kit.h"
#include "text.h"

namespace {

// 3 x 5 digit shapes for the small score digits.
const char* kDigits3x5[10] = {"###" "# #" "# #" "# #" "###", " # " "## " " # " " # " "###",
                              "###" "  #" "###" "#  " "###", "###" "  #" " ##" "  #" "###",
                              "# #" "# #" "###" "  #" "  #", "###" "#  " "###" "  #" "###",
                              "###" "#  " "###" "# #" "###", "###" "  #" " # " " # " " # ",
                              "###" "# #" "###" "# #" "###", "###" "# #" "###" "  #" "###"};

// A gradient-filled glyph mask with a dark outline, drawn into a cell.
void GlyphInto(Canvas& cv, const Mask& m, int x, int y, const Ramp& ramp) {
    Canvas layer(cv.w, cv.h);
    int top = 0, bottom = m.h - 1;
    for (int j = 0; j < m.h; ++j)
        for (int i = 0; i < m.w; ++i) {
            if (!m.At(i, j)) continue;
            float t = 1.0f - float(j - top) / float(bottom - top);
            int n = ramp.Size();
            layer.Set(x + i, y + j, ramp[int(t * (n - 1) + 0.5f)]);
        }
    Outline(layer, pal::kInk);
    cv.Blit(layer, 0, 0);
}

const Ramp kDigitRamp{{MakeRgb(110, 170, 255), MakeRgb(170, 210, 255), MakeRgb(225, 240, 255), pal::kWhite}};
const Ramp kGoldText{{pal::kOrange[2], pal::kGold[2], pal::kGold[3], pal::kGold[4], pal::kWhite}};
const Ramp kRedText{{pal::kRed[1], pal::kRed[2], pal::kRed[3], pal::kOrange[4], pal::kWhite}};

void NumberSmall(Canvas& cv) {
    for (int d = 0; d < 10; ++d) {
        Mask m(6, 10);
        for (int j = 0; j < 5; ++j)
            for (int i = 0; i < 3; ++i)
                if (kDigits3x5[d][j * 3 + i] == '#') m.Rect(float(i * 2), float(j * 2), 2, 2);
        GlyphInto(cv, m, d * 12 + 3, 1, kDigitRamp);
    }
}

void NumberMiddle(Canvas& cv) {
    for (int d = 0; d < 10; ++d) {
        // an open zero: the slashed one reads as 9 at this size
        Mask g = PixelTextMask(std::string(1, d == 0 ? 'O' : char('0' + d)), 1);
        // 5 x 7 glyph stretched to 15 x 19: chunky, with room for the outline
        Mask m(15, 19);
        for (int j = 0; j < 19; ++j)
            for (int i = 0; i < 15; ++i) m.Put(i, j, g.At(i / 3, j * 7 / 19));
        GlyphInto(cv, m, d * 20 + 2, 1, kGoldText);
    }
}

// A recessed well in a panel, where the game draws a value.
void Well(Canvas& cv, int x, int y, int w, int h) {
    cv.FillRect(x, y, w, h, MakeRgb(4, 6, 16));
    for (int i = x; i < x + w; ++i) cv.Set(i, y, MakeRgb(0, 0, 6)), cv.Set(i, y + h - 1, pal::kPanelLine);
    for (int j = y; j < y + h; ++j) cv.Set(x, j, MakeRgb(0, 0, 6)), cv.Set(x + w - 1, j, pal::kPanelLine);
}

// A gauge's badge: a capsule in the item's colour with its initial at full 5 x 7
// size (the item icon scaled to this size loses its letter).
void GaugeBadge(Canvas& cv, int x, int y, const Ramp& ramp, char initial) {
    Canvas badge(18, 14);
    Mask shell(18, 14);
    shell.RoundRect(1, 1, 16, 12, 5);
    Shade(badge, shell, ramp, ShadeOpts{3.0f});
    Outline(badge, pal::kInk);
    Mask t = PixelTextMask(std::string(1, initial), 1);
    Canvas letter(18, 14);
    for (int j = 0; j < t.h; ++j)
        for (int i = 0; i < t.w; ++i)
            if (t.At(i, j)) letter.Set(7 + i - t.w / 2 + 2, 3 + j, pal::kWhite);
    Outline(letter, pal::kInk);
    badge.Blit(letter, 0, 0);
    cv.Blit(badge, x, y);
}

// The header strip: a dark bevelled panel with labelled wells for score, ships,
// the three item gauges, bombs and the stage plate.
void Header(Canvas& cv) {
    for (int y = 0; y < 44; ++y) {
        Rgb c = Mix(MakeRgb(26, 30, 64), MakeRgb(10, 12, 30), y / 43.0f);
        for (int x = 0; x < 640; ++x) cv.Set(x, y, c);
    }
    for (int x = 0; x < 640; ++x) {
        cv.Set(x, 0, MakeRgb(70, 84, 140));
        cv.Set(x, 41, pal::kPanelLine);
        cv.Set(x, 42, MakeRgb(150, 170, 230));
        cv.Set(x, 43, pal::kInk);
    }
    Rgb label = pal::kLabel;
    // score
    DrawPixelText(cv, "SCORE", 44, 18, 1, label);
    Well(cv, 89, 12, 126, 18);
    // ships in reserve: a small fighter beside the digit
    Canvas ship = DrawShipSprite().Crop(0, 6, 64, 48).ScaleNearest(26, 20);
    cv.Blit(ship, 236, 12);
    Well(cv, 265, 9, 26, 26);
    // the three gauges: three sockets each, labelled in the colour of their item
    const char* names[3] = {"SHOT", "MSL", "ARM"};
    const Ramp* colours[3] = {&pal::kBlue, &pal::kOrange, &pal::kTeal};
    for (int g = 0; g < 3; ++g) {
        int x = 340 + g * 74;
        for (int k = 0; k < 3; ++k) Well(cv, x - 1, 26 - 9 * k - 1, 24, 10);
        DrawPixelText(cv, names[g], x + 27, 10, 1, (*colours[g])[3]);
        GaugeBadge(cv, x + 26, 20, *colours[g], names[g][0]);
    }
    // bombs
    Mask bomb(640, 44);
    bomb.Circle(549, 24, 7);
    Canvas b(640, 44);
    Shade(b, bomb, pal::kRed, ShadeOpts{6.0f, -0.55f, -0.65f, 0.3f, 0.75f, 0.0f, 0.3f, 0.1f, 0});
    Outline(b, pal::kInk);
    cv.Blit(b, 0, 0);
    cv.Line(553, 16, 556, 12, pal::kGold[3]);
    cv.Set(557, 11, pal::kFire[5]);
    Well(cv, 562, 9, 26, 26);
    // stage plate
    DrawPixelText(cv, "STAGE", 602, 4, 1, label);
    Well(cv, 597, 12, 38, 28);
    // dividers
    for (int x : {225, 328, 534, 592})
        for (int y = 6; y < 38; ++y) cv.Set(x, y, (y % 2) ? pal::kPanelLine : MakeRgb(20, 24, 52));
}

// One pip of an item gauge: a glowing energy cell.
void PowerGauge(Canvas& cv) {
    Mask m(22, 8);
    m.RoundRect(1, 1, 20, 6, 2);
    Shade(cv, m, pal::kCyan, ShadeOpts{2.0f, -0.55f, -0.65f, 0.5f, 0.7f, 0.0f, 0.2f, 0.15f, 0});
    Outline(cv, pal::kBlue[0]);
}

// Stage plates: a bevelled plate per stage, tinted by its column of the route map.
void StageNumber(Canvas& cv) {
    const Ramp* colours[7] = {&pal::kBlue, &pal::kTeal, &pal::kOlive, &pal::kGold, &pal::kOrange, &pal::kMagenta, &pal::kRed};
    int stage = 1;
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r <= c; ++r, ++stage) {
            int y = (stage - 1) * 24;
            Mask plate(34, 24 * 28);
            plate.RoundRect(1, float(y + 1), 32, 22, 4);
            Canvas layer(34, 24 * 28);
            Shade(layer, plate, *colours[c], ShadeOpts{3.0f, -0.55f, -0.65f, 0.12f, 0.5f, 0.2f, 0.2f, 0, 0});
            Outline(layer, pal::kInk);
            std::string s = std::to_string(stage);
            Mask g = PixelTextMask(s, 2);
            int x = 17 - g.w / 2;
            for (int j = 0; j < g.h; ++j)
                for (int i = 0; i < g.w; ++i)
                    if (g.At(i, j)) {
                        layer.Set(x + i + 1, y + 5 + j + 1, pal::kInk);
                    }
            for (int j = 0; j < g.h; ++j)
                for (int i = 0; i < g.w; ++i)
                    if (g.At(i, j)) layer.Set(x + i, y + 5 + j, j < 7 ? pal::kWhite : MakeRgb(220, 228, 255));
            cv.Blit(layer, 0, 0);
        }
}

// A dark plate with a gold rim, the frame of every overlay.
void PanelBox(Canvas& cv, int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            Rgb c = Mix(MakeRgb(20, 22, 52), MakeRgb(8, 8, 24), float(j - y) / float(h));
            cv.Set(i, j, c);
        }
    for (int i = x; i < x + w; ++i) {
        cv.Set(i, y, pal::kGold[3]);
        cv.Set(i, y + 1, pal::kGold[1]);
        cv.Set(i, y + h - 2, pal::kGold[1]);
        cv.Set(i, y + h - 1, pal::kGold[0]);
    }
    for (int j = y; j < y + h; ++j) {
        cv.Set(x, j, pal::kGold[2]);
        cv.Set(x + w - 1, j, pal::kGold[0]);
    }
}

TextLook Look(const Ramp& r, int shadow = 1) {
    TextLook l;
    l.fill = &r;
    l.shadow = shadow;
    return l;
}

// Stage-clear banner: "STAGE [plate] CLEAR!" with a line under it.
void ClearBack(Canvas& cv) {
    PanelBox(cv, 0, 0, 320, 40);
    // the stage plate (34 x 24) lands at x 50, one pixel above the banner: it sits in a
    // socket cut into the top border, so the border ends on either side of it
    for (int j = 0; j < 27; ++j)
        for (int i = 48; i < 86; ++i) cv.Set(i, j, MakeRgb(6, 6, 18));
    for (int j = 0; j < 27; ++j) cv.Set(47, j, pal::kGold[3]), cv.Set(86, j, pal::kGold[0]);
    for (int i = 47; i < 87; ++i) cv.Set(i, 26, pal::kGold[1]);
    int size = 15;
    while (size > 9 && TextWidth("STAGE", size, true) > 40) --size;
    DrawText(cv, "STAGE", 44 - TextWidth("STAGE", size, true), 14 - size / 2, size, true, Look(kDigitRamp));
    DrawText(cv, "CLEAR!", 96, 5, 22, true, Look(kGoldText));
    // the right of the banner: the subtitle in the game's own bold face, behind chevrons
    TextLook sub;
    sub.solid = pal::kLabel;
    DrawTextCentred(cv, "MISSION", 264, 7, 10, true, sub);
    DrawTextCentred(cv, "ACCOMPLISHED", 264, 21, 10, true, sub);
    for (int k = 0; k < 3; ++k) {
        Mask chev(320, 44);
        float x = 190.0f + k * 7;
        chev.Poly({x, 12, x + 4, 12, x + 9, 20, x + 4, 28, x, 28, x + 5, 20});
        AddPart(cv, chev, pal::kGold, ShadeOpts{1.5f});
    }
    for (int i = 96; i < 184; ++i) cv.Set(i, 32, pal::kGold[2]), cv.Set(i, 33, pal::kGold[0]);
}

// Final tally panel: four labelled rows around the places the game prints its numbers.
void ClearBack2(Canvas& cv) {
    PanelBox(cv, 28, 140, 330, 292);
    DrawTextCentred(cv, "FINAL BONUS", 193, 150, 24, true, Look(kGoldText, 2));
    for (int i = 44; i < 342; ++i) cv.Set(i, 186, pal::kGold[1]);
    TextLook lab = Look(kDigitRamp);
    TextLook dim;
    dim.solid = pal::kLabel;
    auto row = [&](const char* name, int countX, int countY, int numberY, const char* rate) {
        DrawText(cv, name, 48, countY - 2, 14, true, lab);
        Well(cv, countX - 2, countY - 2, 16, 16);
        DrawText(cv, rate, countX + 18, countY, 11, false, dim);
        DrawText(cv, "+", 104, numberY - 1, 14, true, lab);
        Well(cv, 121, numberY - 2, 90, 16);
        DrawText(cv, "PTS", 216, numberY, 11, false, dim);
    };
    row("SHIPS LEFT", 220, 204, 224, "x 1000000");
    row("BOMBS LEFT", 236, 262, 282, "x 300000");
    row("SECRET", 148, 320, 340, "x 3000000");
    for (int i = 44; i < 342; ++i) cv.Set(i, 376, pal::kGold[2]), cv.Set(i, 377, pal::kGold[0]);
    DrawText(cv, "TOTAL", 48, 396, 16, true, Look(kGoldText));
    Well(cv, 121, 396, 90, 16);
    DrawText(cv, "PTS", 216, 398, 11, false, dim);
}

// Game over: the title and the two choices the player has.
void GameOver(Canvas& cv) {
    PanelBox(cv, 0, 0, 192, 72);
    DrawTextCentred(cv, "GAME OVER", 96, 6, 28, true, Look(kRedText, 2));
    for (int i = 14; i < 178; ++i) cv.Set(i, 42, pal::kGold[1]);
    TextLook t;
    t.solid = pal::kWhite;
    DrawTextCentred(cv, "C: continue  /  Z: give up", 96, 49, 13, true, t);
}

// Warning frame: hazard bars, a big WARNING and an empty band for the boss's name.
void WarningBack(Canvas& cv) {
    auto hazard = [&](int y0, int h) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = 0; x < 320; ++x) {
                bool stripe = ((x + y) / 10) % 2 == 0;
                cv.Set(x, y, stripe ? pal::kGold[3] : pal::kInk);
            }
        for (int x = 0; x < 320; ++x) cv.Set(x, y0, pal::kInk), cv.Set(x, y0 + h - 1, pal::kInk);
    };
    hazard(0, 14);
    hazard(226, 14);
    // WARNING on a dark red plate
    for (int y = 18; y < 86; ++y)
        for (int x = 10; x < 310; ++x) cv.Set(x, y, Mix(MakeRgb(90, 8, 22), MakeRgb(40, 4, 14), (y - 18) / 68.0f));
    for (int x = 10; x < 310; ++x) cv.Set(x, 18, pal::kRed[3]), cv.Set(x, 85, pal::kRed[0]);
    for (int y = 18; y < 86; ++y) cv.Set(10, y, pal::kRed[3]), cv.Set(309, y, pal::kRed[0]);
    TextLook w = Look(kRedText, 2);
    w.outline = pal::kInk;
    DrawTextCentred(cv, "WARNING", 160, 22, 50, true, w);
    TextLook sub;
    sub.solid = pal::kGold[4];
    DrawTextCentred(cv, "A HUGE ENEMY IS APPROACHING FAST", 160, 92, 13, true, sub);
    // name band frame (the name itself is a picture of its own, drawn at y 112)
    for (int x = 0; x < 320; ++x) cv.Set(x, 110, pal::kRed[2]), cv.Set(x, 153, pal::kRed[2]);
    TextLook sub2;
    sub2.solid = pal::kLabel;
    DrawTextCentred(cv, "ALL FIGHTERS: ENGAGE AND DESTROY", 160, 200, 12, true, sub2);
    for (int k = 0; k < 5; ++k) {
        Mask chev(320, 240);
        float x = 36.0f + k * 62;
        chev.Poly({x, 166, x + 16, 166, x + 28, 180, x + 16, 194, x, 194, x + 12, 180});
        AddPart(cv, chev, pal::kRed, ShadeOpts{2.0f});
    }
}

void Warning(Canvas& cv, int index) {
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 320; ++x) cv.Set(x, y, Mix(MakeRgb(60, 6, 18), MakeRgb(24, 2, 10), y / 39.0f));
    for (int x = 0; x < 320; ++x) cv.Set(x, 0, pal::kRed[3]), cv.Set(x, 39, pal::kRed[0]);
    std::string name = BossName(index);
    int size = 22;
    while (size > 12 && TextWidth(name, size, true) > 290) --size;
    static const Ramp bright{{pal::kGold[3], pal::kGold[4], pal::kWhite, pal::kWhite}};
    TextLook l = Look(bright, 2);
    DrawTextCentred(cv, name, 160, 20 - size / 2 - 1, size, true, l);
}

}  // namespace

const char* BossName(int index) {
    static const char* names[17] = {
        "DESCENDING FORTRESS", "CHARGING CARRIER", "WALKING BATTLESHIP", "ROAMING GUNBOAT",
        "HIDDEN-CORE CARRIER", "RAIL AND ESCORTS", "BEAM CARRIER", "BOMB THROWER",
        "SHELL LAUNCHER", "OPENING CLAM", "GUN TOWER", "RISING HIVE",
        "DASHING CRUISER", "FADING FORTRESS", "ARMOURED FORTRESS", "DASHING CRUISER MK-II",
        "GRID CORE",
    };
    return index >= 0 && index < 17 ? names[index] : "UNKNOWN";
}

void AddHudDrawers(std::vector<DrawerEntry>& out) {
    out.push_back({"ImgNumberSmall.png", NumberSmall});
    out.push_back({"ImgNumberMiddle.png", NumberMiddle});
    out.push_back({"ImgHeader.png", Header});
    out.push_back({"ImgPowerGauge.png", PowerGauge});
    out.push_back({"ImgStageNumber.png", StageNumber});
    out.push_back({"ImgClearBack.png", ClearBack});
    out.push_back({"ImgClearBack2.png", ClearBack2});
    out.push_back({"ImgGameOver.png", GameOver});
    out.push_back({"ImgWarningBack.png", WarningBack});
    for (int i = 0; i < 17; ++i) {
        char file[32];
        std::snprintf(file, sizeof file, "ImgWarning%02d.png", i);
        out.push_back({file, [i](Canvas& cv) { Warning(cv, i); }});
    }
}
