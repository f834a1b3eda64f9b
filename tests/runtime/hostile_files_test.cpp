// Pictures and fonts that the runtime must refuse or report: a FIFO in a picture's
// place, a picture too large to use, a machine without a Japanese face.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "runtime_fixtures.h"
#include "shell/file_fixtures.h"

namespace runtime_test {
namespace {

using PictureFiles = RuntimeTest;

TEST_F(PictureFiles, AFifoInAPicturesPlaceIsMissingAtOnce) {
    const std::string fifo = Path("ImgFifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int result = file_test::RunInChild(false, 5, [&] {
        int handles[2];
        if (LoadImage(fifo.c_str(), 0) != -1) return 1;
        if (LoadImageStrip(fifo.c_str(), 2, 2, 1, 8, 8, handles, 0) != -1) return 2;
        return MissingAssetCount() == 2 ? 0 : 3;
    });
    EXPECT_EQ(result, 0) << (result == 124 ? "blocked on the FIFO" : "loaded something");
}

TEST_F(PictureFiles, PicturesLargerThanTheGameCouldUseAreDamaged) {
    for (int side : {4096, 4097}) {
        const std::vector<uint32_t> row(size_t(side), Red);
        const std::string wide = Path("wide" + std::to_string(side) + ".png");
        const std::string tall = Path("tall" + std::to_string(side) + ".png");
        ASSERT_TRUE(SavePixelsPng(wide.c_str(), side, 1, row.data()));
        ASSERT_TRUE(SavePixelsPng(tall.c_str(), 1, side, row.data()));
        const bool usable = side <= 4096;
        EXPECT_EQ(LoadImage(wide.c_str(), 0) > 0, usable) << side;
        EXPECT_EQ(LoadImage(tall.c_str(), 0) > 0, usable) << side;
    }
    EXPECT_EQ(MissingAssetCount(), 2);
}

// Starts the runtime with the given font files and returns what it printed.
std::string StartWithFonts(const std::vector<const char*>& fonts) {
    StopRuntime();
    SetFontCandidates(fonts.data(), int(fonts.size()));
    EnableHeadless(1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(StartRuntime(), 0);
    std::string said = ::testing::internal::GetCapturedStderr();
    SetFontCandidates(nullptr, 0);
    return said;
}

TEST_F(PictureFiles, AMissingJapaneseFontIsReportedInOneLine) {
    const std::string notAFont = Path("notafont.ttf");
    ASSERT_TRUE(WriteFile(notAFont, {'j', 'u', 'n', 'k'}));
    const std::string line =
        "zorbex: no Japanese font found (Debian: fonts-ipafont-gothic); Japanese text stays blank\n";
    EXPECT_EQ(StartWithFonts({"/nonexistent/ipag.ttf"}), line);
    EXPECT_EQ(StartWithFonts({notAFont.c_str()}), line);
    const char* latinOnly = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (std::filesystem::exists(latinOnly)) {
        EXPECT_EQ(StartWithFonts({latinOnly}), line);
    }
    // the face the build installs has the glyphs, and nothing is said
    EXPECT_EQ(StartWithFonts({"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"}), "");
    // text still draws nothing rather than failing without a face
    StartWithFonts({"/nonexistent/ipag.ttf"});
    EXPECT_EQ(MeasureText("abc", 3, 0), 0);
    DrawText(10, 10, "abc", MakeColor(255, 255, 255), 0);
    EXPECT_EQ(ReadBackBufferPixel(12, 15), Black);
}

}  // namespace
}  // namespace runtime_test
