// The run's state and its three resets: new game, continue, stage start.
#include "actors/actor.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "scenes/scenes.h"
#include "shell/game.h"
#include "shell/save_files.h"
#include "stages/enemies.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

int32_t stageNumber;
int32_t score;
int32_t lives;
int32_t bombs;
int32_t shotGauge, missileGauge, armGauge;
int32_t rank;
uint8_t hasContinued;
int32_t newRankIndex;
int32_t shipCreated;
uint8_t explosionSoundRequest;

constexpr int32_t kStartingLives = 3;
constexpr int32_t kStartingBombs = 3;

int32_t StartingRank() {
    if (difficultySetting == 2) return 30;
    if (difficultySetting == 3) return 80;
    return 1;
}

void ResetNewGame() {
    stageNumber = 1;
    rank = StartingRank();
    shipCreated = 0;
    score = 0;
    newRankIndex = 9999;
    for (int32_t& count : liveShotCount) count = 0;
    liveMissileCount = 0;
    bossX = 0.0f;
    bossY = 0.0f;
    lives = kStartingLives;
    bombs = kStartingBombs;
    shotGauge = missileGauge = armGauge = 0;
    bombActive = 0;
    kind110Destroyed = 0;
    hasContinued = 0;
    ResetStageSelect();
}

// Play resumes where it stopped: stage, route, script, map and actors stay.
void ResetContinue() {
    score = 0;
    newRankIndex = 9999;
    rank = StartingRank();
    lives = kStartingLives;
    bombs = kStartingBombs;
    shotGauge = missileGauge = armGauge = 0;
    bombActive = 0;
    kind110Destroyed = 0;
    hasContinued = 1;
}

// The ship and its levels carry over from stage to stage.
void StartStage() {
    mapSubX = mapSubY = 0.0f;
    mapLeftColumn = 1;
    mapTopRow = 1;
    scrollSpeed = scrollTargetSpeed = 1.0f;
    scrollDir = 0;
    scrollOn = 1;
    scrollStopping = 0;
    LoadStageScript();
    BuildStageMap();  // after the camera reset: a layout may move the starting view
    for (int32_t& count : liveShotCount) count = 0;
    liveMissileCount = 0;
    bombActive = 0;
    bossState = 0;
    scriptLine = 0;
    scriptWait = 0;
    scriptEnded = 0;
    bossEventRequested = 0;
}
