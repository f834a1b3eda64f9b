// The generated sounds and music of data/: every file is there, effects are clean 16-bit PCM
// of sensible length and balance, every track plays through the runtime at least as long as
// the scene it covers, and the generator writes the same bytes every time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"

namespace {

const std::string DataDir = ZORBEX_BINARY_DIR "/data/";

struct EffectSpec {
    const char* file;
    int volume;         // SetSoundVolume value the game gives it
    double maxSeconds;  // longer would drag behind what it marks
};

// Shots repeat every few frames; the start sound holds the title until it ends.
const EffectSpec Effects[] = {
    {"WavStart.wav", 51, 1.5},        {"WavMyShot00.wav", 25, 0.15},    {"WavMyShot01.wav", 25, 0.15},
    {"WavMyShot02.wav", 25, 0.15},    {"WavArmDamage.wav", 51, 0.6},    {"WavPowerUp.wav", 102, 1.0},
    {"WavItemGet00.wav", 51, 0.5},    {"WavZorbex00.wav", 51, 3.0},     {"WavZorbex01.wav", 51, 0.8},
    {"WavMyBomb.wav", 25, 2.5},       {"WavEnemyBomb00.wav", 25, 1.0},  {"WavEnemyShot00.wav", 25, 0.3},
    {"WavEnemyShot01.wav", 20, 0.8},  {"WavEnemyShot02.wav", 25, 0.3},  {"WavEnemyShot03.wav", 51, 2.5},
};

struct MusicSpec {
    const char* file;
    double minSeconds;  // the longest stage, fight or scene it plays under
    double maxSeconds;  // 0: no upper bound
};

const MusicSpec Music[] = {
    {"Sound00.mp3", 110, 0},       {"Sound01.mp3", 100, 0},       {"Sound02.mp3", 95, 0},
    {"Sound03.mp3", 85, 0},        {"Sound06.mp3", 120, 0},       {"Sound07.mp3", 71, 0},
    {"Sound09.mp3", 85, 0},        {"Sound08.mp3", 90, 0},        {"Sound05.mp3", 150, 0},
    {"Sound04.mp3", 180, 0},       {"SoundWarning.mp3", 5, 6},    {"SoundSelect01.mp3", 40, 0},
    {"SoundSelect02.mp3", 40, 0},  {"Sound11.mp3", 75, 0},
};

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

struct Wav {
    bool ok = false;
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;  // interleaved
    double Seconds() const { return channels && rate ? double(samples.size()) / channels / rate : 0.0; }
};

// Walks the RIFF chunks as any reader would, so a stray or short chunk fails here too.
Wav ReadWav(const std::string& path) {
    Wav w;
    const std::vector<unsigned char> b = ReadBytes(path);
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE" || Le(b, 4, 4) != b.size() - 8)
        return w;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const size_t size = Le(b, at + 4, 4);
        if (at + 8 + size > b.size()) return w;
        if (id == "fmt " && size >= 16) {
            w.format = (int)Le(b, at + 8, 2);
            w.channels = (int)Le(b, at + 10, 2);
            w.rate = (int)Le(b, at + 12, 4);
            w.bits = (int)Le(b, at + 22, 2);
            haveFormat = Le(b, at + 16, 4) == uint32_t(w.rate * w.channels * w.bits / 8);
        } else if (id == "data" && haveFormat && w.bits == 16) {
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back((int16_t)Le(b, at + 8 + i, 2));
            w.ok = true;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

double PeakDb(const Wav& w) {
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs((int)s));
    return 20.0 * std::log10(std::max(1, peak) / 32768.0);
}

double RmsDb(const Wav& w) {
    double sum = 0.0;
    for (int16_t s : w.samples) sum += double(s) * s;
    return 10.0 * std::log10(std::max(1e-12, sum / std::max<size_t>(1, w.samples.size())) / (32768.0 * 32768.0));
}

// Level as heard in the game: the file's level lowered by the volume the game plays it at.
double HeardDb(const EffectSpec& e) { return RmsDb(ReadWav(DataDir + e.file)) + 10.0 * std::log10(e.volume / 255.0); }

// Seconds of audio in an MP3 by walking its frame chain from the first byte to the last: every
// frame header must be valid MPEG-1 Layer III at 44100 Hz and the chain must end with the file.
// Returns -1 for a broken chain. The first frame is the encoder's Info tag, silent.
double StreamSeconds(const std::string& path) {
    static const int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    const std::vector<unsigned char> b = ReadBytes(path);
    size_t at = 0;
    long frames = 0;
    while (at + 4 <= b.size()) {
        const uint32_t h = (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
        const bool mpeg1Layer3 = (h >> 21) == 0x7ff && ((h >> 19) & 3) == 3 && ((h >> 17) & 3) == 1;
        const int rate = kbps[(h >> 12) & 15];
        if (!mpeg1Layer3 || rate == 0 || ((h >> 10) & 3) != 0) return -1.0;
        at += size_t(144 * rate * 1000 / 44100 + ((h >> 9) & 1));
        ++frames;
    }
    if (at != b.size() || frames < 2) return -1.0;
    return double(frames - 1) * 1152 / 44100;
}

const EffectSpec& EffectNamed(const std::string& file) {
    for (const EffectSpec& e : Effects)
        if (file == e.file) return e;
    ADD_FAILURE() << "no effect " << file;
    return Effects[0];
}

}  // namespace

TEST(GeneratedSounds, DataHoldsEveryEffectAndTrack) {
    int found = 0;
    for (const EffectSpec& e : Effects) found += std::filesystem::is_regular_file(DataDir + e.file);
    for (const MusicSpec& m : Music) found += std::filesystem::is_regular_file(DataDir + m.file);
    EXPECT_EQ(found, 29);
    // nothing half-written is left behind
    for (const auto& entry : std::filesystem::directory_iterator(DataDir))
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
}

TEST(GeneratedSounds, EffectsAreClean16BitPcmOfTheirLength) {
    for (const EffectSpec& e : Effects) {
        SCOPED_TRACE(e.file);
        const Wav w = ReadWav(DataDir + e.file);
        ASSERT_TRUE(w.ok);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.rate, 44100);
        EXPECT_TRUE(w.channels == 1 || w.channels == 2);
        EXPECT_GT(w.Seconds(), 0.03);
        EXPECT_LE(w.Seconds(), e.maxSeconds);
        // audible (effects are mastered by loudness, so quiet ones peak low), never clipped, and
        // no click at either end
        EXPECT_GT(PeakDb(w), -15.0);
        EXPECT_LT(PeakDb(w), -0.1);
        EXPECT_LT(std::abs((int)w.samples.front()), 300);
        EXPECT_LT(std::abs((int)w.samples.back()), 300);
    }
}

TEST(GeneratedSounds, ShotsSitUnderExplosionsAndPowerUps) {
    const double loudestShot = std::max({HeardDb(EffectNamed("WavMyShot00.wav")), HeardDb(EffectNamed("WavMyShot01.wav")),
                                         HeardDb(EffectNamed("WavMyShot02.wav"))});
    EXPECT_GT(HeardDb(EffectNamed("WavEnemyBomb00.wav")), loudestShot + 6.0);
    EXPECT_GT(HeardDb(EffectNamed("WavMyBomb.wav")), loudestShot + 6.0);
    EXPECT_GT(HeardDb(EffectNamed("WavPowerUp.wav")), loudestShot + 6.0);
    EXPECT_GT(HeardDb(EffectNamed("WavZorbex01.wav")), loudestShot + 6.0);
    // the player's own shots, played every few frames, are the quietest things in the game
    EXPECT_LT(loudestShot, -25.0);
}

TEST(GeneratedSounds, EffectsLoadThroughTheRuntimeWithTheirLength) {
    EnableHeadless(1);
    ASSERT_EQ(StartRuntime(), 0);
    for (const EffectSpec& e : Effects) {
        SCOPED_TRACE(e.file);
        const std::string path = DataDir + e.file;
        const int handle = LoadSound(path.c_str(), 3, -1);
        ASSERT_GT(handle, 0);
        EXPECT_NEAR(SoundLengthMillis(handle), ReadWav(path).Seconds() * 1000.0, 2.0);
    }
    EXPECT_EQ(MissingAssetCount(), 0);
    StopRuntime();
}

TEST(GeneratedMusic, EveryTrackPlaysThroughTheRuntimeAsLongAsItsScene) {
    EnableHeadless(1);
    ASSERT_EQ(StartRuntime(), 0);
    for (const MusicSpec& m : Music) {
        SCOPED_TRACE(m.file);
        const std::string path = DataDir + m.file;
        const double seconds = MusicFileSeconds(path.c_str());
        EXPECT_GE(seconds, m.minSeconds);
        if (m.maxSeconds > 0) {
            EXPECT_LE(seconds, m.maxSeconds);
        }
        // the decoder may take the length from the file's tag: the frames must hold it too
        EXPECT_NEAR(StreamSeconds(path), seconds, 0.1);
        EXPECT_EQ(PlayMusicFile(path.c_str(), 1), 0);
        EXPECT_STREQ(CurrentMusicFile(), path.c_str());
    }
    StopMusicFile();
    StopRuntime();
}

TEST(SoundGenerator, WritesTheSameBytesOnEveryRun) {
    const std::string dir = std::filesystem::temp_directory_path() / ("zorbex-sounds-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    // two tracks run on the two threads at once, beside effects of both kinds of noise
    const char* files[] = {"WavStart.wav", "WavEnemyBomb00.wav", "SoundWarning.mp3", "Sound07.mp3"};
    std::string command = std::string(ZORBEX_BINARY_DIR "/tools/bin/soundgen ") + dir;
    for (const char* f : files) command += std::string(" ") + f;
    command += " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int written = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        (void)entry;
        ++written;
    }
    EXPECT_EQ(written, 4);
    for (const char* f : files) {
        SCOPED_TRACE(f);
        const std::vector<unsigned char> again = ReadBytes(dir + "/" + f);
        ASSERT_FALSE(again.empty());
        EXPECT_TRUE(again == ReadBytes(DataDir + f));
    }
    std::filesystem::remove_all(dir);
}
