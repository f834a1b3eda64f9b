// Test harness: a headless runtime with the game set up, driven frame by frame
// through the main loop's own frame function.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"

// The game, headless and set up as a fresh start leaves it. The runtime and the pictures
// and sounds loaded into it are kept for the next test of the process, which shares
// them read-only; a fixture that needs a runtime of its own calls StopRuntime() first.
void StartSharedHeadlessGame(uint32_t seed);

class HeadlessGame : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1)); }

    // Runs one frame with the given buttons held (GetPadState bits).
    static void Frame(int pad = 0) {
        SetHeadlessPad(pad);
        ASSERT_TRUE(RunFrame());
    }
    static void Frames(int n, int pad = 0) {
        for (int i = 0; i < n; i++) Frame(pad);
    }
};
