// PNG files on the desktop: decoding and writing with libpng's simplified interface.
#include <png.h>

#include <bit>
#include <cstring>
#include <vector>

#include "runtime/files.h"
#include "runtime/runtime_internal.h"

// libpng's BGRA byte order reads as 0xAARRGGBB words only on little-endian machines.
static_assert(std::endian::native == std::endian::little);

bool DecodePngFile(const std::string& path, std::vector<uint32_t>* pixels, int* width, int* height) {
    std::FILE* file = OpenRegularFile(path.c_str());
    if (!file) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    bool ok = png_image_begin_read_from_stdio(&image, file) != 0;
    image.format = PNG_FORMAT_BGRA;  // little-endian words read as 0xAARRGGBB
    ok = ok && image.width > 0 && image.height > 0 && image.width <= png_uint_32(kMaxPictureSide) &&
         image.height <= png_uint_32(kMaxPictureSide);
    if (ok) {
        *width = int(image.width);
        *height = int(image.height);
        pixels->assign(size_t(image.width) * image.height, 0);
        ok = png_image_finish_read(&image, nullptr, pixels->data(), 0, nullptr) != 0;
        if (!ok) pixels->clear();
    }
    png_image_free(&image);
    std::fclose(file);
    return ok;
}

bool EncodePngFile(const char* path, int width, int height, const uint32_t* pixels, bool withAlpha) {
    if (!path || width <= 0 || height <= 0 || !pixels) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_RGB;
    if (withAlpha) return png_image_write_to_file(&image, path, 0, pixels, 0, nullptr) != 0;
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        rgb[i * 3 + 0] = uint8_t(pixels[i] >> 16);
        rgb[i * 3 + 1] = uint8_t(pixels[i] >> 8);
        rgb[i * 3 + 2] = uint8_t(pixels[i]);
    }
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}
