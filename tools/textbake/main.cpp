// zorbex-textbake OUTDIR: renders every line of text the game draws (the epilogues in every
// language and the pause's caption) with the desktop's text code and keeps them as
// TextLines.png and TextLines.txt, which the browser build draws its text from. Every piece
// of text the line breaking measured goes into the index too, with its width and no
// picture, so that the browser breaks the lines where the desktop does.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/text_lines.h"
#include "scenes/ending_texts.h"
#include "shell/language.h"
#include "stages/level_texts.h"

namespace {

// The ending's text settings (scenes/ending.cpp) and the pause's (shell/pause.cpp).
constexpr int kEndingSize = 14, kEndingWeight = 5;
constexpr int kPauseSize = 48, kPauseWeight = 7;
constexpr int kStyleSmooth = 2;
const char* const kPauseCaption = "PAUSE";

struct Rendered {
    TextLine line;
    std::vector<uint32_t> pixels;
};

bool Render(const char* text, int size, int weight, std::vector<Rendered>* out) {
    for (const Rendered& r : *out)
        if (r.line.size == size && r.line.weight == weight && r.line.text == text) return true;
    SetTextSize(size);
    SetTextWeight(weight);
    SetTextStyle(kStyleSmooth);
    Rendered r;
    r.line.size = size;
    r.line.weight = weight;
    r.line.style = kStyleSmooth;
    r.line.text = text;
    r.line.measured = MeasureText(text, int(std::strlen(text)), 0);
    if (!RenderTextLine(text, 0xFFFFFF, &r.pixels, &r.line.width, &r.line.height)) {
        std::fprintf(stderr, "zorbex-textbake: a line of size %d renders nothing\n", size);
        return false;
    }
    // the browser draws the coverage in any colour: it must not depend on the colour
    std::vector<uint32_t> black;
    int w = 0, h = 0;
    if (!RenderTextLine(text, 0x000000, &black, &w, &h) || w != r.line.width || h != r.line.height) return false;
    for (size_t i = 0; i < black.size(); ++i)
        if ((black[i] ^ r.pixels[i]) & 0xFF000000u) {
            std::fprintf(stderr, "zorbex-textbake: the font's coverage changes with the colour\n");
            return false;
        }
    out->push_back(std::move(r));
    return true;
}

// The ending's measure, noting every text measured.
int32_t MeasureAndNote(const char* line, void* context) {
    auto* measured = static_cast<std::vector<TextLine>*>(context);
    TextLine l;
    l.size = kEndingSize;
    l.weight = kEndingWeight;
    l.style = kStyleSmooth;
    l.text = line;
    l.measured = MeasureText(line, int(std::strlen(line)), 0);
    measured->push_back(l);
    return l.measured;
}

bool Known(const std::vector<Rendered>& rendered, const std::vector<TextLine>& index, const TextLine& l) {
    for (const Rendered& r : rendered)
        if (r.line.size == l.size && r.line.weight == l.weight && r.line.text == l.text) return true;
    for (const TextLine& i : index)
        if (i.size == l.size && i.weight == l.weight && i.text == l.text) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zorbex-textbake OUTDIR\n");
        return 2;
    }
    EnableHeadless(1);
    if (StartRuntime() == -1) return 2;
    std::vector<Rendered> rendered;
    bool ok = true;
    std::vector<TextLine> measured;
    for (int32_t language = 0; language < LanguageCount(); language++) {
        for (int32_t e = 0; e < kEpilogueCount; e++) {
            static char lines[kEndingLines][kEndingLineBytes];
            int32_t count = 0;
            SetTextSize(kEndingSize);
            SetTextWeight(kEndingWeight);
            SetTextStyle(kStyleSmooth);
            if (!LayOutEpilogue(language, kEpilogueFiles[e], FindLevelText(kEpilogueFiles[e]), MeasureAndNote,
                                &measured, lines, &count))
                ok = false;
            for (int32_t k = 0; k < kEndingLines; k++)
                if (lines[k][0]) ok = Render(lines[k], kEndingSize, kEndingWeight, &rendered) && ok;
        }
    }
    ok = Render(kPauseCaption, kPauseSize, kPauseWeight, &rendered) && ok;
    if (!ok) {
        StopRuntime();
        return 1;
    }
    // one line below the other
    int width = 1, height = 0;
    for (Rendered& r : rendered) {
        r.line.y = height;
        height += r.line.height;
        width = std::max(width, r.line.width);
    }
    std::vector<uint32_t> picture(size_t(width) * std::max(height, 1), 0x00FFFFFFu);
    std::vector<TextLine> index;
    for (const Rendered& r : rendered) {
        for (int y = 0; y < r.line.height; ++y)
            std::copy_n(r.pixels.data() + size_t(y) * r.line.width, r.line.width,
                        picture.data() + size_t(r.line.y + y) * width);
        index.push_back(r.line);
    }
    // what was only measured: its width, and no picture
    for (const TextLine& l : measured)
        if (!Known(rendered, index, l)) index.push_back(l);
    const std::string folder = std::string(argv[1]) + "/";
    const std::string picturePath = folder + kTextLinesPicture;
    const std::string indexText = FormatTextLineIndex(index);
    const char* why = "";
    ok = SavePixelsPng(picturePath.c_str(), width, std::max(height, 1), picture.data()) &&
         ReplaceFileSafely((folder + kTextLinesIndex).c_str(), indexText.data(), indexText.size(), &why);
    StopRuntime();
    if (!ok) {
        std::fprintf(stderr, "zorbex-textbake: cannot write into %s %s\n", argv[1], why);
        return 2;
    }
    return 0;
}
