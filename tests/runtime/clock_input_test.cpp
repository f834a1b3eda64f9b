// Random numbers, the virtual clock, headless buttons, text and repeated start and stop.
#include <random>

#include "runtime/runtime_fixtures.h"

namespace runtime_test {
namespace {

using ClockTest = RuntimeTest;
using TextTest = RuntimeTest;
using LifecycleTest = RuntimeTest;

int32_t Since(int32_t later, int32_t earlier) { return int32_t(uint32_t(later) - uint32_t(earlier)); }

TEST_F(ClockTest, RandomUpToFollowsTheMersenneTwisterReference) {
    SeedRandom(42);
    std::mt19937 reference(42);
    const int32_t ns[] = {0, 1, 10, 255, 359, 1000000, 2147483647};
    for (int i = 0; i < 1000; ++i) {
        const int32_t n = ns[i % 7];
        const uint64_t u = reference();
        ASSERT_EQ(RandomUpTo(n), int32_t((u * (uint64_t(n) + 1)) >> 32)) << i;
    }
}

TEST_F(ClockTest, RandomUpToCoversBothEndsEvenly) {
    SeedRandom(7);
    int ones = 0, zeros = 0;
    int counts[11] = {};
    for (int i = 0; i < 110000; ++i) {
        ASSERT_EQ(RandomUpTo(0), 0);
        const int r = RandomUpTo(10);
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 10);
        ++counts[r];
        (RandomUpTo(1) ? ones : zeros)++;
    }
    for (int c : counts) EXPECT_NEAR(c, 10000, 500);  // one in eleven, five deviations
    EXPECT_NEAR(ones, zeros, 1500);
}

TEST_F(ClockTest, SameSeedSameSequence) {
    SeedRandom(99);
    int32_t first[20];
    for (int32_t& v : first) v = RandomUpTo(1000);
    SeedRandom(99);
    for (int32_t v : first) EXPECT_EQ(RandomUpTo(1000), v);
}

TEST_F(ClockTest, VirtualClockStepsOnEveryReadAndOnSleep) {
    const int32_t a = GetMillis();
    const int32_t b = GetMillis();
    EXPECT_EQ(Since(b, a), 1);
    SleepMillis(16);
    EXPECT_EQ(Since(GetMillis(), b), 17);
    EXPECT_EQ(VirtualMillis(), a + 19);  // reading VirtualMillis does not step
    EXPECT_EQ(VirtualMillis(), a + 19);
    SleepMillis(-5);
    EXPECT_EQ(VirtualMillis(), a + 19);
}

TEST_F(ClockTest, DifferencesStayRightAcrossTheWrap) {
    SetVirtualMillis(2147483647 - 5);
    const int32_t before = GetMillis();
    SleepMillis(20);
    const int32_t after = GetMillis();
    EXPECT_LT(after, before);  // the raw value wrapped
    EXPECT_EQ(Since(after, before), 21);

    // a busy wait for 16 ms across the wrap ends after 16 reads
    SetVirtualMillis(2147483647 - 3);
    const int32_t start = GetMillis();
    int reads = 0;
    while (Since(GetMillis(), start) < 16) ++reads;
    EXPECT_EQ(reads, 15);
}

TEST_F(ClockTest, HeadlessButtonsComeFromTheCaller) {
    EXPECT_EQ(GetPadState(1), 0);
    SetHeadlessPad(PadButton1 | PadLeft);
    EXPECT_EQ(GetPadState(1), PadButton1 | PadLeft);
    EXPECT_EQ(GetPadState(2), 0);
    EXPECT_EQ(IsKeyDown(KeyEscape), 0);
    SetHeadlessKey(KeyEscape, true);
    SetHeadlessKey(KeyZ, true);
    EXPECT_EQ(IsKeyDown(KeyEscape), 1);
    EXPECT_EQ(IsKeyDown(KeyZ), 1);
    EXPECT_EQ(IsKeyDown(KeyX), 0);
    SetHeadlessKey(KeyZ, false);
    EXPECT_EQ(IsKeyDown(KeyZ), 0);
    EXPECT_EQ(IsKeyDown(-1), 0);
    EXPECT_EQ(IsKeyDown(4096), 0);
    SetHeadlessKey(4096, true);  // out of range: ignored
    EXPECT_EQ(PumpWindowMessages(), 0);
}

TEST(MouseCursor, HiddenInFullScreenAndOnceTheMouseRestsInAWindow) {
    EXPECT_TRUE(MouseCursorShown(true, false, 0));
    EXPECT_TRUE(MouseCursorShown(true, false, kCursorIdleMillis - 1));
    EXPECT_FALSE(MouseCursorShown(true, false, kCursorIdleMillis));
    EXPECT_FALSE(MouseCursorShown(true, false, 0xFFFFFFFFu));  // long still, whatever the clock did
    EXPECT_FALSE(MouseCursorShown(true, true, 0));             // full screen, even while it moves
    EXPECT_FALSE(MouseCursorShown(false, false, 0));           // the game asked for no cursor
}

TEST_F(TextTest, ShiftJisTextIsConvertedMeasuredAndDrawn) {
    SetTextSize(14);
    SetTextWeight(5);
    SetTextFace("MS \x83\x53\x83\x56\x83\x62\x83\x4e", -1);
    SetTextStyle(2);
    const char* katakana = "\x83\x65\x83\x58\x83\x67";  // three full-width characters
    const int wide = MeasureText(katakana, 6, 0);
    const int narrow = MeasureText("abc", 3, 0);
    EXPECT_GE(wide, 3 * 12);
    EXPECT_LE(wide, 3 * 16);
    EXPECT_GT(narrow, 0);
    EXPECT_LT(narrow, wide);
    EXPECT_EQ(MeasureText(katakana, 2, 0) * 3, wide);   // the byte count limits the text
    EXPECT_EQ(MeasureText(katakana, 1, 0), MeasureText("?", 1, 0));  // half a character
    SetTextSize(28);
    EXPECT_GT(MeasureText(katakana, 6, 0), wide * 3 / 2);
    SetTextSize(14);

    DrawText(100, 100, katakana, MakeColor(255, 255, 255), 0);
    int lit = 0, outside = 0;
    for (int y = 90; y < 130; ++y)
        for (int x = 90; x < 200; ++x) {
            const bool on = ReadBackBufferPixel(x, y) != Black;
            const bool inside = x >= 100 && x < 100 + wide && y >= 100 && y < 100 + 20;
            (inside ? lit : outside) += on;
        }
    EXPECT_GT(lit, 30);
    EXPECT_EQ(outside, 0);
    // the same line again (from the cache) gives the same pixels
    const uint32_t sample = ReadBackBufferPixel(105, 107);
    DrawText(300, 100, katakana, MakeColor(255, 255, 255), 0);
    EXPECT_EQ(ReadBackBufferPixel(305, 107), sample);
}

TEST_F(TextTest, TextColourIsBlendedOverTheBackBuffer) {
    DrawText(10, 10, "\x81\xa1", MakeColor(255, 0, 0), 0);  // a filled square
    int red = 0, other = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const uint32_t p = ReadBackBufferPixel(x, y);
            if (p == Black) continue;
            ((p & 0x00FFFFu) == 0 ? red : other)++;
        }
    EXPECT_GT(red, 50);
    EXPECT_EQ(other, 0);
}

TEST_F(LifecycleTest, StopReleasesEverythingAndAStartBeginsAfresh) {
    const int image = MakeSolidImage("a.png", 3, 3, Red);
    const int sound = MakeSound("a.wav", 200);
    EXPECT_EQ(LoadImage(Path("absent.png").c_str(), 0), -1);
    EXPECT_EQ(MissingAssetCount(), 1);
    SetBlend(1, 10);
    SetTint(0, 0, 0);
    SetHeadlessPad(PadUp);
    StopRuntime();
    StopRuntime();  // twice is harmless

    EnableHeadless(5);
    ASSERT_EQ(StartRuntime(), 0);
    EXPECT_EQ(MissingAssetCount(), 0);
    EXPECT_FALSE(GetImageSize(image, nullptr, nullptr));
    EXPECT_EQ(PlaySound(sound, 1, 1), -1);
    EXPECT_EQ(GetPadState(1), 0);
    EXPECT_EQ(VirtualMillis(), 0);
    std::mt19937 reference(5);
    EXPECT_EQ(RandomUpTo(99), int32_t((uint64_t(reference()) * 100) >> 32));
    // drawing state is back to plain
    const int again = MakeSolidImage("b.png", 2, 2, Red);
    DrawImage(0, 0, again, 1);
    EXPECT_EQ(ReadBackBufferPixel(0, 0), Red);
    const std::string dataDir = DataDirectory();
    ASSERT_FALSE(dataDir.empty());
    EXPECT_EQ(dataDir.back(), '/');
}

}  // namespace
}  // namespace runtime_test
