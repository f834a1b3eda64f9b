// Title: the logo on black, a white flash over the title picture, then the title menu.
#include <cstdio>

#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/language.h"
#include "shell/save_files.h"
#include "shell/settings.h"

int32_t titleFade;
bool titleIdleRestartsOnMove = true;

constexpr int32_t kTitleDark = 0;
constexpr int32_t kTitleFlashFading = 1;
constexpr int32_t kTitleShown = 2;
constexpr int32_t kDarkFrames = 60;      // logo alone before the flash brightens
constexpr int32_t kFadeStep = 8;
constexpr int32_t kIdleFramesBeforeRanking = 300;

constexpr int kMenuTop = 282;
constexpr int kMenuPanelX = 220, kMenuPanelY = 276, kMenuPanelW = 200, kMenuPanelH = 150;
constexpr int kHelpLineY = 436;
constexpr int kDifficultyX = 10, kDifficultyY = 458;

static bool QuitShown() { return CanQuit() != 0; }

// The entries in the order of TitleEntry; START's fire is the title's own.
static const MenuEntry kTitleEntries[] = {
    {"START", MenuAction, nullptr, 0, 0, TitleStart},
    {"PRACTICE", MenuAction, nullptr, 0, 0, TitlePractice},
    {"REPLAYS", MenuAction, nullptr, 0, 0, TitleReplays},
    {"OPTIONS", MenuAction, nullptr, 0, 0, TitleOptions},
    {"HELP", MenuAction, nullptr, 0, 0, TitleHelp},
    {"QUIT", MenuAction, nullptr, 0, 0, TitleQuit, nullptr, QuitShown},
};

Menu menuTitle = {kTitleEntries, MenuLength(kTitleEntries)};

static const char* const kDifficultyLines[] = {"DIFFICULTY: EASY", "DIFFICULTY: NORMAL", "DIFFICULTY: HARD"};

// The keys as bound, on one line; the pad's buttons once a pad has been used.
static void DrawHelpLine() {
    char line[192];
    if (PadWasUsed()) {
        std::snprintf(line, sizeof line, Tr("%s: FIRE   %s: BOMB   %s: CONTINUE   %s: PAUSE"),
                      PadButtonLabel(PadActionFire), PadButtonLabel(PadActionBomb),
                      PadButtonLabel(PadActionContinue), PadButtonLabel(PadActionPause));
    } else if (CanQuit()) {
        std::snprintf(line, sizeof line, Tr("%s: FIRE   %s: BOMB   %s: CONTINUE   %s: PAUSE   ESC: QUIT"),
                      KeyLabel(KeyActionFire), KeyLabel(KeyActionBomb), KeyLabel(KeyActionContinue),
                      KeyLabel(KeyActionPause));
    } else {
        std::snprintf(line, sizeof line, Tr("%s: FIRE   %s: BOMB   %s: CONTINUE   %s: PAUSE"),
                      KeyLabel(KeyActionFire), KeyLabel(KeyActionBomb), KeyLabel(KeyActionContinue),
                      KeyLabel(KeyActionPause));
    }
    DrawPlainText((640 - MeasureGlyphText(line)) / 2, kHelpLineY, line, 220, 225, 255);
}

static void DrawTitleMenu() {
    DrawMenuPanel(kMenuPanelX, kMenuPanelY, kMenuPanelW, kMenuPanelH);
    DrawMenu(menuTitle, -1, kMenuTop);
    DrawHelpLine();
    const int32_t d = difficultySetting >= 1 && difficultySetting <= 3 ? difficultySetting : 1;
    DrawMenuText(kDifficultyX, kDifficultyY, kDifficultyLines[d - 1], 170, 180, 220);
}

void EnterTitleScene() {
    stagePhase = kTitleDark;
    ResetNewGame();
    titleFade = 0;
    sceneTimer = 0;
}

void RunTitleScene() {
    sceneTimer += 1;
    if (stagePhase > kTitleDark) DrawImage(0, 0, ImgTitleBack, 1);
    // a phase change made here keeps the brightening step below from running this frame
    if (stagePhase == kTitleFlashFading) {
        titleFade -= kFadeStep;
        if (titleFade <= 0) {
            titleFade = 0;
            stagePhase = kTitleShown;
            sceneTimer = 0;
        }
        SetBlend(1, titleFade);
        DrawImageStretched(0, 0, 640, 480, ImgWhite, 1);
        SetBlend(0, 0);
    }
    if (stagePhase == kTitleDark && sceneTimer > kDarkFrames) {
        titleFade += kFadeStep;
        if (titleFade >= 255) {
            titleFade = 255;
            stagePhase = kTitleFlashFading;
            sceneTimer = 0;
        }
        SetTint(titleFade, titleFade, titleFade);
        DrawImageStretched(0, 0, 640, 480, ImgWhite, 1);
        SetTint(255, 255, 255);
    }
    DrawImage(0, 0, ImgTitleFront, 1);
    // up and down walk the menu; on the shown title they count as the player being there
    MenuInput walk;
    walk.up = upPressed != 0;
    walk.down = downPressed != 0;
    if (RunMenu(&menuTitle, walk) == MenuMoved && titleIdleRestartsOnMove && stagePhase == kTitleShown)
        sceneTimer = 0;
    if (stagePhase > kTitleDark) DrawTitleMenu();
    if (stagePhase == kTitleShown && sceneTimer > kIdleFramesBeforeRanking) {
        stagePhase = 0;
        sceneTimer = 0;
        currentScene = SceneRanking;
    }
    // fire is checked last, so it wins over the switch to the ranking; the front end lets
    // it through only with the cursor on START
    if (firePressed) {
        StopMusicFile();
        PlaySound(WavStart, 0, 1);
        currentScene = ScenePlay;
        StartStage();
    }
}
