// Text: Shift-JIS strings through iconv, IPAGothic through SDL_ttf, and a small cache
// of rendered lines so that a caption shown every frame is rasterised once.
#include <SDL.h>
#include <SDL_ttf.h>
#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

// The Japanese Gothic face standing in for the game's own; the first file found is used.
const char* const FontCandidates[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/truetype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
};

// Tests may put other files in the place of the list above.
const char* const* fontCandidates = FontCandidates;
int fontCandidateCount = int(sizeof FontCandidates / sizeof FontCandidates[0]);

constexpr Uint16 kKatakanaTe = 0x30C6;  // any Japanese glyph: a face without it is not one

struct TextSettings {
    int size = 14;
    int weight = 4;
    int style = 2;
};
TextSettings settings;

bool ttfStarted = false;
std::string fontPath;
iconv_t sjisToUtf8 = iconv_t(-1);

// Open faces, one per size and boldness.
struct OpenFont {
    TTF_Font* font = nullptr;
    int size = 0;
    bool bold = false;
};
constexpr int FontSlots = 8;
OpenFont fonts[FontSlots];

// Rendered lines, least recently used evicted.
constexpr int CacheSlots = 64;
constexpr size_t CacheTextBytes = 256;
struct CachedLine {
    SDL_Surface* surface = nullptr;  // ARGB8888, straight alpha
    char text[CacheTextBytes] = {};
    int size = 0, weight = 0, style = 0, colour = 0;
    uint64_t lastUse = 0;
};
CachedLine cache[CacheSlots];
uint64_t useCounter = 0;

bool FileExists(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

TTF_Font* CurrentFont() {
    if (!ttfStarted || fontPath.empty()) return nullptr;
    const int size = settings.size > 0 ? settings.size : 1;
    const bool bold = settings.weight >= 7;
    for (OpenFont& f : fonts)
        if (f.font && f.size == size && f.bold == bold) return f.font;
    OpenFont* slot = &fonts[0];
    for (OpenFont& f : fonts)
        if (!f.font) {
            slot = &f;
            break;
        }
    if (slot->font) TTF_CloseFont(slot->font);
    slot->font = TTF_OpenFont(fontPath.c_str(), size);
    slot->size = size;
    slot->bold = bold;
    if (slot->font && bold) TTF_SetFontStyle(slot->font, TTF_STYLE_BOLD);
    return slot->font;
}

// Converts up to `length` bytes of Shift-JIS (to the NUL when length < 0) into `out`.
// Bytes iconv cannot read become '?', so a stray byte never hides the rest of a line.
void ToUtf8(const char* text, int length, std::string* out) {
    out->clear();
    if (!text) return;
    size_t inLeft = length < 0 ? std::strlen(text) : strnlen(text, size_t(length));
    if (sjisToUtf8 == iconv_t(-1)) {
        sjisToUtf8 = iconv_open("UTF-8", "CP932");
        if (sjisToUtf8 == iconv_t(-1)) sjisToUtf8 = iconv_open("UTF-8", "SHIFT_JIS");
    }
    if (sjisToUtf8 == iconv_t(-1)) {
        out->assign(text, inLeft);
        return;
    }
    iconv(sjisToUtf8, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text);
    char buffer[512];
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = iconv(sjisToUtf8, &in, &inLeft, &o, &oLeft);
        out->append(buffer, size_t(o - buffer));
        if (r == size_t(-1) && errno != E2BIG) {
            // an invalid or cut-off double-byte character
            out->push_back('?');
            ++in;
            --inLeft;
            iconv(sjisToUtf8, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

SDL_Surface* RenderLine(const char* text, int colour) {
    TTF_Font* font = CurrentFont();
    if (!font) return nullptr;
    static std::string utf8;
    ToUtf8(text, -1, &utf8);
    if (utf8.empty()) return nullptr;
    const SDL_Color fg{Uint8((colour >> 16) & 0xFF), Uint8((colour >> 8) & 0xFF),
                       Uint8(colour & 0xFF), 255};
    SDL_Surface* raw = settings.style == 2 ? TTF_RenderUTF8_Blended(font, utf8.c_str(), fg)
                                           : TTF_RenderUTF8_Solid(font, utf8.c_str(), fg);
    if (!raw) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(raw);
    return argb;
}

// A rendered line from the cache, rendering it on a miss. Lines too long for a cache
// key are rendered into the least recently used slot every time.
SDL_Surface* LineSurface(const char* text, int colour) {
    const size_t len = std::strlen(text);
    const bool cacheable = len < CacheTextBytes;
    CachedLine* victim = &cache[0];
    for (CachedLine& c : cache) {
        if (cacheable && c.surface && c.size == settings.size && c.weight == settings.weight &&
            c.style == settings.style && c.colour == colour && std::strcmp(c.text, text) == 0) {
            c.lastUse = ++useCounter;
            return c.surface;
        }
        if (c.lastUse < victim->lastUse) victim = &c;
    }
    if (victim->surface) SDL_FreeSurface(victim->surface);
    victim->surface = RenderLine(text, colour);
    if (cacheable)
        std::memcpy(victim->text, text, len + 1);
    else
        victim->text[0] = '\0';
    victim->size = settings.size;
    victim->weight = settings.weight;
    victim->style = settings.style;
    victim->colour = cacheable ? colour : -1;
    victim->lastUse = ++useCounter;
    return victim->surface;
}

void ClearCache() {
    for (CachedLine& c : cache) {
        if (c.surface) SDL_FreeSurface(c.surface);
        c = CachedLine();
    }
    useCounter = 0;
}

}  // namespace

// The epilogues are Japanese: without such a face they come out blank, which the
// player is told in one line, as for missing data files.
static void ReportMissingJapaneseFont() {
    TTF_Font* face = ttfStarted && !fontPath.empty() ? TTF_OpenFont(fontPath.c_str(), 14) : nullptr;
    const bool japanese = face && TTF_GlyphIsProvided(face, kKatakanaTe);
    if (face) TTF_CloseFont(face);
    if (!japanese)
        std::fprintf(stderr, "zorbex: no Japanese font found (Debian: fonts-ipafont-gothic); "
                             "Japanese text stays blank\n");
}

void StartText() {
    fontPath.clear();
    for (int i = 0; i < fontCandidateCount; i++)
        if (FileExists(fontCandidates[i])) {
            fontPath = fontCandidates[i];
            break;
        }
    ttfStarted = TTF_Init() == 0;
    ReportMissingJapaneseFont();
}

void SetFontCandidates(const char* const* paths, int count) {
    fontCandidates = paths ? paths : FontCandidates;
    fontCandidateCount = paths ? count : int(sizeof FontCandidates / sizeof FontCandidates[0]);
}

void StopText() {
    ClearCache();
    for (OpenFont& f : fonts) {
        if (f.font) TTF_CloseFont(f.font);
        f = OpenFont();
    }
    if (ttfStarted) TTF_Quit();
    ttfStarted = false;
    if (sjisToUtf8 != iconv_t(-1)) iconv_close(sjisToUtf8);
    sjisToUtf8 = iconv_t(-1);
    settings = TextSettings();
}

void ResetTextState() {
    ClearCache();
    settings = TextSettings();
}

void ShiftJisToUtf8(const char* text, std::string* out) { ToUtf8(text, -1, out); }

void SetTextSize(int size) { settings.size = size; }
void SetTextWeight(int weight) { settings.weight = weight; }
void SetTextFace(const char*, int) {}  // always the Gothic face found at start
void SetTextStyle(int style) { settings.style = style; }

int MeasureText(const char* text, int length, int) {
    TTF_Font* font = CurrentFont();
    if (!font || !text) return 0;
    static std::string utf8;
    ToUtf8(text, length, &utf8);
    int w = 0, h = 0;
    if (utf8.empty() || TTF_SizeUTF8(font, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

void DrawText(int x, int y, const char* text, int colour, int) {
    if (!runtimeSettings.drawingEnabled || !text || !text[0]) return;
    SDL_Surface* line = LineSurface(text, colour & 0xFFFFFF);
    if (!line) return;
    SDL_LockSurface(line);
    BlendPixelsOnto(x, y, static_cast<const uint32_t*>(line->pixels), line->pitch / 4, line->w,
                    line->h);
    SDL_UnlockSurface(line);
}

bool RenderTextLine(const char* text, int colour, std::vector<uint32_t>* pixels, int* width,
                    int* height) {
    if (!text || !text[0]) return false;
    SDL_Surface* line = LineSurface(text, colour & 0xFFFFFF);
    if (!line) return false;
    SDL_LockSurface(line);
    *width = line->w;
    *height = line->h;
    pixels->resize(size_t(line->w) * line->h);
    for (int y = 0; y < line->h; ++y)
        std::memcpy(pixels->data() + size_t(y) * line->w,
                    static_cast<const uint8_t*>(line->pixels) + size_t(y) * line->pitch,
                    size_t(line->w) * sizeof(uint32_t));
    SDL_UnlockSurface(line);
    return true;
}
