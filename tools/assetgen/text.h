// Text for pictures: a TrueType face from the Debian font packages, and a 5 x 7 pixel face.
#pragma once

#include <string>

#include "canvas.h"

// Opens the TrueType machinery; false when no usable font file is installed.
bool StartText();
void StopText();

// Coverage of a UTF-8 string in the TrueType face, thresholded to hard pixels
// (no anti-aliasing, so nothing bleeds into the transparent key).
Mask TextMask(const std::string& utf8, int size, bool bold);
int TextWidth(const std::string& utf8, int size, bool bold);

struct TextLook {
    const Ramp* fill = nullptr;  // top-to-bottom gradient over the glyph height
    Rgb solid{255, 255, 255};    // used when fill is null
    Rgb outline{22, 14, 34};
    bool outlined = true;
    int shadow = 0;              // drop shadow offset (down right), 0 = none
    Rgb shadowColor{0, 0, 0};
};

// Draws text with its top-left corner at (x, y); returns the width drawn.
int DrawText(Canvas& cv, const std::string& utf8, int x, int y, int size, bool bold, const TextLook& look);
// Draws text centred on x.
void DrawTextCentred(Canvas& cv, const std::string& utf8, int cx, int y, int size, bool bold, const TextLook& look);

// The 5 x 7 pixel face (upper case, digits, a little punctuation), each pixel
// drawn as a scale x scale block. Returns the width drawn.
int PixelTextWidth(const std::string& s, int scale);
Mask PixelTextMask(const std::string& s, int scale);
int DrawPixelText(Canvas& cv, const std::string& s, int x, int y, int scale, Rgb c);
