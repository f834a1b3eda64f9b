// The pause outside the game's frames: while it lasts no frame runs, so the state
// hash, the random numbers and a replay's buttons are untouched; the picture dims,
// the audio holds, and only play can be paused.
#include <gtest/gtest.h>

#include <cstdint>

#include "shell/assets.h"
#include "shell/pause.h"
#include "shell/replay.h"
#include "shell/state_hash.h"
#include "support/headless_game.h"

namespace {

class Pause : public HeadlessGame {
protected:
    void TearDown() override {
        SetHeadlessKey(KeyP, false);
        HeadlessGame::TearDown();
    }
    // A tap of P: down for one loop pass, then up for one.
    static void TapP(int pad = 0) {
        SetHeadlessKey(KeyP, true);
        Frame(pad);
        SetHeadlessKey(KeyP, false);
        Frame(pad);
    }
    // Buttons that keep the ship moving and firing in a pattern of its own.
    static int PatternPad(int frame) {
        return PadButton1 | ((frame / 40) % 2 ? PadUp : PadDown) | (frame % 7 == 0 ? PadButton2 : 0);
    }
    // Plays `frames` frames of the pattern from stage 1; with `pauseAt` >= 0 the game is
    // paused before that frame for `held` loop passes, with other buttons held meanwhile.
    static uint64_t PlayStageOne(int frames, int pauseAt, int held) {
        BeginRun(7, 2, 1);
        for (int f = 0; f < frames; f++) {
            if (f == pauseAt) {
                SetHeadlessKey(KeyP, true);
                Frame(PadLeft | PadButton3);
                SetHeadlessKey(KeyP, false);
                Frames(held, PadRight | PadButton2);
                EXPECT_TRUE(GamePaused());
                SetHeadlessKey(KeyP, true);  // the resuming press runs the frame at once
            }
            Frame(PatternPad(f));
            SetHeadlessKey(KeyP, false);
        }
        return StateHash();
    }
};

TEST_F(Pause, NoFrameRunsWhilePausedAndPlayGoesOnWhereItStopped) {
    BeginRun(3, 2, 1);
    Frames(120, PadButton1 | PadUp);
    ASSERT_EQ(currentScene, ScenePlay);
    const uint64_t before = StateHash();
    const uint64_t draws = RandomDrawCount();
    const int32_t millis = VirtualMillis();

    SetHeadlessKey(KeyP, true);
    Frame(PadButton1);
    EXPECT_TRUE(GamePaused());
    // held P does not toggle back; other buttons are not even sampled
    Frames(50, PadButton1 | PadDown | PadButton2);
    SetHeadlessKey(KeyP, false);
    Frames(50, PadButton2);
    EXPECT_TRUE(GamePaused());
    EXPECT_EQ(StateHash(), before);
    EXPECT_EQ(RandomDrawCount(), draws);
    // the paused loop sleeps between its passes instead of spinning
    EXPECT_GE(VirtualMillis() - millis, 100 * 16);

    SetHeadlessKey(KeyP, true);
    Frame(PadButton1 | PadUp);
    EXPECT_FALSE(GamePaused());
    EXPECT_NE(StateHash(), before);
}

TEST_F(Pause, PausedRunEndsInTheSameStateAsAnUnpausedOne) {
    const uint64_t straight = PlayStageOne(600, -1, 0);
    const uint64_t paused = PlayStageOne(600, 300, 120);
    const uint64_t twice = PlayStageOne(600, 1, 3);
    EXPECT_EQ(paused, straight);
    EXPECT_EQ(twice, straight);
}

TEST_F(Pause, OnlyPlayPausesAndFocusLossPausesIt) {
    // the title runs on through P and a lost focus
    Frame();
    ASSERT_EQ(currentScene, SceneTitle);
    const int32_t timer = sceneTimer;
    TapP();
    SimulateWindowFocusLoss();
    Frame();
    EXPECT_FALSE(GamePaused());
    EXPECT_GT(sceneTimer, timer);

    // a focus loss seen before play does not wait for it
    SimulateWindowFocusLoss();
    BeginRun(1, 2, 1);
    Frames(10);
    EXPECT_FALSE(GamePaused());

    SimulateWindowFocusLoss();
    Frame();
    EXPECT_TRUE(GamePaused());
    Frames(5);
    EXPECT_TRUE(GamePaused());  // getting the focus back is not enough: the player resumes
    TapP();
    EXPECT_FALSE(GamePaused());

    // the pad's Start button toggles it as P does
    SetHeadlessPadStart(true);
    Frame();
    SetHeadlessPadStart(false);
    Frame();
    EXPECT_TRUE(GamePaused());
    SetHeadlessPadStart(true);
    Frame();
    SetHeadlessPadStart(false);
    EXPECT_FALSE(GamePaused());
}

TEST_F(Pause, PauseScreenDimsTheLastFrameUnderTheWord) {
    BeginRun(1, 2, 1);
    Frames(60, PadButton1);
    // the stage's picture as presented, row 20 (the header, away from the word)
    uint32_t shown[640];
    for (int x = 0; x < 640; x++) shown[x] = ReadBackBufferPixel(x, 20);
    SetHeadlessKey(KeyP, true);
    Frame();
    int brighter = 0;
    for (int x = 0; x < 640; x++) {
        const uint32_t was = shown[x], now = ReadBackBufferPixel(x, 20);
        for (int shift = 0; shift <= 16; shift += 8) {
            const uint32_t c = (was >> shift) & 0xFF;
            EXPECT_EQ((now >> shift) & 0xFF, c * 96 / 255) << "x " << x;
            brighter += c > 0;
        }
    }
    EXPECT_GT(brighter, 0);  // there was a picture to dim
    int white = 0;
    for (int y = 200; y < 290; y++)
        for (int x = 220; x < 420; x++) white += ReadBackBufferPixel(x, y) == 0xFFFFFFFFu;
    EXPECT_GT(white, 200);  // the word, at full brightness over the dimmed frame
}

TEST_F(Pause, EffectsHoldTheirPlaceThroughThePause) {
    BeginRun(1, 2, 1);
    Frame();
    const int length = SoundLengthMillis(WavEnemyBomb00);
    ASSERT_GT(length, 100);
    PlaySound(WavEnemyBomb00, 1, 1);
    SleepMillis(length / 2);
    SetHeadlessKey(KeyP, true);
    Frame();
    EXPECT_TRUE(AudioPaused());
    SleepMillis(length * 4);
    SetHeadlessKey(KeyP, false);
    Frame();
    SetHeadlessKey(KeyP, true);
    Frame();
    EXPECT_FALSE(AudioPaused());
    // the half that had not sounded still sounds after the pause, and then ends
    EXPECT_TRUE(SoundBufferPlaying(WavEnemyBomb00, 0));
    SleepMillis(length);
    EXPECT_FALSE(SoundBufferPlaying(WavEnemyBomb00, 0));
}

}  // namespace
