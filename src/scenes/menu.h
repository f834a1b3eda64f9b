// The menu kit: a menu is a table of entries walked by one small helper. An entry has a
// label (the English text, drawn through Tr), a kind, and what it changes or does:
//
//   static const MenuEntry kOptions[] = {
//       {"MUSIC VOLUME", MenuNumber, &settings.musicVolume, 0, 10},
//       {"KEYBOARD", MenuOpen, nullptr, 0, 0, SceneKeys},
//       {"BACK", MenuBack},
//   };
//   static Menu options = {kOptions, MenuLength(kOptions)};
//
// and a screen's frame function is then:
//
//   switch (RunMenu(&options, FrontEndInput())) { ...react to MenuChanged, MenuChosen... }
//   DrawMenu(options, kMenuX, kMenuY);
//
// Up and down move the cursor (skipping hidden entries, wrapping round), left and right
// change a number or a choice within its range, fire confirms, the bomb button (or
// Escape) goes back. Moving and confirming play the menu's sounds. A tap on an entry as
// the last frame drew it chooses it at once, as fire on it would (on a value's arrows it
// steps that way): a phone's player expects the first touch of a button to act.
#pragma once

#include <cstdint>

enum MenuKind : int32_t {
    MenuAction,  // fire gives MenuChosen; `code` says which action
    MenuNumber,  // *value from low to high, shown as a number
    MenuChoice,  // *value from low to high, shown as choices[*value - low]
    MenuOpen,    // fire opens the screen `code` (a SceneId) over this one
    MenuBack,    // fire goes back, as the bomb button does
};

struct MenuEntry {
    const char* label;  // English msgid
    MenuKind kind;
    int32_t* value = nullptr;  // MenuNumber, MenuChoice: the setting it changes
    int32_t low = 0, high = 0;
    int32_t code = 0;          // MenuAction: the action; MenuOpen: the SceneId
    const char* const* choices = nullptr;  // MenuChoice: msgids, one per value
    bool (*shown)() = nullptr;             // nullptr: always shown
    // drawn right of the label instead of the value (a key's name); nullptr: the value
    const char* (*valueText)(const MenuEntry& e) = nullptr;
};

struct Menu {
    const MenuEntry* entries;
    int32_t count;
    int32_t cursor = 0;
};

template <int32_t N>
constexpr int32_t MenuLength(const MenuEntry (&)[N]) {
    return N;
}

// The buttons as a menu reads them: pressed this frame (up and down repeat while held).
struct MenuInput {
    bool up = false, down = false, left = false, right = false;
    bool fire = false, back = false;
    bool tapped = false;  // a tap on the screen at (tapX, tapY), in game pixels
    int tapX = 0, tapY = 0;
};

// Once a frame, before any screen runs: the runtime's tap into `in`, and the menus drawn
// last frame become those a tap can hit.
void ReadMenuTap(MenuInput* in);
// The shown entry under (x, y) where the menu was drawn last frame (or already this one),
// or -1.
int MenuEntryAt(const Menu& menu, int x, int y);
// The row of a list drawn `rows` rows from (x, y), each `w` by `rowHeight`, that the tap
// hit, or -1 (no tap, or not on a row).
int TappedRow(const MenuInput& in, int x, int y, int w, int rowHeight, int rows);

enum MenuEvent : int32_t {
    MenuNothing,
    MenuMoved,    // the cursor moved
    MenuChanged,  // the entry under the cursor changed its value
    MenuChosen,   // fire on a MenuAction (or MenuOpen: the caller opens it)
    MenuLeft,     // back (the bomb button, Escape, or fire on MenuBack)
};

MenuEvent RunMenu(Menu* menu, const MenuInput& in);
bool MenuEntryShown(const MenuEntry& e);
const MenuEntry& MenuCurrent(const Menu& menu);
void MenuCursorToFirst(Menu* menu);

// Draws the entries from (x, y) down, one line each; the label at x, the value at valueX
// (0: no values), the cursor's line marked. A centred menu gives x = -1.
void DrawMenu(const Menu& menu, int x, int y, int valueX = 0);
// A line of text in the game's glyph font, through Tr; centred on cx.
void DrawMenuText(int x, int y, const char* msgid, int r = 255, int g = 255, int b = 255);
void DrawMenuTextCentred(int cx, int y, const char* msgid, int r = 255, int g = 255, int b = 255);
// A text already translated or made of names (no Tr), in the glyph font.
void DrawPlainText(int x, int y, const char* utf8, int r = 255, int g = 255, int b = 255);
// A text already translated, broken into lines no wider than `width` (at spaces, and
// between Japanese characters), `lineStep` apart; the number of lines drawn.
int DrawTextWrapped(int x, int y, int width, int lineStep, const char* utf8, int r = 255, int g = 255, int b = 255);
// The menus' panel: a dark, framed box behind entries.
void DrawMenuPanel(int x, int y, int w, int h);
constexpr int kMenuLineHeight = 24;

// A screen that only shows something: true (after the sound) once fire, back or a tap
// anywhere closed it.
bool ScreenClosedByFireOrBack(const MenuInput& in);
// A small notice screen: a heading and one line over the panel, closed by fire or back.
void RunNoticeScreen(const MenuInput& in, const char* heading, const char* line);

void PlayMenuMoveSound();
void PlayMenuConfirmSound();
