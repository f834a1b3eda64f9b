// One frame of the title, of an empty stage, and of a crowded fight, with and
// without drawing.
#include <benchmark/benchmark.h>

#include <climits>

#include "actors/actor.h"
#include "actors/spawners.h"
#include "bench_game.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "stages/enemies.h"
#include "stages/stage_script.h"

namespace {

constexpr int kHeavyEnemies = 100;
constexpr int kHeavyEnemyShots = 300;

void SetDrawing(const benchmark::State& state) { SetDrawingEnabled(state.range(0) != 0); }

// The title once it is fully shown, held there by rewinding its idle timer.
void BM_TitleFrame(benchmark::State& state) {
    EnsureGame();
    BeginRun(1, 2, 0);
    SetDrawingEnabled(true);
    SetHeadlessPad(0);
    while (stagePhase != 2) RunFrame();
    SetDrawing(state);
    for (auto _ : state) {
        sceneTimer = 0;
        RunFrame();
    }
    SetDrawingEnabled(true);
}
BENCHMARK(BM_TitleFrame)->ArgName("draw")->Arg(1)->Arg(0);

// Stage 1 after the ship has come in, with the script held and nothing else alive:
// stars, map, the idle ship and the HUD.
void StartQuietStage() {
    BeginRun(1, 2, 1);
    SetHeadlessPad(0);
    for (int i = 0; i < 120; i++) RunFrame();
    scriptWait = INT_MAX / 2;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->group != GroupPlayer) a->alive = 0;
    RunFrame();
}

void BM_EmptyPlayFrame(benchmark::State& state) {
    EnsureGame();
    SetDrawingEnabled(true);
    StartQuietStage();
    SetDrawing(state);
    for (auto _ : state) RunFrame();
    SetDrawingEnabled(true);
}
BENCHMARK(BM_EmptyPlayFrame)->ArgName("draw")->Arg(1)->Arg(0);

int CountLive(int32_t group) {
    int n = 0;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->alive && a->group == group) n++;
    return n;
}

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

// About 100 enemies and 300 enemy shots against the ship at its top weapon,
// missile and arm levels, firing and weaving (and never hit, so it never stops
// firing); the top-up is not timed.
void BM_HeavyFrame(benchmark::State& state) {
    EnsureGame();
    SetDrawingEnabled(true);
    StartQuietStage();
    RunCounters counters;
    ApplyRunOptions(RunPowerMax | RunInvincible, &counters);
    SetDrawing(state);
    int frame = 0;
    int64_t enemies = 0, shots = 0, playerShots = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TopUpFight();
        // the ship keeps its entry protection, so it flies and fires all the time
        if (playerShip) playerShip->work[kRespawnGrace].i = 100;
        ApplyRunOptions(RunInvincible, &counters);
        SetHeadlessPad(PadButton1 | ((frame / 40) % 2 ? PadUp : PadDown));
        enemies += CountLive(GroupEnemy);
        shots += CountLive(GroupEnemyShot);
        playerShots += CountLive(GroupPlayerShot) + CountLive(GroupPlayerMissile);
        frame++;
        state.ResumeTiming();
        RunFrame();
    }
    double n = static_cast<double>(state.iterations());
    state.counters["enemies"] = static_cast<double>(enemies) / n;
    state.counters["enemyShots"] = static_cast<double>(shots) / n;
    state.counters["playerShots"] = static_cast<double>(playerShots) / n;
    SetDrawingEnabled(true);
}
BENCHMARK(BM_HeavyFrame)->ArgName("draw")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
