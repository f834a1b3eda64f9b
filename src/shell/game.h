// Shell globals shared by every scene: the scene switch, the phase, the run's state.
#pragma once

#include <cstdint>

// The game's scenes (1 to 5) are game state; the front end's screens after them are not:
// they run while the game's frames are held (scenes/scene_table.h).
enum SceneId : int32_t {
    SceneTitle = 1,
    SceneStageSelect = 2,
    ScenePlay = 3,
    SceneRanking = 4,
    SceneEnding = 5,
    // screens of the front end
    SceneOptions = 6,
    SceneKeys = 7,
    ScenePadButtons = 8,
    SceneHelp = 9,
    ScenePause = 10,
    SceneQuitQuestion = 11,
    SceneReplays = 12,
    ScenePractice = 13,
    kSceneIdCount = 14,
};
constexpr int32_t kFirstScreen = SceneOptions;

// stagePhase values of the play scene
constexpr int32_t PhasePlaying = 0;
constexpr int32_t PhaseStageWon = 100;
constexpr int32_t PhaseShipLeft = 200;
constexpr int32_t PhaseNoShipLeft = 900;
constexpr int32_t PhaseGameOverPrompt = 901;

extern int32_t currentScene;
extern int32_t sceneJustEntered;
extern int32_t stagePhase;
extern int32_t sceneTimer;
extern int32_t lastFrameMillis;
extern int32_t previousScene;  // read at the start of the last frame: the next one's entry test
extern int32_t stageNumber;
extern int32_t score;
extern int32_t lives;
extern int32_t bombs;
extern int32_t shotGauge, missileGauge, armGauge;
extern int32_t rank;
extern uint8_t hasContinued;
extern int32_t newRankIndex;
extern int32_t shipCreated;
extern uint8_t explosionSoundRequest;

// Program entry and the loop.
int RunProgram();         // the whole program: 0 after a normal end, -1 without a runtime
void SetUpGame();         // one-time set-up at the start of the loop
// Set-up again for a fresh game while the pictures and sounds of an earlier SetUpGame
// stay loaded (tests share one load per process).
void SetUpGameKeepingAssets();
bool RunFrame();          // one frame of the main loop; false once the loop should end
// A frame of a replay watched or summed up while the front end holds the game's frames:
// neither paced, presented nor recorded.
void RunReplayedFrame(int buttons);
void RunMainLoop();

// The three resets.
void ResetNewGame();
void ResetContinue();
void StartStage();
int32_t StartingRank();   // 1, 30 or 80 by difficulty

void RunPlayFrame();
