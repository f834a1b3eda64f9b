// Turns the embedded epilogue files into the Shift-JIS lines the ending scrolls.
#include "scenes/ending_texts.h"

#include <cstring>

#include "runtime/text_encoding.h"

const char* const kEpilogueFiles[kEpilogueCount] = {
    "endings/continued.txt", "endings/stage22.txt", "endings/stage23.txt", "endings/stage24.txt",
    "endings/stage25.txt",   "endings/stage26.txt", "endings/stage27.txt", "endings/stage28.txt",
};

// Room for any line that can fit once converted: no character takes more than three UTF-8
// bytes per Shift-JIS byte (half-width kana are the worst case).
constexpr int32_t kUtf8LineBytes = 3 * kEndingLineBytes + 1;

int32_t EpilogueIndex(uint8_t continued, int32_t stage) {
    if (continued) return kContinueEpilogue;
    if (stage >= kFirstFinalStage && stage <= kRouteNodes) return stage - kFirstFinalStage + 1;
    return -1;
}

bool ConvertEpilogue(const char* utf8Text, char out[kEndingLines][kEndingLineBytes],
                     int32_t* lineCount) {
    std::memset(out, 0, sizeof(char[kEndingLines][kEndingLineBytes]));
    *lineCount = 0;
    if (!utf8Text) return false;
    bool ok = true;
    const char* p = utf8Text;
    while (*p != '\0') {
        const char* end = std::strchr(p, '\n');
        if (!end) end = p + std::strlen(p);  // a last line without its newline
        size_t length = static_cast<size_t>(end - p);
        if (length > 0 && p[length - 1] == '\r') length--;  // a file saved with CRLF
        if (*lineCount >= kEndingLines) return false;
        char line[kUtf8LineBytes];
        if (length < sizeof line) {
            std::memcpy(line, p, length);
            line[length] = '\0';
            // a line that does not convert or fit stays blank rather than cut mid-character
            if (Utf8ToShiftJis(line, out[*lineCount], kEndingLineBytes) < 0) ok = false;
        } else {
            ok = false;
        }
        *lineCount += 1;
        p = *end == '\n' ? end + 1 : end;
    }
    return ok;
}
