// The desktop icons beside data/: one per hicolor size, square at that size, round
// (transparent corners, an opaque middle) with soft edges rather than a key colour.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "../../tools/assetgen/icons.h"

namespace {

TEST(DesktopIcons, EverySizeIsARoundBadgeWithRealTransparency) {
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        const std::string path = ZORBEX_BINARY_DIR "/icons/zorbex-" + std::to_string(size) + ".png";
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path;
        EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_ALPHA);
        image.format = PNG_FORMAT_RGBA;
        std::vector<uint8_t> px(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, px.data(), 0, nullptr));
        ASSERT_EQ(int(image.width), size);
        ASSERT_EQ(int(image.height), size);
        auto alpha = [&](int x, int y) { return px[(size_t(y) * size + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(size - 1, size - 1), 0);
        EXPECT_EQ(alpha(size / 2, size / 2), 255);
        int partial = 0;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) partial += alpha(x, y) > 0 && alpha(x, y) < 255;
        EXPECT_GT(partial, 0);  // the rim is averaged, not cut
    }
}

}  // namespace
