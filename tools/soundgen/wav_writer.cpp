// 16-bit PCM WAV writer (RIFF, one fmt and one data chunk) and the atomic file write.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "audio_files.h"
#include "synth.h"

namespace soundgen {

namespace {

void Put16(std::vector<unsigned char>& b, uint32_t v) {
    b.push_back((unsigned char)(v & 0xff));
    b.push_back((unsigned char)((v >> 8) & 0xff));
}

void Put32(std::vector<unsigned char>& b, uint32_t v) {
    Put16(b, v & 0xffff);
    Put16(b, v >> 16);
}

void PutTag(std::vector<unsigned char>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::string temp = path + ".part";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        std::remove(temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

bool WriteWav(const std::string& path, const std::vector<float>& samples) {
    const uint32_t dataBytes = (uint32_t)samples.size() * 2;
    std::vector<unsigned char> b;
    b.reserve(44 + dataBytes);
    PutTag(b, "RIFF");
    Put32(b, 36 + dataBytes);
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);          // PCM
    Put16(b, 1);          // mono
    Put32(b, kRate);
    Put32(b, kRate * 2);  // bytes per second
    Put16(b, 2);          // block align
    Put16(b, 16);         // bits per sample
    PutTag(b, "data");
    Put32(b, dataBytes);
    for (float x : samples) {
        long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
        Put16(b, (uint32_t)(uint16_t)(int16_t)v);
    }
    return WriteFileAtomically(path, b);
}

}  // namespace soundgen
