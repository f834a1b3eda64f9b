// Pictures: the picture table and strip cells, and the back buffer saved as PNG.
#include <algorithm>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

struct Picture {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    bool opaque = false;
    bool uniform = false;
};

// A handle names a cell; a whole picture is the cell covering all of it.
struct Cell {
    int picture;
    int x, y, width, height;
};

std::vector<Picture> pictures;
std::vector<Cell> cells;  // handle h is cells[h - 1]

// A run that never draws keeps a picture's size and no pixels.
bool DecodePng(const std::string& path, Picture* out) {
    if (!runtimeSettings.decodeAssets) return ReadPngSize(path, &out->width, &out->height);
    return DecodePngFile(path, &out->pixels, &out->width, &out->height);
}

// Hard-edged transparency: the key colour and mostly transparent pixels get alpha 0,
// everything else alpha 0xFF, so that the blitters only ever test the top byte.
void ApplyColorKey(Picture* p) {
    const uint32_t key = ColorKeyRgb();
    for (uint32_t& px : p->pixels) {
        const uint32_t rgb = px & 0xFFFFFFu;
        const bool clear = (px >> 24) < 128 || rgb == key;
        px = clear ? rgb : (rgb | 0xFF000000u);
    }
    // what lets the blitters take their short ways: a full-screen backdrop drawn keyed is a
    // copy, a one-colour picture stretched over the screen is a fill
    p->opaque = std::all_of(p->pixels.begin(), p->pixels.end(),
                            [](uint32_t px) { return (px >> 24) != 0; });
    p->uniform = !p->pixels.empty() &&
                 std::all_of(p->pixels.begin(), p->pixels.end(),
                             [&](uint32_t px) { return px == p->pixels.front(); });
}

int AddPicture(Picture&& p) {
    pictures.push_back(std::move(p));
    return int(pictures.size()) - 1;
}

int AddCell(int picture, int x, int y, int w, int h) {
    const Picture& p = pictures[size_t(picture)];
    // cells reaching past the picture are cut to it; wholly outside they draw nothing
    int x0 = x < 0 ? 0 : (x > p.width ? p.width : x);
    int y0 = y < 0 ? 0 : (y > p.height ? p.height : y);
    int64_t x1 = int64_t(x) + (w > 0 ? w : 0), y1 = int64_t(y) + (h > 0 ? h : 0);
    if (x1 > p.width) x1 = p.width;
    if (y1 > p.height) y1 = p.height;
    Cell c{picture, x0, y0, int(x1 > x0 ? x1 - x0 : 0), int(y1 > y0 ? y1 - y0 : 0)};
    cells.push_back(c);
    return int(cells.size());
}

}  // namespace

bool GetImageView(int handle, ImageView* view) {
    if (handle <= 0 || size_t(handle) > cells.size()) return false;
    const Cell& c = cells[size_t(handle) - 1];
    const Picture& p = pictures[size_t(c.picture)];
    view->pixels = p.pixels.empty() ? nullptr : p.pixels.data() + size_t(c.y) * p.width + c.x;
    view->stride = p.width;
    view->width = c.width;
    view->height = c.height;
    view->opaque = p.opaque;
    view->uniform = p.uniform;
    view->colour = p.uniform ? p.pixels.front() : 0;
    return true;
}

void ReleaseImages() {
    pictures.clear();
    pictures.shrink_to_fit();
    cells.clear();
    cells.shrink_to_fit();
}

int LoadImage(const char* path, int) {
    Picture p;
    if (!path || !DecodePng(ResolveDataPath(path), &p)) {
        ++missingAssets;
        return -1;
    }
    ApplyColorKey(&p);
    const int w = p.width, h = p.height;
    return AddCell(AddPicture(std::move(p)), 0, 0, w, h);
}

int LoadImageStrip(const char* path, int count, int across, int, int cellWidth, int cellHeight,
                   int* handles, int) {
    if (!handles || count <= 0) return -1;
    Picture p;
    if (!path || !DecodePng(ResolveDataPath(path), &p)) {
        ++missingAssets;
        for (int k = 0; k < count; ++k) handles[k] = -1;
        return -1;
    }
    ApplyColorKey(&p);
    const int picture = AddPicture(std::move(p));
    if (across <= 0) across = 1;
    for (int k = 0; k < count; ++k) {
        const int64_t x = int64_t(k % across) * cellWidth, y = int64_t(k / across) * cellHeight;
        const bool inside = x < pictures[size_t(picture)].width &&
                            y < pictures[size_t(picture)].height;
        handles[k] = inside ? AddCell(picture, int(x), int(y), cellWidth, cellHeight)
                            : AddCell(picture, 0, 0, 0, 0);
    }
    return 0;
}

bool GetImageSize(int handle, int* width, int* height) {
    ImageView v;
    if (!GetImageView(handle, &v)) return false;
    if (width) *width = v.width;
    if (height) *height = v.height;
    return true;
}

uint32_t ReadBackBufferPixel(int x, int y) {
    if (x < 0 || y < 0 || x >= ScreenWidth || y >= ScreenHeight) return 0;
    return backBuffer[y * ScreenWidth + x];
}

const uint32_t* BackBufferPixels() { return backBuffer; }

bool SaveBackBufferPng(const char* path) {
    return EncodePngFile(path, ScreenWidth, ScreenHeight, backBuffer, false);
}

bool SavePixelsPng(const char* path, int width, int height, const uint32_t* pixels) {
    return EncodePngFile(path, width, height, pixels, true);
}
