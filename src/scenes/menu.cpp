// The menu kit: the cursor, the values, the sounds and the look shared by every menu.
#include "scenes/menu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/front_end.h"
#include "shell/language.h"

constexpr int kCursorIndent = 22;  // the marker sits left of the label
constexpr int kPanelDark = 48;      // the panel's dark blue
constexpr int kPanelOpacity = 215;  // what is behind it shows through a little

bool MenuEntryShown(const MenuEntry& e) { return !e.shown || e.shown(); }

const MenuEntry& MenuCurrent(const Menu& menu) { return menu.entries[menu.cursor]; }

void MenuCursorToFirst(Menu* menu) {
    menu->cursor = 0;
    while (menu->cursor < menu->count - 1 && !MenuEntryShown(menu->entries[menu->cursor])) menu->cursor++;
}

// The next shown entry in direction `step`, wrapping round.
static void MoveCursor(Menu* menu, int step) {
    for (int tries = 0; tries < menu->count; tries++) {
        menu->cursor = (menu->cursor + step + menu->count) % menu->count;
        if (MenuEntryShown(menu->entries[menu->cursor])) return;
    }
}

MenuEvent RunMenu(Menu* menu, const MenuInput& in) {
    if (menu->count <= 0) return MenuNothing;
    if (!MenuEntryShown(menu->entries[menu->cursor])) MoveCursor(menu, 1);
    if (in.back) {
        PlayMenuConfirmSound();
        return MenuLeft;
    }
    if (in.up != in.down) {
        MoveCursor(menu, in.up ? -1 : 1);
        PlayMenuMoveSound();
        return MenuMoved;
    }
    const MenuEntry& e = menu->entries[menu->cursor];
    if ((e.kind == MenuNumber || e.kind == MenuChoice) && e.value && in.left != in.right) {
        const int32_t was = *e.value;
        int32_t v = was < e.low ? e.low : was > e.high ? e.high : was;
        v += in.right ? 1 : -1;
        if (v < e.low || v > e.high) return MenuNothing;  // at the end of its range
        *e.value = v;
        PlayMenuMoveSound();
        return MenuChanged;
    }
    if (!in.fire) return MenuNothing;
    PlayMenuConfirmSound();
    switch (e.kind) {
    case MenuBack: return MenuLeft;
    case MenuAction:
    case MenuOpen: return MenuChosen;
    case MenuChoice:
    case MenuNumber:
        // fire steps a value round, so a pad without left and right still reaches them all
        if (!e.value) return MenuNothing;
        *e.value = *e.value >= e.high || *e.value < e.low ? e.low : *e.value + 1;
        return MenuChanged;
    }
    return MenuNothing;
}

static void ValueText(const MenuEntry& e, char* out, int size) {
    out[0] = '\0';
    if (e.valueText) {
        std::snprintf(out, size_t(size), "%s", e.valueText(e));
    } else if (e.kind == MenuNumber && e.value) {
        std::snprintf(out, size_t(size), "%d", int(*e.value));
    } else if (e.kind == MenuChoice && e.value && e.choices) {
        const int32_t v = *e.value < e.low || *e.value > e.high ? e.low : *e.value;
        std::snprintf(out, size_t(size), "%s", Tr(e.choices[v - e.low]));
    }
}

void DrawMenu(const Menu& menu, int x, int y, int valueX) {
    for (int i = 0; i < menu.count; i++) {
        const MenuEntry& e = menu.entries[i];
        if (!MenuEntryShown(e)) continue;
        const bool current = i == menu.cursor;
        const int r = current ? 255 : 170, g = current ? 230 : 180, b = current ? 90 : 210;
        const char* label = Tr(e.label);
        const int lx = x >= 0 ? x : (640 - MeasureGlyphText(label)) / 2;
        if (current) DrawGlyphText(lx - kCursorIndent, y, "→", 255, 230, 90);
        DrawGlyphText(lx, y, label, r, g, b);
        if (valueX > 0) {
            char value[96];
            ValueText(e, value, sizeof value);
            if (value[0]) {
                const bool ranged = e.kind == MenuNumber || e.kind == MenuChoice;
                char shown[112];
                std::snprintf(shown, sizeof shown, ranged && current ? "← %s →" : "%s", value);
                DrawGlyphText(valueX, y, shown, r, g, b);
            }
        }
        y += kMenuLineHeight;
    }
}

void DrawPlainText(int x, int y, const char* utf8, int r, int g, int b) { DrawGlyphText(x, y, utf8, r, g, b); }

// Where a line may break before the character at p: after a space, or before and after a
// character of the CJK ranges (Japanese breaks between characters, except before its
// closing punctuation).
static bool BreakBefore(const char* start, const char* p) {
    if (p == start) return false;
    const unsigned char c = static_cast<unsigned char>(*p);
    const unsigned char before = static_cast<unsigned char>(p[-1]);
    if (before == ' ') return true;
    const bool wide = c >= 0xE3 && c <= 0xEF;  // U+3000 and up, as UTF-8 lead bytes
    if (wide && (std::strncmp(p, "、", 3) == 0 || std::strncmp(p, "。", 3) == 0 || std::strncmp(p, "」", 3) == 0 ||
                 std::strncmp(p, "ー", 3) == 0))
        return false;
    if (wide) return true;
    // after a wide character: the previous one began at most three bytes back
    return p - start >= 3 && static_cast<unsigned char>(p[-3]) >= 0xE3 && static_cast<unsigned char>(p[-3]) <= 0xEF &&
           (c & 0xC0) != 0x80;
}

int DrawTextWrapped(int x, int y, int width, int lineStep, const char* utf8, int r, int g, int b) {
    char line[512];
    const char* p = utf8;
    int lines = 0;
    while (*p) {
        while (*p == ' ') p++;
        if (!*p) break;
        // the longest run from p that fits, ending at a break
        const char* end = p;
        const char* fit = nullptr;
        for (const char* q = p + 1;; q++) {
            if (*q && (static_cast<unsigned char>(*q) & 0xC0) == 0x80) continue;  // inside a character
            if (*q && !BreakBefore(p, q)) continue;
            const size_t n = std::min(size_t(q - p), sizeof line - 1);
            std::memcpy(line, p, n);
            line[n] = '\0';
            if (MeasureGlyphText(line) > width && fit) break;
            fit = q;
            if (!*q) break;
        }
        end = fit ? fit : p + std::strlen(p);
        const size_t n = std::min(size_t(end - p), sizeof line - 1);
        std::memcpy(line, p, n);
        line[n] = '\0';
        DrawGlyphText(x, y + lines * lineStep, line, r, g, b);
        lines++;
        p = end;
    }
    return lines;
}

void DrawMenuText(int x, int y, const char* msgid, int r, int g, int b) { DrawGlyphText(x, y, Tr(msgid), r, g, b); }

void DrawMenuTextCentred(int cx, int y, const char* msgid, int r, int g, int b) {
    const char* text = Tr(msgid);
    DrawGlyphText(cx - MeasureGlyphText(text) / 2, y, text, r, g, b);
}

void DrawMenuPanel(int x, int y, int w, int h) {
    SetTint(kPanelDark / 4, kPanelDark / 4, kPanelDark);
    SetBlend(1, kPanelOpacity);
    DrawImageStretched(x, y, x + w, y + h, ImgWhite, 0);
    SetBlend(0, 0);
    SetTint(120, 130, 200);
    DrawImageStretched(x, y, x + w, y + 1, ImgWhite, 0);
    DrawImageStretched(x, y + h - 1, x + w, y + h, ImgWhite, 0);
    DrawImageStretched(x, y, x + 1, y + h, ImgWhite, 0);
    DrawImageStretched(x + w - 1, y, x + w, y + h, ImgWhite, 0);
    SetTint(255, 255, 255);
}

void PlayMenuMoveSound() { PlaySound(WavItemGet00, 1, 1); }
void PlayMenuConfirmSound() { PlaySound(WavPowerUp, 1, 1); }

bool ScreenClosedByFireOrBack(const MenuInput& in) {
    if (!in.back && !in.fire) return false;
    PlayMenuConfirmSound();
    return true;
}

void RunNoticeScreen(const MenuInput& in, const char* heading, const char* line) {
    if (ScreenClosedByFireOrBack(in)) {
        CloseScreen();
        return;
    }
    DrawMenuPanel(120, 170, 400, 120);
    DrawMenuTextCentred(320, 186, heading, 255, 230, 90);
    DrawMenuTextCentred(320, 222, line);
    DrawMenuTextCentred(320, 258, "FIRE OR BOMB: BACK", 170, 180, 220);
}
