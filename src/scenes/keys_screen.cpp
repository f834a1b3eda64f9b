// KEYBOARD: the key of each button; confirm, then press the new key (a key in use by
// another button swaps with it, Escape keeps the old one).
#include <cctype>
#include <cstdio>

#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/settings.h"

constexpr int kPanelX = 90, kPanelY = 50, kPanelW = 460, kPanelH = 380;
constexpr int kHeadingY = 64;
constexpr int kLabelX = 130, kValueX = 360, kFirstY = 104;
constexpr int kPromptY = 400;
constexpr int32_t kResetKeys = 100;
constexpr int kKeyCodes = 256;

static const char* KeyValue(const MenuEntry& e) { return KeyLabel(e.code); }

static const MenuEntry kKeyEntries[] = {
    {"FIRE", MenuAction, nullptr, 0, 0, KeyActionFire, nullptr, nullptr, KeyValue},
    {"BOMB", MenuAction, nullptr, 0, 0, KeyActionBomb, nullptr, nullptr, KeyValue},
    {"CONTINUE", MenuAction, nullptr, 0, 0, KeyActionContinue, nullptr, nullptr, KeyValue},
    {"PAUSE", MenuAction, nullptr, 0, 0, KeyActionPause, nullptr, nullptr, KeyValue},
    {"UP", MenuAction, nullptr, 0, 0, KeyActionUp, nullptr, nullptr, KeyValue},
    {"DOWN", MenuAction, nullptr, 0, 0, KeyActionDown, nullptr, nullptr, KeyValue},
    {"LEFT", MenuAction, nullptr, 0, 0, KeyActionLeft, nullptr, nullptr, KeyValue},
    {"RIGHT", MenuAction, nullptr, 0, 0, KeyActionRight, nullptr, nullptr, KeyValue},
    {"RESET TO DEFAULTS", MenuAction, nullptr, 0, 0, kResetKeys},
    {"BACK", MenuBack},
};

static Menu menuKeys = {kKeyEntries, MenuLength(kKeyEntries)};
static int menuKeysWaiting = -1;        // the action waiting for its new key, -1 none
static bool menuKeysDown[kKeyCodes];    // the keys down as the wait began or last frame

static char menuKeyLabels[kKeyActionCount][32];

const char* KeyLabel(int action) {
    if (action < 0 || action >= kKeyActionCount) return "";
    char* label = menuKeyLabels[action];
    const char* name = KeyNameOf(settings.keys[action]);
    std::snprintf(label, sizeof menuKeyLabels[action], "%s", name ? name : "?");
    for (char* c = label; *c; c++) *c = char(std::toupper(static_cast<unsigned char>(*c)));
    return label;
}

static void NoteKeysDown() {
    for (int k = 0; k < kKeyCodes; k++) menuKeysDown[k] = IsKeyDown(k) != 0;
}

// The first key that went down since the last look; -1 none.
static int NewKeyDown() {
    int found = -1;
    for (int k = 1; k < kKeyCodes; k++) {
        const bool down = IsKeyDown(k) != 0;
        if (down && !menuKeysDown[k] && found < 0) found = k;
        menuKeysDown[k] = down;
    }
    return found;
}

void EnterKeysScreen() {
    menuKeysWaiting = -1;
    MenuCursorToFirst(&menuKeys);
}

static void WaitForKey() {
    const int key = NewKeyDown();
    if (key == KeyEscape) {
        menuKeysWaiting = -1;
    } else if (key > 0 && KeyNameOf(key)) {
        BindKey(&settings, menuKeysWaiting, key);
        SettingsChanged();
        PlayMenuConfirmSound();
        menuKeysWaiting = -1;
    }
}

void RunKeysScreen() {
    if (menuKeysWaiting >= 0) {
        WaitForKey();
    } else {
        switch (RunMenu(&menuKeys, FrontEndInput())) {
        case MenuChosen:
            if (MenuCurrent(menuKeys).code == kResetKeys) {
                ResetKeys(&settings);
                SettingsChanged();
            } else {
                menuKeysWaiting = MenuCurrent(menuKeys).code;
                NoteKeysDown();  // the key that confirmed is no answer
            }
            break;
        case MenuLeft: CloseScreen(); return;
        default: break;
        }
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kHeadingY, "KEYBOARD", 255, 230, 90);
    DrawMenu(menuKeys, kLabelX, kFirstY, kValueX);
    if (menuKeysWaiting >= 0)
        DrawMenuTextCentred(320, kPromptY, "PRESS THE NEW KEY (ESCAPE KEEPS THE OLD ONE)", 255, 230, 90);
    else
        DrawMenuTextCentred(320, kPromptY, "A KEY IN USE SWAPS WITH THE ONE IT REPLACES", 170, 180, 220);
}
