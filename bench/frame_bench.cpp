// One frame of the title, of an empty stage, and of a crowded fight, with and
// without drawing.
#include <benchmark/benchmark.h>

#include "actors/actor.h"
#include "bench_game.h"
#include "bench_scenes.h"
#include "runtime/headless.h"
#include "shell/game.h"

namespace {

void SetDrawing(const benchmark::State& state) { SetDrawingEnabled(state.range(0) != 0); }

// The title once it is fully shown, held there by rewinding its idle timer.
void BM_TitleFrame(benchmark::State& state) {
    EnsureGame();
    SetDrawingEnabled(true);
    StartShownTitle();
    SetDrawing(state);
    for (auto _ : state) {
        HoldShownTitle();
        RunFrame();
    }
    SetDrawingEnabled(true);
}
BENCHMARK(BM_TitleFrame)->ArgName("draw")->Arg(1)->Arg(0);

void BM_EmptyPlayFrame(benchmark::State& state) {
    EnsureGame();
    SetDrawingEnabled(true);
    StartQuietStage();
    SetDrawing(state);
    for (auto _ : state) RunFrame();
    SetDrawingEnabled(true);
}
BENCHMARK(BM_EmptyPlayFrame)->ArgName("draw")->Arg(1)->Arg(0);

// The heavy fight; the top-up is not timed.
void BM_HeavyFrame(benchmark::State& state) {
    EnsureGame();
    SetDrawingEnabled(true);
    HeavyFight fight;
    StartHeavyFight(&fight);
    SetDrawing(state);
    int64_t enemies = 0, shots = 0, playerShots = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrepareHeavyFrame(&fight);
        enemies += CountLive(GroupEnemy);
        shots += CountLive(GroupEnemyShot);
        playerShots += CountLive(GroupPlayerShot) + CountLive(GroupPlayerMissile);
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
