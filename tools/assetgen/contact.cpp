// Contact sheets: shelf-packed pictures over a space-dark page, labelled, cell grid marked.
#include "contact.h"

#include <algorithm>

#include "palette.h"
#include "text.h"

namespace {

constexpr int kPageWidth = 1920;
constexpr int kGap = 12;
constexpr int kLabel = 10;

struct Placed {
    const SheetItem* item;
    int x, y, scale;
};

// Lays pictures out in rows, tallest first, and returns the page height.
int Pack(const std::vector<const SheetItem*>& items, int scale, std::vector<Placed>* out) {
    std::vector<const SheetItem*> order = items;
    std::stable_sort(order.begin(), order.end(), [scale](const SheetItem* a, const SheetItem* b) {
        return a->picture.h * scale > b->picture.h * scale;
    });
    int x = kGap, y = kGap, rowH = 0;
    for (const SheetItem* it : order) {
        int w = std::max(it->picture.w * scale, PixelTextWidth(it->file, 1));
        int h = it->picture.h * scale + kLabel;
        if (x + w + kGap > kPageWidth && x > kGap) {
            x = kGap;
            y += rowH + kGap;
            rowH = 0;
        }
        out->push_back(Placed{it, x, y, scale});
        x += w + kGap;
        rowH = std::max(rowH, h);
    }
    return y + rowH + kGap;
}

bool Render(const std::string& path, const std::vector<const SheetItem*>& items, int scale, std::string* err) {
    std::vector<Placed> placed;
    int height = Pack(items, scale, &placed);
    Canvas page(kPageWidth, height);
    page.Fill(MakeRgb(10, 10, 24));
    for (const Placed& p : placed) {
        const Canvas& pic = p.item->picture;
        int ox = p.x, oy = p.y + kLabel;
        DrawPixelText(page, p.item->file, p.x, p.y, 1, MakeRgb(150, 170, 210));
        // the picture's box, slightly lighter so the transparent area shows
        page.FillRect(ox, oy, pic.w * p.scale, pic.h * p.scale, MakeRgb(24, 26, 44));
        for (int cy = 0; cy <= pic.h; cy += p.item->cellH)
            for (int cx = 0; cx <= pic.w; cx += p.item->cellW) {
                page.Set(ox + cx * p.scale, oy + cy * p.scale, MakeRgb(90, 90, 130));
                page.Set(ox + cx * p.scale - 1, oy + cy * p.scale - 1, MakeRgb(90, 90, 130));
            }
        for (int y = 0; y < pic.h; ++y)
            for (int x = 0; x < pic.w; ++x) {
                if (!pic.Opaque(x, y)) continue;
                page.FillRect(ox + x * p.scale, oy + y * p.scale, p.scale, p.scale, pic.Get(x, y));
            }
    }
    return WritePng(path, page, err);
}

}  // namespace

bool WriteContactSheet(const std::string& path, const std::vector<SheetItem>& items, std::string* err) {
    std::vector<const SheetItem*> all, sprites;
    for (const SheetItem& it : items) {
        all.push_back(&it);
        if (it.picture.w <= 460 && it.picture.h <= 330) sprites.push_back(&it);
    }
    if (!Render(path, all, 1, err)) return false;
    std::string zoomed = path;
    size_t dot = zoomed.rfind(".png");
    zoomed.insert(dot == std::string::npos ? zoomed.size() : dot, "-2x");
    return Render(zoomed, sprites, 2, err);
}
