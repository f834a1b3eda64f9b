// UTF-8 to Shift-JIS through iconv, for texts written in UTF-8 in the sources.
#include "runtime/text_encoding.h"

#include <iconv.h>

#include <cstring>

int Utf8ToShiftJis(const char* in, char* out, int size) {
    if (!out || size <= 0) return -1;
    out[0] = '\0';
    if (!in) return -1;
    iconv_t cd = iconv_open("CP932", "UTF-8");
    // the browser build's C library knows the code page by its older name only; for the
    // game's texts both give the same bytes (the golden replays through every ending hash them)
    if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("SHIFT_JIS", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return -1;
    char* src = const_cast<char*>(in);
    size_t srcLeft = std::strlen(in);
    char* dst = out;
    size_t dstLeft = static_cast<size_t>(size) - 1;  // room for the NUL
    size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || srcLeft != 0) {
        out[0] = '\0';
        return -1;
    }
    *dst = '\0';
    return static_cast<int>(dst - out);
}
