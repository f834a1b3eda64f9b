// Conversion of the game's UTF-8 source texts into the Shift-JIS strings the text operations take.
#pragma once

// Converts the NUL-terminated UTF-8 text `in` to Shift-JIS (code page 932) into `out`, which
// holds `size` bytes including the terminating NUL. Returns the byte length written without
// the NUL, or -1 when a character has no Shift-JIS form or the result does not fit; `out` is
// then the empty string. Allocates: call it at set-up, not during play.
int Utf8ToShiftJis(const char* in, char* out, int size);
