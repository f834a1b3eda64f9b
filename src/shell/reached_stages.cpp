// The stages this player has reached, for the practice menu: "reached.txt" beside the
// save file, the line "zorbex-reached 1" and then the stage numbers, one line.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/files.h"
#include "shell/practice.h"
#include "shell/save_files.h"

constexpr int32_t kStages = 28;
constexpr size_t kReachedFileMax = 4096;

static bool reachedStages[kStages + 1];
static bool reachedRead = false;

// Beside the save file, wherever tests and tools put it.
static std::string ReachedPath() {
    const char* slash = std::strrchr(saveFileName, '/');
    std::string path(saveFileName, slash ? static_cast<size_t>(slash - saveFileName) + 1 : 0);
    return path + "reached.txt";
}

// Words after the first line: a stage number of one or two digits counts, anything else
// is passed over, so a damaged file costs only what it lost.
void ParseReachedStages(const char* text, size_t size, bool reached[kStages + 1]) {
    const std::string_view all(text, size);
    const size_t eol = all.find('\n');
    if (eol == std::string_view::npos || all.substr(0, eol) != "zorbex-reached 1") return;
    size_t i = eol + 1;
    while (i < size) {
        while (i < size && (text[i] == ' ' || text[i] == '\n')) i++;
        const size_t start = i;
        bool digits = true;
        for (; i < size && text[i] != ' ' && text[i] != '\n'; i++)
            if (text[i] < '0' || text[i] > '9') digits = false;
        const size_t length = i - start;
        if (!digits || length == 0 || length > 2) continue;
        const int32_t stage = length == 1 ? text[start] - '0' : (text[start] - '0') * 10 + (text[start + 1] - '0');
        if (stage >= 1 && stage <= kStages) reached[stage] = true;
    }
}

void ReadReachedStages() {
    for (bool& r : reachedStages) r = false;
    reachedRead = true;
    std::string text, why;
    if (!ReadWholeFile(ReachedPath().c_str(), kReachedFileMax, &text, &why)) return;
    ParseReachedStages(text.data(), text.size(), reachedStages);
}

bool StageReached(int32_t stage) {
    if (stage < 1 || stage > kStages) return false;
    if (!reachedRead) ReadReachedStages();
    if (stage == 1 || reachedStages[stage]) return true;
    for (int32_t i = 0; i < 10; i++)
        if (highScoreStages[i] == stage) return true;
    return false;
}

void NoteStageReached(int32_t stage) {
    if (stage < 1 || stage > kStages) return;
    if (!reachedRead) ReadReachedStages();
    if (reachedStages[stage]) return;
    reachedStages[stage] = true;
    char text[160] = "zorbex-reached 1\n";
    size_t n = std::strlen(text);
    for (int32_t s = 1; s <= kStages; s++)
        if (reachedStages[s]) n += static_cast<size_t>(std::snprintf(text + n, sizeof text - n, "%d ", s));
    text[n - 1] = '\n';
    ReplaceFileSafely(ReachedPath().c_str(), text, n, nullptr);
}
