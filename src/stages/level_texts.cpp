// Lookup of the embedded level data by file name.
#include "stages/level_texts.h"

#include <cstring>

const char* FindLevelText(const char* name) {
    for (int i = 0; i < kLevelTextCount; i++) {
        if (std::strcmp(kLevelTexts[i].name, name) == 0) return kLevelTexts[i].text;
    }
    return nullptr;
}
