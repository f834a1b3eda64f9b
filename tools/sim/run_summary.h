// The books every simulator run keeps for its last line, a JSON summary: the stages
// played and what each cost, deaths, game overs, continues, bombs and the ending seen.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/replay.h"

// What one stage of the run cost and brought: from its start to its end.
struct StageStats {
    int32_t stage = 0;
    int64_t frames = 0;
    int32_t deaths = 0;
    int32_t bombsUsed = 0;
    int32_t scoreGained = 0;
};

struct RunSummary {
    RunCounters counters;  // ships lost, kept by ApplyRunOptions
    bool gameOverSeen = false;
    int32_t gameOvers = 0;
    bool gameLost = false;  // the game left play without winning (given up after a game over)
    std::vector<int32_t> stagesPlayed;
    std::vector<StageStats> stages;  // the stage in play is the last one
    int32_t stageStartDeaths = 0, stageStartScore = 0;
    int64_t stageStartFrame = 0;
    int32_t bombsUsed = 0;  // bomb attacks started, whoever pressed the button
    bool bombWasActive = false;
    int32_t ending = 0;           // the stage whose ending played
    bool continueEnding = false;  // it was the common epilogue of a run that continued
    int32_t continuesUsed = 0;
    int32_t rankingFrom = 0;  // the scene that led into the ranking now shown
    int64_t runEndFrame = 0;  // the first run's end: the frame its ranking began
    bool runGivenUp = false;  // that run was given up at a game over (else it saw an ending)
};

// Before the first frame; a run that starts in play starts its first stage here.
void StartSummary(RunSummary* s);
// After every frame (the `frame`-th), with the scene the frame began in.
void NoteFrameInSummary(RunSummary* s, int64_t frame, int32_t sceneBefore);
// The play frame saw the stage won and sent the run on to the route map or the ending.
bool StageWon(int32_t sceneBefore);
// How a replay's run began and ended, and the bombs it used, as ,"key":value pairs for a
// score board that ranks only whole runs; what --verify and --watch add to the summary.
int FormatReplayRunFields(const RunSummary& s, const Replay& replay, char* out, size_t room);
// The summary line on stdout. `extra` (pre-formatted ,"key":value pairs, or "") goes in
// after the frames per second, for what only some runs report.
void PrintSummary(const RunSummary& s, int64_t frames, double seconds, uint64_t hash, const char* extra);
