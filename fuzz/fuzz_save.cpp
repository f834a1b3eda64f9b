// Fuzzes the save reader with any "zorbexG.dat", then ranks a score into the table
// it gave and writes it back.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_files.h"
#include "shell/game.h"
#include "shell/save_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = FuzzFilePath("zorbexG.dat");
    if (!WriteFuzzFile(path, data, size)) return 0;
    saveFileName = path.c_str();
    ReadSaveFile();
    int32_t read[20] = {};
    std::memcpy(read, data, size < sizeof read ? size / 4 * 4 : sizeof read);
    if (std::memcmp(highScores, read, 40) != 0 || std::memcmp(highScoreStages, read + 10, 40) != 0)
        __builtin_trap();

    // a score taken from the end of the input, ranked into whatever the file held
    score = 0;
    if (size >= 4) std::memcpy(&score, data + size - 4, 4);
    stageNumber = size > 0 ? data[0] % 28 + 1 : 1;
    InsertRanking();
    if (newRankIndex != 9999 && (newRankIndex < 0 || newRankIndex > 9 || highScores[newRankIndex] != score))
        __builtin_trap();
    WriteSaveFile();
    ReadSaveFile();
    return 0;
}
