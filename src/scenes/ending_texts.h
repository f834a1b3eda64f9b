// The epilogues of the endings: English files under data-src/endings/, one catalogue msgid a
// line, shown in the player's language, broken to fit the ending's window, in Shift-JIS.
#pragma once

#include <cstdint>

#include "scenes/scenes.h"

// 0 is the epilogue of every run that used a continue; 1 to 7 those of stages 22 to 28.
constexpr int32_t kEpilogueCount = 8;
constexpr int32_t kContinueEpilogue = 0;
extern const char* const kEpilogueFiles[kEpilogueCount];  // names of the embedded files

// The widest a line of the ending may be: the window's 600 columns less a margin each side.
constexpr int32_t kEndingTextWidth = 560;

// The epilogue a run ends with, -1 when there is none (a stage that has no ending).
int32_t EpilogueIndex(uint8_t continued, int32_t stage);

// How wide a Shift-JIS line is drawn in the ending's text settings: MeasureText, or a
// tool's own function that also notes what was measured.
using EpilogueMeasure = int32_t (*)(const char* shiftJis, void* context);

// Lays out one epilogue in `language` (an index of shell/language.h): each line of the UTF-8
// source text is looked up in the catalogue under `context` (the file's name), broken into
// lines no wider than kEndingTextWidth (of even lengths where it takes more than one), and
// each converted into `out` as Shift-JIS; lines past the text are empty, a blank source line
// stays blank. False when the text is missing, more lines come out than fit, or a line does
// not convert (that line is left empty). `lineCount` gets the number of lines laid out.
bool LayOutEpilogue(int32_t language, const char* context, const char* utf8Text, EpilogueMeasure measure,
                    void* measureContext, char out[kEndingLines][kEndingLineBytes],
                    int32_t* lineCount);
