// The current stage's script and the interpreter that releases its enemies and events.
#pragma once

#include <cstdint>

constexpr int kScriptLines = 1024;
constexpr int kScriptLineBytes = 128;

// The lines of the current stage's script, from line 0; each NUL-terminated.
extern char StageScriptTable[kScriptLines][kScriptLineBytes];
extern int32_t scriptLine;   // next line to execute
extern int32_t scriptWait;   // frames still to skip before the next line runs
extern uint8_t scriptEnded;  // set once "end" ran: nothing more happens this stage

// Copies the script of `stageNumber` into the table (stages outside 1..28 leave it alone).
void LoadStageScript();
// One frame of the script: counts down the wait or runs lines up to the next wait.
void RunStageScript();

// The script text of a stage as the program holds it; stages without one of
// their own play stage 1's.
const char* StageScriptText(int32_t stage);
