// Software drawing onto the 640 x 480 back buffer: keyed copy, tint and alpha blend
// for plain, partial, stretched and rotated pictures, dots and the clear.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "runtime/media.h"
#include "runtime/runtime_internal.h"

uint32_t backBuffer[ScreenWidth * ScreenHeight];

namespace {

// Drawing state that persists until the game changes it.
struct DrawState {
    int blendMode = 0;
    int blendParam = 255;
    int tintR = 255, tintG = 255, tintB = 255;
    uint32_t colorKey = 0x00FF00;
};
DrawState state;

// Factors scaled to 0..256 so that the mixes are shifts; 255 maps to exactly 256.
struct Ops {
    uint32_t tintR, tintG, tintB;
    uint32_t alpha;
};

constexpr uint32_t Scale256(int v) { return uint32_t(v + (v >> 7)); }

// One pixel: source s drawn over target t. Branch-free so that the row loops vectorise.
template <bool Keyed, bool Tint, bool Blend>
struct Pix {
    static inline uint32_t Mix(uint32_t s, uint32_t t, const Ops& o) {
        uint32_t c = s;
        if constexpr (Tint) {
            const uint32_t r = (((c >> 16) & 0xFF) * o.tintR) >> 8;
            const uint32_t g = (((c >> 8) & 0xFF) * o.tintG) >> 8;
            const uint32_t b = ((c & 0xFF) * o.tintB) >> 8;
            c = (r << 16) | (g << 8) | b;
        }
        if constexpr (Blend) {
            const uint32_t a = o.alpha, na = 256 - a;
            const uint32_t rb = (((c & 0xFF00FFu) * a + (t & 0xFF00FFu) * na) >> 8) & 0xFF00FFu;
            const uint32_t g = (((c & 0x00FF00u) * a + (t & 0x00FF00u) * na) >> 8) & 0x00FF00u;
            c = rb | g;
        }
        c |= 0xFF000000u;
        if constexpr (Keyed) c = (s >> 24) ? c : t;
        return c;
    }
};

template <class P>
void Row(uint32_t* __restrict d, const uint32_t* __restrict s, int n, Ops o) {
    for (int i = 0; i < n; ++i) d[i] = P::Mix(s[i], d[i], o);
}

template <class P>
void RowMirrored(uint32_t* __restrict d, const uint32_t* __restrict s, int n, Ops o) {
    for (int i = 0; i < n; ++i) d[i] = P::Mix(s[n - 1 - i], d[i], o);
}

// A row of one colour: a one-colour picture drawn at any size.
template <class P>
void RowOfColour(uint32_t* __restrict d, uint32_t colour, int n, Ops o) {
    for (int i = 0; i < n; ++i) d[i] = P::Mix(colour, d[i], o);
}

// Nearest sampling along a row in 32.32 fixed point.
template <class P>
void RowStretched(uint32_t* __restrict d, const uint32_t* __restrict s, int n, uint64_t fx,
                  uint64_t step, Ops o) {
    for (int i = 0; i < n; ++i, fx += step) d[i] = P::Mix(s[fx >> 32], d[i], o);
}

// A row of a turned picture: (u, v) walks through the picture in 32.32 fixed point and
// the caller has already cut the row to where it stays inside.
template <class P>
void RowTurned(uint32_t* __restrict d, const uint32_t* __restrict pixels, int stride, int n,
               int64_t u, int64_t v, int64_t du, int64_t dv, int mirrorWidth, Ops o) {
    if (mirrorWidth > 0) {
        for (int i = 0; i < n; ++i, u += du, v += dv)
            d[i] = P::Mix(pixels[(v >> 32) * stride + (mirrorWidth - 1 - (u >> 32))], d[i], o);
    } else {
        for (int i = 0; i < n; ++i, u += du, v += dv)
            d[i] = P::Mix(pixels[(v >> 32) * stride + (u >> 32)], d[i], o);
    }
}

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Narrows [lo, hi) to the steps t where 0 <= a + t * da < limit.
void CutToInside(int64_t a, int64_t da, int64_t limit, int64_t* lo, int64_t* hi) {
    if (da == 0) {
        if (a < 0 || a >= limit) *hi = *lo;
        return;
    }
    int64_t first, end;
    if (da > 0) {
        first = FloorDiv(-a + da - 1, da);         // ceil(-a / da)
        end = FloorDiv(limit - a + da - 1, da);    // ceil((limit - a) / da)
    } else {
        first = FloorDiv(a - limit, -da) + 1;      // a + t da < limit
        end = FloorDiv(a, -da) + 1;                // a + t da >= 0
    }
    *lo = std::max(*lo, first);
    *hi = std::min(*hi, end);
}

// Runs fn.template operator()<Pix<...>>() for the current state; false when nothing
// would show (fully transparent blend).
template <class Fn>
bool WithPixelMode(bool keyed, Ops* ops, Fn&& fn) {
    const bool tint = state.tintR != 255 || state.tintG != 255 || state.tintB != 255;
    const bool blend = state.blendMode == 1 && state.blendParam < 255;
    if (state.blendMode == 1 && state.blendParam == 0) return false;
    ops->tintR = Scale256(state.tintR);
    ops->tintG = Scale256(state.tintG);
    ops->tintB = Scale256(state.tintB);
    ops->alpha = Scale256(state.blendParam);
    switch ((keyed ? 1 : 0) | (tint ? 2 : 0) | (blend ? 4 : 0)) {
        case 0: fn.template operator()<Pix<false, false, false>>(); break;
        case 1: fn.template operator()<Pix<true, false, false>>(); break;
        case 2: fn.template operator()<Pix<false, true, false>>(); break;
        case 3: fn.template operator()<Pix<true, true, false>>(); break;
        case 4: fn.template operator()<Pix<false, false, true>>(); break;
        case 5: fn.template operator()<Pix<true, false, true>>(); break;
        case 6: fn.template operator()<Pix<false, true, true>>(); break;
        default: fn.template operator()<Pix<true, true, true>>(); break;
    }
    return true;
}

bool CanDraw() { return runtimeSettings.drawingEnabled; }

// Draws columns [sx, sx + w) and rows [sy, sy + h) of the view at (x, y), mirrored when
// flip is set, after cutting away whatever lies outside the picture or the screen.
void BlitRegion(int64_t x, int64_t y, int64_t sx, int64_t sy, int64_t w, int64_t h,
                const ImageView& v, bool keyed, bool flip) {
    // source side: parts of the region outside the cell draw nothing
    if (sx < 0) {
        if (!flip) x -= sx;
        w += sx;
        sx = 0;
    }
    if (sx + w > v.width) {
        const int64_t cut = sx + w - v.width;
        if (flip) x += cut;
        w -= cut;
    }
    if (sy < 0) {
        y -= sy;
        h += sy;
        sy = 0;
    }
    if (sy + h > v.height) h = v.height - sy;
    // screen side
    if (x < 0) {
        if (!flip) sx -= x;
        w += x;
        x = 0;
    }
    if (x + w > ScreenWidth) {
        const int64_t cut = x + w - ScreenWidth;
        if (flip) sx += cut;
        w -= cut;
    }
    if (y < 0) {
        sy -= y;
        h += y;
        y = 0;
    }
    if (y + h > ScreenHeight) h = ScreenHeight - y;
    if (w <= 0 || h <= 0) return;

    Ops ops;
    // a picture without a transparent pixel draws the same keyed or not
    WithPixelMode(keyed && !v.opaque, &ops, [&]<class P>() {
        const int n = int(w);
        for (int64_t row = 0; row < h; ++row) {
            uint32_t* d = backBuffer + (y + row) * ScreenWidth + x;
            const uint32_t* s = v.pixels + (sy + row) * v.stride + sx;
            // opaque pixels already carry alpha 0xFF: a plain draw of them is a copy
            if constexpr (std::is_same_v<P, Pix<false, false, false>>) {
                if (v.opaque && !flip) {
                    std::memcpy(d, s, size_t(n) * sizeof *d);
                    continue;
                }
            }
            if (flip)
                RowMirrored<P>(d, s, n, ops);
            else
                Row<P>(d, s, n, ops);
        }
    });
}

}  // namespace

uint32_t ColorKeyRgb() { return state.colorKey; }

void ResetDrawState() { state = DrawState(); }

void SetColorKey(int r, int g, int b) {
    state.colorKey = uint32_t(MakeColor(r, g, b)) & 0xFFFFFFu;
}

void SetBlend(int mode, int param) {
    state.blendMode = mode;
    state.blendParam = std::clamp(param, 0, 255);
}

void SetTint(int r, int g, int b) {
    state.tintR = std::clamp(r, 0, 255);
    state.tintG = std::clamp(g, 0, 255);
    state.tintB = std::clamp(b, 0, 255);
}

int MakeColor(int r, int g, int b) {
    return (std::clamp(r, 0, 255) << 16) | (std::clamp(g, 0, 255) << 8) | std::clamp(b, 0, 255);
}

void ClearBackBuffer() {
    if (!CanDraw()) return;
    std::fill(backBuffer, backBuffer + ScreenWidth * ScreenHeight, 0xFF000000u);
}

void DrawDot(int x, int y, int colour) {
    if (!CanDraw() || x < 0 || y < 0 || x >= ScreenWidth || y >= ScreenHeight) return;
    backBuffer[y * ScreenWidth + x] = uint32_t(colour) | 0xFF000000u;
}

void DrawImage(int x, int y, int handle, int transparent) {
    ImageView v;
    if (!CanDraw() || !GetImageView(handle, &v)) return;
    BlitRegion(x, y, 0, 0, v.width, v.height, v, transparent != 0, false);
}

void DrawImageRegion(int x, int y, int srcX, int srcY, int width, int height, int handle,
                     int transparent, int flip) {
    ImageView v;
    if (!CanDraw() || !GetImageView(handle, &v)) return;
    BlitRegion(x, y, srcX, srcY, width, height, v, transparent != 0, flip != 0);
}

void DrawImageStretched(int x1, int y1, int x2, int y2, int handle, int transparent) {
    ImageView v;
    if (!CanDraw() || !GetImageView(handle, &v)) return;
    const int64_t dw = int64_t(x2) - x1, dh = int64_t(y2) - y1;
    if (dw <= 0 || dh <= 0 || v.width <= 0 || v.height <= 0) return;
    const int64_t left = std::max<int64_t>(x1, 0), right = std::min<int64_t>(x2, ScreenWidth);
    const int64_t top = std::max<int64_t>(y1, 0), bottom = std::min<int64_t>(y2, ScreenHeight);
    if (left >= right || top >= bottom) return;
    // 32.32 fixed-point steps, sampling each target pixel at its centre (nearest)
    const uint64_t stepX = (uint64_t(v.width) << 32) / uint64_t(dw);
    const uint64_t stepY = (uint64_t(v.height) << 32) / uint64_t(dh);
    const uint64_t startX = stepX / 2 + stepX * uint64_t(left - x1);
    const uint64_t startY = stepY / 2 + stepY * uint64_t(top - y1);
    Ops ops;
    WithPixelMode(transparent != 0 && !v.opaque, &ops, [&]<class P>() {
        if (v.uniform) {
            for (int64_t py = top; py < bottom; ++py)
                RowOfColour<P>(backBuffer + py * ScreenWidth + left, v.colour, int(right - left), ops);
            return;
        }
        uint64_t fy = startY;
        for (int64_t py = top; py < bottom; ++py, fy += stepY)
            RowStretched<P>(backBuffer + py * ScreenWidth + left,
                            v.pixels + int64_t(fy >> 32) * v.stride, int(right - left), startX,
                            stepX, ops);
    });
}

void DrawImageRotated(int x, int y, int cx, int cy, double scale, double angle, int handle,
                      int transparent, int flip) {
    ImageView v;
    if (!CanDraw() || !GetImageView(handle, &v)) return;
    if (!(scale > 0.0) || !std::isfinite(scale) || !std::isfinite(angle)) return;
    if (v.width <= 0 || v.height <= 0) return;
    const double c = std::cos(angle), s = std::sin(angle);
    // screen box of the turned picture: y grows downward, so this turns clockwise
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    const double cornersX[4] = {-double(cx), double(v.width - cx), -double(cx), double(v.width - cx)};
    const double cornersY[4] = {-double(cy), -double(cy), double(v.height - cy), double(v.height - cy)};
    for (int k = 0; k < 4; ++k) {
        const double X = x + scale * (c * cornersX[k] - s * cornersY[k]);
        const double Y = y + scale * (s * cornersX[k] + c * cornersY[k]);
        minX = std::min(minX, X), maxX = std::max(maxX, X);
        minY = std::min(minY, Y), maxY = std::max(maxY, Y);
    }
    const int left = int(std::max(0.0, std::floor(minX)));
    const int right = int(std::min(double(ScreenWidth), std::ceil(maxX)));
    const int top = int(std::max(0.0, std::floor(minY)));
    const int bottom = int(std::min(double(ScreenHeight), std::ceil(maxY)));
    if (left >= right || top >= bottom) return;
    // inverse mapping in 32.32 fixed point: screen pixel centre -> picture coordinates
    constexpr double One = 4294967296.0;
    const double ux = c / scale, uy = -s / scale;  // picture step per screen pixel to the right
    const int64_t stepU = std::llround(ux * One), stepV = std::llround(uy * One);
    const int64_t limitU = int64_t(v.width) << 32, limitV = int64_t(v.height) << 32;
    Ops ops;
    WithPixelMode(transparent != 0, &ops, [&]<class P>() {
        for (int py = top; py < bottom; ++py) {
            const double dx = left + 0.5 - x, dy = py + 0.5 - y;
            const int64_t u = std::llround((cx + (c * dx + s * dy) / scale) * One);
            const int64_t w = std::llround((cy + (-s * dx + c * dy) / scale) * One);
            int64_t lo = 0, hi = right - left;
            CutToInside(u, stepU, limitU, &lo, &hi);
            CutToInside(w, stepV, limitV, &lo, &hi);
            if (lo >= hi) continue;
            RowTurned<P>(backBuffer + py * ScreenWidth + left + lo, v.pixels, v.stride,
                         int(hi - lo), u + lo * stepU, w + lo * stepV, stepU, stepV,
                         flip ? v.width : 0, ops);
        }
    });
}

void BlendPixelsOnto(int x, int y, const uint32_t* pixels, int stride, int width, int height) {
    if (!CanDraw() || (state.blendMode == 1 && state.blendParam == 0)) return;
    const uint32_t global = state.blendMode == 1 ? Scale256(state.blendParam) : 256;
    const int left = std::max(x, 0), right = std::min<int64_t>(int64_t(x) + width, ScreenWidth);
    const int top = std::max(y, 0), bottom = std::min<int64_t>(int64_t(y) + height, ScreenHeight);
    for (int py = top; py < bottom; ++py) {
        const uint32_t* s = pixels + int64_t(py - y) * stride;
        uint32_t* d = backBuffer + py * ScreenWidth;
        for (int px = left; px < right; ++px) {
            const uint32_t p = s[px - x];
            const uint32_t a = (Scale256(int(p >> 24)) * global) >> 8;
            if (a == 0) continue;
            const uint32_t na = 256 - a, t = d[px];
            const uint32_t rb = (((p & 0xFF00FFu) * a + (t & 0xFF00FFu) * na) >> 8) & 0xFF00FFu;
            const uint32_t g = (((p & 0x00FF00u) * a + (t & 0x00FF00u) * na) >> 8) & 0x00FF00u;
            d[px] = rb | g | 0xFF000000u;
        }
    }
}
