// What a replay's run was, for the list of replays: played through once, unseen and
// unheard, between two frames of the game, which is put back as it was afterwards.
#pragma once

#include <cstdint>

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

void SummariseReplay(const Replay& replay, SummaryFrameRunner run, ReplaySummary* out);
