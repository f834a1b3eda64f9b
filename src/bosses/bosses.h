// What the rest of the game calls in the boss and event subsystem.
#pragma once

#include <cstdint>

// Event 000 of a stage script: the boss sequence of the stage begins with the
// warning for boss `bossIndex`.
void StartWarning(int32_t bossIndex);

// Event 000 as the script runs it: notes the request and starts the warning.
void StartBossEvent(int32_t bossIndex);
extern int32_t bossEventRequested;  // 1 once the current stage's boss event has run
extern int32_t bossEventIndex;      // the boss index it named

// Scripted hazards: a beam announced by a blinking sign. Direction codes follow the
// numeric keypad (4 left, 6 right, 8 up, 2 down); `blinks` counts the sign's blinks.
void SpawnHorizontalBeam(int32_t x, int32_t y, int32_t dirCode, int32_t blinks);
void SpawnVerticalBeam(int32_t x, int32_t y, int32_t dirCode, int32_t blinks);

// Scripted enemy streams, each running for `frames` frames.
void StartEnemyStream004(int32_t frames);  // kind 029 from the right edge
void StartEnemyStream005(int32_t frames);  // kind 009 from the right edge
void StartEnemyStream006(int32_t frames);  // kind 009 from above or below
void StartEnemyStream007(int32_t frames);  // kind 003 from any edge
