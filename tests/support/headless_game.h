// Test harness: a headless runtime with the game set up, driven frame by frame
// through the main loop's own frame function.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"

class HeadlessGame : public ::testing::Test {
protected:
    void SetUp() override {
        EnableHeadless(1);
        ASSERT_EQ(StartRuntime(), 0);
        SetUpGame();
    }
    void TearDown() override { StopRuntime(); }

    // Runs one frame with the given buttons held (GetPadState bits).
    static void Frame(int pad = 0) {
        SetHeadlessPad(pad);
        ASSERT_TRUE(RunFrame());
    }
    static void Frames(int n, int pad = 0) {
        for (int i = 0; i < n; i++) Frame(pad);
    }
};
