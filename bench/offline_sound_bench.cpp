// The offline mix of one game frame (16 ms of sound) under a busy fight: stage music and
// a dozen effect voices, through the limiter. An export must mix far faster than it plays.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_game.h"
#include "runtime/headless.h"
#include "runtime/media.h"

namespace {

void BM_OfflineSoundFrame(benchmark::State& state) {
    StopGame();  // a runtime of its own, started with offline sound
    EnableHeadless(1);
    EnableOfflineSound(true);
    if (StartRuntime() != 0) {
        state.SkipWithError("no runtime");
        return;
    }
    const char* effects[] = {"data/WavMyShot00.wav", "data/WavEnemyShot00.wav", "data/WavEnemyShot03.wav",
                             "data/WavMyBomb.wav"};
    int handles[4];
    for (int i = 0; i < 4; ++i) handles[i] = LoadSound(effects[i], 3, -1);
    PlayMusicFile("data/Sound04.mp3", 3);
    float frames[2 * 706];
    for (auto _ : state) {
        for (int h : handles) PlaySound(h, 3, 1);  // every voice of every effect sounding
        MixOfflineSound(frames, 706);
        benchmark::DoNotOptimize(frames);
    }
    state.SetItemsProcessed(state.iterations() * 706);
    StopRuntime();
    EnableOfflineSound(false);
}
BENCHMARK(BM_OfflineSoundFrame);

}  // namespace
