// The looks of a solid map cell: which row of the tile picture shows a cell with given
// open sides and seams. The picture generator draws the rows by the same table.
#pragma once

#include <cstdint>

// Sides of a cell, as bits of an open-sides mask (a side is open where no rock is next
// to it) and of a seam mask (which of two seam patterns a closed side carries).
constexpr int kSideTop = 1;
constexpr int kSideRight = 2;
constexpr int kSideBottom = 4;
constexpr int kSideLeft = 8;
constexpr int kSideMasks = 16;

constexpr int ClosedSideCount(int open) {
    int n = 0;
    for (int side = kSideTop; side <= kSideLeft; side <<= 1) n += (open & side) ? 0 : 1;
    return n;
}

// Every open-sides mask has one row per seam pattern of its closed sides (the open
// sides touch no other cell, so their seams do not matter): 16 rows for a cell walled
// in on all sides, down to one for a cell alone. Row 0 is the walled-in cell with all
// seams 0, the cell's plain picture.
constexpr int TileLookFirstRow(int open) {
    int row = 0;
    for (int m = 0; m < open; m++) row += 1 << ClosedSideCount(m);
    return row;
}

constexpr int TileLookRow(int open, int seams) {
    int row = TileLookFirstRow(open), bit = 0;
    for (int side = kSideTop; side <= kSideLeft; side <<= 1) {
        if (open & side) continue;
        if (seams & side) row += 1 << bit;
        bit++;
    }
    return row;
}

// Below the looks: one row of inner corners, a 16 x 16 quadrant per corner, laid over
// a cell whose two sides at a corner touch rock while the cell across the corner is empty.
constexpr int kInnerCornerRow = TileLookFirstRow(kSideMasks);
constexpr int kTileRows = kInnerCornerRow + 1;
static_assert(kInnerCornerRow == 81);  // the sum of 2^closed sides over all masks: 3^4

// The game's side (stages/map_tiles.cpp): the look a solid cell of StageMap shows, and
// the cell drawn with its inner corners at screen position (x, y).
int MapTileLookRow(int32_t row, int32_t column);
void DrawMapTile(int32_t row, int32_t column, int x, int y);
