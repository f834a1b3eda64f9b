// The replay theatre: its speeds, pause and step, and seeks that land on the frame straight
// play reaches, back, on and to a stage's start, with a changed hash still found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenes/theatre.h"
#include "shell/replay.h"
#include "shell/state_hash.h"
#include "support/headless_game.h"

namespace {

void HeadlessRunner(int buttons, bool shown) {
    SetDrawingEnabled(shown);
    SetHeadlessPad(buttons);
    RunFrame();
    SetDrawingEnabled(true);
}

class Theatre : public HeadlessGame {
protected:
    // The first frames of a golden run: the title, stage 1, the route map and stage 2, with
    // the hash straight play has after every one of them.
    void SetUp() override {
        HeadlessGame::SetUp();
        std::string error;
        ASSERT_TRUE(ReadReplayFile(ZORBEX_SOURCE_DIR "/tests/golden/continue.replay", &replay, &error)) << error;
        replay.buttons.resize(kFrames);
        std::vector<ReplayCheckpoint> kept;
        for (const ReplayCheckpoint& c : replay.checkpoints)
            if (c.frame <= kFrames) kept.push_back(c);
        replay.checkpoints = kept;
        SetDrawingEnabled(false);
        BeginReplay(replay);
        RunCounters books;
        ApplyRunOptions(replay.options, &books);
        for (uint8_t pad : replay.buttons) {
            SetHeadlessPad(pad);
            RunFrame();
            ApplyRunOptions(replay.options, &books);
            hashes.push_back(StateHash());
        }
        SetDrawingEnabled(true);
        // held to this process's own straight play: what earlier tests left behind that a
        // run's start does not clear must not count against the theatre
        for (ReplayCheckpoint& c : replay.checkpoints) c.hash = hashes[size_t(c.frame - 1)];
    }
    void TearDown() override { CloseTheatre(); }

    static constexpr int kFrames = 8000;
    Replay replay;
    std::vector<uint64_t> hashes;  // after frames 1, 2, ...
};

TEST_F(Theatre, SeeksLandWhereStraightPlayIs) {
    OpenTheatre(replay, true, HeadlessRunner);
    EXPECT_EQ(TheatreDiffersAt(), 0);
    ASSERT_EQ(TheatrePosition(), 0);
    for (int64_t to : {7999, 1, 1234, 600, 601, 599, 8000, 40, 6500}) {
        SeekTheatre(to);
        ASSERT_EQ(TheatrePosition(), to);
        EXPECT_EQ(StateHash(), hashes[size_t(to - 1)]) << "sought to frame " << to;
    }
    SeekTheatre(1500);
    ASSERT_TRUE(TheatreFrame(TheatreBack));
    EXPECT_EQ(TheatrePosition(), 1500 - 625);
    EXPECT_EQ(StateHash(), hashes[1500 - 625 - 1]);
    ASSERT_TRUE(TheatreFrame(TheatreForward));
    EXPECT_EQ(TheatrePosition(), 1500);
    EXPECT_EQ(StateHash(), hashes[1500 - 1]);
}

TEST_F(Theatre, SpeedsPauseAndStep) {
    OpenTheatre(replay, true, HeadlessRunner);
    ASSERT_TRUE(TheatreFrame(TheatreNone));
    EXPECT_EQ(TheatrePosition(), 1);  // 1x: a frame a frame
    for (int i = 0; i < 3; i++) TheatreFrame(TheatreFaster);
    EXPECT_EQ(TheatreSpeedQuarters(), 32);
    TheatreFrame(TheatreFaster);  // 8x is the top
    EXPECT_EQ(TheatreSpeedQuarters(), 32);
    const int64_t before = TheatrePosition();
    TheatreFrame(TheatreNone);
    EXPECT_EQ(TheatrePosition(), before + 8);
    EXPECT_EQ(StateHash(), hashes[size_t(TheatrePosition() - 1)]);
    for (int i = 0; i < 6; i++) TheatreFrame(TheatreSlower);
    EXPECT_EQ(TheatreSpeedQuarters(), 1);  // 1/4x: one frame in four
    const int64_t slow = TheatrePosition();
    for (int i = 0; i < 8; i++) TheatreFrame(TheatreNone);
    EXPECT_EQ(TheatrePosition(), slow + 2);
    TheatreFrame(TheatrePause);
    EXPECT_TRUE(TheatrePaused());
    const int64_t paused = TheatrePosition();
    for (int i = 0; i < 10; i++) TheatreFrame(TheatreNone);
    EXPECT_EQ(TheatrePosition(), paused);
    TheatreFrame(TheatreStep);
    EXPECT_EQ(TheatrePosition(), paused + 1);
    EXPECT_EQ(StateHash(), hashes[size_t(paused)]);
    // the end: the last frame, then no more
    SeekTheatre(kFrames);
    TheatreFrame(TheatrePause);
    EXPECT_FALSE(TheatreFrame(TheatreNone));
}

TEST_F(Theatre, StageStartsAreMarkedAndSoughtTo) {
    OpenTheatre(replay, true, HeadlessRunner);
    ASSERT_GE(TheatreStageCount(), 2) << "the run never reached a second stage";
    const int64_t second = TheatreStageFrame(1);
    SeekTheatre(second + 400);
    TheatreFrame(TheatrePreviousStage);
    EXPECT_EQ(TheatrePosition(), second);
    EXPECT_EQ(StateHash(), hashes[size_t(second - 1)]);
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(sceneJustEntered, 1);  // the stage's very first frame
    TheatreFrame(TheatrePreviousStage);  // just begun: the one before
    EXPECT_EQ(TheatrePosition(), TheatreStageFrame(0));
    TheatreFrame(TheatreNextStage);
    EXPECT_EQ(TheatrePosition(), second);
}

TEST_F(Theatre, AChangedHashIsFoundAtItsFrame) {
    replay.checkpoints[20].hash ^= 1;  // the hash after frame 1260
    OpenTheatre(replay, true, HeadlessRunner);
    EXPECT_EQ(TheatreDiffersAt(), replay.checkpoints[20].frame);
}

}  // namespace
