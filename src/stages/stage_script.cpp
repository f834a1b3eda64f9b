// The stage script: loading a stage's lines into the table and running them frame by frame.
#include "stages/stage_script.h"

#include <cstdio>
#include <cstring>

#include "bosses/bosses.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "stages/level_texts.h"

char StageScriptTable[kScriptLines][kScriptLineBytes];
int32_t scriptLine;
int32_t scriptWait;
uint8_t scriptEnded;

constexpr int kMaxArgs = 8;

constexpr int32_t kNoBossOverride = -1;

const char* StageScriptText(int32_t stage) {
    char name[40];
    std::snprintf(name, sizeof name, "stages/stage%02d.script", static_cast<int>(stage));
    const char* text = FindLevelText(name);
    return text ? text : FindLevelText("stages/stage01.script");
}

// A script that differs from another only in its boss is written as the one line
// "same-as stageNN.script boss B": the other script's lines, with B on its boss line.
// Only one step is followed, so two such files can never send the loader in a circle.
static const char* FollowSharedScript(const char* text, int32_t* bossOverride) {
    *bossOverride = kNoBossOverride;
    char source[64];
    int boss = 0;
    if (std::sscanf(text, "same-as %47s boss %d", source, &boss) != 2) return text;
    char name[80];
    std::snprintf(name, sizeof name, "stages/%s", source);
    const char* shared = FindLevelText(name);
    if (!shared) return text;
    *bossOverride = boss;
    return shared;
}

static bool IsBossLine(const char* line, size_t length) {
    return length >= 10 && std::strncmp(line, "event,000,", 10) == 0;
}

void LoadStageScript() {
    if (stageNumber < 1 || stageNumber > 28) return;
    const char* text = StageScriptText(stageNumber);
    if (!text) return;
    int32_t bossOverride;
    text = FollowSharedScript(text, &bossOverride);
    int line = 0;
    const char* p = text;
    while (*p && line < kScriptLines) {
        const char* end = std::strchr(p, '\n');
        size_t length = end ? static_cast<size_t>(end - p) : std::strlen(p);
        const char* next = end ? end + 1 : p + length;
        if (length > 0 && p[length - 1] == '\r') length--;
        if (bossOverride != kNoBossOverride && IsBossLine(p, length)) {
            std::snprintf(StageScriptTable[line], kScriptLineBytes, "event,000,%d",
                          static_cast<int>(bossOverride));
        } else {
            if (length > kScriptLineBytes - 1) length = kScriptLineBytes - 1;
            std::memcpy(StageScriptTable[line], p, length);
            StageScriptTable[line][length] = '\0';
        }
        line++;
        p = next;
    }
    // a shorter script must not run on into the lines of the previous stage
    for (; line < kScriptLines; line++) StageScriptTable[line][0] = '\0';
}

// Splits off the next comma-separated field, writing a terminator into the line
// (so a line runs once per load). Empty fields are passed over; nullptr when none is left.
static char* NextField(char** cursor) {
    char* p = *cursor;
    while (*p == ',') p++;
    if (*p == '\0') {
        *cursor = p;
        return nullptr;
    }
    char* field = p;
    while (*p && *p != ',') p++;
    if (*p == ',') *p++ = '\0';
    *cursor = p;
    return field;
}

// A decimal with an optional minus; reading stops at the first other character.
static int32_t ReadNumber(const char* s) {
    bool negative = *s == '-';
    if (negative) s++;
    uint32_t value = 0;
    for (; *s >= '0' && *s <= '9'; s++) value = value * 10u + static_cast<uint32_t>(*s - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

// Fields missing from a line read as 0, so a short line trips the zero guards
// instead of borrowing values from the line before.
static void ReadArgs(char** cursor, int32_t* arg) {
    for (int i = 0; i < kMaxArgs; i++) arg[i] = 0;
    for (int i = 0; i < kMaxArgs; i++) {
        char* field = NextField(cursor);
        if (!field) break;
        arg[i] = ReadNumber(field);
    }
}

static void RunEnemyLine(const int32_t* arg) {
    float x = static_cast<float>(arg[1]);
    float y = static_cast<float>(arg[2]);
    bool placed = arg[1] != 0 && arg[2] != 0;
    switch (arg[0]) {
    case 0: if (placed) SpawnEnemy000(x, y); break;
    case 1: if (placed) SpawnEnemy001(x, y); break;
    case 2: if (placed) SpawnEnemy002(x, y); break;
    case 3: if (placed) SpawnEnemy003(x, y); break;
    case 4: if (placed) SpawnEnemy004(x, y); break;
    case 5: if (placed) SpawnEnemy005(x, y); break;
    case 6: if (placed) SpawnEnemy006(x, y); break;
    case 7: if (placed && arg[3] != 0) SpawnEnemy007(x, y, arg[3]); break;
    case 8: if (placed) SpawnEnemy008(x, y); break;
    case 9: if (placed) SpawnEnemy009(x, y); break;
    case 10: if (placed && arg[3] != 0) SpawnEnemy010(x, y, arg[3]); break;
    case 12: if (placed) SpawnEnemy012(x, y); break;
    case 15: if (arg[1] != 0) SpawnEnemy015(arg[1]); break;
    case 16: if (arg[1] != 0) SpawnEnemy016(arg[1]); break;
    case 17: if (placed) SpawnEnemy017(x, y); break;
    case 27: if (placed) SpawnEnemy027(x, y); break;
    case 28: if (placed) SpawnEnemy028(x, y); break;
    case 29: if (placed) SpawnEnemy029(x, y); break;
    case 30: if (placed) SpawnEnemy030(x, y); break;
    case 99: if (placed && arg[4] != 0) SpawnEnemy099(x, y, arg[3], arg[4]); break;
    case 100: if (placed) SpawnEnemy100(x, y); break;
    case 110: if (placed) SpawnEnemy110(x, y); break;
    default: break;
    }
}

static void RunEventLine(const int32_t* arg) {
    switch (arg[0]) {
    case 0: StartBossEvent(arg[1]); break;
    case 2: SpawnHorizontalBeam(arg[1], arg[2], arg[3], arg[4]); break;
    case 3: SpawnVerticalBeam(arg[1], arg[2], arg[3], arg[4]); break;
    case 4: StartEnemyStream004(arg[1]); break;
    case 5: StartEnemyStream005(arg[1]); break;
    case 6: StartEnemyStream006(arg[1]); break;
    case 7: StartEnemyStream007(arg[1]); break;
    default: break;
    }
}

void RunStageScript() {
    if (scriptWait > 0) {
        scriptWait--;
        return;
    }
    if (scriptEnded) return;
    int32_t arg[kMaxArgs];
    // every line up to the next wait runs in this frame, in order
    for (;;) {
        if (scriptLine >= kScriptLines) {
            // the table ran out without an "end": stop on its last line
            scriptLine = kScriptLines - 1;
            scriptEnded = 1;
            return;
        }
        char* cursor = StageScriptTable[scriptLine];
        const char* keyword = NextField(&cursor);
        if (keyword && std::strcmp(keyword, "wait") == 0) {
            const char* count = NextField(&cursor);
            if (count) scriptWait = ReadNumber(count);
            scriptLine++;
            return;
        }
        if (keyword && std::strcmp(keyword, "end") == 0) {
            scriptEnded = 1;
            return;
        }
        if (keyword && std::strcmp(keyword, "enemy") == 0) {
            ReadArgs(&cursor, arg);
            RunEnemyLine(arg);
        } else if (keyword && std::strcmp(keyword, "event") == 0) {
            ReadArgs(&cursor, arg);
            RunEventLine(arg);
        }
        scriptLine++;
    }
}
