// The game's glyph font: every character of data-src/glyphs.txt drawn once, white with a
// dark outline, into a grid of equal cells (data/ImgGlyphs.png), and a table of the code
// points in cell order with each one's advance (data/glyphs.tbl). The game draws text
// from these, glyph by glyph, the same pixels in the desktop and the browser build.
#include "glyphs.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "canvas.h"
#include "text.h"

namespace {

constexpr int kGlyphSize = 16;  // IPA P Gothic, bold
constexpr int kCellW = 22;
constexpr int kCellH = 22;
constexpr int kCellsPerRow = 32;
constexpr int kInkOffset = 1;   // room for the outline on the left and top
const Rgb kGlyphInk{255, 255, 255};
const Rgb kGlyphOutline{16, 12, 28};

// Code points of a UTF-8 string; a malformed byte is skipped.
std::vector<uint32_t> CodePoints(const std::string& s) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= s.size()) {
            i++;
            continue;
        }
        uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; k++) cp = (cp << 6) | (static_cast<unsigned char>(s[i + size_t(k)]) & 0x3F);
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return out;
}

std::string Utf8(uint32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += char(cp);
    } else if (cp < 0x800) {
        s += char(0xC0 | (cp >> 6));
        s += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += char(0xE0 | (cp >> 12));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    } else {
        s += char(0xF0 | (cp >> 18));
        s += char(0x80 | ((cp >> 12) & 0x3F));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    }
    return s;
}

}  // namespace

bool WriteGlyphFont(const std::filesystem::path& dataDir, const std::string& listPath, std::string* error) {
    std::ifstream list(listPath);
    if (!list) {
        *error = "cannot read the glyph list " + listPath;
        return false;
    }
    std::set<uint32_t> wanted;
    std::string line;
    while (std::getline(list, line)) {
        if (line.rfind("# ", 0) == 0 || line == "#") continue;
        for (uint32_t cp : CodePoints(line))
            if (cp >= 0x20 && cp != 0x7F) wanted.insert(cp);
    }
    const int count = int(wanted.size());
    const int rows = std::max(1, (count + kCellsPerRow - 1) / kCellsPerRow);
    Canvas sheet(kCellW * kCellsPerRow, kCellH * rows);
    std::ostringstream table;
    table << "zorbex-glyphs 1\ncell " << kCellW << ' ' << kCellH << ' ' << kCellsPerRow << '\n';
    int index = 0;
    for (uint32_t cp : wanted) {
        const std::string ch = Utf8(cp);
        const int x = (index % kCellsPerRow) * kCellW;
        const int y = (index / kCellsPerRow) * kCellH;
        Canvas cell(kCellW, kCellH);
        if (cp != ' ') {
            const Mask m = TextMask(ch, kGlyphSize, true);
            for (int j = 0; j < m.h && j + kInkOffset < kCellH - 1; ++j)
                for (int i = 0; i < m.w && i + kInkOffset < kCellW - 1; ++i)
                    if (m.At(i, j)) cell.Set(i + kInkOffset, j + kInkOffset, kGlyphInk);
            Outline(cell, kGlyphOutline);
        }
        sheet.Blit(cell, x, y);
        const int advance = std::min(kCellW, TextWidth(ch, kGlyphSize, true) + 1);
        table << cp << ' ' << advance << '\n';
        index++;
    }
    if (!WritePng((dataDir / "ImgGlyphs.png").string(), sheet, error)) return false;
    std::ofstream out(dataDir / "glyphs.tbl", std::ios::binary);
    out << table.str();
    if (!out) {
        *error = "cannot write glyphs.tbl";
        return false;
    }
    return true;
}
