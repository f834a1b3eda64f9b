// The start of a recorded or simulated run, and the run options applied between frames.
#include "actors/actor.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/replay.h"
#include "shell/save_files.h"

constexpr int32_t kTopArmDurability = 5;  // what one arm item adds at the top level

constexpr int32_t kInvincibleLives = 3;

void BeginRun(uint32_t seed, int32_t difficulty, int32_t startStage) {
    difficultySetting = difficulty;
    SeedRandom(seed);
    ClearInput();
    ResetNewGame();
    if (startStage > 0) {
        stageNumber = startStage;
        StartStage();
        currentScene = ScenePlay;
    } else {
        currentScene = SceneTitle;
    }
}

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
