// Text in the browser build: the lines the game draws were rendered at build time by the
// desktop's own text code (IPAGothic through SDL_ttf) and are drawn from that picture, so
// the ending reads pixel for pixel as on the desktop. A line not in the picture draws nothing.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/text_lines.h"

namespace {

constexpr size_t kMaxIndexBytes = size_t(1) << 20;

struct TextSettings {
    int size = 14;
    int weight = 4;
    int style = 2;
};
TextSettings settings;

std::vector<TextLine> lines;
std::vector<uint32_t> linePixels;  // the picture of every line
int pictureWidth = 0, pictureHeight = 0;
std::vector<uint32_t> coloured;     // one line in the colour asked for, sized at start
bool missingReported = false;

void LoadLines() {
    lines.clear();
    linePixels.clear();
    std::string index, error;
    const std::string indexPath = ResolveDataPath((std::string("data/") + kTextLinesIndex).c_str());
    const std::string picturePath = ResolveDataPath((std::string("data/") + kTextLinesPicture).c_str());
    if (!ReadWholeFile(indexPath.c_str(), kMaxIndexBytes, &index, &error) ||
        !ParseTextLineIndex(index, &lines, &error) ||
        !DecodePngFile(picturePath, &linePixels, &pictureWidth, &pictureHeight)) {
        lines.clear();
        std::fprintf(stderr, "zorbex: no rendered text lines (%s); text stays blank\n",
                     error.empty() ? kTextLinesPicture : error.c_str());
        return;
    }
    size_t largest = 0;
    for (TextLine& l : lines) {
        // a line reaching outside the picture is dropped rather than read past its end
        if (l.x + l.width > pictureWidth || l.y + l.height > pictureHeight) l.text.clear();
        largest = std::max(largest, size_t(l.width) * l.height);
    }
    coloured.assign(largest, 0);
}

const TextLine* FindLine(const char* text, size_t length) {
    for (const TextLine& l : lines)
        if (l.size == settings.size && l.weight == settings.weight && l.style == settings.style &&
            l.text.size() == length && std::memcmp(l.text.data(), text, length) == 0)
            return &l;
    if (!missingReported && !lines.empty()) {
        missingReported = true;
        std::fprintf(stderr, "zorbex: a text line of size %d was not rendered at build time\n",
                     settings.size);
    }
    return nullptr;
}

}  // namespace

void StartText() {
    settings = TextSettings();
    missingReported = false;
    LoadLines();
}

void StopText() {
    lines.clear();
    linePixels.clear();
    coloured.clear();
    settings = TextSettings();
}

void ResetTextState() { settings = TextSettings(); }

void SetTextSize(int size) { settings.size = size; }
void SetTextWeight(int weight) { settings.weight = weight; }
void SetTextFace(const char*, int) {}  // always the Gothic face the lines were rendered in
void SetTextStyle(int style) { settings.style = style; }

int MeasureText(const char* text, int length, int) {
    if (!text) return 0;
    const size_t n = length < 0 ? std::strlen(text) : strnlen(text, size_t(length));
    const TextLine* l = n ? FindLine(text, n) : nullptr;
    return l ? l->measured : 0;
}

void DrawText(int x, int y, const char* text, int colour, int) {
    if (!runtimeSettings.drawingEnabled || !text || !text[0]) return;
    const TextLine* l = FindLine(text, std::strlen(text));
    if (!l || l->width == 0 || l->height == 0) return;
    // the rendering keeps its coverage in alpha; the colour is the one asked for
    const uint32_t rgb = uint32_t(colour) & 0xFFFFFFu;
    for (int row = 0; row < l->height; ++row) {
        const uint32_t* from = linePixels.data() + size_t(l->y + row) * pictureWidth + l->x;
        uint32_t* to = coloured.data() + size_t(row) * l->width;
        for (int i = 0; i < l->width; ++i) to[i] = (from[i] & 0xFF000000u) | rgb;
    }
    BlendPixelsOnto(x, y, coloured.data(), l->width, l->width, l->height);
}
