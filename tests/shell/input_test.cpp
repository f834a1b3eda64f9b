// Button flags: pressed only in the first frame of a hold, keys and pad combined.
#include <gtest/gtest.h>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/input.h"

namespace {

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        StopRuntime();  // not the one the game fixtures share
        EnableHeadless(1);
        ASSERT_EQ(StartRuntime(), 0);
        ClearInput();
    }
    void TearDown() override {
        SetHeadlessPad(0);
        SetHeadlessKey(KeyZ, false);
        StopRuntime();
    }
};

TEST_F(Input, PressedOnlyInTheFirstFrameOfAHold) {
    SetHeadlessPad(PadButton1 | PadLeft);
    SampleInput();
    EXPECT_EQ(firePressed, 1);
    EXPECT_EQ(fireHeld, 1);
    EXPECT_EQ(leftPressed, 1);
    EXPECT_EQ(bombHeld, 0);
    SampleInput();
    EXPECT_EQ(firePressed, 0);
    EXPECT_EQ(fireHeld, 1);
    SetHeadlessPad(0);
    SampleInput();
    EXPECT_EQ(fireHeld, 0);
    SetHeadlessPad(PadButton1);
    SampleInput();
    EXPECT_EQ(firePressed, 1);  // released and pressed again on consecutive frames
}

TEST_F(Input, KeyAndPadTogetherHoldOneButton) {
    SetHeadlessPad(PadButton1);
    SampleInput();
    SetHeadlessKey(KeyZ, true);
    SampleInput();
    EXPECT_EQ(firePressed, 0);  // already held on the pad
    SetHeadlessPad(0);
    SampleInput();
    EXPECT_EQ(fireHeld, 1);
    EXPECT_EQ(firePressed, 0);
}

TEST_F(Input, EachButtonHasItsOwnKeyAndBit) {
    struct Case {
        int key, bit;
        uint8_t* held;
    } cases[] = {{KeyZ, PadButton1, &fireHeld},    {KeyX, PadButton2, &bombHeld},
                 {KeyC, PadButton3, &continueHeld}, {KeyUp, PadUp, &upHeld},
                 {KeyDown, PadDown, &downHeld},     {KeyLeft, PadLeft, &leftHeld},
                 {KeyRight, PadRight, &rightHeld}};
    for (const Case& c : cases) {
        SetHeadlessKey(c.key, true);
        SampleInput();
        EXPECT_EQ(*c.held, 1) << c.key;
        SetHeadlessKey(c.key, false);
        SetHeadlessPad(c.bit);
        SampleInput();
        EXPECT_EQ(*c.held, 1) << c.bit;
        SetHeadlessPad(0);
        SampleInput();
        EXPECT_EQ(*c.held, 0);
    }
}

}  // namespace
