// Solid map cells drawn from their neighbours: each cell shows the look of its tile
// picture for the sides it has open to space and for the seam patterns on its closed
// sides, and inner corners where rock turns around an empty cell.
#include "stages/map_tiles.h"

#include "runtime/media.h"
#include "shell/assets.h"
#include "stages/stage_map.h"

// Only these letters have looks below their top row; the others draw that row alone.
constexpr int kLettersWithLooks = 2;
constexpr int kQuadrant = kMapCellSize / 2;

static bool IsRock(int32_t row, int32_t column) {
    if (row < 0 || row >= kMapRows || column < 0 || column >= kMapColumns) return false;
    uint8_t c = StageMap[row][column];
    return c >= 'a' && c <= 'z';
}

// Which of the two seam patterns the border above (vertical 0) or left of (vertical 1)
// a cell carries: a fixed hash of where the border lies, so a wall looks the same in
// every run, in a replay and in a video, and two cells agree on the border they share.
static int SeamPattern(int32_t row, int32_t column, uint32_t vertical) {
    uint32_t h = static_cast<uint32_t>(column) * 0x9E3779B1u ^ static_cast<uint32_t>(row) * 0x85EBCA77u ^
                 (vertical + 1) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<int>((h >> 9) & 1);
}

int MapTileLookRow(int32_t row, int32_t column) {
    int open = 0;
    if (!IsRock(row - 1, column)) open |= kSideTop;
    if (!IsRock(row, column + 1)) open |= kSideRight;
    if (!IsRock(row + 1, column)) open |= kSideBottom;
    if (!IsRock(row, column - 1)) open |= kSideLeft;
    int seams = 0;
    if (SeamPattern(row, column, 0)) seams |= kSideTop;
    if (SeamPattern(row + 1, column, 0)) seams |= kSideBottom;
    if (SeamPattern(row, column, 1)) seams |= kSideLeft;
    if (SeamPattern(row, column + 1, 1)) seams |= kSideRight;
    return TileLookRow(open, seams);
}

void DrawMapTile(int32_t row, int32_t column, int x, int y) {
    int letter = StageMap[row][column] - 'a';
    int srcX = letter * kMapCellSize;
    if (letter >= kLettersWithLooks) {
        DrawImageRegion(x, y, srcX, 0, kMapCellSize, kMapCellSize, ImgMapFront00, 1, 0);
        return;
    }
    DrawImageRegion(x, y, srcX, MapTileLookRow(row, column) * kMapCellSize, kMapCellSize,
                    kMapCellSize, ImgMapFront00, 1, 0);
    // an inner corner: both sides at the corner touch rock, the cell across it is empty
    for (int dy = -1; dy <= 1; dy += 2) {
        for (int dx = -1; dx <= 1; dx += 2) {
            if (!IsRock(row + dy, column) || !IsRock(row, column + dx) || IsRock(row + dy, column + dx))
                continue;
            int qx = dx > 0 ? kQuadrant : 0, qy = dy > 0 ? kQuadrant : 0;
            DrawImageRegion(x + qx, y + qy, srcX + qx, kInnerCornerRow * kMapCellSize + qy, kQuadrant,
                            kQuadrant, ImgMapFront00, 1, 0);
        }
    }
}
