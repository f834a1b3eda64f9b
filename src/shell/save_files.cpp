// Settings and save files: little-endian int32 records read leniently.
#include "shell/save_files.h"

#include <unistd.h>

#include <cstdio>

#include "shell/game.h"

int32_t screenModeSetting;
int32_t difficultySetting;
int32_t highScores[10];
int32_t highScoreStages[10];

const char* configFileName = "config.dat";
const char* saveFileName = "zorbexG.dat";

static const int32_t kDefaultScores[10] = {10000, 9000, 8000, 7000, 6000,
                                           5000,  4000, 3000, 2000, 1000};

// Reads up to `count` int32 values; values the file is too short to supply stay 0.
static void ReadInts(FILE* f, int32_t* out, int count) {
    for (int i = 0; i < count; i++) {
        unsigned char b[4];
        out[i] = 0;
        if (std::fread(b, 1, 4, f) != 4) {
            for (int j = i + 1; j < count; j++) out[j] = 0;
            return;
        }
        out[i] = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                      static_cast<uint32_t>(b[2]) << 16 |
                                      static_cast<uint32_t>(b[3]) << 24);
    }
}

static bool WriteInts(FILE* f, const int32_t* in, int count) {
    for (int i = 0; i < count; i++) {
        uint32_t v = static_cast<uint32_t>(in[i]);
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        if (std::fwrite(b, 1, 4, f) != 4) return false;
    }
    return true;
}

void ReadConfig() {
    FILE* f = std::fopen(configFileName, "rb");
    if (!f) {
        screenModeSetting = 1;
        difficultySetting = 2;
        return;
    }
    int32_t values[2];
    ReadInts(f, values, 2);
    std::fclose(f);
    screenModeSetting = values[0];
    difficultySetting = values[1];
}

void ReadSaveFile() {
    FILE* f = std::fopen(saveFileName, "rb");
    if (!f) {
        for (int i = 0; i < 10; i++) {
            highScores[i] = kDefaultScores[i];
            highScoreStages[i] = 1;
        }
        return;
    }
    int32_t values[20];
    ReadInts(f, values, 20);
    std::fclose(f);
    for (int i = 0; i < 10; i++) {
        highScores[i] = values[i];
        highScoreStages[i] = values[10 + i];
    }
}

void InsertRanking() {
    newRankIndex = 9999;
    int row = 0;
    while (row < 10 && score < highScores[row]) row++;
    if (row == 10) return;
    for (int i = 9; i > row; i--) {
        highScores[i] = highScores[i - 1];
        highScoreStages[i] = highScoreStages[i - 1];
    }
    highScores[row] = score;
    highScoreStages[row] = stageNumber;
    newRankIndex = row;
}

// Written beside the old file, flushed and renamed over it, so a crash or a full
// disk during the write leaves the previous table whole.
void WriteSaveFile() {
    char temp[1024];
    if (std::snprintf(temp, sizeof temp, "%s.tmp", saveFileName) >= static_cast<int>(sizeof temp)) return;
    FILE* f = std::fopen(temp, "wb");
    if (!f) return;
    bool ok = WriteInts(f, highScores, 10) && WriteInts(f, highScoreStages, 10);
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(temp, saveFileName) != 0) std::remove(temp);
}
