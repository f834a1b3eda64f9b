// Whole-stage simulation speed, and start-up: set-up with every picture and sound loaded.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "bench_scenes.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/save_files.h"

namespace {

// Stage 1 with fire held and the ship weaving, kept alive; frames per second.
void BM_StageOne(benchmark::State& state) {
    EnsureGame();
    SetDrawingEnabled(state.range(0) != 0);
    int64_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RunCounters counters;
        StartStageOne(&counters);
        state.ResumeTiming();
        for (int f = 0; f < kStageOneFrames; f++) {
            PrepareStageOneFrame(f);
            RunFrame();
            FinishStageOneFrame(&counters);
        }
        frames += kStageOneFrames;
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    SetDrawingEnabled(true);
}
BENCHMARK(BM_StageOne)->ArgName("draw")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The runtime started, the game set up with every asset loaded, and stopped again.
void BM_StartUp(benchmark::State& state) {
    StopGame();
    for (auto _ : state) {
        EnableHeadless(1);
        StartRuntime();
        saveFileName = BenchSaveFile();
        SetUpGame();
        state.PauseTiming();
        StopRuntime();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
