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

// File names, relative to the working directory; tests may point them elsewhere.
extern const char* configFileName;
extern const char* saveFileName;
