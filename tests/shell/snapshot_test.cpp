// Snapshots of the game state: a restored one plays on exactly as the first time, across a
// scene's entry too; the watcher's store keeps a run of any length in its slots.
#include <gtest/gtest.h>

#include <vector>

#include "shell/replay.h"
#include "shell/snapshot.h"
#include "shell/state_hash.h"
#include "support/headless_game.h"

namespace {

class Snapshot : public HeadlessGame {
protected:
    static std::vector<uint64_t> PlayHashing(int frames, int pad) {
        std::vector<uint64_t> hashes;
        for (int f = 0; f < frames; f++) {
            Frame(f % 3 ? pad : 0);
            hashes.push_back(StateHash());
        }
        return hashes;
    }
};

// Taken between the title's last frame and play's first: the next frame must still be an
// entry (the star field refilled, the ship made) after the run had moved on.
TEST_F(Snapshot, RestoredAtASceneChangeTheRunPlaysOnAlike) {
    BeginRun(3, 2, 0);
    Frame(0);
    Frame(PadButton1);  // fire on the title: play begins with the next frame
    ASSERT_EQ(currentScene, ScenePlay);
    std::vector<unsigned char> record(StateSnapshotBytes());
    TakeStateSnapshot(record.data());
    const uint64_t taken = StateHash();
    const std::vector<uint64_t> first = PlayHashing(400, PadButton1 | PadUp);
    RestoreStateSnapshot(record.data());
    EXPECT_EQ(StateHash(), taken);
    EXPECT_EQ(PlayHashing(400, PadButton1 | PadUp), first);
}

// Restoring also undoes what a different future did: other buttons, lost ships, a new stage.
TEST_F(Snapshot, RestoringUndoesAnotherFuture) {
    BeginRun(5, 3, 4);
    Frames(200, PadButton1);
    std::vector<unsigned char> record(StateSnapshotBytes());
    TakeStateSnapshot(record.data());
    const std::vector<uint64_t> first = PlayHashing(300, PadButton1 | PadDown);
    RestoreStateSnapshot(record.data());
    Frames(500, PadButton2 | PadLeft);  // bombs and another path
    stageNumber = 9;
    StartStage();
    RestoreStateSnapshot(record.data());
    EXPECT_EQ(PlayHashing(300, PadButton1 | PadDown), first);
}

// The store takes real snapshots, so the game is set up as for any other run.
TEST_F(Snapshot, StoreKeepsEveryFewFramesAndThinsOutWhenFull) {
    SnapshotStore store;
    PrepareSnapshotStore(&store, 4, 10);
    const size_t bytes = store.records.size();
    for (int64_t f = 0; f <= 70; f++) KeepSnapshotIfDue(&store, f, SnapshotMusic{});
    // 0 10 20 30 filled it; 40 thinned it to 0 20 (the spacing now 20) and came in; then 60
    ASSERT_EQ(store.count, 4);
    EXPECT_EQ(store.spacing, 20);
    EXPECT_EQ(std::vector<int64_t>(store.frames.begin(), store.frames.begin() + 4),
              (std::vector<int64_t>{0, 20, 40, 60}));
    for (int64_t f = 71; f <= 119; f++) KeepSnapshotIfDue(&store, f, SnapshotMusic{});
    EXPECT_EQ(store.spacing, 40);
    EXPECT_EQ(std::vector<int64_t>(store.frames.begin(), store.frames.begin() + store.count),
              (std::vector<int64_t>{0, 40, 80}));
    EXPECT_EQ(store.records.size(), bytes);  // nothing made while it was used
    // the frame asked for is played again, so the snapshot must come before it
    EXPECT_EQ(SnapshotBefore(store, 0), -1);
    EXPECT_EQ(SnapshotBefore(store, 1), 0);
    EXPECT_EQ(SnapshotBefore(store, 40), 0);
    EXPECT_EQ(SnapshotBefore(store, 41), 1);
    EXPECT_EQ(SnapshotBefore(store, 5000), 2);
}

}  // namespace
