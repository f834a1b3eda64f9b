// The game as the benchmarks drive it: one headless runtime for the whole process.
#pragma once

#include <cstdint>

// Starts the headless runtime and sets the game up, once.
void EnsureGame();
// Stops it (the start-up benchmark measures its own starts).
void StopGame();
