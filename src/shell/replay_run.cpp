// The start of a recorded or simulated run, and the run options applied between frames.
#include <cstring>

#include "actors/actor.h"
#include "actors/spawners.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "scenes/scenes.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/replay.h"
#include "shell/save_files.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

constexpr int32_t kTopArmDurability = 5;  // what one arm item adds at the top level

constexpr int32_t kInvincibleLives = 3;

void PrepareRunStart(uint32_t seed, int32_t difficulty) {
    InitActorPool();
    InitStarPool();
    // carried from frame to frame and from stage to stage, never reset by the game:
    // a run starts with them as a fresh program has them
    mapScrollDX = mapScrollDY = 0;
    shotSoundLatch = 0;
    // left by the last run's stage, boss and ending until the next one overwrites them: a run
    // begun again from the title (after RETRY, QUIT TO TITLE or a ranking) hashes its title
    // frames as a fresh program does
    std::memset(StageMap, 0, sizeof StageMap);
    std::memset(StageScriptTable, 0, sizeof StageScriptTable);
    scriptLine = scriptWait = 0;
    scriptEnded = 0;
    mapLeftColumn = mapTopRow = 0;
    mapSubX = mapSubY = 0.0f;
    scrollSpeed = scrollTargetSpeed = 0.0f;
    scrollDir = 0;
    scrollOn = scrollStopping = 0;
    std::memset(bossScratch, 0, sizeof bossScratch);
    bossEventRequested = bossEventIndex = 0;
    bossState = 0;  // a stage's start clears it; the title before it hashes it
    // a practice begins in play, with no scene entered to clear them: the title's timer and
    // phase before it would be its own
    sceneTimer = stagePhase = 0;
    std::memset(endingText, 0, sizeof endingText);
    endingScrollY = 0.0f;
    // left by the last run's ship until the next one is made
    playerShip = nullptr;
    // and the route map's timers, hashed on the title too
    selectBlinkTimer = selectConfirmTimer = selectConfirmed = 0;
    playerCenterX = playerCenterY = 0.0f;
    difficultySetting = difficulty;
    practiceRun = 0;
    SeedRandom(seed);
    ResetNewGame();
}

void BeginRun(uint32_t seed, int32_t difficulty, int32_t startStage, uint8_t heldAtStart) {
    // as after a frame outside every scene: the next frame is the entry into the first
    // scene (no frame is run, so the game itself can begin a run between two of its own)
    currentScene = 0;
    previousScene = 0;
    sceneJustEntered = 1;
    titleIdleRestartsOnMove = true;  // the rule of the runs recorded now
    TakeWindowFocusLoss();  // a focus lost before the run began does not pause it
    ClearInput();
    SetHeldButtons(heldAtStart);
    PrepareRunStart(seed, difficulty);
    if (startStage > 0) {
        stageNumber = startStage;
        StartStage();
        currentScene = ScenePlay;
    } else {
        currentScene = SceneTitle;
    }
}

void UseReplayTable(const Replay& r) {
    for (size_t i = 0; i < r.tableScores.size(); i++) {
        highScores[i] = r.tableScores[i];
        highScoreStages[i] = r.tableStages[i];
    }
}

void TakeGameTable(Replay* r) {
    for (size_t i = 0; i < r->tableScores.size(); i++) {
        r->tableScores[i] = highScores[i];
        r->tableStages[i] = highScoreStages[i];
    }
}

void BeginPractice(uint32_t seed, int32_t difficulty, const PracticeStart& practice, uint8_t heldAtStart) {
    BeginRun(seed, difficulty, practice.stage, heldAtStart);
    PreparePractice(practice);
}

void BeginReplay(const Replay& r) {
    UseReplayTable(r);
    if (r.options & RunPractice)
        BeginPractice(r.seed, r.difficulty, r.practice, r.heldAtStart);
    else
        BeginRun(r.seed, r.difficulty, r.startStage, r.heldAtStart);
    UseReplayRules(r);
}

void UseReplayRules(const Replay& r) { titleIdleRestartsOnMove = r.titleMenu; }

void ApplyRunOptions(uint32_t options, RunCounters* c) {
    if (c->livesSeen >= 0 && lives < c->livesSeen) c->deaths += c->livesSeen - lives;
    if ((options & RunInvincible) && lives < kInvincibleLives) lives = kInvincibleLives;
    c->livesSeen = lives;

    if ((options & RunPowerMax) && !c->powerGiven) {
        // the ship exists from the first play frame on
        if (Actor* ship = playerShip; ship && ship->alive) {
            ship->work[kShotLevel].i = kTopShotLevel;
            ship->work[kMissileLevel].i = kTopMissileLevel;
            ship->work[kArmLevel].i = kTopArmLevel;
            if (ship->work[kArmDurability].i < kTopArmDurability)
                ship->work[kArmDurability].i = kTopArmDurability;
            c->powerGiven = true;
        }
    }
}
