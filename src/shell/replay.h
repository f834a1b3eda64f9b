// Replays: how a run starts, its buttons frame by frame, and state hashes to hold
// a later run to. Also the run set-up that replays, tools and tests share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/practice.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"

constexpr int32_t kReplayVersion = 1;
// Version 2 adds what a run recorded in the game needs: the buttons already held when it
// began, whether the recording stopped at its limit before the run ended, and the player's
// high-score table it began with (the ranking it reaches depends on it).
constexpr int32_t kReplayVersionHeld = 2;
// Version 3, the one written now, always has the version 2 fields and names the
// state hash scheme its hashes were made with; earlier files were made with scheme 1.
constexpr int32_t kReplayVersionSchemed = 3;
// Version 4, the one written now, is version 3 recorded with the title's menu: up and
// down on the shown title move its cursor and restart the title's idle count (a change of
// the game's state), which earlier versions never did; they play by their own rule.
constexpr int32_t kReplayVersionMenu = 4;
// Version 5 is written for practice runs only: version 4 with the practice's start and
// power after the options.
constexpr int32_t kReplayVersionPractice = 5;
constexpr int32_t kReplayHashInterval = 60;      // a hash after every 60th frame, and the last
constexpr int32_t kReplayMaxFrames = 1'350'000;  // six hours: the longest run the game records
// A replay of the longest run allowed is a few megabytes; a larger file is no replay.
constexpr size_t kReplayMaxBytes = size_t(64) << 20;

// Run options that change the game between frames; a replay is played with the
// options it was recorded with.
constexpr uint32_t RunInvincible = 1;  // lives topped back up after every lost ship
constexpr uint32_t RunPowerMax = 2;    // the ship starts with its top weapon and arm levels
constexpr uint32_t RunPractice = 4;    // a practice: its own start and power, never ranked

struct ReplayCheckpoint {
    int32_t frame;  // counted from 1: the hash taken after this frame ran
    uint64_t hash;
};

struct Replay {
    int32_t hashScheme = kStateHashScheme;  // how its hashes were made
    uint32_t seed = 1;
    int32_t difficulty = 2;
    int32_t startStage = 0;  // 0: from the title, pressing fire; else a stage started directly
    uint32_t options = 0;
    uint8_t heldAtStart = 0;  // pad bits held before frame 1
    bool truncated = false;   // the run went on past the last recorded frame
    bool titleMenu = true;    // recorded with the title's menu (version 4 on)
    HighScoreList tableScores = kDefaultHighScores;  // the table as the run began
    HighScoreList tableStages = kDefaultHighScoreStages;
    PracticeStart practice;  // with RunPractice only
    std::vector<uint8_t> buttons;               // pad bits of frames 1, 2, ...
    std::vector<ReplayCheckpoint> checkpoints;  // ascending frames
};

// Parsing never trusts the text: a damaged file gives false and a message naming the line.
bool ParseReplay(const char* text, size_t size, Replay* replay, std::string* error);
std::string FormatReplay(const Replay& replay);
bool ReadReplayFile(const char* path, Replay* replay, std::string* error);
bool WriteReplayFile(const char* path, const Replay& replay, std::string* error);

bool IsReplayCheckpoint(int32_t frame, int32_t lastFrame);

// Whether this build can hold a run to the replay's hashes: made with this build's
// hash scheme, and a hash after every 60th frame and at the last, as recorded. A
// verification that checks nothing must not pass; `why` is one line for the player.
bool ReplayHashesCanBeChecked(const Replay& replay, std::string* why);

// A new run, at any time after SetUpGame and between two frames (it runs none itself):
// difficulty, seed, and either the title (its first frame is the entry) or a stage
// begun directly (a new game, the stage start, then play, whose first frame
// creates the ship). `heldAtStart`: pad bits already held as frame 1 is sampled.
void BeginRun(uint32_t seed, int32_t difficulty, int32_t startStage, uint8_t heldAtStart = 0);

// The high-score table the replay's run began with, made the game's; and the game's
// table, kept as the one a run recorded from now begins with.
void UseReplayTable(const Replay& replay);
void TakeGameTable(Replay* replay);
// BeginRun as the replay says, on the high-score table it began with, by its rules (a
// practice as its header says).
void BeginReplay(const Replay& replay);
// The rules of the replay's version, for a run begun with BeginRun (which sets today's).
void UseReplayRules(const Replay& replay);
// A practice begun as BeginRun begins a run: the stage, its boss when asked, the power.
void BeginPractice(uint32_t seed, int32_t difficulty, const PracticeStart& practice, uint8_t heldAtStart = 0);

// What every run starts from, in the game as in a replay: empty pools, the carried
// scroll and sound latches cleared, the difficulty and seed, a new game.
void PrepareRunStart(uint32_t seed, int32_t difficulty);

// What the run options did so far.
struct RunCounters {
    int32_t deaths = 0;
    int32_t livesSeen = -1;  // lives after the previous frame
    bool powerGiven = false;
};

// Between two frames: counts lost ships and applies the options.
void ApplyRunOptions(uint32_t options, RunCounters* counters);
