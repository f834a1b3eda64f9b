// Snapshots kept while a replay plays, so that it can be sought back and forth: the
// watcher keeps them, the simulator's --seek and --snapshot-check use the same store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The music the run had when a snapshot was taken: what was started, at which frame.
struct SnapshotMusic {
    char file[64] = {};
    int playType = 0;
    int64_t startedAfter = 0;  // the frame after which it was started
};

// One snapshot every `spacing` frames, from frame 0 (the state before the first frame);
// once every slot is used, every other snapshot goes and the spacing doubles, so the
// store holds a run of any length in the memory it was made with.
struct SnapshotStore {
    std::vector<unsigned char> records;  // capacity records of StateSnapshotBytes(), made once
    std::vector<int64_t> frames;         // after which frame each was taken, ascending
    std::vector<SnapshotMusic> music;
    size_t recordBytes = 0;
    int capacity = 0;
    int count = 0;
    int64_t spacing = 0;
};

constexpr int kWatchSnapshots = 48;
constexpr int64_t kWatchSnapshotSpacing = 600;  // ten seconds

// Makes the store's memory, before play: nothing is allocated while it is used.
void PrepareSnapshotStore(SnapshotStore* store, int capacity, int64_t spacing);
// After frame `frame` ran (0: before the first): keeps a snapshot when one is due.
// Frames must come in order; a frame at or before the last one kept is ignored.
void KeepSnapshotIfDue(SnapshotStore* store, int64_t frame, const SnapshotMusic& music);
// The latest snapshot taken after a frame below `frame` (so that `frame` itself is run
// again and drawn), -1 when none.
int SnapshotBefore(const SnapshotStore& store, int64_t frame);
// Puts the game back as it was after the snapshot's frame; that frame.
int64_t RestoreSnapshot(const SnapshotStore& store, int index);
