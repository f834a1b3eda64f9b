// The benchmark program: Google Benchmark's main over one headless game.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench_game.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"

static bool started;

// A run that ended would write its table here, never over the player's file.
const char* BenchSaveFile() {
    static const std::string path = "/tmp/zorbex-bench-" + std::to_string(getpid()) + ".dat";
    return path.c_str();
}

void EnsureGame() {
    if (started) return;
    EnableHeadless(1);
    if (StartRuntime() == -1) return;
    saveFileName = BenchSaveFile();
    SetUpGame();
    PrepareStateHash();
    started = true;
}

void StopGame() {
    if (!started) return;
    StopRuntime();
    std::remove(BenchSaveFile());
    started = false;
}

BENCHMARK_MAIN();
