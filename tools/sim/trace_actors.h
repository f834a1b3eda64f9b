// --trace-actors: every live actor of the chosen groups, one JSON line per frame.
#pragma once

#include <cstdint>

constexpr uint8_t kAllTraceGroups = 0xff;

// "3,4" -> the bits of groups 3 and 4; false for anything but a list of 0 to 7.
bool ParseTraceGroups(const char* text, uint8_t* mask);

// false if the file cannot be written
bool OpenActorTrace(const char* path, uint8_t groups);
// The line for the frame just run; `frame` counts as the summary does.
void WriteActorTraceLine(int64_t frame);
// false if anything could not be written
bool CloseActorTrace();
