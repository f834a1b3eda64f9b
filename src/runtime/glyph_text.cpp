// The glyph font: cells of one picture looked up by code point in the table made beside
// it, drawn with the software blitter, so the desktop and the browser show the same text.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

struct Glyph {
    uint32_t codePoint;
    int cell;
    int advance;
};

struct GlyphFont {
    int picture = -1;
    int cellW = 0, cellH = 0, perRow = 1;
    std::vector<Glyph> glyphs;  // sorted by code point
    int box = -1;               // the glyph drawn for a character the font lacks
};

GlyphFont font;

constexpr size_t kMaxTableBytes = 1 << 20;
constexpr uint32_t kBoxCodePoint = 0x25A1;  // □
constexpr uint32_t kReplacement = 0xFFFD;

// The next code point of a UTF-8 string; a malformed byte reads as U+FFFD and is skipped.
uint32_t NextCodePoint(const char** p) {
    const unsigned char* s = reinterpret_cast<const unsigned char*>(*p);
    const unsigned char c = s[0];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0) {
        *p += 1;
        return kReplacement;
    }
    uint32_t cp = extra == 0 ? c : c & (0x3Fu >> extra);
    for (int k = 1; k <= extra; k++) {
        if ((s[k] & 0xC0) != 0x80) {
            *p += k;
            return kReplacement;
        }
        cp = (cp << 6) | (s[k] & 0x3F);
    }
    *p += extra + 1;
    return cp;
}

const Glyph* Find(uint32_t cp) {
    auto it = std::lower_bound(font.glyphs.begin(), font.glyphs.end(), cp,
                               [](const Glyph& g, uint32_t v) { return g.codePoint < v; });
    if (it != font.glyphs.end() && it->codePoint == cp) return &*it;
    return nullptr;
}

const Glyph* GlyphFor(uint32_t cp) {
    if (const Glyph* g = Find(cp)) return g;
    return font.box >= 0 ? &font.glyphs[size_t(font.box)] : nullptr;
}

// "zorbex-glyphs 1", "cell W H PER-ROW", then "CODEPOINT ADVANCE" per cell in order.
bool ParseTable(const std::string& text, GlyphFont* f) {
    const char* p = text.c_str();
    int n = 0;
    if (std::sscanf(p, "zorbex-glyphs 1\ncell %d %d %d\n%n", &f->cellW, &f->cellH, &f->perRow, &n) != 3 || n == 0)
        return false;
    if (f->cellW <= 0 || f->cellH <= 0 || f->perRow <= 0 || f->cellW > 256 || f->cellH > 256) return false;
    p += n;
    unsigned long cp;
    int advance;
    while (std::sscanf(p, "%lu %d\n%n", &cp, &advance, &n) == 2 && n > 0) {
        if (cp > 0x10FFFF || advance < 0 || advance > f->cellW) return false;
        f->glyphs.push_back({uint32_t(cp), int(f->glyphs.size()), advance});
        p += n;
    }
    std::sort(f->glyphs.begin(), f->glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.codePoint < b.codePoint; });
    return !f->glyphs.empty();
}

}  // namespace

int LoadGlyphFont(const char* picturePath, const char* tablePath) {
    std::string text, error;
    GlyphFont loaded;
    if (!ReadWholeFile(ResolveDataPath(tablePath).c_str(), kMaxTableBytes, &text, &error) || !ParseTable(text, &loaded)) {
        std::fprintf(stderr, "zorbex: the glyph table %s cannot be used\n", tablePath);
        return -1;
    }
    loaded.picture = LoadImage(picturePath, 0);
    if (loaded.picture <= 0) return -1;
    font = std::move(loaded);
    const Glyph* box = Find(kBoxCodePoint);
    font.box = box ? int(box - font.glyphs.data()) : -1;
    return 0;
}

int GlyphFontHas(uint32_t codePoint) { return Find(codePoint) ? 1 : 0; }

int GlyphLineHeight() { return font.cellH; }

int MeasureGlyphText(const char* utf8) {
    if (!utf8) return 0;
    int width = 0;
    for (const char* p = utf8; *p;)
        if (const Glyph* g = GlyphFor(NextCodePoint(&p))) width += g->advance;
    return width;
}

void DrawGlyphText(int x, int y, const char* utf8, int r, int g, int b) {
    if (!utf8 || font.picture <= 0) return;
    SetTint(r, g, b);
    for (const char* p = utf8; *p;) {
        const Glyph* glyph = GlyphFor(NextCodePoint(&p));
        if (!glyph) continue;
        const int sx = (glyph->cell % font.perRow) * font.cellW;
        const int sy = (glyph->cell / font.perRow) * font.cellH;
        DrawImageRegion(x, y, sx, sy, font.cellW, font.cellH, font.picture, 1, 0);
        x += glyph->advance;
    }
    SetTint(255, 255, 255);
}
