// The settings file "config.dat" and the high-score file "zorbexG.dat".
#pragma once

#include <cstdint>

extern int32_t screenModeSetting;  // 1 full screen, anything else a window
extern int32_t difficultySetting;  // 2 and 3 raise the starting rank
extern int32_t highScores[10];
extern int32_t highScoreStages[10];

void ReadConfig();
void ReadSaveFile();
void InsertRanking();
void WriteSaveFile();

// File names, relative to the working directory; tests may point them elsewhere.
extern const char* configFileName;
extern const char* saveFileName;
