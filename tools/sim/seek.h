// --snapshot-check and --seek: snapshots of the game state taken while a run plays,
// restored, and the run played on from them as the watcher does.
#pragma once

#include <cstdint>
#include <vector>

#include "run_summary.h"
#include "shell/replay.h"
#include "shell/snapshot.h"

constexpr int64_t kCheckSpacing = 600;  // a snapshot after every 600th frame
constexpr int64_t kCheckFrames = 300;   // and the frames played twice from it

struct SnapshotCheck {
    std::vector<unsigned char> record;
    std::vector<uint64_t> hashes;  // the first time's hash after each frame
    int64_t from = -1;             // the frame the snapshot was taken after
    int64_t count = 0;
};

void PrepareSnapshotCheck(SnapshotCheck* c);
// After frame `frame` ran (0: before the first), at every 600th: takes a snapshot, plays
// up to 300 frames of `buttons` (pad bits of frames 1, 2, ...) noting their hashes, and
// restores it, so that the run plays those frames again.
void ProbeFromSnapshot(SnapshotCheck* c, int64_t frame, const std::vector<uint8_t>& buttons,
                       uint32_t options, RunCounters counters);
// After frame `frame` ran the second time: false after naming the first frame that differs.
bool CheckAfterRestore(SnapshotCheck* c, int64_t frame, const char* file);

struct SeekRun {
    SnapshotStore store;
    std::vector<uint8_t> buttons;         // what frames 1, 2, ... were played with
    std::vector<RunCounters> counters;    // the run options' books at every 600th frame
    RunSummary atTarget;                  // the summary straight play had at the target
    int64_t target = 0;
};

// Before the first frame: the store, and the snapshot of frame 0.
void PrepareSeek(SeekRun* s, int64_t target, int64_t plannedFrames, const RunSummary& summary);
// After frame `frame` ran with `buttons`.
void KeepForSeek(SeekRun* s, int64_t frame, int buttons, const RunSummary& summary);
// Back (or on) to the target as the watcher seeks: the nearest snapshot before it restored,
// the frames from there simulated, the target's own drawn when `draw`. The frame reached
// (the target, or the last frame played when the run was shorter); *millis: how long it took.
int64_t SeekToTarget(SeekRun* s, uint32_t options, bool draw, double* millis);
