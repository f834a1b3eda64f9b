// The index of rendered text lines: one line of numbers and the text in hexadecimal
// (Shift-JIS bytes survive any editor) per rendered line, after a line naming the format.
#include "runtime/text_lines.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kHeader = "zorbex text lines 1";
constexpr size_t kMaxTextBytes = 255;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ParseLine(const char* line, TextLine* out) {
    char hex[2 * kMaxTextBytes + 2];
    int used = 0;
    if (std::sscanf(line, "%d %d %d %d %d %d %d %d %511s%n", &out->size, &out->weight, &out->style,
                    &out->measured, &out->x, &out->y, &out->width, &out->height, hex, &used) != 9)
        return false;
    if (line[used] != '\0' || out->width < 0 || out->height < 0 || out->x < 0 || out->y < 0) return false;
    const size_t n = std::strlen(hex);
    if (n % 2 != 0 || n / 2 > kMaxTextBytes) return false;
    out->text.clear();
    for (size_t i = 0; i < n; i += 2) {
        const int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return false;
        out->text.push_back(char(hi * 16 + lo));
    }
    return true;
}

}  // namespace

std::string FormatTextLineIndex(const std::vector<TextLine>& lines) {
    std::string out = std::string(kHeader) + "\n";
    for (const TextLine& l : lines) {
        char numbers[128];
        std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d %d %d %d ", l.size, l.weight, l.style,
                      l.measured, l.x, l.y, l.width, l.height);
        out += numbers;
        for (unsigned char c : l.text) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", c);
            out += pair;
        }
        out += '\n';
    }
    return out;
}

bool ParseTextLineIndex(const std::string& index, std::vector<TextLine>* lines, std::string* error) {
    lines->clear();
    size_t at = 0;
    int number = 0;
    while (at < index.size()) {
        size_t end = index.find('\n', at);
        if (end == std::string::npos) end = index.size();
        const std::string line = index.substr(at, end - at);
        at = end + 1;
        number++;
        if (number == 1) {
            if (line != kHeader) {
                *error = "line 1: not a text line index of this build";
                return false;
            }
            continue;
        }
        TextLine l;
        if (!ParseLine(line.c_str(), &l)) {
            *error = "line " + std::to_string(number) + ": damaged";
            return false;
        }
        lines->push_back(l);
    }
    if (number == 0) {
        *error = "empty";
        return false;
    }
    return true;
}
