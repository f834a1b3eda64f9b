// The menu kit: the cursor, the values, the sounds and the look shared by every menu.
#include "scenes/menu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/front_end.h"
#include "shell/language.h"
#include "shell/line_breaking.h"

constexpr int kCursorIndent = 22;  // the marker sits left of the label
constexpr int kPanelDark = 48;      // the panel's dark blue
constexpr int kPanelOpacity = 215;  // what is behind it shows through a little
constexpr int kDrawnMenuSlots = 8;  // more menus than a frame ever draws

// Where each menu was drawn, so that a tap finds the entry the player saw under the finger.
struct DrawnMenu {
    const Menu* menu = nullptr;
    int x = 0, y = 0, valueX = 0;
    uint32_t frame = 0;
};
static DrawnMenu drawnMenus[kDrawnMenuSlots];
static uint32_t menuFrame = 1;  // counted by ReadMenuTap; 0 is never drawn

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

static void ValueText(const MenuEntry& e, char* out, int size);
static MenuEvent TapEntry(Menu* menu, int entry, int x);

MenuEvent RunMenu(Menu* menu, const MenuInput& in) {
    if (menu->count <= 0) return MenuNothing;
    if (!MenuEntryShown(menu->entries[menu->cursor])) MoveCursor(menu, 1);
    if (in.tapped) {
        const int entry = MenuEntryAt(*menu, in.tapX, in.tapY);
        if (entry >= 0) return TapEntry(menu, entry, in.tapX);
    }
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

void ReadMenuTap(MenuInput* in) {
    menuFrame++;
    in->tapped = TakeTappedPoint(&in->tapX, &in->tapY) != 0;
}

static const DrawnMenu* DrawnLately(const Menu& menu) {
    for (const DrawnMenu& d : drawnMenus)
        if (d.menu == &menu && d.frame + 1 >= menuFrame) return &d;
    return nullptr;
}

static void NoteDrawnMenu(const Menu& menu, int x, int y, int valueX) {
    DrawnMenu* slot = &drawnMenus[0];
    for (DrawnMenu& d : drawnMenus) {
        if (d.menu == &menu) {
            slot = &d;
            break;
        }
        if (d.frame < slot->frame) slot = &d;  // else the one drawn longest ago
    }
    *slot = {&menu, x, y, valueX, menuFrame};
}

// A value as drawn on the cursor's line, its arrows round it.
static int ShownValueWidth(const MenuEntry& e) {
    char value[96], shown[112];
    ValueText(e, value, sizeof value);
    if (!value[0]) return 0;
    const bool ranged = e.kind == MenuNumber || e.kind == MenuChoice;
    std::snprintf(shown, sizeof shown, ranged ? "← %s →" : "%s", value);
    return MeasureGlyphText(shown);
}

static int LabelLeft(const MenuEntry& e, int x) {
    return x >= 0 ? x : (640 - MeasureGlyphText(Tr(e.label))) / 2;
}

// The menu's lines are one block as wide as its widest line with the cursor's marker, so
// a finger a little beside a short label still hits it; lines touch, so none is missed.
int MenuEntryAt(const Menu& menu, int x, int y) {
    const DrawnMenu* d = DrawnLately(menu);
    if (!d) return -1;
    int left = 640, right = 0;
    for (int i = 0; i < menu.count; i++) {
        const MenuEntry& e = menu.entries[i];
        if (!MenuEntryShown(e)) continue;
        const int lx = LabelLeft(e, d->x);
        left = std::min(left, lx - kCursorIndent);
        right = std::max(right, lx + MeasureGlyphText(Tr(e.label)) + kCursorIndent);
        if (d->valueX > 0) right = std::max(right, d->valueX + ShownValueWidth(e) + kCursorIndent);
    }
    if (x < left || x >= right) return -1;
    int top = d->y - (kMenuLineHeight - GlyphLineHeight()) / 2;
    for (int i = 0; i < menu.count; i++) {
        if (!MenuEntryShown(menu.entries[i])) continue;
        if (y >= top && y < top + kMenuLineHeight) return i;
        top += kMenuLineHeight;
    }
    return -1;
}

// The tapped entry gets the cursor and acts as fire on it would; on a number's or a
// choice's value the half tapped steps it down or up, as left and right do.
static MenuEvent TapEntry(Menu* menu, int entry, int x) {
    const bool moved = menu->cursor != entry;
    menu->cursor = entry;
    const MenuEntry& e = menu->entries[entry];
    const DrawnMenu* d = DrawnLately(*menu);
    MenuInput act;
    const bool ranged = (e.kind == MenuNumber || e.kind == MenuChoice) && e.value;
    if (ranged && d && d->valueX > 0 && x >= d->valueX - kCursorIndent / 2) {
        const bool up = x >= d->valueX + ShownValueWidth(e) / 2;
        act.left = !up;
        act.right = up;
    } else {
        act.fire = true;
    }
    const MenuEvent event = RunMenu(menu, act);
    return event == MenuNothing && moved ? MenuMoved : event;
}

int TappedRow(const MenuInput& in, int x, int y, int w, int rowHeight, int rows) {
    if (!in.tapped || in.tapX < x || in.tapX >= x + w || in.tapY < y) return -1;
    const int row = (in.tapY - y) / rowHeight;
    return row < rows ? row : -1;
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
    NoteDrawnMenu(menu, x, y, valueX);
    for (int i = 0; i < menu.count; i++) {
        const MenuEntry& e = menu.entries[i];
        if (!MenuEntryShown(e)) continue;
        const bool current = i == menu.cursor;
        const int r = current ? 255 : 170, g = current ? 230 : 180, b = current ? 90 : 210;
        const char* label = Tr(e.label);
        const int lx = LabelLeft(e, x);
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

// Whether the first `bytes` bytes of a text fit `width` pixels of the glyph font.
static bool FitsGlyphWidth(const char* text, int32_t bytes, void* width) {
    char line[512];
    if (size_t(bytes) >= sizeof line) return false;
    std::memcpy(line, text, size_t(bytes));
    line[bytes] = '\0';
    return MeasureGlyphText(line) <= *static_cast<int*>(width);
}

// Broken as every text of the game is (shell/line_breaking.h): at spaces, and between
// Japanese characters where kinsoku allows.
int DrawTextWrapped(int x, int y, int width, int lineStep, const char* utf8, int r, int g, int b) {
    char line[512];
    const char* p = utf8;
    int lines = 0;
    while (*p == ' ') p++;
    while (*p) {
        const LineBreak br = BreakLine(p, FitsGlyphWidth, &width);
        const size_t n = std::min(size_t(br.lineBytes), sizeof line - 1);
        std::memcpy(line, p, n);
        line[n] = '\0';
        DrawGlyphText(x, y + lines * lineStep, line, r, g, b);
        lines++;
        p += br.nextStart;
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
    if (!in.back && !in.fire && !in.tapped) return false;
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
