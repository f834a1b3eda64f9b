// Pictures and sounds measured from their headers, for runs that never draw or sound.
#include <cstdio>
#include <cstring>

#include "runtime/files.h"
#include "runtime/runtime_internal.h"

namespace {

uint32_t BigEndian32(const unsigned char* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint32_t LittleEndian32(const unsigned char* p) {
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}
uint32_t LittleEndian16(const unsigned char* p) { return uint32_t(p[1]) << 8 | p[0]; }

struct File {
    explicit File(const std::string& path) : f(OpenRegularFile(path.c_str())) {}
    ~File() {
        if (f) std::fclose(f);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool Read(void* into, size_t n) { return f && std::fread(into, 1, n, f) == n; }
    bool Skip(uint32_t n) { return f && std::fseek(f, long(n), SEEK_CUR) == 0; }
    FILE* f;
};

}  // namespace

// The signature, then the IHDR chunk, which a PNG must put first.
bool ReadPngSize(const std::string& path, int* width, int* height) {
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char head[24];
    File file(path);
    if (!file.Read(head, sizeof head)) return false;
    if (std::memcmp(head, kSignature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) return false;
    const uint32_t w = BigEndian32(head + 16), h = BigEndian32(head + 20);
    // refused as the decoder refuses them: an empty picture or one too large to use
    if (w == 0 || h == 0 || w > uint32_t(kMaxPictureSide) || h > uint32_t(kMaxPictureSide)) return false;
    *width = int(w);
    *height = int(h);
    return true;
}

// Walks the RIFF chunks to "fmt " and "data"; the length counts whole sample frames,
// as the decoder does.
bool ReadWavMillis(const std::string& path, int* millis) {
    unsigned char riff[12];
    File file(path);
    if (!file.Read(riff, sizeof riff)) return false;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return false;
    uint32_t rate = 0, frameBytes = 0;
    for (;;) {
        unsigned char chunk[8];
        if (!file.Read(chunk, sizeof chunk)) return false;
        const uint32_t size = LittleEndian32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fmt[16];
            if (size < sizeof fmt || !file.Read(fmt, sizeof fmt)) return false;
            rate = LittleEndian32(fmt + 4);
            frameBytes = LittleEndian16(fmt + 12);  // block align
            if (!file.Skip(size - sizeof fmt + (size & 1))) return false;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (rate == 0 || frameBytes == 0) return false;
            *millis = int(int64_t(size / frameBytes) * 1000 / rate);
            return true;
        } else if (!file.Skip(size + (size & 1))) {
            return false;
        }
    }
}
