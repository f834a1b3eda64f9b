// The scene table: each scene's and each screen's entry and frame functions, by SceneId.
#include "scenes/scene_table.h"

#include "runtime/media.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "shell/input.h"

// The route map's entry: the choice starts afresh.
static void EnterStageSelect() {
    stagePhase = 0;
    selectBlinkPhase = 0;
    selectBlinkTimer = 0;
    selectConfirmTimer = 0;
    selectConfirmed = 0;
}

static void RunStageSelectFrame() {
    RunStageSelect();
    if (stagePhase == PhaseStartChosenStage) {
        StopMusicFile();
        StartStage();
        currentScene = ScenePlay;
        stagePhase = 0;
    }
}

static void EnterRanking() { stagePhase = 0; }

static void RunRankingFrame() {
    RunRankingScene();
    if (firePressed) {
        stagePhase = 0;
        currentScene = SceneTitle;
    }
}

static const SceneSlots kSceneTable[kSceneIdCount] = {
    {nullptr, nullptr},                           // 0: no scene (before the first)
    {EnterTitleScene, RunTitleScene},             // SceneTitle
    {EnterStageSelect, RunStageSelectFrame},      // SceneStageSelect
    {nullptr, RunPlayFrame},                      // ScenePlay: the play frame does its own entry
    {EnterRanking, RunRankingFrame},              // SceneRanking
    {nullptr, RunEndingScene},                    // SceneEnding
    {EnterOptionsScreen, RunOptionsScreen},       // SceneOptions
    {EnterKeysScreen, RunKeysScreen},             // SceneKeys
    {EnterPadButtonsScreen, RunPadButtonsScreen}, // ScenePadButtons
    {nullptr, RunHelpScreen},                     // SceneHelp
    {EnterPauseScreen, RunPauseScreen},           // ScenePause
    {EnterQuitQuestion, RunQuitQuestion},         // SceneQuitQuestion
    {EnterReplaysScreen, RunReplaysScreen},       // SceneReplays
    {EnterPracticeScreen, RunPracticeScreen},     // ScenePractice
};

void RunScene(int32_t scene, bool entered) {
    if (scene < 0 || scene >= kSceneIdCount) return;
    const SceneSlots& slots = kSceneTable[scene];
    if (entered && slots.enter) slots.enter();
    if (slots.frame) slots.frame();
}
