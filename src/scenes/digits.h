// Decimal digits for the digit strips, safe for any int32 a damaged save may hold.
#pragma once

#include <cstdint>

// The lowest decimal digit of v, 0 to 9; negative values give the digits of their magnitude.
inline int32_t LowestDigit(int32_t v) {
    int32_t d = v % 10;
    return d < 0 ? -d : d;
}

// One digit cell for a count that is not capped by the game (ships, bombs).
inline int32_t CountDigit(int32_t v) {
    if (v < 0) return 0;
    return v > 9 ? 9 : v;
}
