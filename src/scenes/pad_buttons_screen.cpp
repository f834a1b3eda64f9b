// PAD: the pad's button for fire, bomb, continue and pause; confirm, then press the new
// button (one in use by another swaps with it; the bomb button or Escape keep the old one
// when pressed as the answer is awaited, unless it is the answer).
#include <cctype>
#include <cstdio>

#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/settings.h"

constexpr int kPanelX = 90, kPanelY = 90, kPanelW = 460, kPanelH = 290;
constexpr int kHeadingY = 104;
constexpr int kLabelX = 130, kValueX = 360, kFirstY = 144;
constexpr int kPromptY = 350;
constexpr int32_t kResetButtons = 100;
constexpr int kPadButtons = 21;  // as SDL numbers a controller's buttons

static const char* ButtonValue(const MenuEntry& e) { return PadButtonLabel(e.code); }

static const MenuEntry kPadEntries[] = {
    {"FIRE", MenuAction, nullptr, 0, 0, PadActionFire, nullptr, nullptr, ButtonValue},
    {"BOMB", MenuAction, nullptr, 0, 0, PadActionBomb, nullptr, nullptr, ButtonValue},
    {"CONTINUE", MenuAction, nullptr, 0, 0, PadActionContinue, nullptr, nullptr, ButtonValue},
    {"PAUSE", MenuAction, nullptr, 0, 0, PadActionPause, nullptr, nullptr, ButtonValue},
    {"RESET TO DEFAULTS", MenuAction, nullptr, 0, 0, kResetButtons},
    {"BACK", MenuBack},
};

static Menu menuPad = {kPadEntries, MenuLength(kPadEntries)};
static int menuPadWaiting = -1;
static bool menuPadDown[kPadButtons];
static char menuPadLabels[kPadActionCount][32];

const char* PadButtonLabel(int action) {
    if (action < 0 || action >= kPadActionCount) return "";
    char* label = menuPadLabels[action];
    const char* name = PadButtonNameOf(settings.padButtons[action]);
    std::snprintf(label, sizeof menuPadLabels[action], "%s", name ? name : "?");
    for (char* c = label; *c; c++) *c = char(std::toupper(static_cast<unsigned char>(*c)));
    return label;
}

static int NewPadButtonDown() {
    int found = -1;
    for (int b = 0; b < kPadButtons; b++) {
        const bool down = IsPadButtonDown(b) != 0;
        if (down && !menuPadDown[b] && found < 0) found = b;
        menuPadDown[b] = down;
    }
    return found;
}

void EnterPadButtonsScreen() {
    menuPadWaiting = -1;
    MenuCursorToFirst(&menuPad);
}

void RunPadButtonsScreen() {
    if (menuPadWaiting >= 0) {
        const int button = NewPadButtonDown();
        if (button >= 0) {
            BindPadButton(&settings, menuPadWaiting, button);
            SettingsChanged();
            PlayMenuConfirmSound();
            menuPadWaiting = -1;
        } else if (IsKeyDown(KeyEscape)) {
            menuPadWaiting = -1;
        }
    } else {
        switch (RunMenu(&menuPad, FrontEndInput())) {
        case MenuChosen:
            if (MenuCurrent(menuPad).code == kResetButtons) {
                ResetPadButtons(&settings);
                SettingsChanged();
            } else {
                menuPadWaiting = MenuCurrent(menuPad).code;
                NewPadButtonDown();  // the button that confirmed is no answer
            }
            break;
        case MenuLeft: CloseScreen(); return;
        default: break;
        }
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kHeadingY, "PAD", 255, 230, 90);
    DrawMenu(menuPad, kLabelX, kFirstY, kValueX);
    if (menuPadWaiting >= 0)
        DrawMenuTextCentred(320, kPromptY, "PRESS THE NEW BUTTON (ESCAPE KEEPS THE OLD ONE)", 255, 230, 90);
    else
        DrawMenuTextCentred(320, kPromptY, "A BUTTON IN USE SWAPS WITH THE ONE IT REPLACES", 170, 180, 220);
}
