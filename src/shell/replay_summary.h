// What a replay's run was, for the list of replays: played through unseen and unheard
// between two frames of the game, a slice at a time, the game put back as it was after
// each slice.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/replay.h"

struct ReplaySummary {
    int32_t score = 0;           // when play was last left
    int32_t stages[8] = {};      // the stages flown, in order
    int32_t stageCount = 0;
    int32_t endingStage = 0;     // the stage whose ending was reached, 0 for none
    int32_t givenUpStage = 0;    // the stage the run was given up on, 0 for none
    int32_t lastStage = 0;       // the stage in play when the replay ends
    int64_t frames = 0;
};

// Runs one frame of the game from `buttons`, unpaced and unshown.
using SummaryFrameRunner = void (*)(int buttons);

// A summary under way: the replayed game waits in `state` between two slices.
struct SummaryRun {
    const Replay* replay = nullptr;  // stays in place until the summary is whole
    bool begun = false;
    std::vector<unsigned char> state;
    RunCounters books;
    ReplaySummary summary;
};

void BeginSummary(SummaryRun* s, const Replay& replay);
// Plays up to `frames` more frames of the replay; true once its summary is whole.
bool SummariseSome(SummaryRun* s, SummaryFrameRunner run, int64_t frames);
// The whole replay at once.
void SummariseReplay(const Replay& replay, SummaryFrameRunner run, ReplaySummary* out);
