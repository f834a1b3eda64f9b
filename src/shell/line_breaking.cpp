// Line breaking by the rules of each script: Latin text may break only at a space; between
// Japanese characters (kana, ideographs, full-width forms) a line may break anywhere except
// where kinsoku forbids it.
#include "shell/line_breaking.h"

#include <cstring>

namespace {

// Decodes the character at `p`; its byte length goes to *length. A stray byte counts as
// one character of its own.
uint32_t Decode(const char* p, int32_t* length) {
    const unsigned char c = static_cast<unsigned char>(p[0]);
    int32_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    for (int32_t i = 1; i < n; i++)
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) n = 1;
    *length = n;
    if (n == 1) return c;
    uint32_t code = c & (0x7Fu >> n);
    for (int32_t i = 1; i < n; i++) code = (code << 6) | (static_cast<unsigned char>(p[i]) & 0x3Fu);
    return code;
}

// Characters that are set as Japanese: breaking is allowed next to them.
bool IsWide(uint32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || c == 0x2026 || c == 0x2025 || c == 0x2015 ||
           c == 0x201C || c == 0x201D || c == 0x2018 || c == 0x2019;
}

// No line starts with these: closing brackets, stops and commas, small kana, the long
// vowel mark, iteration marks, and their Latin counterparts.
constexpr char32_t kNoStart[] =
    U"、。，．・：；？！゛゜ヽヾゝゞ々〻ー―‐）］｝〕〉》」』】〙〗〟’”｠»"
    U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
    U"),.:;?!]}";
// No line ends with these: opening brackets.
constexpr char32_t kNoEnd[] = U"（［｛〔〈《「『【〘〖〝‘“｟«([{";

bool In(const char32_t* set, uint32_t c) {
    for (const char32_t* s = set; *s; s++)
        if (*s == c) return true;
    return false;
}

// Whether a line may break between the characters a and b (neither a space).
bool MayBreakBetween(uint32_t a, uint32_t b) {
    if (!IsWide(a) && !IsWide(b)) return false;  // inside a Latin word
    if (In(kNoStart, b) || In(kNoEnd, a)) return false;
    if (a == b && (a == 0x2026 || a == 0x2025 || a == 0x2015)) return false;  // …… stays whole
    return true;
}

bool IsSpace(uint32_t c) { return c == ' ' || c == '\t'; }

}  // namespace

LineBreak BreakLine(const char* text, LineFits fits, void* context) {
    const int32_t total = static_cast<int32_t>(std::strlen(text));
    int32_t trimmed = total;  // spaces at the very end are no part of the last line
    while (trimmed > 0 && IsSpace(static_cast<unsigned char>(text[trimmed - 1]))) trimmed--;
    if (trimmed == 0 || fits(text, trimmed, context)) return {trimmed, total};
    LineBreak best{-1, -1};
    int32_t firstCharacter = 0;  // the end of the first character, the least a line can hold
    uint32_t previous = 0;
    int32_t at = 0;
    while (at < total) {
        int32_t length;
        const uint32_t c = Decode(text + at, &length);
        if (at == 0) firstCharacter = length;
        LineBreak candidate{-1, -1};
        if (IsSpace(c) && at > 0 && !IsSpace(previous)) {
            int32_t next = at;
            while (next < total && IsSpace(static_cast<unsigned char>(text[next]))) next++;
            candidate = {at, next};
        } else if (at > 0 && !IsSpace(c) && !IsSpace(previous) && MayBreakBetween(previous, c)) {
            candidate = {at, at};
        }
        if (candidate.lineBytes > 0) {
            // widths grow with the line: the first place that does not fit ends the search
            if (!fits(text, candidate.lineBytes, context)) break;
            best = candidate;
        }
        previous = c;
        at += length;
    }
    if (best.lineBytes > 0) return best;
    // nowhere to break that fits: as many characters as fit, at least one
    int32_t end = firstCharacter;
    at = firstCharacter;
    while (at < total) {
        int32_t length;
        Decode(text + at, &length);
        if (!fits(text, at + length, context)) break;
        at += length;
        end = at;
    }
    int32_t next = end;
    while (next < total && IsSpace(static_cast<unsigned char>(text[next]))) next++;
    return {end, next};
}
