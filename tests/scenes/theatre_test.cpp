// The replay theatre: its speeds, pause and step, and seeks that land on the frame straight
// play reaches, back, on and to a stage's start, with a changed hash still found.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "scenes/theatre.h"
#include "shell/replay.h"
#include "shell/state_hash.h"
#include "support/headless_game.h"

namespace {

// Every start of every effect's buffers so far.
int EffectStarts() {
    int starts = 0;
    for (int handle = 1; handle < 400; handle++)
        for (int buffer = 0; buffer < 8; buffer++) starts += SoundStartCount(handle, buffer);
    return starts;
}

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
        // straight play here is the recorded run, whatever earlier tests left behind
        for (const ReplayCheckpoint& c : replay.checkpoints)
            ASSERT_EQ(hashes[size_t(c.frame - 1)], c.hash) << "straight play at frame " << c.frame;
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

// Away from 1x only the effects are silent: the music plays on and follows the run; paused,
// the music waits too; a seek and the way back to 1x start the run's music where it is.
TEST_F(Theatre, EffectsAreSilentAwayFromOneTimesAndTheMusicPlaysOn) {
    // the music straight play has after every frame, and the first frame of a new piece
    std::vector<std::string> music;
    BeginReplay(replay);
    for (uint8_t pad : replay.buttons) {
        HeadlessRunner(pad, false);
        music.push_back(CurrentMusicFile());
    }
    int64_t change = 0;
    for (size_t f = 2000; f < music.size() && !change; f++)
        if (music[f] != music[f - 1] && !music[f].empty()) change = static_cast<int64_t>(f) + 1;
    ASSERT_GT(change, 0) << "no new piece of music after frame 2000";

    OpenTheatre(replay, true, HeadlessRunner);
    SeekTheatre(600);
    EXPECT_FALSE(EffectsSilenced());
    EXPECT_FALSE(MusicOnlyNoted());
    EXPECT_EQ(CurrentMusicFile(), music[599]);
    TheatreFrame(TheatreFaster);  // 2x
    EXPECT_TRUE(EffectsSilenced());
    EXPECT_FALSE(MusicOnlyNoted()) << "the music plays on at 2x";
    const int effects = EffectStarts();
    SeekTheatre(change - 40);
    EXPECT_TRUE(EffectsSilenced());
    EXPECT_FALSE(MusicOnlyNoted());
    while (TheatrePosition() < change + 40) TheatreFrame(TheatreNone);
    EXPECT_EQ(EffectStarts(), effects) << "no effect at 2x";
    EXPECT_EQ(CurrentMusicFile(), music[size_t(TheatrePosition() - 1)]) << "the new piece started at 2x";

    TheatreFrame(TheatrePause);
    EXPECT_TRUE(MusicOnlyNoted()) << "paused, the music waits";
    TheatreFrame(TheatreStep);
    EXPECT_TRUE(MusicOnlyNoted());
    TheatreFrame(TheatrePause);  // on again, at 2x
    EXPECT_FALSE(MusicOnlyNoted());
    EXPECT_TRUE(EffectsSilenced());
    TheatreFrame(TheatreSlower);  // back to 1x: everything heard
    EXPECT_FALSE(EffectsSilenced());
    EXPECT_FALSE(MusicOnlyNoted());
    EXPECT_EQ(CurrentMusicFile(), music[size_t(TheatrePosition() - 1)]);
    const int heard = EffectStarts();
    for (int i = 0; i < 120; i++) TheatreFrame(TheatreNone);
    EXPECT_GT(EffectStarts(), heard) << "the run's effects at 1x";
    SeekTheatre(change - 1);  // before the new piece: the old one again
    EXPECT_EQ(CurrentMusicFile(), music[size_t(change - 2)]);
    CloseTheatre();
    EXPECT_FALSE(EffectsSilenced());
    EXPECT_FALSE(MusicOnlyNoted());
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
