// Pieces of the simulator's run shared by its files.
#pragma once

#include <cstdint>
#include <cstdio>

#include "options.h"

// The run's high-score file lives in a scratch folder; false if it cannot be made.
bool UseScratchSaveFile();
void RemoveScratchSaveFile();

// --dump-stage: prints the stage's level data as the program holds it; the exit code.
int DumpStage(int32_t stage);

// --paced: the title on the real clock; prints CPU use and frame-start jitter; the exit code.
int RunPaced(const SimOptions& options);

// One JSON line of --trace for the frame just run; false once the file has failed.
bool WriteTraceLine(std::FILE* f, int64_t frame, int buttons);
// Closes the trace; false after naming the file when any of it was not written.
bool CloseTrace(std::FILE* f, const char* path);
