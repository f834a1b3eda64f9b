// Settings and save files: little-endian int32 records read leniently.
#include "shell/save_files.h"

#include <cstdio>

#include "runtime/files.h"
#include "shell/game.h"
#include "shell/practice.h"
#include "shell/settings.h"

int32_t screenModeSetting;
int32_t difficultySetting;
int32_t highScores[10];
int32_t highScoreStages[10];

const char* configFileName = "config.dat";
const char* saveFileName = "zorbexG.dat";

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

static void PutInts(unsigned char* out, const int32_t* in, int count) {
    for (int i = 0; i < count; i++) {
        uint32_t v = static_cast<uint32_t>(in[i]);
        out[4 * i] = static_cast<unsigned char>(v);
        out[4 * i + 1] = static_cast<unsigned char>(v >> 8);
        out[4 * i + 2] = static_cast<unsigned char>(v >> 16);
        out[4 * i + 3] = static_cast<unsigned char>(v >> 24);
    }
}

// The settings record read whole; the game's own two globals taken from it.
void ReadConfig() {
    ReadSettings(&settings);
    screenModeSetting = settings.screenMode;
    difficultySetting = settings.difficulty;
}

// Reads the table of the save file; false when it cannot be opened. Entries the file is
// too short to supply are 0.
static bool ReadTable(int32_t* scores, int32_t* stages) {
    FILE* f = OpenRegularFile(saveFileName);
    if (!f) return false;
    int32_t values[20];
    ReadInts(f, values, 20);
    std::fclose(f);
    for (int i = 0; i < 10; i++) {
        scores[i] = values[i];
        stages[i] = values[10 + i];
    }
    return true;
}

void ReadSaveFile() {
    if (ReadTable(highScores, highScoreStages)) return;
    for (int i = 0; i < 10; i++) {
        highScores[i] = kDefaultHighScores[i];
        highScoreStages[i] = kDefaultHighScoreStages[i];
    }
}

// Enters a score into a table; the row it took, 9999 for none.
static int32_t EnterScore(int32_t* scores, int32_t* stages, int32_t points, int32_t stage) {
    int32_t row = 0;
    while (row < 10 && points < scores[row]) row++;
    if (row == 10) return 9999;
    for (int32_t i = 9; i > row; i--) {
        scores[i] = scores[i - 1];
        stages[i] = stages[i - 1];
    }
    scores[row] = points;
    stages[row] = stage;
    return row;
}

// A practice is never ranked.
void InsertRanking() {
    newRankIndex = practiceRun ? 9999 : EnterScore(highScores, highScoreStages, score, stageNumber);
}

// Replaced as a whole, so a crash or a full disk during the write leaves the previous
// table; a save that this process could not read or rewrite is left alone. A failure
// costs the player the new table, so it is the one thing this file reports.
static bool WriteTable(const int32_t* scores, const int32_t* stages) {
    unsigned char bytes[80];
    PutInts(bytes, scores, 10);
    PutInts(bytes + 40, stages, 10);
    const char* why = nullptr;
    if (ReplaceFileSafely(saveFileName, bytes, sizeof bytes, &why)) return true;
    std::fprintf(stderr, "zorbex: cannot save the high scores in %s: %s\n", saveFileName, why);
    return false;
}

void WriteSaveFile() { WriteTable(highScores, highScoreStages); }

static bool SameAsGameTable(const int32_t* scores, const int32_t* stages) {
    for (int i = 0; i < 10; i++)
        if (scores[i] != highScores[i] || stages[i] != highScoreStages[i]) return false;
    return true;
}

// Held while the game plays a replay for the player to watch: its run's end is not theirs.
static bool savesHeld = false;

void HoldSaves(bool held) { savesHeld = held; }

bool SaveRunInTable(void (*whileLocked)(int32_t row, bool othersEntries)) {
    // a practice is never ranked, and a replay watched never touches the player's files
    if (practiceRun || savesHeld) return false;
    const int lock = LockFileFolder(saveFileName);
    int32_t scores[10], stages[10];
    int32_t row = newRankIndex;
    if (ReadTable(scores, stages)) {
        row = EnterScore(scores, stages, score, stageNumber);
    } else {
        // none on disk, or none this game may read: the game's own table is the table
        for (int i = 0; i < 10; i++) {
            scores[i] = highScores[i];
            stages[i] = highScoreStages[i];
        }
    }
    const bool written = WriteTable(scores, stages);
    if (written && whileLocked) whileLocked(row, !SameAsGameTable(scores, stages));
    UnlockFileFolder(lock);
    return written;
}

void TakeUpSavedTable() { ReadTable(highScores, highScoreStages); }
