// The generated pictures of data/: every file the game loads is there and decodes at the
// size of its cell grid, every cell the game can ask for holds a drawing, hit-flash rows
// differ from the normal look, nothing but the key itself comes close to the key colour,
// the route map's nodes sit where the game cuts them, and the generator repeats itself
// byte for byte.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../tools/assetgen/picture_list.h"
#include "runtime/headless.h"
#include "runtime/media.h"

namespace {

const std::string DataDir = ZORBEX_BINARY_DIR "/data/";

// Pixels as the file holds them. The runtime gives no access to a picture's pixels, so the
// pixel-level checks read the files with libpng; the sizes are checked through the runtime.
struct Rgb8 {
    int w = 0, h = 0;
    std::vector<uint8_t> px;  // RGB
    bool Key(int x, int y) const {
        const uint8_t* p = &px[(size_t(y) * w + x) * 3];
        return p[0] == 0 && p[1] == 255 && p[2] == 0;
    }
    const uint8_t* At(int x, int y) const { return &px[(size_t(y) * w + x) * 3]; }
};

bool ReadRgb(const std::string& path, Rgb8* out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    out->w = int(image.width);
    out->h = int(image.height);
    out->px.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, out->px.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

int CellCount(const PictureSpec& s) { return s.cells ? s.cells : s.cols * s.rows; }

int OpaqueIn(const Rgb8& img, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += !img.Key(x, y);
    return n;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        StopRuntime();  // not the one the game fixtures share: nothing loaded yet
        EnableHeadless(1);
        ASSERT_EQ(StartRuntime(), 0);
    }
    void TearDown() override { StopRuntime(); }
};

TEST_F(Pictures, EveryPictureLoadsAtTheSizeOfItsGrid) {
    const int missingBefore = MissingAssetCount();
    for (const PictureSpec& s : kPictures) {
        SCOPED_TRACE(s.file);
        const int handle = LoadImage(("data/" + std::string(s.file)).c_str(), 0);
        int w = 0, h = 0;
        ASSERT_TRUE(GetImageSize(handle, &w, &h));
        EXPECT_EQ(w, s.cellW * s.cols);
        EXPECT_EQ(h, s.cellH * s.rows);
    }
    EXPECT_EQ(MissingAssetCount(), missingBefore);
    // the strips the game cuts, cut the way it cuts them: the last cell is a whole cell
    int bomb[16];
    ASSERT_EQ(LoadImageStrip("data/ImgZorbex.png", 16, 3, 6, 200, 200, bomb, 0), 0);
    int w = 0, h = 0;
    ASSERT_TRUE(GetImageSize(bomb[15], &w, &h));
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 200);
}

TEST(GeneratedPictures, EveryCellTheGameCanAskForHoldsADrawing) {
    for (const PictureSpec& s : kPictures) {
        SCOPED_TRACE(s.file);
        Rgb8 img;
        ASSERT_TRUE(ReadRgb(DataDir + s.file, &img));
        for (int k = 0; k < CellCount(s); ++k) {
            const int x = (k % s.cols) * s.cellW, y = (k / s.cols) * s.cellH;
            SCOPED_TRACE("cell " + std::to_string(k));
            // a speck of smoke is not a drawing: ask for a visible share of the cell
            EXPECT_GE(OpaqueIn(img, x, y, s.cellW, s.cellH), std::max(4, s.cellW * s.cellH / 400));
        }
    }
}

TEST(GeneratedPictures, HitFlashLooksDifferFromTheNormalLook) {
    auto differing = [](const Rgb8& a, int ax, int ay, const Rgb8& b, int bx, int by, int w, int h, int* shapeMismatch) {
        int diff = 0;
        *shapeMismatch = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool ka = a.Key(ax + x, ay + y), kb = b.Key(bx + x, by + y);
                if (ka != kb) ++*shapeMismatch;
                if (ka || kb) continue;
                diff += std::memcmp(a.At(ax + x, ay + y), b.At(bx + x, by + y), 3) != 0;
            }
        return diff;
    };
    for (const PictureSpec& s : kPictures) {
        if (!s.flashRow) continue;
        SCOPED_TRACE(s.file);
        Rgb8 img;
        ASSERT_TRUE(ReadRgb(DataDir + s.file, &img));
        ASSERT_GE(s.rows, 2);
        for (int c = 0; c < s.cols; ++c) {
            int mismatch = 0;
            const int opaque = OpaqueIn(img, c * s.cellW, 0, s.cellW, s.cellH);
            const int diff = differing(img, c * s.cellW, 0, img, c * s.cellW, s.cellH, s.cellW, s.cellH, &mismatch);
            // the same outline, most of its pixels changed
            EXPECT_EQ(mismatch, 0) << "column " << c;
            EXPECT_GT(diff, opaque / 2) << "column " << c;
        }
    }
    for (const auto& pair : kFlashPairs) {
        SCOPED_TRACE(pair[0]);
        Rgb8 normal, flash;
        ASSERT_TRUE(ReadRgb(DataDir + pair[0], &normal));
        ASSERT_TRUE(ReadRgb(DataDir + pair[1], &flash));
        ASSERT_EQ(normal.w, flash.w);
        ASSERT_EQ(normal.h, flash.h);
        int mismatch = 0;
        const int diff = differing(normal, 0, 0, flash, 0, 0, normal.w, normal.h, &mismatch);
        EXPECT_EQ(mismatch, 0);
        EXPECT_GT(diff, OpaqueIn(normal, 0, 0, normal.w, normal.h) / 2);
    }
}

TEST(GeneratedPictures, NothingButTheKeyComesCloseToPureGreen) {
    for (const PictureSpec& s : kPictures) {
        SCOPED_TRACE(s.file);
        Rgb8 img;
        ASSERT_TRUE(ReadRgb(DataDir + s.file, &img));
        int near = 0, firstX = -1, firstY = -1;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                if (img.Key(x, y)) continue;
                const uint8_t* p = img.At(x, y);
                // a fringe of half-blended key would show as green around sprites
                if (p[0] < 64 && p[1] > 191 && p[2] < 64) {
                    if (!near++) firstX = x, firstY = y;
                }
            }
        EXPECT_EQ(near, 0) << "first at (" << firstX << ", " << firstY << ")";
    }
}

TEST(GeneratedPictures, RouteMapNodesSitWhereTheGameCutsThem) {
    Rgb8 map, cleared;
    ASSERT_TRUE(ReadRgb(DataDir + "ImgStageSelect.png", &map));
    ASSERT_TRUE(ReadRgb(DataDir + "ImgStageSelect2.png", &cleared));
    int node = 0;
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r <= c; ++r, ++node) {
            SCOPED_TRACE("node " + std::to_string(node));
            const int x = 80 * c, y = 36 * r - 18 * c + 108;
            EXPECT_FALSE(map.Key(x + 24, y + 16));
            EXPECT_FALSE(cleared.Key(x + 24, y + 16));
            int mismatch = 0, diff = 0;
            for (int j = 0; j < 32; ++j)
                for (int i = 0; i < 48; ++i) {
                    if (map.Key(x + i, y + j) || cleared.Key(x + i, y + j)) {
                        mismatch += map.Key(x + i, y + j) != cleared.Key(x + i, y + j);
                        continue;
                    }
                    diff += std::memcmp(map.At(x + i, y + j), cleared.At(x + i, y + j), 3) != 0;
                }
            EXPECT_GT(diff, 48 * 32 / 3);
        }
    // between the nodes of a column the cleared map holds nothing the game would cut
    EXPECT_TRUE(cleared.Key(80 * 6 + 24, 36 * 1 - 18 * 6 + 108 - 2));
}

float Luma(const Rgb8& img, int x, int y) {
    const uint8_t* p = img.At(x, y);
    return 0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2];
}

// Mean brightness step between two lines of 32 pixels (a column when `vertical` is
// false: x fixed, y running), as the eye sees a border.
float Step(const Rgb8& img, int ax, int ay, int bx, int by, bool alongX) {
    float sum = 0;
    for (int k = 0; k < 32; ++k)
        sum += std::abs(alongX ? Luma(img, ax + k, ay) - Luma(img, bx + k, by) : Luma(img, ax, ay + k) - Luma(img, bx, by + k));
    return sum / 32;
}

TEST(GeneratedPictures, MapLooksJoinWhereTheirSeamsMatch) {
    Rgb8 img;
    ASSERT_TRUE(ReadRgb(DataDir + "ImgMapFront00.png", &img));
    // the sixteen walled-in looks of each letter, side by side and one above the other
    for (int letter = 0; letter < 2; ++letter) {
        SCOPED_TRACE(letter ? "hull" : "rock");
        const int x0 = 32 * letter;
        float matching[2] = {0, 0}, differing[2] = {0, 0}, inside = 0;
        int counts[2][2] = {{0, 0}, {0, 0}};
        for (int a = 0; a < 16; ++a) {
            const int ya = 32 * TileLookRow(0, a);
            inside += Step(img, x0 + 15, ya, x0 + 16, ya, false);
            for (int b = 0; b < 16; ++b) {
                const int yb = 32 * TileLookRow(0, b);
                const bool sameRight = ((a & kSideRight) != 0) == ((b & kSideLeft) != 0);
                const bool sameBottom = ((a & kSideBottom) != 0) == ((b & kSideTop) != 0);
                (sameRight ? matching[0] : differing[0]) += Step(img, x0 + 31, ya, x0, yb, false);
                (sameBottom ? matching[1] : differing[1]) += Step(img, x0, ya + 31, x0, yb, true);
                counts[0][sameRight]++;
                counts[1][sameBottom]++;
            }
        }
        const float across = matching[0] / counts[0][1], acrossWrong = differing[0] / counts[0][0];
        // a matching seam is no harder a step than one inside a cell; a wrong one is
        EXPECT_LT(across, 1.3f * inside / 16);
        EXPECT_LT(across, 0.85f * acrossWrong);
        if (letter == 0) {
            EXPECT_LT(matching[1] / counts[1][1], 0.6f * differing[1] / counts[1][0]);
        }
    }
    // open sides end in a rim; an outer corner is cut back to the space behind
    const int lone = 32 * TileLookRow(kSideTop | kSideRight | kSideBottom | kSideLeft, 0);
    EXPECT_TRUE(img.Key(0, lone));
    EXPECT_FALSE(img.Key(16, lone + 16));
    EXPECT_GT(Luma(img, 16, 32 * TileLookRow(kSideTop, 0) + 1), Luma(img, 16, 32 * TileLookRow(kSideBottom, 0) + 30));
}

TEST(GeneratedPictures, BeamBlocksAreEnergyAndOnlyTheSignCarriesTheMark) {
    for (const char* file : {"ImgEnemyShot005.png", "ImgEnemyShot010.png"}) {
        SCOPED_TRACE(file);
        Rgb8 img;
        ASSERT_TRUE(ReadRgb(DataDir + file, &img));
        const bool vertical = std::string(file) == "ImgEnemyShot010.png";
        auto gold = [&](int cell) {
            int n = 0;
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x) {
                    const uint8_t* p = img.At(128 * cell + x, y);
                    n += !img.Key(128 * cell + x, y) && p[0] > 200 && p[1] > 140 && p[2] < 110;
                }
            return n;
        };
        EXPECT_GT(gold(0), 100);  // the warning sign keeps its hazard mark
        for (int cell = 1; cell < img.w / 128; ++cell) {
            SCOPED_TRACE("frame " + std::to_string(cell));
            EXPECT_EQ(gold(cell), 0);
            int core = 0, haze = 0, hazeClear = 0;
            for (int along = 0; along < 128; ++along)
                for (int across = 0; across < 128; ++across) {
                    const int x = 128 * cell + (vertical ? across : along), y = vertical ? along : across;
                    const int off = std::abs(across - 64);
                    if (off < 4) core += !img.Key(x, y) && Luma(img, x, y) > 230;
                    if (off > 36 && off < 54) haze++, hazeClear += img.Key(x, y);
                }
            EXPECT_EQ(core, 128 * 7);                // a white-hot core all along
            EXPECT_GT(hazeClear, haze / 5);          // the glow thins out: shots behind show
            EXPECT_LT(hazeClear, haze * 4 / 5);
            // the rims move from frame to frame
            int moved = 0;
            for (int i = 0; i < 128 * 128; ++i) {
                const int along = i / 128, across = i % 128;
                const int x = vertical ? across : along, y = vertical ? along : across;
                moved += img.Key(128 * cell + x, y) != img.Key(128 * (cell % (img.w / 128 - 1) + 1) + x, y);
            }
            EXPECT_GT(moved, 200);
        }
    }
}

// Share of a cell's opaque pixels whose mirror image across the cell's middle row is clear.
float TopBottomAsymmetry(const Rgb8& img, int x0) {
    int on = 0, alone = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = x0; x < x0 + 32; ++x)
            if (!img.Key(x, y)) on++, alone += img.Key(x, 31 - y);
    return on ? float(alone) / float(on) : 0.0f;
}

// Share of the opaque pixels of one cell that another cell of the picture draws otherwise.
float Differing(const Rgb8& img, int ax, int bx) {
    int on = 0, other = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (img.Key(ax + x, y)) continue;
            on++;
            other += img.Key(bx + x, y) || std::memcmp(img.At(ax + x, y), img.At(bx + x, y), 3) != 0;
        }
    return on ? float(other) / float(on) : 0.0f;
}

// How much warmer than blue a cell's opaque pixels are, on average.
float Warmth(const Rgb8& img, int x0, int size) {
    float sum = 0;
    int n = 0;
    for (int y = 0; y < size; ++y)
        for (int x = x0; x < x0 + size; ++x)
            if (!img.Key(x, y)) sum += float(img.At(x, y)[0]) - float(img.At(x, y)[2]), n++;
    return n ? sum / float(n) : 0.0f;
}

TEST(GeneratedPictures, EnemiesReadApartFromItemsAndThePlayersMissiles) {
    Rgb8 carrier, items, missile, mine;
    ASSERT_TRUE(ReadRgb(DataDir + "ImgEnemy099.png", &carrier));
    ASSERT_TRUE(ReadRgb(DataDir + "ImgItem.png", &items));
    ASSERT_TRUE(ReadRgb(DataDir + "ImgEnemy007.png", &missile));
    ASSERT_TRUE(ReadRgb(DataDir + "ImgMyMissile00.png", &mine));
    // the items are level capsules; a carrier is an enemy's hull above its cargo, and the
    // hull, the same for every cargo, makes the look: the cargo shows in a few pixels only
    for (int k = 0; k < 7; ++k) {
        EXPECT_LT(TopBottomAsymmetry(items, 32 * k), 0.02f) << k;
        EXPECT_GT(TopBottomAsymmetry(carrier, 32 * k), 0.1f) << k;
        if (k) {
            EXPECT_LT(Differing(carrier, 0, 32 * k), 0.1f) << k;
        }
    }
    // the enemy's missile is warm where the player's is cool and white
    for (int f = 0; f < 4; ++f) {
        EXPECT_GT(Warmth(missile, 32 * f, 32), 30) << f;
        EXPECT_LT(Warmth(mine, 20 * f, 20), 0) << f;
    }
}

TEST(PictureGenerator, WritesTheSameBytesOnEveryRun) {
    const std::string dir =
        std::filesystem::temp_directory_path() / ("zorbex-pictures-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    // text, noise-driven effects, shaded sprites and seeded machine detail
    const char* files[] = {"ImgTitleFront.png", "ImgBomb00.png", "ImgMyShip.png", "ImgEnemy330.png",
                           "ImgHeader.png"};
    std::string command = std::string(ZORBEX_BINARY_DIR "/tools/bin/assetgen ") + dir;
    for (const char* f : files) command += std::string(" ") + f;
    command += " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int written = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) written += entry.is_regular_file();
    EXPECT_EQ(written, 5);
    for (const char* f : files) {
        SCOPED_TRACE(f);
        const std::vector<unsigned char> again = ReadBytes(dir + "/" + f);
        ASSERT_FALSE(again.empty());
        EXPECT_TRUE(again == ReadBytes(DataDir + f));
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
