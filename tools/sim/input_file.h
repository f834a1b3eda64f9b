// Button files for --input: a replay, or lines of "[COUNT] BUTTONS".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/replay.h"

struct InputFile {
    std::vector<uint8_t> buttons;
    bool isReplay = false;
    Replay replay;  // the header, when the file is a replay
};

bool ReadInputFile(const char* path, InputFile* input, std::string* error);
// The buttons of one line's BUTTONS word, -1 when it is not one.
int ParseButtonWord(const char* word);
// "fire+right", or "-" for none.
std::string ButtonNames(int bits);
