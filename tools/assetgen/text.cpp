// Text rendering: IPA Gothic through SDL2_ttf with hard edges, and a small pixel face.
#include "text.h"

#include <SDL2/SDL_ttf.h>

#include <cstring>
#include <map>
#include <mutex>
#include <utility>

namespace {

const char* kFontFiles[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};

std::string gFontPath;
// FreeType is shared by every face, so text is drawn by one thread at a time.
std::mutex gTextLock;
std::map<std::pair<int, bool>, TTF_Font*> gFonts;

TTF_Font* FontFor(int size, bool bold) {
    auto key = std::make_pair(size, bold);
    auto it = gFonts.find(key);
    if (it != gFonts.end()) return it->second;
    TTF_Font* f = TTF_OpenFont(gFontPath.c_str(), size);
    if (f) {
        TTF_SetFontStyle(f, bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
        TTF_SetFontHinting(f, TTF_HINTING_MONO);
        TTF_SetFontKerning(f, 1);
    }
    gFonts[key] = f;
    return f;
}

// 5 x 7 glyphs, one string of 7 rows of 5 characters ('#' = ink).
const std::map<char, const char*>& Glyphs() {
    static const std::map<char, const char*> g = {
        {'A', " ### #   ##   #######   ##   ##   #"},
        {'B', "#### #   ##   ##### #   ##   ##### "},
        {'C', " ### #   ##    #    #    #   # ### "},
        {'D', "#### #   ##   ##   ##   ##   ##### "},
        {'E', "######    #    #### #    #    #####"},
        {'F', "######    #    #### #    #    #    "},
        {'G', " ### #   ##    # ####   ##   # ####"},
        {'H', "#   ##   ##   #######   ##   ##   #"},
        {'I', " ###   #    #    #    #    #   ### "},
        {'J', "  ###   #    #    #    # #  #  ##  "},
        {'K', "#   ##  # # #  ##   # #  #  # #   #"},
        {'L', "#    #    #    #    #    #    #####"},
        {'M', "#   ### ### # ## # ##   ##   ##   #"},
        {'N', "#   ###  ## # ##  ###   ##   ##   #"},
        {'O', " ### #   ##   ##   ##   ##   # ### "},
        {'P', "#### #   ##   ##### #    #    #    "},
        {'Q', " ### #   ##   ##   ## # ##  #  ## #"},
        {'R', "#### #   ##   ##### # #  #  # #   #"},
        {'S', " #####    #     ###     #    ##### "},
        {'T', "#####  #    #    #    #    #    #  "},
        {'U', "#   ##   ##   ##   ##   ##   # ### "},
        {'V', "#   ##   ##   ##   ##   # # #   #  "},
        {'W', "#   ##   ##   ## # ## # ## # # # # "},
        {'X', "#   ##   # # #   #   # # #   ##   #"},
        {'Y', "#   ##   # # #   #    #    #    #  "},
        {'Z', "#####    #   #   #   #   #    #####"},
        {'0', " ### #   ##  ### # ###  ##   # ### "},
        {'1', "  #   ##    #    #    #    #   ### "},
        {'2', " ### #   #    #  ##  #   #    #####"},
        {'3', "#####   #   #     #     ##   # ### "},
        {'4', "   #   ##  # # #  # #####   #    # "},
        {'5', "######    ####     #    ##   # ### "},
        {'6', "  ##  #   #    #### #   ##   # ### "},
        {'7', "#####    #   #   #   #    #    #   "},
        {'8', " ### #   ##   # ### #   ##   # ### "},
        {'9', " ### #   ##   # ####    #   #  ##  "},
        {':', "       #    #         #    #       "},
        {'/', "    #    #   #   #   #   #    #    "},
        {'-', "                ###                "},
        {'.', "                          ##   ##  "},
        {'!', "  #    #    #    #    #         #  "},
        {'?', " ### #   #    #   #   #         #  "},
        {'\'', "  #    #   #                       "},
        {',', "                     ##    #   #   "},
        {'(', "   #   #   #    #    #     #     # "},
        {')', " #     #     #    #    #   #   #   "},
        {'+', "       #    #  #####  #    #       "},
        {'x', "          #   # # #   #   # # #   #"},
        {'=', "          #####     #####          "},
        {'>', " #     #     #     #   #   #   #   "},
        {'<', "   #   #   #   #     #     #     # "},
        {'*', "     # # # ### ##### ### # # #     "},
        {'"', " # #  # #                          "},
        {'&', " ##  #  # # #   #   # # ##  #  ## #"},
        // lower case, for file names on the contact sheets
        {'a', "           ###     # #####   # ####"},
        {'b', "#    #    #### #   ##   ##   ##### "},
        {'c', "           ### #    #    #   # ### "},
        {'d', "    #    # #####   ##   ##   # ####"},
        {'e', "           ### #   #######     ### "},
        {'f', "  ##  #  # #   ###   #    #    #   "},
        {'g', "           #####   # ####    # ### "},
        {'h', "#    #    # ## ##  ##   ##   ##   #"},
        {'i', "  #        ##    #    #    #   ### "},
        {'j', "   #        ##    #    # #  #  ##  "},
        {'k', "#    #    #  # # #  ##   # #  #  # "},
        {'l', " ##    #    #    #    #    #   ### "},
        {'m', "          ## # # # ## # ##   ##   #"},
        {'n', "          # ## ##  ##   ##   ##   #"},
        {'o', "           ### #   ##   ##   # ### "},
        {'p', "          #### #   ##### #    #    "},
        {'q', "           #####   # ####    #    #"},
        {'r', "          # ## ##  ##    #    #    "},
        {'s', "           #####     ###     ##### "},
        {'t', " #    #   ###   #    #    #  #  ## "},
        {'u', "          #   ##   ##   ##  ## ## #"},
        {'v', "          #   ##   ##   # # #   #  "},
        {'w', "          #   ##   ## # ## # # # # "},
        {'y', "          #   ##   # ####    # ### "},
        {'z', "          #####   #   #   #   #####"},
        {'_', "                              #####"},
    };
    return g;
}

}  // namespace

bool StartText() {
    if (TTF_Init() != 0) return false;
    for (const char* p : kFontFiles) {
        TTF_Font* f = TTF_OpenFont(p, 12);
        if (f) {
            TTF_CloseFont(f);
            gFontPath = p;
            return true;
        }
    }
    return false;
}

void StopText() {
    for (auto& kv : gFonts)
        if (kv.second) TTF_CloseFont(kv.second);
    gFonts.clear();
    TTF_Quit();
}

Mask TextMask(const std::string& utf8, int size, bool bold) {
    std::lock_guard<std::mutex> hold(gTextLock);
    TTF_Font* f = FontFor(size, bold);
    if (!f || utf8.empty()) return Mask(1, 1);
    SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!s) return Mask(1, 1);
    Mask m(s->w, s->h);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) {
            uint32_t a = (row[x] & s->format->Amask) >> s->format->Ashift;
            m.Put(x, y, a >= 110);
        }
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return m;
}

int TextWidth(const std::string& utf8, int size, bool bold) {
    std::lock_guard<std::mutex> hold(gTextLock);
    TTF_Font* f = FontFor(size, bold);
    int w = 0, h = 0;
    if (f) TTF_SizeUTF8(f, utf8.c_str(), &w, &h);
    return w;
}

// Top and bottom rows that hold ink, so gradients span the letters, not the line box.
static void InkRows(const Mask& m, int* top, int* bottom) {
    *top = m.h, *bottom = 0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.At(x, y)) *top = std::min(*top, y), *bottom = std::max(*bottom, y);
    if (*top > *bottom) *top = 0, *bottom = m.h - 1;
}

static int DrawMask(Canvas& cv, const Mask& m, int x, int y, const TextLook& look) {
    Canvas layer(m.w + 4 + look.shadow, m.h + 4 + look.shadow);
    int top, bottom;
    InkRows(m, &top, &bottom);
    for (int j = 0; j < m.h; ++j)
        for (int i = 0; i < m.w; ++i) {
            if (!m.At(i, j)) continue;
            Rgb c = look.solid;
            if (look.fill) {
                float t = 1.0f - float(j - top) / float(std::max(1, bottom - top));
                int n = look.fill->Size();
                float f = t * float(n - 1) + (Bayer(i, j) - 0.5f) * 0.6f;
                c = (*look.fill)[int(f + 0.5f)];
            }
            layer.Set(i + 2, j + 2, c);
        }
    if (look.outlined) Outline(layer, look.outline);
    if (look.shadow > 0) {
        Canvas sh(layer.w, layer.h);
        for (int j = 0; j < layer.h; ++j)
            for (int i = 0; i < layer.w; ++i)
                if (layer.Opaque(i, j)) sh.Set(i + look.shadow, j + look.shadow, look.shadowColor);
        cv.Blit(sh, x - 2, y - 2);
    }
    cv.Blit(layer, x - 2, y - 2);
    return m.w;
}

int DrawText(Canvas& cv, const std::string& utf8, int x, int y, int size, bool bold, const TextLook& look) {
    return DrawMask(cv, TextMask(utf8, size, bold), x, y, look);
}

void DrawTextCentred(Canvas& cv, const std::string& utf8, int cx, int y, int size, bool bold, const TextLook& look) {
    Mask m = TextMask(utf8, size, bold);
    DrawMask(cv, m, cx - m.w / 2, y, look);
}

int PixelTextWidth(const std::string& s, int scale) {
    if (s.empty()) return 0;
    return int(s.size()) * 6 * scale - scale;
}

Mask PixelTextMask(const std::string& s, int scale) {
    Mask m(std::max(1, PixelTextWidth(s, scale)), 7 * scale);
    const auto& g = Glyphs();
    for (size_t k = 0; k < s.size(); ++k) {
        auto it = g.find(s[k]);
        if (it == g.end()) continue;
        const char* rows = it->second;
        for (int j = 0; j < 7; ++j)
            for (int i = 0; i < 5; ++i)
                if (rows[j * 5 + i] == '#')
                    m.Rect(float(int(k) * 6 * scale + i * scale), float(j * scale), float(scale), float(scale));
    }
    return m;
}

int DrawPixelText(Canvas& cv, const std::string& s, int x, int y, int scale, Rgb c) {
    Mask m = PixelTextMask(s, scale);
    for (int j = 0; j < m.h; ++j)
        for (int i = 0; i < m.w; ++i)
            if (m.At(i, j)) cv.Set(x + i, y + j, c);
    return m.w;
}
