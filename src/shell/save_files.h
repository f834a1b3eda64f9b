// The settings file "config.dat" and the high-score file "zorbexG.dat".
#pragma once

#include <array>
#include <cstdint>

extern int32_t screenModeSetting;  // 1 full screen, anything else a window
extern int32_t difficultySetting;  // 2 and 3 raise the starting rank
extern int32_t highScores[10];
extern int32_t highScoreStages[10];

// The table a missing or unreadable "zorbexG.dat" gives.
using HighScoreList = std::array<int32_t, 10>;
constexpr HighScoreList kDefaultHighScores = {10000, 9000, 8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000};
constexpr HighScoreList kDefaultHighScoreStages = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

void ReadConfig();
void ReadSaveFile();
void InsertRanking();
void WriteSaveFile();

// The run just ended, already entered in the table in memory by InsertRanking, saved
// into the table on disk as it is now: the entries another game saved since this one
// read the table stay. Read, merged and replaced under a lock, so two games at once
// never lose each other's entry. The table in memory stays this game's own (a replay of
// the run must reach the same one). Once the table is written, and before the lock is
// let go, `whileLocked` (when given) learns the row the run took on disk (9999 for
// none) and whether that table holds entries the game's does not. False when the table
// could not be written (said in one line).
bool SaveRunInTable(void (*whileLocked)(int32_t row, bool othersEntries));
// The table on disk made the game's, for a run about to begin; the game's stays when
// the file cannot be read.
void TakeUpSavedTable();
// While held, the end of a run writes nothing (a replay watched or summed up in the game).
void HoldSaves(bool held);

// File names, relative to the working directory; tests may point them elsewhere.
extern const char* configFileName;
extern const char* saveFileName;
