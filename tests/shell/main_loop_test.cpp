// The frame loop's timing: input sampled after the wait, frames paced across the clock's
// wrap, and the shared test runtime coming back as a fresh start would leave it.
#include <cstdint>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/state_hash.h"
#include "support/headless_game.h"

namespace {

class MainLoop : public HeadlessGame {
protected:
    static int32_t Since(int32_t later, int32_t earlier) {
        return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
    }

    // The title, a game started from it and its first play frames: hashes on the way, a
    // digest of the last picture and a measured text.
    static std::vector<uint64_t> PlayOpening() {
        std::vector<uint64_t> seen;
        for (int f = 0; f < 400; f++) {
            Frame(f == 200 ? PadButton1 : 0);
            if (f % 50 == 49) seen.push_back(StateHash());
        }
        uint64_t picture = 1469598103934665603u;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++) picture = (picture ^ ReadBackBufferPixel(x, y)) * 1099511628211u;
        seen.push_back(picture);
        seen.push_back(static_cast<uint64_t>(MeasureText("abc", 3, 0)));
        return seen;
    }
};

// As the loop runs it: the window messages are pumped before the frame, the key goes
// down during the frame's wait, and the frame started after the wait sees it.
TEST_F(MainLoop, AKeyPressedDuringTheWaitCountsInThatFrame) {
    Frames(2);
    QueueHeadlessKeyEvent(KeyZ, true, lastFrameMillis + 8);
    ASSERT_EQ(PumpWindowMessages(), 0);
    EXPECT_EQ(IsKeyDown(KeyZ), 0);  // not yet there when the loop pumped
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(fireHeld, 1);
    EXPECT_EQ(firePressed, 1);
    EXPECT_EQ(currentScene, ScenePlay);  // the title started the game on it

    QueueHeadlessKeyEvent(KeyZ, false, lastFrameMillis + 15);
    ASSERT_EQ(PumpWindowMessages(), 0);
    ASSERT_TRUE(RunFrame());
    EXPECT_EQ(fireHeld, 0);
}

TEST_F(MainLoop, FramesStartSixteenMillisecondsApartAcrossTheClockWrap) {
    SetVirtualMillis(INT32_MAX - 40);
    Frame();  // long after the previous frame: starts at once
    for (int i = 0; i < 6; i++) {
        int32_t previous = lastFrameMillis;
        Frame();
        // at least 16, and the read that ends the wait is one more
        EXPECT_EQ(Since(lastFrameMillis, previous), 17) << i;
    }
    EXPECT_LT(lastFrameMillis, 0);  // the clock did wrap
}

// The next test of the process gets the same pictures and sounds without a reload, and
// plays exactly as it would after a test that left everything tidy.
TEST_F(MainLoop, ASharedRestartPlaysTheSameWhateverTheTestBeforeLeft) {
    const uint32_t session = RuntimeSession();
    const int32_t title = ImgTitleFront;
    PlayOpening();  // game globals that no set-up resets (the map, its last step) as a test leaves them
    ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1));
    const std::vector<uint64_t> tidy = PlayOpening();
    EXPECT_GT(SoundStartCount(WavStart, 0), 0);

    SetBlend(1, 10);
    SetTint(0, 0, 0);
    SetTextSize(40);
    SetDrawingEnabled(false);
    SetHeadlessKey(KeyX, true);
    QueueHeadlessKeyEvent(KeyC, true, VirtualMillis() + 100);
    SeedRandom(99);

    ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1));
    EXPECT_EQ(RuntimeSession(), session);
    EXPECT_EQ(ImgTitleFront, title);
    EXPECT_EQ(SoundStartCount(WavStart, 0), 0);
    EXPECT_STREQ(CurrentMusicFile(), "");
    EXPECT_EQ(PlayOpening(), tidy);
}

}  // namespace
