// Scratch files for the fuzzers that feed the game's file readers: one per process,
// removed when the fuzzer exits.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string& FuzzScratchPath() {
    static std::string path;
    return path;
}

inline void RemoveFuzzScratch() {
    std::remove(FuzzScratchPath().c_str());  // the save writer leaves no temporary behind
}

inline std::string FuzzFilePath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    FuzzScratchPath() =
        std::string(dir && *dir ? dir : "/tmp") + "/zorbex-fuzz-" + std::to_string(getpid()) + "-" + name;
    std::atexit(RemoveFuzzScratch);
    return FuzzScratchPath();
}

inline bool WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}
