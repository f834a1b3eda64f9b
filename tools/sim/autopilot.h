// A built-in pilot: holds fire, steers clear of enemy shots, bodies and walls,
// collects items, and bombs when a hit is otherwise unavoidable.
#pragma once

#include <cstdint>

// Called before each frame: the pad bits to hold during it.
int AutopilotButtons();
