// The start of a recorded or simulated run, and the run options applied between frames.
#include "actors/actor.h"
#include "runtime/headless.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/replay.h"
#include "shell/save_files.h"

// the ship's words for its levels, and the top of each
constexpr int kShipShotLevel = 0;
constexpr int kShipMissileLevel = 2;
constexpr int kShipArmLevel = 4;
constexpr int kShipArmDurability = 5;
constexpr int32_t kTopShotLevel = 14;
constexpr int32_t kTopMissileLevel = 11;
constexpr int32_t kTopArmLevel = 2;
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

// The ship is the first record of its group; it exists from the first play frame on.
static Actor* FindShip() {
    if (!actorPool) return nullptr;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->group == GroupPlayer && a->alive) return a;
    return nullptr;
}

void ApplyRunOptions(uint32_t options, RunCounters* c) {
    if (c->livesSeen >= 0 && lives < c->livesSeen) c->deaths += c->livesSeen - lives;
    if ((options & RunInvincible) && lives < kInvincibleLives) lives = kInvincibleLives;
    c->livesSeen = lives;

    if ((options & RunPowerMax) && !c->powerGiven) {
        if (Actor* ship = FindShip()) {
            ship->work[kShipShotLevel].i = kTopShotLevel;
            ship->work[kShipMissileLevel].i = kTopMissileLevel;
            ship->work[kShipArmLevel].i = kTopArmLevel;
            if (ship->work[kShipArmDurability].i < kTopArmDurability)
                ship->work[kShipArmDurability].i = kTopArmDurability;
            c->powerGiven = true;
        }
    }
}
