// Sound buffers (round robin, restarts, lengths on the virtual clock), volume and music.
#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "runtime/runtime_fixtures.h"

namespace runtime_test {
namespace {

using SoundTest = RuntimeTest;

TEST_F(SoundTest, FourthPlayRestartsTheFirstBuffer) {
    const int h = MakeSound("shot.wav", 1000);
    ASSERT_GT(h, 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(PlaySound(h, 1, 1), 0);
        SleepMillis(10);
    }
    EXPECT_EQ(SoundStartCount(h, 0), 2);
    EXPECT_EQ(SoundStartCount(h, 1), 1);
    EXPECT_EQ(SoundStartCount(h, 2), 1);
    for (int b = 0; b < 3; ++b) EXPECT_TRUE(SoundBufferPlaying(h, b));
    // buffer 1 started at 10 ms, buffer 0 again at 30 ms: 1 ends first
    SleepMillis(1000 - 40 + 10);
    EXPECT_FALSE(SoundBufferPlaying(h, 1));
    EXPECT_TRUE(SoundBufferPlaying(h, 0));
}

TEST_F(SoundTest, NotFromStartLeavesASoundingBufferAlone) {
    const int h = MakeSound("bang.wav", 500);
    for (int i = 0; i < 3; ++i) PlaySound(h, 1, 1);
    EXPECT_EQ(PlaySound(h, 1, 0), 0);  // buffer 0 is still sounding
    EXPECT_EQ(SoundStartCount(h, 0), 1);
    EXPECT_EQ(PlaySound(h, 1, 0), 0);  // the turn moved on regardless: buffer 1, also busy
    EXPECT_EQ(SoundStartCount(h, 1), 1);
    SleepMillis(500);
    EXPECT_FALSE(SoundBufferPlaying(h, 2));
    EXPECT_EQ(PlaySound(h, 1, 0), 0);  // buffer 2 has ended, so it starts again
    EXPECT_EQ(SoundStartCount(h, 2), 2);
    EXPECT_TRUE(SoundBufferPlaying(h, 2));
}

TEST_F(SoundTest, ABufferSoundsForExactlyTheSoundsLength) {
    const int h = MakeSound("beep.wav", 250);
    EXPECT_EQ(SoundLengthMillis(h), 250);
    EXPECT_FALSE(SoundBufferPlaying(h, 0));
    PlaySound(h, 1, 1);
    SleepMillis(249);
    EXPECT_TRUE(SoundBufferPlaying(h, 0));
    SleepMillis(1);
    EXPECT_FALSE(SoundBufferPlaying(h, 0));
    // a looping start never ends by itself
    PlaySound(h, 3, 1);  // buffer 1
    SleepMillis(100000);
    EXPECT_TRUE(SoundBufferPlaying(h, 1));
}

TEST_F(SoundTest, BlockingPlayReturnsAtOnceButSpendsTheLengthOnTheVirtualClock) {
    const int h = MakeSound("start.wav", 700);
    const int32_t before = VirtualMillis();
    EXPECT_EQ(PlaySound(h, 0, 1), 0);
    EXPECT_EQ(VirtualMillis() - before, 700);
    EXPECT_FALSE(SoundBufferPlaying(h, 0));
    EXPECT_EQ(SoundStartCount(h, 0), 1);
}

TEST_F(SoundTest, BadHandlesAndMissingFiles) {
    EXPECT_EQ(PlaySound(-1, 1, 1), -1);
    EXPECT_EQ(PlaySound(0, 1, 1), -1);
    EXPECT_EQ(PlaySound(99, 1, 1), -1);
    SetSoundVolume(100, -1);
    SetSoundVolume(100, 0);
    EXPECT_EQ(SoundStartCount(-1, 0), 0);
    EXPECT_FALSE(SoundBufferPlaying(0, 0));
    EXPECT_EQ(LoadSound(Path("absent.wav").c_str(), 3, -1), -1);
    const std::string junk = Path("junk.wav");
    ASSERT_TRUE(WriteFile(junk, {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'}));
    EXPECT_EQ(LoadSound(junk.c_str(), 3, -1), -1);
    EXPECT_EQ(MissingAssetCount(), 2);
    const int h = MakeSound("ok.wav", 100);
    EXPECT_EQ(SoundStartCount(h, 3), 0);  // only three buffers
    EXPECT_EQ(MissingAssetCount(), 2);
}

TEST_F(SoundTest, VolumeIsTenLog10DecibelsOfTheMixersFullScale) {
    const int h = MakeSound("vol.wav", 50);
    SetSoundVolume(255, h);
    EXPECT_EQ(SoundMixerVolume(h), 128);
    SetSoundVolume(400, h);
    EXPECT_EQ(SoundMixerVolume(h), 128);
    SetSoundVolume(51, h);  // -7 dB: amplitude sqrt(0.2)
    EXPECT_EQ(SoundMixerVolume(h), 57);
    SetSoundVolume(25, h);
    EXPECT_EQ(SoundMixerVolume(h), 40);
    SetSoundVolume(0, h);
    EXPECT_EQ(SoundMixerVolume(h), 0);
}

TEST_F(SoundTest, EachSoundHasItsOwnBuffers) {
    const int a = MakeSound("a.wav", 300);
    const int b = MakeSound("b.wav", 300);
    ASSERT_NE(a, b);
    PlaySound(a, 1, 1);
    PlaySound(b, 1, 1);
    PlaySound(b, 1, 1);
    EXPECT_EQ(SoundStartCount(a, 0), 1);
    EXPECT_EQ(SoundStartCount(a, 1), 0);
    EXPECT_EQ(SoundStartCount(b, 0), 1);
    EXPECT_EQ(SoundStartCount(b, 1), 1);
}

TEST_F(SoundTest, NewMusicStopsTheOldOneAndABadFileLeavesNone) {
    const std::string first = Path("first.wav"), second = Path("second.wav");
    ASSERT_TRUE(WriteWav(first, 3000));
    ASSERT_TRUE(WriteWav(second, 3000));
    EXPECT_STREQ(CurrentMusicFile(), "");
    EXPECT_EQ(PlayMusicFile(first.c_str(), 1), 0);
    EXPECT_EQ(CurrentMusicFile(), first);
    EXPECT_EQ(PlayMusicFile(second.c_str(), 1), 0);
    EXPECT_EQ(CurrentMusicFile(), second);
    EXPECT_EQ(PlayMusicFile(Path("absent.mp3").c_str(), 1), -1);
    EXPECT_STREQ(CurrentMusicFile(), "");
    EXPECT_EQ(PlayMusicFile(first.c_str(), 1), 0);
    StopMusicFile();
    EXPECT_STREQ(CurrentMusicFile(), "");
    StopMusicFile();
}

// A child forked while the mixing thread held the mixer's lock would wait for it for ever
// at its first sound. The test holds that lock from a thread of its own across the fork.
TEST_F(SoundTest, AForkedChildPlaysWithoutTheDeviceThatStayedWithItsParent) {
    const int h = MakeSound("shot.wav", 200);
    const std::string tune = Path("tune.wav");
    ASSERT_TRUE(WriteWav(tune, 3000));
    ASSERT_EQ(PlayMusicFile(tune.c_str(), 3), 0);
    SDL_AudioDeviceID device = 0;
    for (SDL_AudioDeviceID id = 1; id <= 16 && !device; id++)
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) device = id;
    ASSERT_NE(device, 0u) << "the headless mixer runs on a device";
    std::atomic<int> step{0};
    std::thread holder([&] {
        SDL_LockAudioDevice(device);
        step = 1;
        while (step != 2) SDL_Delay(1);
        SDL_UnlockAudioDevice(device);
    });
    while (step != 1) SDL_Delay(1);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10);
        PlaySound(h, 1, 1);
        PlayMusicFile(tune.c_str(), 3);
        PauseAudio(1);
        PauseAudio(0);
        StopMusicFile();
        ::_exit(SoundBufferPlaying(h, 0) && std::string(CurrentMusicFile()).empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    step = 2;
    holder.join();
    EXPECT_TRUE(WIFEXITED(status)) << "the child hung on the mixer's lock";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    StopMusicFile();
}

TEST_F(SoundTest, MusicLengthsAreMeasured) {
    const std::string wav = Path("tune.wav"), mp3 = Path("tune.mp3");
    ASSERT_TRUE(WriteWav(wav, 1500));
    ASSERT_TRUE(WriteSilentMp3(mp3, 100));
    EXPECT_NEAR(MusicFileSeconds(wav.c_str()), 1.5, 0.01);
    EXPECT_NEAR(MusicFileSeconds(mp3.c_str()), 100 * 1152 / 44100.0, 0.1);
    EXPECT_EQ(MusicFileSeconds(Path("absent.mp3").c_str()), -1.0);
}

// A stereo test signal: a steady tone of `level`, with a burst 11 dB over full scale (and
// spikes over that) in frames 3000 to 6000 when `burst` is set.
std::vector<float> Signal(int frames, float level, bool burst) {
    std::vector<float> v(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const bool loud = burst && i >= 3000 && i < 6000;
        const float a = loud ? 3.5f : level;
        v[2 * i] = a * std::sin(i * 0.031f);
        v[2 * i + 1] = a * std::cos(i * 0.047f) * ((i % 700) < 5 && loud ? 1.4f : 1.0f);
    }
    return v;
}

float Peak(const std::vector<float>& v) {
    float peak = 0.0f;
    for (float x : v) peak = std::max(peak, std::fabs(x));
    return peak;
}

TEST(OutputLimiter, QuietAudioPassesUnchangedOnlyLate) {
    const std::vector<float> in = Signal(4000, 0.7f, false);
    std::vector<float> out = in;
    LimitStereoFrames(out.data(), 4000, true);
    const int late = LimiterDelayFrames();
    ASSERT_GT(late, 0);
    for (int i = late; i < 4000; ++i) {
        ASSERT_EQ(out[2 * i], in[2 * (i - late)]) << i;
        ASSERT_EQ(out[2 * i + 1], in[2 * (i - late) + 1]) << i;
    }
}

TEST(OutputLimiter, LoudAudioStaysUnderFullScaleWhateverTheBufferSize) {
    const int frames = 60000;
    const std::vector<float> in = Signal(frames, 0.5f, true);
    ASSERT_GT(Peak(in), 3.0f);
    std::vector<float> whole = in, pieces = in;
    LimitStereoFrames(whole.data(), frames, true);
    LimitStereoFrames(pieces.data(), 1, true);
    for (int at = 1; at < frames;) {
        const int n = std::min(frames - at, 1 + (at * 7) % 613);
        LimitStereoFrames(pieces.data() + 2 * at, n, false);
        at += n;
    }
    EXPECT_TRUE(whole == pieces);
    EXPECT_LT(Peak(whole), 0.95f);
    // the burst is turned down, not cut off: the limited wave keeps its shape
    const int late = LimiterDelayFrames();
    const int mid = 4500 + late;
    const float ratio = whole[2 * mid] / in[2 * (mid - late)];
    EXPECT_GT(ratio, 0.15f);
    EXPECT_LT(ratio, 0.3f);
    // and long after it the gain is back to one
    const int quiet = 59000 + late;
    EXPECT_NEAR(whole[2 * quiet] / in[2 * (quiet - late)], 1.0f, 1e-3f);
}

TEST(MusicWithoutRuntime, LengthIsMeasuredBeforeAnyStart) {
    const std::string wav = (std::filesystem::temp_directory_path() /
                             ("zorbex-runtime-" + std::to_string(getpid()) + "-early.wav"))
                                .string();
    ASSERT_TRUE(WriteWav(wav, 400));
    EXPECT_NEAR(MusicFileSeconds(wav.c_str()), 0.4, 0.01);
    std::filesystem::remove(wav);
}

}  // namespace
}  // namespace runtime_test
