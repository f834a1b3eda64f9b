// The benchmarks' scenes, driven only through the game's frame function and its state.
#include "bench_scenes.h"

#include <climits>

#include "actors/actor.h"
#include "actors/spawners.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "stages/stage_script.h"

namespace {

constexpr int kHeavyEnemies = 100;
constexpr int kHeavyEnemyShots = 300;

// Keeps the fight at its size: enemies of stage 1's kinds on the right, and enemy
// shots all over the screen, replaced as they die or leave.
void TopUpFight() {
    for (int n = CountLive(GroupEnemy); n < kHeavyEnemies; n++) {
        float x = 320.0f + static_cast<float>(RandomUpTo(280));
        float y = 32.0f + static_cast<float>(RandomUpTo(400));
        switch (n % 4) {
        case 0: SpawnEnemy000(x, y); break;
        case 1: SpawnEnemy001(x, y); break;
        case 2: SpawnEnemy003(x, y); break;
        default: SpawnEnemy004(x, y); break;
        }
    }
    for (int n = CountLive(GroupEnemyShot); n < kHeavyEnemyShots; n++) {
        float x = static_cast<float>(RandomUpTo(640));
        float y = static_cast<float>(RandomUpTo(480));
        int32_t dir = RandomUpTo(359);
        SpawnEnemyShot000(x, y, dir, 1.0f + static_cast<float>(RandomUpTo(20)) / 10.0f);
    }
}

}  // namespace

int CountLive(int32_t group) {
    int n = 0;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->alive && a->group == group) n++;
    return n;
}

void StartShownTitle() {
    BeginRun(1, 2, 0);
    SetHeadlessPad(0);
    while (stagePhase != 2) RunFrame();
}

void HoldShownTitle() { sceneTimer = 0; }

void StartQuietStage() {
    BeginRun(1, 2, 1);
    SetHeadlessPad(0);
    for (int i = 0; i < 120; i++) RunFrame();
    scriptWait = INT_MAX / 2;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->group != GroupPlayer) a->alive = 0;
    RunFrame();
}

void StartHeavyFight(HeavyFight* fight) {
    StartQuietStage();
    *fight = HeavyFight();
    ApplyRunOptions(RunPowerMax | RunInvincible, &fight->counters);
}

void PrepareHeavyFrame(HeavyFight* fight) {
    TopUpFight();
    // the ship keeps its entry protection, so it flies and fires all the time
    if (playerShip) playerShip->work[kRespawnGrace].i = 100;
    ApplyRunOptions(RunInvincible, &fight->counters);
    SetHeadlessPad(PadButton1 | ((fight->frame / 40) % 2 ? PadUp : PadDown));
    fight->frame++;
}

void StartStageOne(RunCounters* counters) {
    BeginRun(1, 2, 1);
    *counters = RunCounters();
}

void PrepareStageOneFrame(int frame) {
    SetHeadlessPad(PadButton1 | ((frame / 45) % 2 ? PadUp : PadDown) | ((frame / 70) % 3 == 0 ? PadRight : 0));
}

void FinishStageOneFrame(RunCounters* counters) { ApplyRunOptions(RunInvincible, counters); }
