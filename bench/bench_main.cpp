// The benchmark program: Google Benchmark's main over one headless game.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"

static bool started;

void EnsureGame() {
    if (started) return;
    EnableHeadless(1);
    if (StartRuntime() == -1) return;
    saveFileName = "/dev/null";
    SetUpGame();
    PrepareStateHash();
    started = true;
}

void StopGame() {
    if (!started) return;
    StopRuntime();
    started = false;
}

BENCHMARK_MAIN();
