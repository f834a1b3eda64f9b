// Practice: a stage this player has reached, from its start or from its boss's warning,
// with the power the player chose; recorded like any run, never ranked.
#pragma once

#include <cstddef>
#include <cstdint>

struct PracticeStart {
    int32_t stage = 1;
    bool boss = false;       // from the warning: the stage as it stands then, no enemy left
    int32_t shotLevel = 0;   // 0 to kTopShotLevel
    int32_t missileLevel = 0;  // 0 to kTopMissileLevel
    int32_t arms = 0;        // 0 none, else arm level arms - 1
    int32_t bombs = 3;
};

constexpr int32_t kPracticeTopArms = 3;
constexpr int32_t kPracticeTopBombs = 9;

// Set for the whole of a practice run: it never enters the high-score table.
extern uint8_t practiceRun;

// The same start always comes out the same: the ranges are held to, the stage too.
PracticeStart ClampedPractice(const PracticeStart& p);

// After a new game's StartStage of the practice's stage (the run's seed and difficulty
// in place): plays the stage without a ship to its warning when asked, clears what it
// left, then brings the ship in with the chosen power. The next frame enters play.
void PreparePractice(const PracticeStart& p);

// The stages this player has reached on this machine: "reached.txt" in the player's
// folder, a line of stage numbers. Stage 1 always counts, and so does every stage in
// the high-score table.
bool StageReached(int32_t stage);
// Called as a stage starts in a run: notes it (and writes the file when it is new).
void NoteStageReached(int32_t stage);
// The stages a file's text names, marked in reached[1..28] (what it cannot read is left).
void ParseReachedStages(const char* text, size_t size, bool reached[29]);
// Reads the file again (at set-up, and for tests after they change it).
void ReadReachedStages();
