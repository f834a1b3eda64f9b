// Shared set-up of the runtime tests: a headless runtime per test and small fixture files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"

namespace runtime_test {

constexpr uint32_t Black = 0xFF000000u;
constexpr uint32_t Red = 0xFFFF0000u;
constexpr uint32_t Green = 0xFF00FF00u;  // the colour key
constexpr uint32_t Blue = 0xFF0000FFu;
constexpr uint32_t White = 0xFFFFFFFFu;

inline void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// 16-bit stereo PCM at 44100 Hz, the mixer's own format, so lengths stay exact.
inline bool WriteWav(const std::string& path, int millis) {
    const uint32_t frames = uint32_t(44100LL * millis / 1000);
    const uint32_t dataBytes = frames * 4;
    std::vector<uint8_t> b;
    for (char c : std::string("RIFF")) b.push_back(uint8_t(c));
    PutLe(b, 36 + dataBytes, 4);
    for (char c : std::string("WAVEfmt ")) b.push_back(uint8_t(c));
    PutLe(b, 16, 4);
    PutLe(b, 1, 2);           // PCM
    PutLe(b, 2, 2);           // stereo
    PutLe(b, 44100, 4);
    PutLe(b, 44100 * 4, 4);   // bytes per second
    PutLe(b, 4, 2);           // block align
    PutLe(b, 16, 2);          // bits
    for (char c : std::string("data")) b.push_back(uint8_t(c));
    PutLe(b, dataBytes, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const int16_t v = (i / 50) % 2 ? 3000 : -3000;  // a quiet square wave
        PutLe(b, uint16_t(v), 2);
        PutLe(b, uint16_t(v), 2);
    }
    return WriteFile(path, b);
}

// Silent MPEG-1 Layer III frames (128 kbit/s, 44100 Hz, mono): 1152 samples each.
inline bool WriteSilentMp3(const std::string& path, int frames) {
    std::vector<uint8_t> b;
    for (int f = 0; f < frames; ++f) {
        const uint8_t header[4] = {0xFF, 0xFB, 0x90, 0xC0};
        b.insert(b.end(), header, header + 4);
        b.insert(b.end(), 417 - 4, 0);  // side information and main data all zero
    }
    return WriteFile(path, b);
}

// A headless runtime for each test, and a scratch folder for its fixture files.
class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() /
              ("zorbex-runtime-" + std::to_string(getpid()) + "-" + info->name());
        std::filesystem::create_directories(dir);
        StopRuntime();  // not the one the game fixtures share
        EnableHeadless(1234);
        ASSERT_EQ(StartRuntime(), 0);
        SetColorKey(0, 255, 0);
        ClearBackBuffer();
    }

    void TearDown() override {
        StopRuntime();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // Writes a picture given row by row and loads it.
    int MakeImage(const std::string& name, int w, int h, const std::vector<uint32_t>& pixels) {
        const std::string p = Path(name);
        EXPECT_TRUE(SavePixelsPng(p.c_str(), w, h, pixels.data()));
        return LoadImage(p.c_str(), 0);
    }

    int MakeSolidImage(const std::string& name, int w, int h, uint32_t colour) {
        return MakeImage(name, w, h, std::vector<uint32_t>(size_t(w) * h, colour));
    }

    int MakeSound(const std::string& name, int millis) {
        const std::string p = Path(name);
        EXPECT_TRUE(WriteWav(p, millis));
        return LoadSound(p.c_str(), 3, -1);
    }

    std::filesystem::path dir;
};

}  // namespace runtime_test
