// The scenes the frame benchmarks time, set up and kept going through the game's own
// frame function: for the desktop's benchmarks and for the frame times measured in both
// builds alike (bench/frame_times).
#pragma once

#include <cstdint>

#include "shell/replay.h"

// The title once it is fully shown; before each timed frame its idle timer is rewound.
void StartShownTitle();
void HoldShownTitle();

// Stage 1 after the ship has come in, with the script held and nothing else alive:
// stars, map, the idle ship and the HUD.
void StartQuietStage();

// About 100 enemies and 300 enemy shots against the ship at its top weapon, missile and
// arm levels, firing and weaving and never hit, so it never stops firing. Before each
// timed frame the fight is topped up to its size.
struct HeavyFight {
    RunCounters counters;
    int frame = 0;
};
void StartHeavyFight(HeavyFight* fight);
void PrepareHeavyFrame(HeavyFight* fight);

// Stage 1 played from its start: fire held and the ship weaving, kept alive. The buttons
// of each frame, and the lives topped up after it.
constexpr int kStageOneFrames = 4950;  // up to its boss line
void StartStageOne(RunCounters* counters);
void PrepareStageOneFrame(int frame);
void FinishStageOneFrame(RunCounters* counters);

int CountLive(int32_t group);
