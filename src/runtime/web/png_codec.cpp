// PNG files in the browser build: decoding and writing with stb_image, which compiles
// without any of emscripten's ports. The pictures decode to the same pixels as libpng's.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>

#include <vector>

#include "runtime/files.h"
#include "runtime/runtime_internal.h"

bool DecodePngFile(const std::string& path, std::vector<uint32_t>* pixels, int* width, int* height) {
    std::FILE* file = OpenRegularFile(path.c_str());
    if (!file) return false;
    int w = 0, h = 0, channels = 0;
    const bool sane = stbi_info_from_file(file, &w, &h, &channels) != 0 && w > 0 && h > 0 &&
                      w <= kMaxPictureSide && h <= kMaxPictureSide;
    stbi_uc* rgba = sane ? stbi_load_from_file(file, &w, &h, &channels, 4) : nullptr;
    std::fclose(file);
    if (!rgba) return false;
    *width = w;
    *height = h;
    pixels->resize(size_t(w) * h);
    for (size_t i = 0; i < pixels->size(); ++i) {
        const stbi_uc* p = rgba + i * 4;
        (*pixels)[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    stbi_image_free(rgba);
    return true;
}

bool EncodePngFile(const char* path, int width, int height, const uint32_t* pixels, bool withAlpha) {
    if (!path || width <= 0 || height <= 0 || !pixels) return false;
    const int channels = withAlpha ? 4 : 3;
    std::vector<uint8_t> bytes(size_t(width) * height * channels);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        uint8_t* b = bytes.data() + i * channels;
        b[0] = uint8_t(pixels[i] >> 16);
        b[1] = uint8_t(pixels[i] >> 8);
        b[2] = uint8_t(pixels[i]);
        if (withAlpha) b[3] = uint8_t(pixels[i] >> 24);
    }
    return stbi_write_png(path, width, height, channels, bytes.data(), width * channels) != 0;
}
