// Drawing library: pixels, masks, lit shading, outlines, hit flash, noise, PNG output.
#include "canvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

Rgb Mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    auto m = [t](uint8_t p, uint8_t q) { return uint8_t(std::lround(p + (q - p) * t)); };
    return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb Scale(Rgb a, float f) {
    auto s = [f](uint8_t p) { return uint8_t(std::clamp(int(std::lround(p * f)), 0, 255)); };
    return Rgb{s(a.r), s(a.g), s(a.b)};
}

bool IsNearKey(Rgb c) { return c.r < 64 && c.g > 191 && c.b < 64; }

Rgb Ramp::operator[](int i) const {
    if (c.empty()) return Rgb{};
    return c[std::clamp(i, 0, int(c.size()) - 1)];
}

Canvas::Canvas(int width, int height) : w(width), h(height), px(size_t(width) * height), on(size_t(width) * height) {}

void Canvas::Set(int x, int y, Rgb c) {
    if (!In(x, y)) return;
    px[y * w + x] = c;
    on[y * w + x] = 1;
}

void Canvas::Clear(int x, int y) {
    if (In(x, y)) on[y * w + x] = 0;
}

void Canvas::Fill(Rgb c) {
    std::fill(px.begin(), px.end(), c);
    std::fill(on.begin(), on.end(), 1);
}

void Canvas::FillRect(int x, int y, int rw, int rh, Rgb c) {
    for (int j = y; j < y + rh; ++j)
        for (int i = x; i < x + rw; ++i) Set(i, j, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void Canvas::AddLight(int x, int y, Rgb c, float amount) {
    if (!Opaque(x, y) || amount <= 0) return;
    Rgb& p = px[y * w + x];
    auto a = [amount](uint8_t base, uint8_t add) {
        return uint8_t(std::min(255, int(base + add * amount)));
    };
    p = Rgb{a(p.r, c.r), a(p.g, c.g), a(p.b, c.b)};
}

void Canvas::Blit(const Canvas& src, int x, int y) { BlitRegion(src, 0, 0, src.w, src.h, x, y); }

void Canvas::BlitRegion(const Canvas& src, int sx, int sy, int sw, int sh, int x, int y) {
    for (int j = 0; j < sh; ++j)
        for (int i = 0; i < sw; ++i)
            if (src.Opaque(sx + i, sy + j)) Set(x + i, y + j, src.Get(sx + i, sy + j));
}

Canvas Canvas::Crop(int x, int y, int cw, int ch) const {
    Canvas out(cw, ch);
    out.BlitRegion(*this, x, y, cw, ch, 0, 0);
    return out;
}

Canvas Canvas::FlipX() const {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (Opaque(x, y)) out.Set(w - 1 - x, y, Get(x, y));
    return out;
}

Canvas Canvas::FlipY() const {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (Opaque(x, y)) out.Set(x, h - 1 - y, Get(x, y));
    return out;
}

Canvas Canvas::Rotate(float degrees) const {
    Canvas out(w, h);
    float a = degrees * 3.14159265f / 180.0f, c = std::cos(a), s = std::sin(a);
    float cx = w * 0.5f, cy = h * 0.5f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            // screen y grows downward: counter-clockwise on screen
            float sx = c * dx - s * dy + cx, sy = s * dx + c * dy + cy;
            int ix = int(std::floor(sx)), iy = int(std::floor(sy));
            if (Opaque(ix, iy)) out.Set(x, y, Get(ix, iy));
        }
    return out;
}

Canvas Canvas::ScaleNearest(int nw, int nh) const {
    Canvas out(nw, nh);
    for (int y = 0; y < nh; ++y)
        for (int x = 0; x < nw; ++x) {
            int sx = x * w / nw, sy = y * h / nh;
            if (Opaque(sx, sy)) out.Set(x, y, Get(sx, sy));
        }
    return out;
}

Mask::Mask(int width, int height) : w(width), h(height), m(size_t(width) * height) {}

void Mask::Put(int x, int y, bool v) {
    if (x >= 0 && y >= 0 && x < w && y < h) m[y * w + x] = v ? 1 : 0;
}

void Mask::Ellipse(float cx, float cy, float rx, float ry, bool v) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = std::max(0, int(cx - rx - 1)), x1 = std::min(w - 1, int(cx + rx + 1));
    int y0 = std::max(0, int(cy - ry - 1)), y1 = std::min(h - 1, int(cy + ry + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) m[y * w + x] = v;
        }
}

void Mask::Rect(float x, float y, float rw, float rh, bool v) {
    for (int j = 0; j < h; ++j) {
        if (j + 0.5f < y || j + 0.5f > y + rh) continue;
        for (int i = 0; i < w; ++i)
            if (i + 0.5f >= x && i + 0.5f <= x + rw) m[j * w + i] = v;
    }
}

void Mask::RoundRect(float x, float y, float rw, float rh, float r, bool v) {
    r = std::min({r, rw * 0.5f, rh * 0.5f});
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            float px = i + 0.5f, py = j + 0.5f;
            if (px < x || px > x + rw || py < y || py > y + rh) continue;
            float qx = std::max({x + r - px, 0.0f, px - (x + rw - r)});
            float qy = std::max({y + r - py, 0.0f, py - (y + rh - r)});
            if (qx * qx + qy * qy <= r * r) m[j * w + i] = v;
        }
}

void Mask::Poly(const std::vector<float>& xy, bool v) {
    int n = int(xy.size() / 2);
    if (n < 3) return;
    for (int j = 0; j < h; ++j) {
        float py = j + 0.5f;
        std::vector<float> xs;
        for (int k = 0; k < n; ++k) {
            float ax = xy[2 * k], ay = xy[2 * k + 1];
            float bx = xy[2 * ((k + 1) % n)], by = xy[2 * ((k + 1) % n) + 1];
            if ((ay <= py && by > py) || (by <= py && ay > py))
                xs.push_back(ax + (py - ay) / (by - ay) * (bx - ax));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int i = std::max(0, int(std::ceil(xs[k] - 0.5f))); i < w && i + 0.5f <= xs[k + 1]; ++i)
                m[j * w + i] = v;
    }
}

void Mask::Capsule(float x0, float y0, float x1, float y1, float r, bool v) {
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    int ix0 = std::max(0, int(std::min(x0, x1) - r - 1)), ix1 = std::min(w - 1, int(std::max(x0, x1) + r + 1));
    int iy0 = std::max(0, int(std::min(y0, y1) - r - 1)), iy1 = std::min(h - 1, int(std::max(y0, y1) + r + 1));
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
            float ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) m[y * w + x] = v;
        }
}

void Mask::Ring(float cx, float cy, float r0, float r1, bool v) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy, d = std::sqrt(dx * dx + dy * dy);
            if (d >= r0 && d <= r1) m[y * w + x] = v;
        }
}

void Mask::Or(const Mask& o) {
    for (size_t i = 0; i < m.size() && i < o.m.size(); ++i) m[i] |= o.m[i];
}
void Mask::AndNot(const Mask& o) {
    for (size_t i = 0; i < m.size() && i < o.m.size(); ++i)
        if (o.m[i]) m[i] = 0;
}
void Mask::Intersect(const Mask& o) {
    for (size_t i = 0; i < m.size() && i < o.m.size(); ++i) m[i] = m[i] && o.m[i];
}

static std::vector<float> InsideDistance(const Mask& mk);

Mask Mask::Dilated(int radius) const {
    Mask inv(w, h);
    for (size_t i = 0; i < m.size(); ++i) inv.m[i] = !m[i];
    // outside pixels within `radius` of the shape join it (the border counts as outside, so
    // measure on a padded copy)
    Mask pad(w + 2 * radius + 2, h + 2 * radius + 2);
    for (int y = 0; y < pad.h; ++y)
        for (int x = 0; x < pad.w; ++x) {
            int sx = x - radius - 1, sy = y - radius - 1;
            pad.m[y * pad.w + x] = !(sx >= 0 && sy >= 0 && sx < w && sy < h && m[sy * w + sx]);
        }
    std::vector<float> d = InsideDistance(pad);
    Mask out(w, h);
    float lim = float(radius) + 0.5f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.m[y * w + x] = m[y * w + x] || d[(y + radius + 1) * pad.w + x + radius + 1] <= lim;
    return out;
}

Mask Mask::Eroded(int radius) const {
    std::vector<float> d = InsideDistance(*this);
    Mask out(w, h);
    for (size_t i = 0; i < m.size(); ++i) out.m[i] = m[i] && d[i] > float(radius) + 0.5f;
    return out;
}

int Mask::Count() const {
    int n = 0;
    for (uint8_t v : m) n += v;
    return n;
}

// Exact squared distance transform along one line (Felzenszwalb and Huttenlocher).
static void Edt1(const double* f, double* d, int n, std::vector<int>& v, std::vector<double>& z) {
    const double inf = 1e30;
    int k = 0;
    v[0] = 0;
    z[0] = -inf;
    z[1] = inf;
    for (int q = 1; q < n; ++q) {
        double s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
        while (s <= z[k]) {
            --k;
            s = ((f[q] + double(q) * q) - (f[v[k]] + double(v[k]) * v[k])) / (2.0 * q - 2.0 * v[k]);
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = inf;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) ++k;
        double dq = double(q - v[k]);
        d[q] = dq * dq + f[v[k]];
    }
}

// Distance of each inside pixel to the nearest outside pixel (the border counts as outside).
static std::vector<float> InsideDistance(const Mask& mk) {
    int W = mk.w + 2, H = mk.h + 2;
    const double inf = 1e12;
    std::vector<double> g(size_t(W) * H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) g[y * W + x] = mk.At(x - 1, y - 1) ? inf : 0.0;
    int n = std::max(W, H);
    std::vector<double> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (int x = 0; x < W; ++x) {
        for (int y = 0; y < H; ++y) f[y] = g[y * W + x];
        Edt1(f.data(), d.data(), H, v, z);
        for (int y = 0; y < H; ++y) g[y * W + x] = d[y];
    }
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) f[x] = g[y * W + x];
        Edt1(f.data(), d.data(), W, v, z);
        for (int x = 0; x < W; ++x) g[y * W + x] = d[x];
    }
    std::vector<float> out(size_t(mk.w) * mk.h);
    for (int y = 0; y < mk.h; ++y)
        for (int x = 0; x < mk.w; ++x) out[y * mk.w + x] = float(std::sqrt(g[(y + 1) * W + x + 1]));
    return out;
}

float Bayer(int x, int y) {
    static const int b[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
    return (float(b[(y & 3) * 4 + (x & 3)]) + 0.5f) / 16.0f;
}

void Shade(Canvas& cv, const Mask& mask, const Ramp& ramp, const ShadeOpts& o) {
    std::vector<float> dist = InsideDistance(mask);
    int W = mask.w, H = mask.h;
    float R = std::max(o.bevel, 0.5f);
    auto height = [&](int x, int y) {
        if (!mask.At(x, y)) return 0.0f;
        float t = std::min(dist[y * W + x], R) / R;
        return std::sqrt(std::max(0.0f, 1.0f - (1.0f - t) * (1.0f - t))) * R;
    };
    float lx = o.lightX, ly = o.lightY, lz = 0.75f;
    float ll = std::sqrt(lx * lx + ly * ly + lz * lz);
    lx /= ll, ly /= ll, lz /= ll;
    int top = H, bottom = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (mask.At(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
    int n = ramp.Size();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (!mask.At(x, y)) continue;
            float gx = (height(x + 1, y) - height(x - 1, y)) * 0.5f;
            float gy = (height(x, y + 1) - height(x, y - 1)) * 0.5f;
            float nx = -gx, ny = -gy, nz = 1.0f;
            float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            float lit = (nx * lx + ny * ly + nz * lz) / nl;
            float t = o.ambient + o.diffuse * std::max(0.0f, lit) - o.ambient * 0.4f;
            if (o.gradient != 0 && bottom > top) t -= o.gradient * float(y - top) / float(bottom - top);
            float f = t * float(n - 1) + (Bayer(x, y) - 0.5f) * o.dither;
            int i = int(std::floor(f + 0.5f));
            if (o.specular > 0 && lit > 1.0f - o.specular && dist[y * W + x] > 0.9f) i = n - 1;
            i = std::clamp(i, o.minTone, n - 1);
            cv.Set(x, y, ramp[i]);
        }
}

void Paint(Canvas& cv, const Mask& mask, Rgb c) {
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x)
            if (mask.At(x, y)) cv.Set(x, y, c);
}

void Outline(Canvas& cv, Rgb c) {
    std::vector<uint8_t> add(cv.on.size());
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) {
            if (cv.on[y * cv.w + x]) continue;
            if (cv.Opaque(x - 1, y) || cv.Opaque(x + 1, y) || cv.Opaque(x, y - 1) || cv.Opaque(x, y + 1))
                add[y * cv.w + x] = 1;
        }
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x)
            if (add[y * cv.w + x]) cv.Set(x, y, c);
}

void InnerEdge(Canvas& cv, const Mask& mask, Rgb c) {
    for (int y = 0; y < mask.h; ++y)
        for (int x = 0; x < mask.w; ++x) {
            if (!mask.At(x, y)) continue;
            if (!mask.At(x - 1, y) || !mask.At(x + 1, y) || !mask.At(x, y - 1) || !mask.At(x, y + 1))
                cv.Set(x, y, c);
        }
}

// The sprite lit up by a hit: every tone lifted towards a warm white with its
// contrast kept (so every detail still reads), and a hot rim on the silhouette.
Canvas FlashOf(const Canvas& cell) {
    const Rgb rim = MakeRgb(255, 236, 190);
    Canvas out(cell.w, cell.h);
    auto lift = [](int v, int warm) {
        int l = 40 + v * 125 / 100 + warm;
        return l > 255 ? 255 : l;
    };
    for (int y = 0; y < cell.h; ++y)
        for (int x = 0; x < cell.w; ++x) {
            if (!cell.Opaque(x, y)) continue;
            bool edge = !cell.Opaque(x - 1, y) || !cell.Opaque(x + 1, y) || !cell.Opaque(x, y - 1) ||
                        !cell.Opaque(x, y + 1);
            Rgb c = cell.Get(x, y);
            out.Set(x, y, edge ? rim : MakeRgb(lift(c.r, 14), lift(c.g, 6), lift(c.b, -10)));
        }
    return out;
}

void AddFlashRow(Canvas& sheet, int cellH) {
    Canvas top = sheet.Crop(0, 0, sheet.w, cellH);
    Canvas f = FlashOf(top);
    for (int y = cellH; y < 2 * cellH && y < sheet.h; ++y)
        for (int x = 0; x < sheet.w; ++x) sheet.Clear(x, y);
    sheet.Blit(f, 0, cellH);
}

uint32_t Rng::Next() {
    s += 0x9E3779B97F4A7C15ull;
    uint64_t z = s;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 16);
}

static float Hash2(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float Noise2(float x, float y, uint32_t seed) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = Hash2(ix, iy, seed), b = Hash2(ix + 1, iy, seed);
    float c = Hash2(ix, iy + 1, seed), d = Hash2(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float Fbm(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise2(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        x *= 2.03f;
        y *= 2.03f;
        amp *= 0.5f;
    }
    return sum / norm;
}

bool WritePng(const std::string& path, const Canvas& cv, std::string* err) {
    std::vector<uint8_t> rows(size_t(cv.w) * cv.h * 3);
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) {
            Rgb c = cv.on[y * cv.w + x] ? cv.Get(x, y) : MakeRgb(0, 255, 0);
            if (cv.on[y * cv.w + x] && IsNearKey(c)) {
                char buf[160];
                std::snprintf(buf, sizeof buf, "%s: colour (%d, %d, %d) at (%d, %d) is too close to the key",
                              path.c_str(), c.r, c.g, c.b, x, y);
                *err = buf;
                return false;
            }
            uint8_t* p = &rows[(size_t(y) * cv.w + x) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        *err = "cannot write " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        *err = "libpng failed on " + path;
        return false;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, png_uint_32(cv.w), png_uint_32(cv.h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < cv.h; ++y) png_write_row(png, &rows[size_t(y) * cv.w * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
