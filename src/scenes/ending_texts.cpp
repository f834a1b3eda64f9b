// Turns the embedded epilogue files into the Shift-JIS lines the ending scrolls, in the
// player's language.
#include "scenes/ending_texts.h"

#include <cstring>

#include "runtime/text_encoding.h"
#include "shell/language.h"
#include "shell/line_breaking.h"

const char* const kEpilogueFiles[kEpilogueCount] = {
    "endings/continued.txt", "endings/stage22.txt", "endings/stage23.txt", "endings/stage24.txt",
    "endings/stage25.txt",   "endings/stage26.txt", "endings/stage27.txt", "endings/stage28.txt",
};

// Room for any line that can fit once converted: no character takes more than three UTF-8
// bytes per Shift-JIS byte (half-width kana are the worst case).
constexpr int32_t kUtf8LineBytes = 3 * kEndingLineBytes + 1;
// A source line, whole, before it is broken.
constexpr size_t kSourceLineBytes = 1024;

int32_t EpilogueIndex(uint8_t continued, int32_t stage) {
    if (continued) return kContinueEpilogue;
    if (stage >= kFirstFinalStage && stage <= kRouteNodes) return stage - kFirstFinalStage + 1;
    return -1;
}

namespace {

struct Measuring {
    EpilogueMeasure measure;
    void* context;
    int32_t width;  // the widest a line may be
};

// Converts the first `bytes` bytes of UTF-8 into a line of the ending; -1 when it has no
// Shift-JIS form or is longer than a line holds.
int ToEndingLine(const char* utf8, int32_t bytes, char out[kEndingLineBytes]) {
    out[0] = '\0';
    if (bytes >= kUtf8LineBytes) return -1;
    char piece[kUtf8LineBytes];
    std::memcpy(piece, utf8, size_t(bytes));
    piece[bytes] = '\0';
    return Utf8ToShiftJis(piece, out, kEndingLineBytes);
}

bool FitsWindow(const char* text, int32_t bytes, void* context) {
    const Measuring* m = static_cast<const Measuring*>(context);
    char line[kEndingLineBytes];
    if (ToEndingLine(text, bytes, line) < 0) return false;
    return m->measure(line, m->context) <= m->width;
}

// How many lines the text takes at the measure's width, counting no further than `most`.
int32_t CountLines(const char* text, Measuring* m, int32_t most) {
    int32_t lines = 0;
    while (*text != '\0' && lines < most) {
        text += BreakLine(text, FitsWindow, m).nextStart;
        lines++;
    }
    return lines;
}

// The narrowest width at which the text takes no more lines than at the window's: a text of
// two lines reads better as two of a length than as a long one and a word left over.
int32_t BalancedWidth(const char* text, Measuring* m) {
    m->width = kEndingTextWidth;
    const int32_t lines = CountLines(text, m, kEndingLines + 1);
    if (lines <= 1) return kEndingTextWidth;
    int32_t lo = kEndingTextWidth / (lines + 1), hi = kEndingTextWidth;
    while (lo < hi) {
        m->width = lo + (hi - lo) / 2;
        if (CountLines(text, m, lines + 1) <= lines) hi = m->width;
        else lo = m->width + 1;
    }
    return hi;
}

}  // namespace

bool LayOutEpilogue(int32_t language, const char* context, const char* utf8Text, EpilogueMeasure measure,
                    void* measureContext, char out[kEndingLines][kEndingLineBytes],
                    int32_t* lineCount) {
    std::memset(out, 0, sizeof(char[kEndingLines][kEndingLineBytes]));
    *lineCount = 0;
    if (!utf8Text) return false;
    Measuring measuring{measure, measureContext, kEndingTextWidth};
    bool ok = true;
    const char* p = utf8Text;
    while (*p != '\0') {
        const char* start = p;
        const char* end = std::strchr(p, '\n');
        if (!end) end = p + std::strlen(p);  // a last line without its newline
        p = *end == '\n' ? end + 1 : end;
        size_t length = static_cast<size_t>(end - start);
        if (length > 0 && start[length - 1] == '\r') length--;  // a file saved with CRLF
        char source[kSourceLineBytes];
        if (length >= sizeof source) return false;
        std::memcpy(source, start, length);
        source[length] = '\0';
        if (length == 0) {  // a blank line stays blank
            if (*lineCount >= kEndingLines) return false;
            *lineCount += 1;
            continue;
        }
        // the whole line in the player's language, then as many lines as it takes
        const char* text = TrInLanguage(language, context, source);
        measuring.width = BalancedWidth(text, &measuring);
        do {
            const LineBreak b = BreakLine(text, FitsWindow, &measuring);
            if (*lineCount >= kEndingLines) return false;
            // a line that does not convert or fit stays blank rather than cut mid-character
            if (ToEndingLine(text, b.lineBytes, out[*lineCount]) < 0) ok = false;
            *lineCount += 1;
            text += b.nextStart;
        } while (*text != '\0');
    }
    return ok;
}
