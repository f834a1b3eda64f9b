// Runs that never draw (a no-draw verification) read only the headers of their pictures
// and sounds: every size, cell and length must come out as the decoders give them, and a
// missing or broken file must count as missing all the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../../tools/assetgen/picture_list.h"
#include "runtime/headless.h"
#include "runtime/media.h"

namespace {

const std::string DataDir = ZORBEX_BINARY_DIR "/data/";

struct Measures {
    std::vector<int> sizes;    // width, height of every picture and of every cell of a strip
    std::vector<int> lengths;  // every sound's length in ms
    int missing = 0;
};

std::vector<std::string> SoundFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(DataDir))
        if (entry.path().extension() == ".wav") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Loads everything in a fresh headless runtime, decoding or not.
Measures LoadEverything(bool decode) {
    StopRuntime();
    EnableHeadless(1);
    SetAssetDecoding(decode);
    Measures m;
    if (StartRuntime() != 0) return m;
    for (const PictureSpec& s : kPictures) {
        const std::string path = DataDir + s.file;
        int handle = LoadImage(path.c_str(), 0);
        int w = -1, h = -1;
        GetImageSize(handle, &w, &h);
        m.sizes.insert(m.sizes.end(), {w, h});
        std::vector<int> cells(size_t(s.cols * s.rows) + 1);  // one beyond the grid
        LoadImageStrip(path.c_str(), int(cells.size()), s.cols, s.rows, s.cellW, s.cellH,
                       cells.data(), 0);
        for (int c : cells) {
            GetImageSize(c, &w, &h);
            m.sizes.insert(m.sizes.end(), {w, h});
        }
    }
    for (const std::string& file : SoundFiles()) {
        const int handle = LoadSound(file.c_str(), 3, -1);
        m.lengths.push_back(handle > 0 ? SoundLengthMillis(handle) : -1);
    }
    LoadImage("data/NoSuchPicture.png", 0);
    LoadSound("data/NoSuchSound.wav", 1, -1);
    m.missing = MissingAssetCount();
    return m;
}

class MeasuredAssets : public ::testing::Test {
protected:
    void TearDown() override {
        StopRuntime();  // decoding is on again for whoever starts the next runtime
    }
};

TEST_F(MeasuredAssets, WithoutDecodingEverySizeCellAndLengthIsAsDecoded) {
    const Measures decoded = LoadEverything(true);
    const Measures measured = LoadEverything(false);
    ASSERT_FALSE(decoded.lengths.empty());
    EXPECT_EQ(measured.sizes, decoded.sizes);
    EXPECT_EQ(measured.lengths, decoded.lengths);
    EXPECT_EQ(measured.missing, 2);
    EXPECT_EQ(decoded.missing, 2);
}

TEST_F(MeasuredAssets, WithoutDecodingNothingDrawsAndMusicIsStillFollowed) {
    LoadEverything(false);
    const int title = LoadImage((DataDir + "ImgTitleBack.png").c_str(), 0);
    ASSERT_GT(title, 0);
    SetDrawingEnabled(true);  // asked for, but there are no pixels to draw from
    ClearBackBuffer();
    const uint32_t before = ReadBackBufferPixel(320, 240);
    DrawImage(0, 0, title, 1);
    DrawImageStretched(0, 0, 640, 480, title, 0);
    EXPECT_EQ(ReadBackBufferPixel(320, 240), before);
    EXPECT_EQ(PlayMusicFile("data/Sound05.mp3", 3), 0);
    EXPECT_STREQ(CurrentMusicFile(), "data/Sound05.mp3");
}

TEST_F(MeasuredAssets, HeadersThatLieOrStopShortCountAsMissing) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zorbex-measured";
    std::filesystem::create_directories(dir);
    auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    };
    const std::string png = write("short.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    const std::string empty = write("empty.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR"
                                                             "\0\0\0\0\0\0\0\x01", 24));
    const std::string wav = write("nodata.wav", std::string("RIFF\x04\0\0\0WAVE", 12));
    const std::string noFormat = write("noformat.wav", std::string("RIFF\x10\0\0\0WAVEdata\x04\0\0\0abcd", 24));
    LoadEverything(false);
    const int before = MissingAssetCount();
    EXPECT_EQ(LoadImage(png.c_str(), 0), -1);
    EXPECT_EQ(LoadImage(empty.c_str(), 0), -1);
    EXPECT_EQ(LoadSound(wav.c_str(), 1, -1), -1);
    EXPECT_EQ(LoadSound(noFormat.c_str(), 1, -1), -1);
    EXPECT_EQ(MissingAssetCount(), before + 4);
    std::filesystem::remove_all(dir);
}

}  // namespace
