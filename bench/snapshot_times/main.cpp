// zorbex-snapshot-times REPLAY: a snapshot's size, the time to take and to restore one (in
// stage 5 under way), and a seek to the worst frame of REPLAY (the frame before its last
// kept snapshot, the most frames a seek simulates), printed as one JSON line. The same
// program in the desktop build and in the browser build, so the two read side by side.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/save_files.h"
#include "shell/snapshot.h"
#include "shell/state_hash.h"

namespace {

constexpr int kRounds = 15;          // medians of this many
constexpr int kCopiesPerRound = 40;  // a snapshot's take or restore, timed in batches
constexpr int kSeekRounds = 5;
const char* const kScratchSave = "/tmp/zorbex-snapshot-times.dat";  // no run ends: never written

using Clock = std::chrono::steady_clock;

double MillisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Microseconds per take (or restore) of one snapshot, the median of the rounds.
template <typename Copy>
double CopyMicros(Copy copy) {
    std::vector<double> rounds;
    for (int r = 0; r < kRounds; r++) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kCopiesPerRound; i++) copy();
        rounds.push_back(MillisSince(start) * 1000.0 / kCopiesPerRound);
    }
    return Median(rounds);
}

// Restores the snapshot before `worst` and plays on to it unseen, the last frame drawn.
double SeekMillis(const SnapshotStore& store, const Replay& replay, int64_t worst) {
    const Clock::time_point start = Clock::now();
    int64_t at = RestoreSnapshot(store, SnapshotBefore(store, worst));
    SetDrawingEnabled(false);
    while (at < worst) {
        if (at + 1 == worst) SetDrawingEnabled(true);
        SetHeadlessPad(replay.buttons[static_cast<size_t>(at)]);
        RunFrame();
        at++;
    }
    SetDrawingEnabled(true);
    return MillisSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zorbex-snapshot-times REPLAY\n");
        return 2;
    }
    Replay replay;
    std::string error;
    if (!ReadReplayFile(argv[1], &replay, &error)) {
        std::fprintf(stderr, "zorbex-snapshot-times: %s\n", error.c_str());
        return 2;
    }
    EnableHeadless(1);
    if (StartRuntime() == -1) return 2;
    saveFileName = kScratchSave;
    SetUpGame();
    PrepareStateHash();

    BeginRun(1, 2, 5);
    SetHeadlessPad(0);
    for (int f = 0; f < 2000; f++) RunFrame();
    std::vector<unsigned char> record(StateSnapshotBytes());
    const double take = CopyMicros([&] { TakeStateSnapshot(record.data()); });
    const double restore = CopyMicros([&] { RestoreStateSnapshot(record.data()); });

    // the whole replay played once with the watcher's store, as the theatre opens it
    SetDrawingEnabled(false);
    SnapshotStore store;
    PrepareSnapshotStore(&store, kWatchSnapshots, kWatchSnapshotSpacing);
    BeginReplay(replay);
    KeepSnapshotIfDue(&store, 0, SnapshotMusic{});
    const Clock::time_point opening = Clock::now();
    int64_t frame = 0;
    for (uint8_t buttons : replay.buttons) {
        SetHeadlessPad(buttons);
        RunFrame();
        KeepSnapshotIfDue(&store, ++frame, SnapshotMusic{});
    }
    const double openMillis = MillisSince(opening);
    SetDrawingEnabled(true);
    const int64_t worst = store.count > 1 ? store.frames[static_cast<size_t>(store.count - 1)] - 1 : frame;
    std::vector<double> seeks;
    for (int r = 0; r < kSeekRounds; r++) seeks.push_back(SeekMillis(store, replay, worst));
    const uint64_t hash = StateHash();

    std::printf("{\"bytes\":%zu,\"takeMicros\":%.1f,\"restoreMicros\":%.1f,\"frames\":%lld,\"openMillis\":%.0f,"
                "\"worstFrame\":%lld,\"spacing\":%lld,\"storeBytes\":%zu,\"seekMillis\":%.2f,"
                "\"seekMaxMillis\":%.2f,\"hash\":\"%016llx\"}\n",
                record.size(), take, restore, static_cast<long long>(frame), openMillis,
                static_cast<long long>(worst), static_cast<long long>(store.spacing), store.records.size(),
                Median(seeks), *std::max_element(seeks.begin(), seeks.end()), static_cast<unsigned long long>(hash));
    std::fflush(stdout);
    StopRuntime();
    return 0;
}
