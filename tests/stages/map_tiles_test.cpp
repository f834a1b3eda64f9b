// Map cells drawn from their neighbours: the look each solid cell picks, and walls as
// they come out on the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "runtime/headless.h"
#include "shell/game.h"
#include "stage_fixture.h"
#include "stages/map_tiles.h"

namespace {

struct Look {
    int open = -1, seams = -1;
};

Look LookOfRow(int row) {
    for (int open = 0; open < kSideMasks; open++)
        for (int seams = 0; seams < kSideMasks; seams++)
            if (!(seams & open) && TileLookRow(open, seams) == row) return Look{open, seams};
    return Look{};
}

TEST(MapTileLooks, EveryOpenMaskAndSeamPatternHasARowOfItsOwn) {
    std::set<int> rows;
    for (int open = 0; open < kSideMasks; open++)
        for (int seams = 0; seams < kSideMasks; seams++) {
            // an open side's seam means nothing
            EXPECT_EQ(TileLookRow(open, seams), TileLookRow(open, seams & ~open));
            if (!(seams & open)) rows.insert(TileLookRow(open, seams));
        }
    EXPECT_EQ(rows.size(), static_cast<size_t>(kInnerCornerRow));
    EXPECT_EQ(*rows.begin(), 0);  // the walled-in cell with plain seams is the top row
    EXPECT_EQ(*rows.rbegin(), kInnerCornerRow - 1);
}

class MapTiles : public StageTest {
protected:
    static void Rock(int row0, int column0, int rows, int columns, uint8_t letter = 'a') {
        for (int r = row0; r < row0 + rows; r++)
            for (int c = column0; c < column0 + columns; c++) StageMap[r][c] = letter;
    }
    // The map drawn as the play frame draws it, with the view at its stage-start place.
    static void DrawStill() {
        mapLeftColumn = 1;
        mapTopRow = 1;
        mapSubX = mapSubY = 0;
        scrollOn = 0;
        SetDrawingEnabled(true);
        ClearBackBuffer();
        ScrollAndDrawMap();
    }
    static float Luma(int x, int y) {
        uint32_t p = ReadBackBufferPixel(x, y);
        return 0.3f * ((p >> 16) & 255) + 0.59f * ((p >> 8) & 255) + 0.11f * (p & 255);
    }
};

TEST_F(MapTiles, CellsPickTheirLookByOpenSidesAndAgreeOnTheSeamsTheyShare) {
    ClearMap();
    Rock(10, 20, 4, 6);
    StageMap[10][22] = ' ';  // a notch in the top
    StageMap[12][30] = 'b';  // a cell alone
    StageMap[12][26] = 'C';  // an object letter is not rock
    auto look = [](int r, int c) { return LookOfRow(MapTileLookRow(r, c)); };
    EXPECT_EQ(look(10, 20).open, kSideTop | kSideLeft);
    EXPECT_EQ(look(10, 21).open, kSideTop | kSideRight);
    EXPECT_EQ(look(11, 22).open, kSideTop);
    EXPECT_EQ(look(12, 21).open, 0);
    EXPECT_EQ(look(12, 25).open, kSideRight);
    EXPECT_EQ(look(13, 25).open, kSideBottom | kSideRight);
    EXPECT_EQ(look(12, 30).open, kSideTop | kSideRight | kSideBottom | kSideLeft);
    for (int r = 10; r < 14; r++)
        for (int c = 20; c < 26; c++) {
            if (StageMap[r][c] != 'a') continue;
            if (StageMap[r][c + 1] == 'a') {
                EXPECT_EQ((look(r, c).seams & kSideRight) != 0, (look(r, c + 1).seams & kSideLeft) != 0) << r << "," << c;
            }
            if (StageMap[r + 1][c] == 'a') {
                EXPECT_EQ((look(r, c).seams & kSideBottom) != 0, (look(r + 1, c).seams & kSideTop) != 0) << r << "," << c;
            }
        }
}

TEST_F(MapTiles, AWideWallUsesEveryLookWithoutAShortRepeat) {
    ClearMap();
    Rock(5, 100, 36, 300);
    std::set<int> seen;
    for (int r = 6; r < 40; r++)
        for (int c = 101; c < 399; c++) seen.insert(MapTileLookRow(r, c));
    EXPECT_EQ(seen.size(), 16u);
    for (int period = 1; period <= 32; period++) {
        bool repeats = true;
        for (int c = 101; c + period < 399 && repeats; c++)
            repeats = MapTileLookRow(20, c) == MapTileLookRow(20, c + period);
        EXPECT_FALSE(repeats) << "period " << period;
    }
}

TEST_F(MapTiles, AWallOnTheScreenShowsNoRepeatAndNoBordersBetweenItsCells) {
    if (MissingAssetCount() > 0) GTEST_SKIP() << "pictures not generated";
    ClearMap();
    Rock(0, 0, kMapRows, 64);
    DrawStill();
    // the wallpaper this replaces drew the same pixel 32 pixels further on
    float shifted = 0, border = 0, inside = 0;
    for (int y = 0; y < 480; y++) {
        for (int x = 0; x + 32 < 640; x++) shifted += std::fabs(Luma(x, y) - Luma(x + 32, y));
        for (int k = 1; k < 20; k++) {
            border += std::fabs(Luma(32 * k - 1, y) - Luma(32 * k, y));
            inside += std::fabs(Luma(32 * k + 15, y) - Luma(32 * k + 16, y));
        }
    }
    EXPECT_GT(shifted / (480 * 608), 8.0f);
    EXPECT_LT(border, inside * 1.3f);
}

TEST_F(MapTiles, OpenSidesAreRimmedLitOnTopAndShadedBelow) {
    if (MissingAssetCount() > 0) GTEST_SKIP() << "pictures not generated";
    ClearMap();
    Rock(5, 3, 3, 8);   // on screen from (64, 128) to (320, 224)
    Rock(4, 8, 1, 1);   // a step up at its right end: an inner corner at (224, 128)
    DrawStill();
    auto band = [](int y0, int y1) {
        float sum = 0;
        for (int y = y0; y < y1; y++)
            for (int x = 72; x < 200; x++) sum += Luma(x, y);
        return sum / float((y1 - y0) * 128);
    };
    const float top = band(129, 132), middle = band(160, 192), bottom = band(216, 223);
    EXPECT_GT(top, middle + 20);
    EXPECT_LT(bottom, middle - 8);
    EXPECT_EQ(ReadBackBufferPixel(100, 126) & 0xffffff, 0u);  // space above stays space
    EXPECT_EQ(ReadBackBufferPixel(64, 128) & 0xffffff, 0u);   // the outer corner is rounded off
    int rim = 0;
    for (int x = 72; x < 200; x++) rim += (ReadBackBufferPixel(x, 222) & 0xffffff) != 0;
    EXPECT_GT(rim, 100);  // a rim against the space below, too
    // the inner corner joins the rims of the two walls meeting there
    auto corner = [] {
        std::vector<uint32_t> px;
        for (int y = 128; y < 132; y++)
            for (int x = 224; x < 228; x++) px.push_back(ReadBackBufferPixel(x, y));
        return px;
    };
    const std::vector<uint32_t> withCorner = corner();
    StageMap[4][7] = 'a';
    DrawStill();
    EXPECT_NE(corner(), withCorner);
}

}  // namespace
