// Reads --input files: a replay (its buttons and start), or a hand-written list.
#include "input_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

bool ReadInputFile(const char* path, InputFile* input, std::string* error) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        *error = std::string("cannot open ") + path;
        return false;
    }
    char head[16] = {};
    size_t got = std::fread(head, 1, 13, f);
    std::fclose(f);
    if (got == 13 && !std::memcmp(head, "zorbex-replay", 13)) {
        input->isReplay = true;
        if (!ReadReplayFile(path, &input->replay, error)) return false;
        input->buttons = input->replay.buttons;
        return true;
    }

    f = std::fopen(path, "rb");
    if (!f) {
        *error = std::string("cannot open ") + path;
        return false;
    }
    char line[256];
    int number = 0;
    bool ok = true;
    while (ok && std::fgets(line, sizeof line, f)) {
        number++;
        if (!std::strchr(line, '\n') && !std::feof(f)) {
            ok = false;
            *error = std::string(path) + ":" + std::to_string(number) + ": line too long";
            break;
        }
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
        if (count == 0) continue;
        int64_t repeat = 1;
        const char* buttons = words[0];
        if (count == 2) {
            char* end = nullptr;
            repeat = std::strtoll(words[0], &end, 10);
            if (*end || repeat < 1 || repeat > kMaxFrames) repeat = -1;
            buttons = words[1];
        }
        int bits = count <= 2 && repeat > 0 ? ParseButtonWord(buttons) : -1;
        if (bits < 0 || static_cast<int64_t>(input->buttons.size()) + repeat > kMaxFrames) {
            ok = false;
            *error = std::string(path) + ":" + std::to_string(number) + ": expected \"[COUNT] BUTTONS\"";
            break;
        }
        input->buttons.insert(input->buttons.end(), static_cast<size_t>(repeat), static_cast<uint8_t>(bits));
    }
    std::fclose(f);
    return ok;
}
