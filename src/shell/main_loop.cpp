// Program entry, set-up, and the frame loop with its scene switch.
#include <cstdio>

#include "actors/actor.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/pause.h"
#include "shell/player_folder.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
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

static void RunStageSelectFrame() {
    if (sceneJustEntered) {
        stagePhase = 0;
        selectBlinkPhase = 0;
        selectBlinkTimer = 0;
        selectConfirmTimer = 0;
        selectConfirmed = 0;
    }
    RunStageSelect();
    if (stagePhase == PhaseStartChosenStage) {
        StopMusicFile();
        StartStage();
        currentScene = ScenePlay;
        stagePhase = 0;
    }
}

static void RunRankingFrame() {
    if (sceneJustEntered) stagePhase = 0;
    RunRankingScene();
    if (firePressed) {
        stagePhase = 0;
        currentScene = SceneTitle;
    }
}

bool RunFrame() {
    if (IsKeyDown(KeyEscape)) return false;
    if (HoldForPause()) return true;
    ClearBackBuffer();
    WaitForFrameStart();
    int32_t scene = currentScene;
    sceneJustEntered = scene != previousScene ? 1 : 0;
    previousScene = scene;
    RecordFrameStart(scene, sceneJustEntered != 0);
    SampleInput();
    RecordFrameButtons();
    switch (scene) {
    case SceneTitle: RunTitleScene(); break;
    case SceneStageSelect: RunStageSelectFrame(); break;
    case ScenePlay: RunPlayFrame(); break;
    case SceneRanking: RunRankingFrame(); break;
    case SceneEnding: RunEndingScene(); break;
    default: break;
    }
    RecordFrameEnd(scene);
    PresentFrame();
    return true;
}

void RunMainLoop() {
    SetUpGame();
    EnableRunRecording(true);
    while (PumpWindowMessages() == 0) {
        if (!RunFrame()) break;
    }
}
