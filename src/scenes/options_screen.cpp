// OPTIONS: the screen, the sound, the difficulty and the language, changed and applied at
// once; the keyboard's keys and the pad's buttons on screens of their own.
#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/assets.h"
#include "shell/front_end.h"
#include "shell/game.h"
#include "shell/save_files.h"
#include "shell/settings.h"

constexpr int kPanelX = 90, kPanelY = 70, kPanelW = 460, kPanelH = 340;
constexpr int kHeadingY = 86;
constexpr int kLabelX = 130, kValueX = 360, kFirstY = 130;
constexpr int kNoteY = 384;

static const char* const kScreenModes[] = {"WINDOW", "FULL SCREEN"};
static const char* const kScales[] = {"AUTO", "1X", "2X", "3X", "4X"};
static const char* const kDifficulties[] = {"EASY", "NORMAL", "HARD"};
// each language by its own name
static const char* const kLanguages[] = {"SYSTEM", "ENGLISH", "日本語"};

// a page has no window of its own to scale
static bool WindowScaleShown() { return CanQuit() != 0; }

enum OptionsAction : int32_t { OptionsBack };

// The screen mode in the menu: 1 full screen, 0 a window (the file's other values are windows too).
static int32_t menuScreenChoice;

static const MenuEntry kOptionsEntries[] = {
    {"SCREEN", MenuChoice, &menuScreenChoice, 0, 1, 0, kScreenModes},
    {"WINDOW SCALE", MenuChoice, &settings.windowScale, 0, kMaxWindowScale, 0, kScales, WindowScaleShown},
    {"MUSIC VOLUME", MenuNumber, &settings.musicVolume, 0, kVolumeSteps},
    {"EFFECTS VOLUME", MenuNumber, &settings.effectsVolume, 0, kVolumeSteps},
    {"DIFFICULTY", MenuChoice, &settings.difficulty, 1, 3, 0, kDifficulties},
    {"LANGUAGE", MenuChoice, &settings.language, 0, kLanguageCount - 1, 0, kLanguages},
    {"KEYBOARD", MenuOpen, nullptr, 0, 0, SceneKeys},
    {"PAD", MenuOpen, nullptr, 0, 0, ScenePadButtons},
    {"BACK", MenuBack},
};

static Menu menuOptions = {kOptionsEntries, MenuLength(kOptionsEntries)};

void EnterOptionsScreen() {
    menuScreenChoice = settings.screenMode == 1 ? 1 : 0;
    if (ScreenBelow() != SceneOptions) MenuCursorToFirst(&menuOptions);
}

void RunOptionsScreen() {
    switch (RunMenu(&menuOptions, FrontEndInput())) {
    case MenuChanged:
        settings.screenMode = menuScreenChoice;
        SettingsChanged();
        // the new effects volume heard at once
        if (MenuCurrent(menuOptions).value == &settings.effectsVolume) PlaySound(WavEnemyBomb00, 1, 1);
        break;
    case MenuChosen:
        OpenScreen(MenuCurrent(menuOptions).code);
        return;
    case MenuLeft:
        // the title's run takes the new difficulty: it begins again
        if (ScreenBelow() == SceneTitle && settings.difficulty != difficultySetting) EnterSceneAgain();
        CloseScreen();
        return;
    default: break;
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kHeadingY, "OPTIONS", 255, 230, 90);
    DrawMenu(menuOptions, kLabelX, kFirstY, kValueX);
    if (PauseMenuOpen()) DrawMenuTextCentred(320, kNoteY, "A NEW DIFFICULTY COUNTS FROM THE NEXT RUN", 170, 180, 220);
}
