// Offline sound: effects and music mixed only on request, frame-exact from the call after
// they start, at the mixer's volumes and through the output limiter.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "runtime/runtime_fixtures.h"
#include "shell/game.h"
#include "sim/allocation_counter.h"
#include "support/headless_game.h"

namespace runtime_test {
namespace {

const std::string DataDir = ZORBEX_BINARY_DIR "/data/";
const int late = LimiterDelayFrames();  // frames the limiter holds every sample back

// Stereo frames of game frame `frame`: 16 ms each, 705.6 frames rounded cumulatively.
int FramesOfGameFrame(int frame) {
    const auto start = [](int64_t f) { return int((f * 7056 + 5) / 10); };
    return start(frame + 1) - start(frame);
}

// `count` frames of the mix, asked for in game-frame pieces as an export does.
std::vector<float> MixFrames(int count) {
    std::vector<float> out(size_t(count) * 2, 1.0f);
    for (int at = 0, frame = 0; at < count; ++frame) {
        const int n = std::min(count - at, FramesOfGameFrame(frame));
        MixOfflineSound(out.data() + 2 * at, n);
        at += n;
    }
    return out;
}

float Peak(const std::vector<float>& v, size_t from = 0) {
    float peak = 0.0f;
    for (size_t i = from; i < v.size(); ++i) peak = std::max(peak, std::fabs(v[i]));
    return peak;
}

// The fixture WAV's square wave (WriteWav) as the mixer holds it, at full volume.
float Square(int frame) { return ((frame / 50) % 2 ? 3000 : -3000) / 32768.0f; }

class OfflineSound : public RuntimeTest {
protected:
    void SetUp() override {
        EnableOfflineSound(true);
        RuntimeTest::SetUp();
        TakeMixPeaks();
    }
    void TearDown() override {
        RuntimeTest::TearDown();
        EnableOfflineSound(false);
    }
};

TEST_F(OfflineSound, ASoundStartsAtTheNextCallsFirstFrameAndPlaysOnAcrossCalls) {
    EXPECT_EQ(Peak(MixFrames(2000)), 0.0f);  // nothing plays: exact silence
    EXPECT_EQ(TakeMixPeaks().frames, 2000);
    const int h = MakeSound("square.wav", 100);  // 4410 frames
    ASSERT_GT(h, 0);
    ASSERT_EQ(PlaySound(h, 1, 1), 0);
    // real time passing changes nothing: the device neither plays nor measures anything
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(TakeMixPeaks().frames, 0);
    const std::vector<float> out = MixFrames(6000);
    for (int i = 0; i < late; ++i) ASSERT_EQ(out[2 * i], 0.0f) << i;
    for (int i = 0; i < 4410; ++i) {
        ASSERT_EQ(out[2 * (late + i)], Square(i)) << i;
        ASSERT_EQ(out[2 * (late + i) + 1], Square(i)) << i;
    }
    EXPECT_EQ(Peak(out, size_t(2 * (late + 4410))), 0.0f);  // played once, then gone
    const MixPeaks p = TakeMixPeaks();
    EXPECT_EQ(p.frames, 6000);
    EXPECT_EQ(p.in, 3000 / 32768.0f);
}

TEST_F(OfflineSound, VolumeScalesAChunkAsTheMixerDoesEvenWhileItPlays) {
    const int h = MakeSound("square.wav", 1000);
    SetSoundVolume(51, h);  // mixer volume 57
    ASSERT_EQ(SoundMixerVolume(h), 57);
    PlaySound(h, 1, 1);
    const std::vector<float> quieter = MixFrames(3000);
    for (int i = 0; i < 3000 - late; ++i) ASSERT_EQ(quieter[2 * (late + i)], Square(i) * 57.0f / 128.0f) << i;
    SetSoundVolume(0, h);
    EXPECT_EQ(Peak(MixFrames(3000), size_t(2 * late)), 0.0f);
}

TEST_F(OfflineSound, BuffersSumAndARestartReplacesWhatPlayedOnItsBuffer) {
    const std::string file = Path("square.wav");
    ASSERT_TRUE(WriteWav(file, 1000));
    const int one = LoadSound(file.c_str(), 1, -1);
    const int three = LoadSound(file.c_str(), 3, -1);
    PlaySound(three, 1, 1);
    PlaySound(three, 1, 1);
    std::vector<float> out = MixFrames(2000);
    for (int i = 0; i < 2000 - late; ++i) ASSERT_EQ(out[2 * (late + i)], 2.0f * Square(i)) << i;
    RestartHeadlessSession(1);
    PlaySound(one, 1, 1);
    MixFrames(1025);  // mid-wave, so a sound that kept playing would differ from a new start
    PlaySound(one, 1, 1);
    out = MixFrames(2000);
    for (int i = 0; i < 2000 - late; ++i) ASSERT_EQ(out[2 * (late + i)], Square(i)) << i;
}

TEST_F(OfflineSound, MusicLoopsWhenAskedEndsOtherwiseAndStops) {
    const std::string path = DataDir + "SoundWarning.mp3";
    const int length = int(std::lround(MusicFileSeconds(path.c_str()) * OfflineSoundRate));
    ASSERT_GT(length, 44100);
    ASSERT_EQ(PlayMusicFile(path.c_str(), 3), 0);
    std::vector<float> out = MixFrames(length + 6000);
    EXPECT_GT(Peak(out), 0.1f);
    for (int i = late; i < late + 5000; ++i) ASSERT_EQ(out[2 * (length + i)], out[2 * i]) << i;
    StopMusicFile();
    EXPECT_EQ(Peak(MixFrames(3000), size_t(2 * late)), 0.0f);

    ASSERT_EQ(PlayMusicFile(path.c_str(), 1), 0);  // once: decoded already, heard again
    out = MixFrames(length + 6000);
    EXPECT_GT(Peak(out), 0.1f);
    EXPECT_EQ(Peak(out, size_t(2 * (length + late))), 0.0f);
    EXPECT_EQ(PlayMusicFile(Path("absent.mp3").c_str(), 1), -1);
    EXPECT_STREQ(CurrentMusicFile(), "");
}

TEST_F(OfflineSound, EveryVoiceOfEveryEffectOverLoudMusicStaysUnderTheCeiling) {
    const char* effects[] = {"WavStart.wav",     "WavMyShot00.wav",    "WavMyShot01.wav",    "WavMyShot02.wav",
                             "WavArmDamage.wav", "WavPowerUp.wav",     "WavItemGet00.wav",   "WavZorbex00.wav",
                             "WavZorbex01.wav",  "WavMyBomb.wav",      "WavEnemyBomb00.wav", "WavEnemyShot00.wav",
                             "WavEnemyShot01.wav", "WavEnemyShot02.wav", "WavEnemyShot03.wav"};
    ASSERT_EQ(PlayMusicFile((DataDir + "Sound04.mp3").c_str(), 1), 0);
    ASSERT_TRUE(SetMusicPosition(30.0));
    for (const char* e : effects) {
        const int h = LoadSound((DataDir + e).c_str(), 3, -1);
        ASSERT_GT(h, 0) << e;
        SetSoundVolume(255, h);
        for (int voice = 0; voice < 3; ++voice) PlaySound(h, 1, 1);
    }
    const std::vector<float> out = MixFrames(OfflineSoundRate);
    const MixPeaks p = TakeMixPeaks();
    EXPECT_GT(p.in, 1.5f);  // the sum is far over full scale,
    EXPECT_LE(Peak(out), 0.944f);  // what leaves the limiter never is
    EXPECT_EQ(p.out, Peak(out));
    EXPECT_GT(Peak(out), 0.9f);  // turned down to the ceiling, not to silence
}

TEST_F(OfflineSound, PauseHoldsEffectsAndMusicWhereTheyAre) {
    const int h = MakeSound("square.wav", 1000);
    const std::string music = DataDir + "SoundWarning.mp3";
    const auto start = [&] {
        RestartHeadlessSession(1);
        ASSERT_EQ(PlayMusicFile(music.c_str(), 1), 0);
        PlaySound(h, 1, 1);
    };
    start();
    const std::vector<float> straight = MixFrames(9000);
    start();
    MixFrames(4000);
    PauseAudio(1);
    EXPECT_EQ(Peak(MixFrames(5000), size_t(2 * late)), 0.0f);
    PauseAudio(0);
    const std::vector<float> resumed = MixFrames(5000);
    for (int i = late; i < 5000; ++i) ASSERT_EQ(resumed[2 * i], straight[2 * (4000 + i)]) << i;
}

TEST_F(OfflineSound, ARestartedSessionIsSilentAtOnce) {
    const int h = MakeSound("square.wav", 1000);
    ASSERT_EQ(PlayMusicFile((DataDir + "SoundWarning.mp3").c_str(), 3), 0);
    PlaySound(h, 3, 1);
    EXPECT_GT(Peak(MixFrames(20000)), 0.1f);
    RestartHeadlessSession(1);
    EXPECT_EQ(Peak(MixFrames(3000)), 0.0f);  // not even the limiter's look-ahead is left
}

// The game itself, driven frame by frame: its start sound, then its stage music.
class OfflineSoundGame : public ::testing::Test {
protected:
    void SetUp() override {
        StopRuntime();  // a runtime of its own, started with offline sound
        EnableOfflineSound(true);
        ASSERT_NO_FATAL_FAILURE(StartSharedHeadlessGame(1));
    }
    void TearDown() override {
        EnableOfflineSound(false);
        StopRuntime();  // the next game test starts the shared runtime anew
    }
};

TEST_F(OfflineSoundGame, TheGamesFramesAreHeardInStep) {
    std::vector<float> frame(2 * 706);
    int64_t allocations = 0;
    const auto runFrame = [&](int number, int pad) {
        SetHeadlessPad(pad);
        EXPECT_TRUE(RunFrame());
        StartCountingAllocations();
        MixOfflineSound(frame.data(), FramesOfGameFrame(number));
        allocations += StopCountingAllocations();
        return Peak(frame);
    };
    EXPECT_EQ(runFrame(0, 0), 0.0f);  // the title is silent
    EXPECT_EQ(runFrame(1, 0), 0.0f);
    EXPECT_GT(runFrame(2, PadButton1), 0.0f);  // fire: the start sound, in that frame's sound
    for (int i = 0; i < late; ++i) EXPECT_EQ(frame[2 * i], 0.0f);
    float stage = 0.0f;
    for (int f = 3; f < 200; ++f) stage = std::max(stage, runFrame(f, 0));
    EXPECT_STRNE(CurrentMusicFile(), "");
    EXPECT_GT(stage, 0.05f);
    EXPECT_EQ(allocations, 0);  // everything was decoded and sized as it loaded
}

}  // namespace
}  // namespace runtime_test
