// The game as the benchmarks drive it: one headless runtime for the whole process.
#pragma once

#include <cstdint>

// Starts the headless runtime and sets the game up, once.
void EnsureGame();
// Where a run that ended would write its high-score table.
const char* BenchSaveFile();
// Stops it (the start-up benchmark measures its own starts).
void StopGame();
