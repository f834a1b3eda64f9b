// Reads --input files: a replay (its buttons and start), or a hand-written list.
#include "input_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/files.h"
#include "runtime/media.h"

namespace {

struct NamedButton {
    const char* name;
    int bit;
};
const NamedButton kNames[] = {
    {"fire", PadButton1}, {"bomb", PadButton2}, {"continue", PadButton3}, {"up", PadUp},
    {"down", PadDown},    {"left", PadLeft},    {"right", PadRight},
};

constexpr int64_t kMaxFrames = kReplayMaxFrames;
// what a replay may hold: counted lines ("600 fire") keep a list of any run far below it
constexpr size_t kMaxFileBytes = size_t(64) << 20;

}  // namespace

int ParseButtonWord(const char* word) {
    if (!std::strcmp(word, "-")) return 0;
    if (word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        char* end = nullptr;
        long v = std::strtol(word + 2, &end, 16);
        if (end == word + 2 || *end || v < 0 || v > 0x7F) return -1;
        return static_cast<int>(v);
    }
    int bits = 0;
    const char* p = word;
    while (*p) {
        const char* plus = std::strchr(p, '+');
        size_t len = plus ? static_cast<size_t>(plus - p) : std::strlen(p);
        bool found = false;
        for (const NamedButton& b : kNames) {
            if (std::strlen(b.name) == len && !std::strncmp(p, b.name, len)) {
                bits |= b.bit;
                found = true;
            }
        }
        if (!found) return -1;
        p += len;
        if (*p == '+') p++;
    }
    return bits;
}

std::string ButtonNames(int bits) {
    std::string s;
    for (const NamedButton& b : kNames) {
        if (!(bits & b.bit)) continue;
        if (!s.empty()) s += '+';
        s += b.name;
    }
    return s.empty() ? "-" : s;
}

// One line of a hand-written list; false when it is not "[COUNT] BUTTONS".
static bool AddButtonLine(char* line, InputFile* input) {
    char* words[3] = {};
    int count = 0;
    for (char* w = std::strtok(line, " \t\r\n"); w; w = std::strtok(nullptr, " \t\r\n")) {
        if (w[0] == '#') break;
        if (count == 3) {
            count = 4;
            break;
        }
        words[count++] = w;
    }
    if (count == 0) return true;
    int64_t repeat = 1;
    const char* buttons = words[0];
    if (count == 2) {
        char* end = nullptr;
        repeat = std::strtoll(words[0], &end, 10);
        if (*end || repeat < 1 || repeat > kMaxFrames) repeat = -1;
        buttons = words[1];
    }
    int bits = count <= 2 && repeat > 0 ? ParseButtonWord(buttons) : -1;
    if (bits < 0 || static_cast<int64_t>(input->buttons.size()) + repeat > kMaxFrames) return false;
    input->buttons.insert(input->buttons.end(), static_cast<size_t>(repeat), static_cast<uint8_t>(bits));
    return true;
}

// The file is read once, so a pipe gives its buttons as a file does.
bool ReadInputFile(const char* path, InputFile* input, std::string* error) {
    std::string text;
    if (!ReadWholeFile(path, kMaxFileBytes, &text, error)) return false;
    if (text.compare(0, 13, "zorbex-replay") == 0) {
        input->isReplay = true;
        std::string why;
        if (!ParseReplay(text.data(), text.size(), &input->replay, &why)) {
            *error = std::string(path) + ": " + why;
            return false;
        }
        input->buttons = input->replay.buttons;
        return true;
    }
    char line[256];
    int number = 0;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        number++;
        const bool fits = end - at < sizeof line - 1;
        if (fits) {
            text.copy(line, end - at, at);
            line[end - at] = '\0';
        }
        if (!fits || !AddButtonLine(line, input)) {
            *error = std::string(path) + ":" + std::to_string(number) +
                     (fits ? ": expected \"[COUNT] BUTTONS\"" : ": line too long");
            return false;
        }
        at = end + 1;
    }
    return true;
}
