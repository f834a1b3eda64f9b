// Play allocates nothing: every pool, picture and sound exists before the first frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "shell/replay.h"
#include "shell/run_recorder.h"
#include "support/headless_game.h"

namespace {

class NoAllocation : public HeadlessGame {};

TEST(AllocationCounter, SeesMallocAndNew) {
    StartCountingAllocations();
    void* p = std::malloc(16);
    std::free(p);
    auto* v = new std::vector<int>(100);
    delete v;
    std::string s(200, 'x');
    EXPECT_GE(StopCountingAllocations(), 3);
}

// Several thousand frames of stage 1 after its start, with the ship firing, weaving,
// bombing, dying and re-entering: not one allocation.
TEST_F(NoAllocation, StageOnePlaysWithoutTouchingTheHeap) {
    for (int options : {0, static_cast<int>(RunPowerMax)}) {
        BeginRun(11, 2, 1);
        RunCounters counters;
        Frame(PadButton1);  // the entry frame creates the ship and the stars
        ApplyRunOptions(static_cast<uint32_t>(options), &counters);
        StartCountingAllocations();
        for (int f = 0; f < 4000; f++) {
            int pad = PadButton1;
            pad |= (f / 50) % 2 ? PadUp : PadDown;
            if (f % 300 == 150) pad |= PadButton2;  // a bomb now and then
            if ((f / 25) % 4 == 0) pad |= PadRight;
            Frame(pad);
        }
        EXPECT_EQ(StopCountingAllocations(), 0) << (options ? "with top weapons" : "with starting weapons");
    }
}

// The game records every run as it plays, its buttons and a hash every second: from the
// title's entry on, play still allocates nothing.
TEST_F(NoAllocation, ARecordedRunPlaysWithoutTouchingTheHeap) {
    EnableRunRecording(true);
    BeginRun(12, 2, 0);
    Frame(0);  // the title's entry: the recording starts
    Frame(PadButton1);
    Frame(PadButton1);  // the stage's entry creates the ship and the stars
    ASSERT_EQ(currentScene, ScenePlay);
    StartCountingAllocations();
    for (int f = 0; f < 3000; f++) Frame(PadButton1 | ((f / 40) % 2 ? PadUp : PadDown));
    const int allocations = StopCountingAllocations();
    EnableRunRecording(false);
    EXPECT_EQ(allocations, 0);
}

}  // namespace
