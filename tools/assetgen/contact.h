// Contact sheets: every picture laid out on one page for review, beside data/.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct SheetItem {
    std::string file;
    Canvas picture;
    int cellW, cellH;
};

// Writes `path` at 1x and, beside it, a "-2x" sheet of the sprites magnified.
bool WriteContactSheet(const std::string& path, const std::vector<SheetItem>& items, std::string* err);
