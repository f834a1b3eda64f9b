// Program entry, set-up, and the frame loop with its scene switch.
#include <cstdio>

#include "actors/actor.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "scenes/scene_table.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/front_end.h"
#include "shell/input.h"
#include "shell/language.h"
#include "shell/pause.h"
#include "shell/player_folder.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
#include "shell/settings.h"
#include "stages/stage_map.h"

int32_t currentScene;
int32_t sceneJustEntered;
int32_t stagePhase;
int32_t sceneTimer;
int32_t lastFrameMillis;

// the scene read at the start of the previous frame; 0 makes the first frame an entry
int32_t previousScene;

constexpr int32_t kFrameMillis = 16;

int RunProgram() {
    UsePlayerFolder();
    ReadConfig();
    // the setting's language (or the system's) before set-up lays out the endings in it
    ChooseLanguage(settings.language >= 0 && settings.language < kLanguageCount ? kLanguageNames[settings.language]
                                                                                 : "system");
    ReadSaveFile();
    SetWindowTitle("Zorbex" "Zorbex\x8a\x4f\x93\x60");  // "外伝" in Shift-JIS
    SetWindowedMode(screenModeSetting == 1 ? 0 : 1);
    SetLogFileEnabled(0);
    SetScreenMode(640, 480, 16, 60);
    if (StartRuntime() == -1) return -1;
    RunMainLoop();
    StopRuntime();
    return 0;
}

static void ReportMissingAssets() {
    int missing = MissingAssetCount();
    if (missing > 0)
        std::fprintf(stderr, "zorbex: %d picture and sound files missing from %s\n", missing,
                     DataDirectory());
}

// Set-up before the pictures and sounds load (they are keyed as they load).
static void PrepareSetUp() {
    SetRenderTarget(-2);
    SetColorKey(0, 255, 0);
    ShowMouseCursor(1);
    FillAngleTables();
    InitActorPool();
    InitStarPool();
    currentScene = SceneTitle;
}

static void FinishSetUp() {
    PrepareEndingTexts();
    ResetNewGame();
    ClearInput();
    ResetPause();
    lastFrameMillis = GetMillis();
    previousScene = 0;
}

void SetUpGame() {
    PrepareSetUp();
    LoadGameAssets();
    ReportMissingAssets();
    FinishSetUp();
}

void SetUpGameKeepingAssets() {
    PrepareSetUp();
    FinishSetUp();
}

// A frame starts at least 16 ms after the previous one; none is skipped.
static void WaitForFrameStart() {
    WaitUntilMillis(static_cast<int32_t>(static_cast<uint32_t>(lastFrameMillis) + kFrameMillis));
    lastFrameMillis = GetMillis();
}

void EnterSceneAgain() { previousScene = 0; }

// The buttons of the coming frame, after its pacing wait; false when the program is to end
// or, with `held`, when no game frame runs this time.
static bool StartFrame(int* buttons, bool* held) {
    *held = false;
    if (!FrontEndOn()) {
        if (IsKeyDown(KeyEscape)) return false;
        if (HoldForPause()) {
            *held = true;
            return true;
        }
        ClearBackBuffer();
        WaitForFrameStart();
        *buttons = ReadButtons();
        return true;
    }
    // a screen's frames are paced by a sleep: the frame clock (and a page's scripted
    // frames) move on with the game's frames only
    const bool holding = FrontEndHolding();
    if (holding)
        SleepMillis(kFrameMillis);
    else
        WaitForFrameStart();
    *buttons = ReadButtons();
    switch (FrontEndBeforeFrame(buttons, currentScene != previousScene)) {
    case FrontEndQuit: return false;
    case FrontEndHold:
        if (!holding) KeepScriptedFrame();  // the wait took a frame that never ran
        *held = true;
        return true;
    case FrontEndRunFrame: break;
    }
    ClearBackBuffer();
    return true;
}

// A game frame from `buttons` that the player does not play: a replay watched or summed up
// while the front end holds the game's own frames. Neither paced, presented nor recorded.
void RunReplayedFrame(int buttons) {
    const int32_t scene = currentScene;
    sceneJustEntered = scene != previousScene ? 1 : 0;
    previousScene = scene;
    SampleInputFrom(buttons);
    RunScene(scene, sceneJustEntered != 0);
}

bool RunFrame() {
    int buttons = 0;
    bool held = false;
    if (!StartFrame(&buttons, &held)) return false;
    if (held) return true;
    int32_t scene = currentScene;
    sceneJustEntered = scene != previousScene ? 1 : 0;
    previousScene = scene;
    RecordFrameStart(scene, sceneJustEntered != 0);
    SampleInputFrom(buttons);
    RecordFrameButtons();
    RunScene(scene, sceneJustEntered != 0);
    RecordFrameEnd(scene);
    PresentFrame();
    return true;
}

void RunMainLoop() {
    SetUpGame();
    ApplySettings(settings);
    EnableRunRecording(true);
    EnableFrontEnd(true);
    while (PumpWindowMessages() == 0) {
        if (!RunFrame()) break;
    }
}
