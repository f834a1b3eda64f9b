// The epilogues of the endings: UTF-8 files under data-src/endings/, converted to Shift-JIS.
#pragma once

#include <cstdint>

#include "scenes/scenes.h"

// 0 is the epilogue of every run that used a continue; 1 to 7 those of stages 22 to 28.
constexpr int32_t kEpilogueCount = 8;
constexpr int32_t kContinueEpilogue = 0;
extern const char* const kEpilogueFiles[kEpilogueCount];  // names of the embedded files

// The epilogue a run ends with, -1 when there is none (a stage that has no ending).
int32_t EpilogueIndex(uint8_t continued, int32_t stage);

// Splits the UTF-8 text into lines and converts each into `out` as Shift-JIS; lines past the
// text are empty. False when the text is missing, has more lines than fit, or a line does not
// convert or fit 127 bytes (that line is left empty). `lineCount` gets the text's line count.
bool ConvertEpilogue(const char* utf8Text, char out[kEndingLines][kEndingLineBytes],
                     int32_t* lineCount);
