// The icons: the player's fighter on a round badge of deep space, drawn large and averaged
// down to every size the desktop asks for, with real transparency; and the web app's, plain
// and maskable (the badge inside the safe circle of a square of the same space).
#include "icons.h"

#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "canvas.h"
#include "palette.h"
#include "pictures.h"

namespace {

constexpr int kMasterSize = 768;  // every desktop size is a whole-number reduction of it
constexpr int kWebMasterSize = 1536;  // and every web one of this, twice as large
constexpr int kShipScale = 9;     // the 64-pixel fighter in crisp 9 x 9 blocks at 768
constexpr int kStarCount = 70;
const Rgb kSpaceTop = MakeRgb(10, 14, 48);
const Rgb kSpaceBottom = MakeRgb(44, 16, 72);
const Rgb kRim = MakeRgb(104, 168, 255);

// Straight-alpha RGBA pixels, row by row.
struct Rgba {
    int size = 0;
    std::vector<uint8_t> px;
};

void Put(Rgba& img, int x, int y, Rgb c) {
    uint8_t* p = &img.px[(size_t(y) * img.size + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = 255;
}

Rgba DrawMaster(int masterSize) {
    const int kU = masterSize / 256;  // one pixel of a 256-pixel icon
    const int shipScale = kShipScale * masterSize / 768;
    Rgba img;
    img.size = masterSize;
    img.px.assign(size_t(masterSize) * masterSize * 4, 0);
    const float c = masterSize / 2.0f, r = masterSize / 2.0f - 4.0f * kU, rim = 7.0f * kU;
    Rng rng(20);
    for (int y = 0; y < masterSize; ++y)
        for (int x = 0; x < masterSize; ++x) {
            const float d = std::hypot(x + 0.5f - c, y + 0.5f - c);
            if (d > r) continue;
            Rgb sky = Mix(kSpaceTop, kSpaceBottom, float(y) / masterSize);
            Put(img, x, y, d > r - rim ? Mix(kRim, pal::kBlue[1], (d - (r - rim)) / rim) : sky);
        }
    // stars, kept off the rim
    for (int i = 0; i < kStarCount; ++i) {
        const int x = 20 * kU + rng.Upto(masterSize - 40 * kU);
        const int y = 20 * kU + rng.Upto(masterSize - 40 * kU);
        const int s = kU + rng.Upto(2 * kU);
        if (std::hypot(x - c, y - c) > r - rim - 5 * kU) continue;
        const Rgb star = Mix(pal::kCyan[3], pal::kWhite, rng.Unit());
        for (int j = 0; j < s; ++j)
            for (int k = 0; k < s; ++k) Put(img, x + k, y + j, star);
    }
    // the engine's trail, then the fighter over it
    const Canvas ship = DrawShipSprite();
    const int size = ship.w * shipScale;
    const int x0 = (masterSize - size) / 2 + 12 * kU, y0 = (masterSize - size) / 2;
    const int trailStart = 18 * kU, trailEnd = x0 + 20 * kU;
    for (int y = y0 + size * 5 / 12; y < y0 + size * 7 / 12; ++y)
        for (int x = trailStart; x < trailEnd; ++x) {
            const float t = float(x - trailStart) / float(trailEnd - trailStart);
            const float across = std::fabs((y - (y0 + size / 2)) / (size / 12.0f));
            if (across > t) continue;
            Put(img, x, y, Mix(pal::kOrange[1], pal::kOrange[4], t - across * 0.5f));
        }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int sx = x / shipScale, sy = y / shipScale;
            if (ship.Opaque(sx, sy)) Put(img, x0 + x, y0 + y, ship.Get(sx, sy));
        }
    return img;
}

// Box average over whole blocks, weighting colour by coverage so edges do not darken.
Rgba Reduce(const Rgba& master, int size) {
    const int f = master.size / size;
    Rgba out;
    out.size = size;
    out.px.assign(size_t(size) * size * 4, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint32_t sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < f; ++j)
                for (int i = 0; i < f; ++i) {
                    const uint8_t* p = &master.px[(size_t(y * f + j) * master.size + x * f + i) * 4];
                    for (int k = 0; k < 3; ++k) sum[k] += uint32_t(p[k]) * p[3];
                    sum[3] += p[3];
                }
            uint8_t* q = &out.px[(size_t(y) * size + x) * 4];
            if (sum[3] == 0) continue;
            for (int k = 0; k < 3; ++k) q[k] = uint8_t((sum[k] + sum[3] / 2) / sum[3]);
            q[3] = uint8_t((sum[3] + uint32_t(f * f) / 2) / uint32_t(f * f));
        }
    return out;
}

// A maskable icon: the space fills the square, the badge sits in its middle `inner`
// pixels, inside the circle that every mask keeps.
Rgba Maskable(const Rgba& master, int size, int inner) {
    const Rgba badge = Reduce(master, inner);
    Rgba out;
    out.size = size;
    out.px.assign(size_t(size) * size * 4, 0);
    const int at = (size - inner) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgb c = Mix(kSpaceTop, kSpaceBottom, float(y) / size);
            const int bx = x - at, by = y - at;
            if (bx >= 0 && by >= 0 && bx < inner && by < inner) {
                const uint8_t* p = &badge.px[(size_t(by) * inner + bx) * 4];
                const float a = p[3] / 255.0f;
                c = Mix(c, MakeRgb(p[0], p[1], p[2]), a);
            }
            Put(out, x, y, c);
        }
    return out;
}

bool WriteRgbaPng(const std::string& path, const Rgba& img, std::string* err) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(img.size);
    image.height = png_uint_32(img.size);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, img.px.data(), 0, nullptr)) {
        *err = "cannot write " + path + ": " + image.message;
        return false;
    }
    return true;
}

}  // namespace

bool WriteIcons(const std::string& folder, std::string* err) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        *err = "cannot create " + folder + ": " + ec.message();
        return false;
    }
    const Rgba master = DrawMaster(kMasterSize);
    for (int size : kIconSizes) {
        const std::string path = folder + "/zorbex-" + std::to_string(size) + ".png";
        if (!WriteRgbaPng(path, Reduce(master, size), err)) return false;
    }
    // the web app's: the badge at three quarters of 512, two thirds of 192 (whole reductions)
    const Rgba web = DrawMaster(kWebMasterSize);
    for (int size : kWebIconSizes) {
        const std::string name = folder + "/zorbex-" + std::to_string(size);
        if (!WriteRgbaPng(name + ".png", Reduce(web, size), err)) return false;
        const int inner = size == 512 ? 384 : 128;
        if (!WriteRgbaPng(name + "-maskable.png", Maskable(web, size, inner), err)) return false;
    }
    return true;
}
