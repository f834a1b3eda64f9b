// The simulator's command line.
#pragma once

#include <cstdint>

enum class UntilEvent { None, Clear, GameOver, Ending, Ranking, Boss };

struct SimOptions {
    int32_t stage = 0;         // 0: from the title
    int64_t frames = -1;       // -1: the input's length, or kDefaultFrameLimit
    UntilEvent until = UntilEvent::None;
    uint32_t seed = 1;
    int32_t difficulty = 2;    // what a missing config.dat gives
    bool seedGiven = false, difficultyGiven = false, stageGiven = false;
    bool autopilot = false;
    bool invincible = false;
    bool powerMax = false;
    const char* inputFile = nullptr;
    const char* recordFile = nullptr;
    const char* verifyFile = nullptr;
    const char* shotsDir = nullptr;
    int32_t every = 0;
    bool noDraw = false;
    const char* traceFile = nullptr;
    const char* traceActorsFile = nullptr;
    uint8_t traceGroups = 0xff;  // bit g: group g goes into --trace-actors
    bool traceGroupsGiven = false;
    int32_t dumpStage = 0;
    bool paced = false;
    bool listState = false;
    bool checkPool = false;
    bool quiet = false;
    bool languageGiven = false;
    char route[7] = {};        // --route: six letters U or D, empty without it
    int32_t continues = 0;     // --continues: game-over prompts answered with C
    const char* videoFile = nullptr;  // --video: .webm or .mp4
    int32_t scale = 0;         // --scale: 1 or 2 with --video, 0 when not given
    int64_t videoFrom = 0;     // --video-from: the run's first frame in the video, 0 when not given
    int64_t videoTo = 0;       // --video-to: its last, 0 when not given (to the run's end)
    const char* watchFile = nullptr;  // --watch: a replay played in a window
    const char* submitUrl = nullptr;   // --submit URL FILE: a score board, and the replay sent to it
    const char* submitFile = nullptr;
    const char* submitName = nullptr;  // --name: the player's name on the board
    bool snapshotCheck = false;  // --snapshot-check: restored snapshots play on alike
    int64_t seek = 0;            // --seek FRAME: the input played whole, then sought back to FRAME
    int32_t practice = 0;        // --practice N: a practice of stage N, 0 without it
    bool practiceBoss = false;   // --boss: from its boss's warning
    int32_t practicePower[4] = {0, 0, 0, 3};  // --practice-power S,M,A,B: shot, missile, arm, bombs
};

constexpr int64_t kDefaultFrameLimit = 36000;  // ten minutes of play

// false after printing what is wrong; *exitNow with a code for --help
bool ParseSimOptions(int argc, char** argv, SimOptions* options, int* exitCode);
const char* UntilName(UntilEvent e);
