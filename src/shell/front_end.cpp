// The front end's hold on the game's frames: which screen runs instead of a frame, the
// pause and Escape, the menu buttons with their repeat, and the way back to the game.
#include "shell/front_end.h"

#include <cstdio>

#include "actors/actor.h"
#include "runtime/media.h"
#include "scenes/scene_table.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/run_recorder.h"
#include "shell/settings.h"

constexpr int kMaxScreens = 8;
constexpr int kRepeatDelay = 18;  // frames a held direction waits before it repeats
constexpr int kRepeatEvery = 5;
constexpr int kBackgroundKeep = 80;  // the game's frame under a screen, of 255

struct FrontEnd {
    bool on = false;
    int32_t stack[kMaxScreens] = {};
    int depth = 0;
    bool entered = false;      // the top screen is new this frame
    bool paused = false;       // the screens sit over a paused run
    bool quit = false;
    bool waitForRelease = false;  // back on the title: nothing acts until every button is up
    bool pressStart = false;      // the next game frame takes START's fire
    int previousButtons = 0;
    bool escapeDown = false, pauseDown = false;
    int upHeldFrames = 0, downHeldFrames = 0;
    MenuInput input;
};

static FrontEnd frontEnd;

void EnableFrontEnd(bool on) {
    frontEnd = FrontEnd();
    frontEnd.on = on;
}

bool FrontEndOn() { return frontEnd.on; }

bool FrontEndHolding() { return frontEnd.on && (frontEnd.depth > 0 || frontEnd.waitForRelease); }

const MenuInput& FrontEndInput() { return frontEnd.input; }

int32_t ScreenBelow() { return frontEnd.depth >= 2 ? frontEnd.stack[frontEnd.depth - 2] : currentScene; }

bool PauseMenuOpen() { return frontEnd.paused; }

void QuitProgram() { frontEnd.quit = true; }

void OpenScreen(int32_t scene) {
    if (frontEnd.depth >= kMaxScreens) return;
    if (frontEnd.depth == 0) KeepBackBuffer(kBackgroundKeep);
    frontEnd.stack[frontEnd.depth++] = scene;
    frontEnd.entered = true;
    frontEnd.input = MenuInput();  // the press that opened it is not the new screen's
}

void CloseScreen() {
    if (frontEnd.depth == 0) return;
    frontEnd.depth--;
    frontEnd.entered = true;  // the screen below is shown afresh
    if (frontEnd.depth > 0) return;
    if (frontEnd.paused) PauseAudio(0);
    frontEnd.paused = false;
    // the button that closed the screens must not act again on the title
    frontEnd.waitForRelease = currentScene == SceneTitle;
}

void DrawScreenBackground() { DrawKeptBackBuffer(); }

void SettingsChanged() {
    ApplySettings(settings);
    SetFullScreenNow(settings.screenMode == 1 ? 1 : 0);
    const char* why = nullptr;
    if (!WriteConfigFile(settings, &why))
        std::fprintf(stderr, "zorbex: cannot save the settings in %s: %s\n", configFileName, why);
    else if (!WriteOptionsFile(settings, &why))
        std::fprintf(stderr, "zorbex: cannot save the options in %s: %s\n", OptionsFileName(), why);
}

void CloseEveryScreen() {
    frontEnd.depth = 0;
    if (frontEnd.paused) PauseAudio(0);
    frontEnd.paused = false;
    frontEnd.waitForRelease = true;  // the button that chose must not act in the game
}

void EndRunFromPause(bool again) {
    KeepRunSoFar();
    StopMusicFile();
    ReleaseAllActors();
    stagePhase = 0;
    ClearInput();  // the next run starts with no button held
    currentScene = SceneTitle;
    frontEnd.depth = 0;
    if (frontEnd.paused) PauseAudio(0);
    frontEnd.paused = false;
    frontEnd.pressStart = again;
    frontEnd.waitForRelease = !again;
}

// Edges of the buttons as a menu wants them, up and down repeating while held.
static void ReadMenuInput(int buttons, bool escapePressed) {
    const int pressed = buttons & ~frontEnd.previousButtons;
    frontEnd.previousButtons = buttons;
    auto repeat = [](bool held, int* frames) {
        if (!held) {
            *frames = 0;
            return false;
        }
        ++*frames;
        return *frames == 1 || (*frames > kRepeatDelay && (*frames - kRepeatDelay) % kRepeatEvery == 0);
    };
    MenuInput& in = frontEnd.input;
    in.up = repeat((buttons & PadUp) != 0, &frontEnd.upHeldFrames);
    in.down = repeat((buttons & PadDown) != 0, &frontEnd.downHeldFrames);
    in.left = (pressed & PadLeft) != 0;
    in.right = (pressed & PadRight) != 0;
    in.fire = (pressed & PadButton1) != 0;
    in.back = (pressed & PadButton2) != 0 || escapePressed;
    ReadMenuTap(&in);
}

static void RunTopScreen() {
    const bool entered = frontEnd.entered;
    frontEnd.entered = false;
    ClearBackBuffer();
    DrawScreenBackground();
    RunScene(frontEnd.stack[frontEnd.depth - 1], entered);
    PresentFrame();
}

static void OpenPause() {
    PauseAudio(1);
    frontEnd.paused = true;
    OpenScreen(ScenePause);
}

// START's own fire reaches the game; the title's other entries open their screens.
static FrontEndStep TitleEntryChosen() {
    switch (menuTitle.cursor) {
    case TitleStart: return FrontEndRunFrame;
    case TitlePractice: OpenScreen(ScenePractice); break;
    case TitleReplays: OpenScreen(SceneReplays); break;
    case TitleOptions: OpenScreen(SceneOptions); break;
    case TitleHelp: OpenScreen(SceneHelp); break;
    case TitleQuit: return FrontEndQuit;
    default: return FrontEndRunFrame;
    }
    PlayMenuConfirmSound();
    RunTopScreen();
    return FrontEndHold;
}

FrontEndStep FrontEndBeforeFrame(int* buttons, bool entering) {
    const bool escape = IsKeyDown(KeyEscape) != 0;
    const bool escapePressed = escape && !frontEnd.escapeDown;
    frontEnd.escapeDown = escape;
    const bool pauseKey = IsKeyDown(settings.keys[KeyActionPause]) != 0 || IsPadStartDown() != 0;
    const bool pausePressed = pauseKey && !frontEnd.pauseDown;
    frontEnd.pauseDown = pauseKey;
    const bool focusLost = TakeWindowFocusLoss() != 0;
    ReadMenuInput(*buttons, escapePressed);

    if (frontEnd.depth > 0) {
        // P, Start and Escape leave the pause menu itself
        if (frontEnd.paused && frontEnd.depth == 1 && (pausePressed || escapePressed)) {
            CloseScreen();
            return frontEnd.quit ? FrontEndQuit : FrontEndHold;
        }
        RunTopScreen();
        return frontEnd.quit ? FrontEndQuit : FrontEndHold;
    }
    // a practice's end offers RETRY over its last frame
    if (PracticeOver()) {
        OpenScreen(ScenePractice);
        RunTopScreen();
        return FrontEndHold;
    }
    if (frontEnd.pressStart) {
        frontEnd.pressStart = false;
        *buttons = PadButton1;
        menuTitle.cursor = TitleStart;
        return FrontEndRunFrame;
    }
    if (frontEnd.waitForRelease) {
        if (*buttons != 0 || escape || pauseKey) {
            PresentFrame();
            return FrontEndHold;
        }
        frontEnd.waitForRelease = false;
    }
    const bool inRun = currentScene == ScenePlay || currentScene == SceneStageSelect;
    if (inRun && (pausePressed || escapePressed || focusLost)) {
        OpenPause();
        RunTopScreen();
        return FrontEndHold;
    }
    if (!inRun && escapePressed && CanQuit()) return FrontEndQuit;
    if (currentScene != SceneTitle) return FrontEndRunFrame;
    if (entering) {
        MenuCursorToFirst(&menuTitle);  // every entry into the title stands on START
        difficultySetting = settings.difficulty;  // a run takes the difficulty as it begins
        return FrontEndRunFrame;
    }
    const bool firePressed = (*buttons & PadButton1) != 0 && !fireHeld;
    if (firePressed) return TitleEntryChosen();
    // a tap on a title entry chooses it; on START it is fire, the one button the game sees
    const MenuInput& in = frontEnd.input;
    const int tappedEntry = in.tapped ? MenuEntryAt(menuTitle, in.tapX, in.tapY) : -1;
    if (tappedEntry < 0 || fireHeld) return FrontEndRunFrame;
    menuTitle.cursor = tappedEntry;
    if (tappedEntry == TitleStart) *buttons |= PadButton1;
    return TitleEntryChosen();
}
