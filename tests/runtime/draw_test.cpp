// Drawing checked on back-buffer pixels: colour key, regions, stretch, rotation, tint, blend.
#include <cstdlib>

#include "runtime/runtime_fixtures.h"

namespace runtime_test {
namespace {

using DrawTest = RuntimeTest;

int Channel(uint32_t px, int shift) { return int((px >> shift) & 0xFF); }

TEST_F(DrawTest, PureGreenIsTransparentOnlyWhenAskedFor) {
    const uint32_t nearGreen = 0xFF00FE00u;
    const int h = MakeImage("key.png", 4, 1, {Red, Green, nearGreen, Blue});
    ASSERT_GT(h, 0);
    DrawImage(10, 10, h, 1);
    EXPECT_EQ(ReadBackBufferPixel(10, 10), Red);
    EXPECT_EQ(ReadBackBufferPixel(11, 10), Black);      // keyed away
    EXPECT_EQ(ReadBackBufferPixel(12, 10), nearGreen);  // hard edge: only the exact key
    EXPECT_EQ(ReadBackBufferPixel(13, 10), Blue);
    DrawImage(10, 20, h, 0);
    EXPECT_EQ(ReadBackBufferPixel(11, 20), Green);  // opaque drawing keeps the key colour
}

TEST_F(DrawTest, RegionDrawsTheSubRectangleAndClipsAtTheScreenEdge) {
    // 4 x 2: top row red red blue blue, bottom row white white green green
    const int h = MakeImage("region.png", 4, 2, {Red, Red, Blue, Blue, White, White, Green, Green});
    DrawImageRegion(100, 50, 1, 0, 2, 2, h, 1, 0);
    EXPECT_EQ(ReadBackBufferPixel(99, 50), Black);
    EXPECT_EQ(ReadBackBufferPixel(100, 50), Red);
    EXPECT_EQ(ReadBackBufferPixel(101, 50), Blue);
    EXPECT_EQ(ReadBackBufferPixel(102, 50), Black);
    EXPECT_EQ(ReadBackBufferPixel(100, 51), White);
    EXPECT_EQ(ReadBackBufferPixel(101, 51), Black);  // green keyed
    EXPECT_EQ(ReadBackBufferPixel(100, 52), Black);

    // half off the left and bottom edges: what remains lands where it belongs
    DrawImage(-2, 479, h, 0);
    EXPECT_EQ(ReadBackBufferPixel(0, 479), Blue);
    EXPECT_EQ(ReadBackBufferPixel(1, 479), Blue);
    EXPECT_EQ(ReadBackBufferPixel(2, 479), Black);
    DrawImage(638, 0, h, 0);
    EXPECT_EQ(ReadBackBufferPixel(638, 0), Red);
    EXPECT_EQ(ReadBackBufferPixel(639, 0), Red);
    DrawImage(100000, -100000, h, 0);  // far away: nothing, and no crash
}

TEST_F(DrawTest, RegionFlipMirrorsAndRegionOutsideThePictureIsCut) {
    const int h = MakeImage("flip.png", 3, 1, {Red, White, Blue});
    DrawImageRegion(10, 10, 0, 0, 3, 1, h, 0, 1);
    EXPECT_EQ(ReadBackBufferPixel(10, 10), Blue);
    EXPECT_EQ(ReadBackBufferPixel(11, 10), White);
    EXPECT_EQ(ReadBackBufferPixel(12, 10), Red);
    // a region reaching left of the picture: the part outside draws nothing
    DrawImageRegion(20, 10, -1, 0, 3, 1, h, 0, 0);
    EXPECT_EQ(ReadBackBufferPixel(20, 10), Black);
    EXPECT_EQ(ReadBackBufferPixel(21, 10), Red);
    EXPECT_EQ(ReadBackBufferPixel(22, 10), White);
    EXPECT_EQ(ReadBackBufferPixel(23, 10), Black);
}

TEST_F(DrawTest, StretchFillsTheRectangleWithRightAndBottomEdgesExclusive) {
    const int h = MakeImage("quad.png", 2, 2, {Red, Blue, White, Green});
    DrawImageStretched(100, 100, 104, 106, h, 0);
    for (int y = 99; y <= 106; ++y)
        for (int x = 99; x <= 104; ++x) {
            uint32_t want = Black;
            if (x >= 100 && x < 104 && y >= 100 && y < 106) {
                const bool right = x >= 102, bottom = y >= 103;
                want = bottom ? (right ? Green : White) : (right ? Blue : Red);
            }
            EXPECT_EQ(ReadBackBufferPixel(x, y), want) << x << "," << y;
        }
    // keyed stretch leaves the green quarter out; an empty rectangle draws nothing
    ClearBackBuffer();
    DrawImageStretched(0, 0, 8, 8, h, 1);
    EXPECT_EQ(ReadBackBufferPixel(6, 6), Black);
    EXPECT_EQ(ReadBackBufferPixel(1, 6), White);
    DrawImageStretched(50, 50, 50, 60, h, 0);
    DrawImageStretched(60, 60, 55, 70, h, 0);
    EXPECT_EQ(ReadBackBufferPixel(50, 55), Black);
    EXPECT_EQ(ReadBackBufferPixel(57, 65), Black);
}

TEST_F(DrawTest, RotationTurnsClockwiseAboutTheGivenPoint) {
    // 4 x 4 black-free picture: white everywhere, red top-left, blue just right of centre
    std::vector<uint32_t> px(16, White);
    px[0] = Red;
    px[2 * 4 + 3] = Blue;
    const int h = MakeImage("turn.png", 4, 4, px);

    // angle 0: the picture's point (2, 2) lands on (200, 100)
    DrawImageRotated(200, 100, 2, 2, 1.0, 0.0, h, 1, 0);
    EXPECT_EQ(ReadBackBufferPixel(198, 98), Red);
    EXPECT_EQ(ReadBackBufferPixel(201, 100), Blue);
    EXPECT_EQ(ReadBackBufferPixel(197, 98), Black);
    EXPECT_EQ(ReadBackBufferPixel(202, 100), Black);

    // a quarter turn clockwise: right of the centre goes below it, top-left goes top-right
    ClearBackBuffer();
    DrawImageRotated(300, 200, 2, 2, 1.0, 3.14159265358979 / 2, h, 1, 0);
    EXPECT_EQ(ReadBackBufferPixel(299, 201), Blue);
    EXPECT_EQ(ReadBackBufferPixel(301, 198), Red);
    int drawn = 0;
    for (int y = 190; y < 210; ++y)
        for (int x = 290; x < 310; ++x) drawn += ReadBackBufferPixel(x, y) != Black;
    EXPECT_EQ(drawn, 16);  // the whole picture, nothing lost or doubled
    for (int y = 198; y < 202; ++y)
        for (int x = 298; x < 302; ++x) EXPECT_NE(ReadBackBufferPixel(x, y), Black);

    // scale 2 about the same point doubles the distances
    ClearBackBuffer();
    DrawImageRotated(300, 200, 2, 2, 2.0, 0.0, h, 1, 0);
    EXPECT_EQ(ReadBackBufferPixel(296, 196), Red);
    EXPECT_EQ(ReadBackBufferPixel(297, 197), Red);
    EXPECT_EQ(ReadBackBufferPixel(302, 200), Blue);
    EXPECT_EQ(ReadBackBufferPixel(295, 196), Black);
}

TEST_F(DrawTest, TintIsClampedAndMultipliesEachChannel) {
    const int h = MakeSolidImage("white.png", 2, 2, White);
    SetTint(300, -5, 255);
    DrawImage(0, 0, h, 1);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), 0xFFFF00FFu);
    SetTint(128, 64, 0);
    DrawImage(10, 0, h, 1);
    const uint32_t p = ReadBackBufferPixel(10, 0);
    EXPECT_NEAR(Channel(p, 16), 128, 1);
    EXPECT_NEAR(Channel(p, 8), 64, 1);
    EXPECT_EQ(Channel(p, 0), 0);
    SetTint(255, 255, 255);
    DrawImage(20, 0, h, 1);
    EXPECT_EQ(ReadBackBufferPixel(20, 0), White);
}

TEST_F(DrawTest, BlendMixesOverTheBackBufferByItsParameter) {
    const int blue = MakeSolidImage("blue.png", 4, 4, Blue);
    const int red = MakeSolidImage("red.png", 4, 4, Red);
    for (int x = 0; x < 40; x += 10) DrawImage(x, 0, blue, 0);
    SetBlend(1, 128);
    DrawImage(0, 0, red, 1);
    const uint32_t half = ReadBackBufferPixel(1, 1);
    EXPECT_NEAR(Channel(half, 16), 128, 2);
    EXPECT_EQ(Channel(half, 8), 0);
    EXPECT_NEAR(Channel(half, 0), 127, 2);
    SetBlend(1, 0);  // fully transparent
    DrawImage(10, 0, red, 1);
    EXPECT_EQ(ReadBackBufferPixel(11, 1), Blue);
    SetBlend(1, 999);  // clamped to 255: fully opaque
    DrawImage(20, 0, red, 1);
    EXPECT_EQ(ReadBackBufferPixel(21, 1), Red);
    SetBlend(0, 0);
    DrawImage(30, 0, red, 1);
    EXPECT_EQ(ReadBackBufferPixel(31, 1), Red);
}

// Pictures without a transparent pixel blit as row copies and one-colour pictures stretch
// as fills: the short ways must leave exactly the pixels the general ones do.
TEST_F(DrawTest, OpaqueAndOneColourPicturesDrawAsAnyOtherWould) {
    const uint32_t grey = 0xFF808080u;
    const int opaque = MakeImage("opaque.png", 3, 2, {Red, White, Blue, Blue, Red, White});
    const int keyedEdge = MakeImage("keyed-edge.png", 3, 2, {Red, White, Blue, Blue, Red, Green});
    const int one = MakeImage("one.png", 2, 2, {grey, grey, grey, grey});
    const int oneKey = MakeImage("one-key.png", 2, 2, {Green, Green, Green, Green});
    DrawImage(10, 10, opaque, 1);
    DrawImage(10, 20, keyedEdge, 1);
    for (int x = 0; x < 3; x++) EXPECT_EQ(ReadBackBufferPixel(10 + x, 10), ReadBackBufferPixel(10 + x, 20));
    EXPECT_EQ(ReadBackBufferPixel(12, 11), White);
    EXPECT_EQ(ReadBackBufferPixel(12, 21), Black);  // the key, keyed away
    DrawImageRegion(30, 10, 0, 0, 3, 1, opaque, 1, 1);  // mirrored: no copy
    EXPECT_EQ(ReadBackBufferPixel(30, 10), Blue);

    DrawImageStretched(100, 100, 107, 103, one, 1);
    EXPECT_EQ(ReadBackBufferPixel(106, 102), grey);
    EXPECT_EQ(ReadBackBufferPixel(107, 102), Black);
    SetBlend(1, 128);
    DrawImageStretched(100, 100, 102, 101, one, 1);
    SetBlend(0, 255);
    EXPECT_EQ(ReadBackBufferPixel(100, 100), grey);  // grey over grey stays grey
    DrawImageStretched(200, 200, 210, 210, oneKey, 1);
    EXPECT_EQ(ReadBackBufferPixel(205, 205), Black);  // all key: nothing shows
    DrawImageStretched(200, 200, 210, 210, oneKey, 0);
    EXPECT_EQ(ReadBackBufferPixel(205, 205), Green);
}

TEST_F(DrawTest, BadHandlesAreIgnored) {
    const int h = MakeSolidImage("red.png", 2, 2, Red);
    for (int bad : {-1, 0, h + 1, 1 << 30}) {
        DrawImage(0, 0, bad, 1);
        DrawImageRegion(0, 0, 0, 0, 2, 2, bad, 1, 0);
        DrawImageStretched(0, 0, 10, 10, bad, 1);
        DrawImageRotated(5, 5, 1, 1, 1.0, 0.5, bad, 1, 0);
        int w = 7;
        EXPECT_FALSE(GetImageSize(bad, &w, nullptr));
        EXPECT_EQ(w, 7);
    }
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(ReadBackBufferPixel(x, y), Black);
    EXPECT_EQ(LoadImage(Path("absent.png").c_str(), 0), -1);
    EXPECT_EQ(MissingAssetCount(), 1);
}

TEST_F(DrawTest, StripCellsGoRowByRowAndStopAtCount) {
    // a 3 x 2 grid of 2 x 2 cells, each cell its own shade of red
    std::vector<uint32_t> px(6 * 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) px[y * 6 + x] = 0xFF000000u | uint32_t(10 + (y / 2) * 3 + x / 2) << 16;
    const std::string path = Path("strip.png");
    ASSERT_TRUE(SavePixelsPng(path.c_str(), 6, 4, px.data()));
    int handles[6] = {0, 0, 0, 0, 0, -77};
    ASSERT_EQ(LoadImageStrip(path.c_str(), 5, 3, 2, 2, 2, handles, 0), 0);
    EXPECT_EQ(handles[5], -77);
    for (int k = 0; k < 5; ++k) {
        int w = 0, hh = 0;
        ASSERT_TRUE(GetImageSize(handles[k], &w, &hh));
        EXPECT_EQ(w, 2);
        EXPECT_EQ(hh, 2);
        DrawImage(k * 10, 0, handles[k], 0);
        EXPECT_EQ(ReadBackBufferPixel(k * 10, 0), 0xFF000000u | uint32_t(10 + k) << 16) << k;
        EXPECT_EQ(ReadBackBufferPixel(k * 10 + 1, 1), 0xFF000000u | uint32_t(10 + k) << 16) << k;
        EXPECT_EQ(ReadBackBufferPixel(k * 10 + 2, 0), Black);
    }
    // a region of a cell stays inside that cell
    ClearBackBuffer();
    DrawImageRegion(0, 0, 1, 0, 4, 2, handles[1], 0, 0);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), 0xFF000000u | 11u << 16);
    EXPECT_EQ(ReadBackBufferPixel(1, 0), Black);
}

TEST_F(DrawTest, StripCellsPastThePictureDrawNothingAndAMissingStripGivesMinusOne) {
    const std::string path = Path("small.png");
    std::vector<uint32_t> px(4 * 2, Red);
    ASSERT_TRUE(SavePixelsPng(path.c_str(), 4, 2, px.data()));
    int handles[4] = {};
    ASSERT_EQ(LoadImageStrip(path.c_str(), 4, 4, 1, 2, 2, handles, 0), 0);
    DrawImage(0, 0, handles[2], 0);
    DrawImage(0, 0, handles[3], 0);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), Black);
    DrawImage(0, 0, handles[1], 0);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), Red);

    int missing[3] = {5, 5, 5};
    EXPECT_EQ(LoadImageStrip(Path("none.png").c_str(), 3, 3, 1, 2, 2, missing, 0), -1);
    EXPECT_EQ(missing[0], -1);
    EXPECT_EQ(missing[2], -1);
    EXPECT_EQ(MissingAssetCount(), 1);
}

TEST_F(DrawTest, DotsAndTheClear) {
    DrawDot(5, 6, MakeColor(1, 2, 3));
    EXPECT_EQ(ReadBackBufferPixel(5, 6), 0xFF010203u);
    EXPECT_EQ(MakeColor(300, -1, 128), 0xFF0080);
    DrawDot(-1, 0, MakeColor(255, 255, 255));
    DrawDot(640, 479, MakeColor(255, 255, 255));
    ClearBackBuffer();
    EXPECT_EQ(ReadBackBufferPixel(5, 6), Black);
}

TEST_F(DrawTest, DrawingDisabledLeavesTheBackBufferAlone) {
    const int h = MakeSolidImage("red.png", 2, 2, Red);
    DrawImage(0, 0, h, 0);
    SetDrawingEnabled(false);
    ClearBackBuffer();
    DrawImage(10, 0, h, 0);
    DrawDot(20, 0, MakeColor(255, 255, 255));
    DrawText(30, 0, "ABC", MakeColor(255, 255, 255), 0);
    PresentFrame();
    SetDrawingEnabled(true);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), Red);
    EXPECT_EQ(ReadBackBufferPixel(10, 0), Black);
    EXPECT_EQ(ReadBackBufferPixel(20, 0), Black);
    for (int x = 30; x < 60; ++x)
        for (int y = 0; y < 20; ++y) ASSERT_EQ(ReadBackBufferPixel(x, y), Black);
}

TEST_F(DrawTest, SavedBackBufferLoadsBackTheSame) {
    const int h = MakeImage("pair.png", 2, 1, {Red, Blue});
    DrawImage(0, 0, h, 0);
    DrawDot(639, 479, MakeColor(9, 8, 7));
    const std::string shot = Path("shot.png");
    ASSERT_TRUE(SaveBackBufferPng(shot.c_str()));
    const int back = LoadImage(shot.c_str(), 0);
    int w = 0, hh = 0;
    ASSERT_TRUE(GetImageSize(back, &w, &hh));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(hh, 480);
    ClearBackBuffer();
    DrawImage(0, 0, back, 0);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), Red);
    EXPECT_EQ(ReadBackBufferPixel(1, 0), Blue);
    EXPECT_EQ(ReadBackBufferPixel(639, 479), 0xFF090807u);
}

TEST(DrawBeforeStart, DrawingWithoutARuntimeDoesNotCrash) {
    ClearBackBuffer();
    DrawImage(0, 0, 1, 1);
    DrawImageRotated(0, 0, 0, 0, 1.0, 1.0, 1, 1, 0);
    DrawText(0, 0, "text", 0xFFFFFF, 0);
    EXPECT_EQ(MeasureText("text", 4, 0), 0);
    EXPECT_EQ(PlaySound(1, 1, 1), -1);
    PresentFrame();
    EXPECT_EQ(PumpWindowMessages(), 0);
}

}  // namespace
}  // namespace runtime_test
