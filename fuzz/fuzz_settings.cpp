// Fuzzes the settings reader: "config.dat" of any length and contents.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz_files.h"
#include "shell/save_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = FuzzFilePath("config.dat");
    if (!WriteFuzzFile(path, data, size)) return 0;
    configFileName = path.c_str();
    screenModeSetting = difficultySetting = -7;
    ReadConfig();
    // two little-endian words at most; a word the file cannot supply whole is 0
    int32_t words[2] = {0, 0};
    std::memcpy(words, data, size < 8 ? size / 4 * 4 : 8);
    if (screenModeSetting != words[0] || difficultySetting != words[1]) __builtin_trap();
    return 0;
}
