// Drawing library of the picture generator: canvases, shape masks, shading, outlines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One colour; alpha is 0 (transparent) or 255 (opaque) in finished pictures.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

constexpr Rgb MakeRgb(int r, int g, int b) {
    return Rgb{uint8_t(r), uint8_t(g), uint8_t(b)};
}
Rgb Mix(Rgb a, Rgb b, float t);
Rgb Scale(Rgb a, float f);
// Pure green is the transparent key; these colours would read as key fringes.
bool IsNearKey(Rgb c);

// A ramp runs from darkest to lightest; shading picks along it.
struct Ramp {
    std::vector<Rgb> c;
    Rgb operator[](int i) const;
    int Size() const { return int(c.size()); }
};

struct Canvas {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    std::vector<uint8_t> on;  // 1 = opaque pixel

    Canvas() = default;
    Canvas(int width, int height);
    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    bool Opaque(int x, int y) const { return In(x, y) && on[y * w + x]; }
    // outside the canvas reads as black, so a stroke that runs off an edge stays safe
    Rgb Get(int x, int y) const { return In(x, y) ? px[y * w + x] : Rgb{}; }
    void Set(int x, int y, Rgb c);
    void Clear(int x, int y);
    void Fill(Rgb c);
    void FillRect(int x, int y, int rw, int rh, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);
    // Adds light to opaque pixels only (glows never create pixels over the key).
    void AddLight(int x, int y, Rgb c, float amount);
    // Copies the opaque pixels of src with its top-left at (x, y).
    void Blit(const Canvas& src, int x, int y);
    void BlitRegion(const Canvas& src, int sx, int sy, int sw, int sh, int x, int y);
    Canvas Crop(int x, int y, int cw, int ch) const;
    Canvas FlipX() const;
    Canvas FlipY() const;
    // Nearest-neighbour rotation about the centre, degrees counter-clockwise.
    Canvas Rotate(float degrees) const;
    Canvas ScaleNearest(int nw, int nh) const;
};

// A coverage mask that shapes are painted into before shading.
struct Mask {
    int w = 0, h = 0;
    std::vector<uint8_t> m;

    Mask() = default;
    Mask(int width, int height);
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && m[y * w + x]; }
    void Put(int x, int y, bool v);
    // Shapes, sampled at pixel centres. v = false cuts the shape out.
    void Ellipse(float cx, float cy, float rx, float ry, bool v = true);
    void Circle(float cx, float cy, float r, bool v = true) { Ellipse(cx, cy, r, r, v); }
    void Rect(float x, float y, float rw, float rh, bool v = true);
    void RoundRect(float x, float y, float rw, float rh, float r, bool v = true);
    void Poly(const std::vector<float>& xy, bool v = true);
    void Capsule(float x0, float y0, float x1, float y1, float r, bool v = true);
    // Band between two ellipses (a ring).
    void Ring(float cx, float cy, float r0, float r1, bool v = true);
    void Or(const Mask& o);
    void AndNot(const Mask& o);
    void Intersect(const Mask& o);
    Mask Dilated(int radius) const;
    Mask Eroded(int radius) const;
    int Count() const;
};

struct ShadeOpts {
    float bevel = 3.0f;      // width of the rounded rim in pixels
    float lightX = -0.55f;   // light from the top left, toward the viewer
    float lightY = -0.65f;
    float ambient = 0.30f;
    float diffuse = 0.75f;
    float gradient = 0.0f;   // extra darkening from top to bottom of the mask box
    float dither = 0.3f;     // 0 = hard bands, 1 = wide ordered dither between tones
    float specular = 0.0f;   // > 0: brightest tone where lighting exceeds 1 - specular
    int minTone = 0;         // keep off the darkest tones (they belong to outlines)
};

// Fills the mask with tones of the ramp, lit from the top left.
void Shade(Canvas& cv, const Mask& mask, const Ramp& ramp, const ShadeOpts& o = {});
// Flat fill of a mask.
void Paint(Canvas& cv, const Mask& mask, Rgb c);
// Ordered dither value in [0, 1) for a pixel (4 x 4 Bayer).
float Bayer(int x, int y);
// Paints a mask with tones chosen per pixel by a function of (x, y) in [0, 1].
template <class F>
void PaintTone(Canvas& cv, const Mask& mask, const Ramp& ramp, F tone, float dither = 0.5f);

// One-pixel outline around every opaque pixel (4-neighbourhood).
void Outline(Canvas& cv, Rgb c);
// Darkens the opaque pixels just inside the border of `mask` (an inner line).
void InnerEdge(Canvas& cv, const Mask& mask, Rgb c);

// The hit-flash look: the same cell lit up, details kept, with a hot rim.
Canvas FlashOf(const Canvas& cell);
// Fills row 1 of a sheet from row 0 (cells of height cellH).
void AddFlashRow(Canvas& sheet, int cellH);

// Small deterministic generator: same seed, same pictures.
struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next();
    int Upto(int n) { return n <= 0 ? 0 : int(Next() % uint32_t(n + 1)); }
    float Unit() { return float(Next() & 0xFFFFFF) / float(0x1000000); }
    float Range(float a, float b) { return a + (b - a) * Unit(); }
};

// Smooth value noise in [0, 1], periodic in nothing; `seed` picks the field.
float Noise2(float x, float y, uint32_t seed);
float Fbm(float x, float y, uint32_t seed, int octaves);

// Writes an RGB PNG with the key colour for transparent pixels. Fails on near-key colours.
bool WritePng(const std::string& path, const Canvas& cv, std::string* err);

template <class F>
void PaintTone(Canvas& cv, const Mask& mask, const Ramp& ramp, F tone, float dither) {
    int n = ramp.Size();
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x) {
            if (!mask.At(x, y)) continue;
            float t = tone(x, y);
            float f = t * float(n - 1) + (Bayer(x, y) - 0.5f) * dither;
            int i = int(f + 0.5f);
            if (i < 0) i = 0;
            if (i > n - 1) i = n - 1;
            cv.Set(x, y, ramp[i]);
        }
}
