// Snapshots of the game state: their size, the time to take and to restore one, and a seek
// to the worst frame of the longest golden replay (the one furthest past a kept snapshot).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_game.h"
#include "runtime/headless.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/snapshot.h"
#include "shell/state_hash.h"

namespace {

// A state with a stage under way: stage 5's first 2000 frames, nothing pressed.
void PlayIntoAStage() {
    BeginRun(1, 2, 5);
    SetHeadlessPad(0);
    for (int f = 0; f < 2000; f++) RunFrame();
}

void BM_SnapshotTake(benchmark::State& state) {
    EnsureGame();
    PlayIntoAStage();
    std::vector<unsigned char> record(StateSnapshotBytes());
    for (auto _ : state) {
        TakeStateSnapshot(record.data());
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(record.size());
}
BENCHMARK(BM_SnapshotTake)->Unit(benchmark::kMicrosecond);

void BM_SnapshotRestore(benchmark::State& state) {
    EnsureGame();
    PlayIntoAStage();
    std::vector<unsigned char> record(StateSnapshotBytes());
    TakeStateSnapshot(record.data());
    for (auto _ : state) {
        RestoreStateSnapshot(record.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SnapshotRestore)->Unit(benchmark::kMicrosecond);

// The longest golden replay watched to its end with the watcher's store, then sought back
// to the frame just before the next kept snapshot: the most frames a seek has to simulate.
void BM_SeekWorstFrame(benchmark::State& state) {
    EnsureGame();
    Replay replay;
    std::string error, longest;
    int64_t most = 0;
    for (const char* name : {"continue", "ending22", "ending23", "ending24", "ending25", "ending26", "ending27",
                             "ending28"}) {
        const std::string path = std::string(ZORBEX_SOURCE_DIR "/tests/golden/") + name + ".replay";
        if (ReadReplayFile(path.c_str(), &replay, &error) && static_cast<int64_t>(replay.buttons.size()) > most) {
            most = static_cast<int64_t>(replay.buttons.size());
            longest = path;
        }
    }
    if (!ReadReplayFile(longest.c_str(), &replay, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    SetDrawingEnabled(false);
    SnapshotStore store;
    PrepareSnapshotStore(&store, kWatchSnapshots, kWatchSnapshotSpacing);
    BeginReplay(replay);
    KeepSnapshotIfDue(&store, 0, SnapshotMusic{});
    int64_t frame = 0;
    for (uint8_t buttons : replay.buttons) {
        SetHeadlessPad(buttons);
        RunFrame();
        KeepSnapshotIfDue(&store, ++frame, SnapshotMusic{});
    }
    // the frame before a kept snapshot is the furthest from the one before it
    const int64_t worst = store.count > 1 ? store.frames[size_t(store.count - 1)] - 1 : frame;
    for (auto _ : state) {
        int64_t at = RestoreSnapshot(store, SnapshotBefore(store, worst));
        SetDrawingEnabled(false);
        while (at < worst) {
            if (at + 1 == worst) SetDrawingEnabled(true);
            SetHeadlessPad(replay.buttons[size_t(at)]);
            RunFrame();
            at++;
        }
    }
    SetDrawingEnabled(true);
    state.counters["frame"] = static_cast<double>(worst);
    state.counters["spacing"] = static_cast<double>(store.spacing);
    state.counters["storeMB"] = static_cast<double>(store.records.size()) / 1e6;
}
BENCHMARK(BM_SeekWorstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
