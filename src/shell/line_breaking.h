// Breaking a text into lines that fit: English at spaces, Japanese between characters, and
// never a line that starts with closing punctuation (。、」） and the like) nor one that
// ends with opening punctuation (「（ and the like).
#pragma once

#include <cstdint>

// Whether the first `bytes` bytes of a UTF-8 text fit the width a screen has for a line;
// `context` is the caller's.
using LineFits = bool (*)(const char* text, int32_t bytes, void* context);

struct LineBreak {
    int32_t lineBytes;  // the line: the first lineBytes bytes, without the spaces it broke at
    int32_t nextStart;  // where the next line starts, past those spaces; at the NUL when done
};

// The first line of the NUL-terminated UTF-8 `text`: as much as fits, broken at the last
// place the rules allow. A word wider than the whole line is broken where it must, after at
// least one character, so that every call moves on.
LineBreak BreakLine(const char* text, LineFits fits, void* context);
