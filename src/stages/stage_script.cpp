// The stage script: loading a stage's lines into the table and running them frame by frame.
#include "stages/stage_script.h"

#include <algorithm>
#include <cstdint>
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

// What one line can carry. Wider than anything the level data writes (x from -32 to
// 700, y from -64 to 480, items 0 to 6, bosses 0 to 16), narrow enough that no
// position, picture column or counter made from a number can overflow.
constexpr int32_t kMinX = -640, kMaxX = 1280;  // a screen beyond either side
constexpr int32_t kMinY = -480, kMaxY = 960;
constexpr int32_t kNoItemBelow = -1, kNoItemAbove = 7;  // a carrier beyond 0..6 drops none
constexpr int32_t kNoBossBelow = -1;  // and BossCount() above the last
// durations in frames and blink counts: 0 or less ends at once
constexpr int32_t kMinCount = -1, kMaxCount = 1000000;

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

// Splits off the next comma-separated field, writing a terminator into the line (so a
// line runs once per load). A field may be empty; nullptr once the last one was taken.
static char* NextField(char** cursor) {
    char* field = *cursor;
    if (!field) return nullptr;
    char* comma = std::strchr(field, ',');
    if (comma) *comma = '\0';
    *cursor = comma ? comma + 1 : nullptr;
    return field;
}

// A decimal with an optional minus; reading stops at the first other character, no
// digits read as 0, and a number beyond 32 bits stops at the nearest end of them.
static int32_t ReadNumber(const char* s) {
    bool negative = *s == '-';
    if (negative) s++;
    constexpr int64_t kLimit = int64_t(INT32_MAX) + 1;
    int64_t value = 0;
    for (; *s >= '0' && *s <= '9'; s++) value = std::min(value * 10 + (*s - '0'), kLimit);
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
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

// A nonzero angle wraps to 1..360 (360 is 0 degrees), so that its zero test still holds.
static int32_t WrapAngle(int32_t degrees) {
    return degrees == 0 ? 0 : (degrees % 360 + 359) % 360 + 1;
}

// Bounds each number of an enemy line to what its field means for the kind. Clamping
// never turns a nonzero value into 0, so the zero guards see the line as written.
static void ClampEnemyArgs(const EnemyKind& kind, int32_t* arg) {
    if (kind.spawnFor) {
        arg[1] = std::clamp(arg[1], kMinCount, kMaxCount);
        return;
    }
    arg[1] = std::clamp(arg[1], kMinX, kMaxX);
    arg[2] = std::clamp(arg[2], kMinY, kMaxY);
    if (kind.spawnAtDir) arg[3] = WrapAngle(arg[3]);
    if (kind.spawnCarrier) arg[3] = std::clamp(arg[3], kNoItemBelow, kNoItemAbove);
}

static void ClampEventArgs(int32_t* arg) {
    switch (arg[0]) {
    case 0: arg[1] = std::clamp(arg[1], kNoBossBelow, BossCount()); break;
    case 2:
    case 3:
        arg[1] = std::clamp(arg[1], kMinX, kMaxX);
        arg[2] = std::clamp(arg[2], kMinY, kMaxY);
        arg[4] = std::clamp(arg[4], kMinCount, kMaxCount);
        break;
    default: arg[1] = std::clamp(arg[1], kMinCount, kMaxCount); break;
    }
}

// "enemy,id,..." creates the kind of that id from the catalogue; a zero where a position,
// a direction, a duration or a pattern belongs leaves the line without effect.
static void RunEnemyLine(int32_t* arg) {
    const EnemyKind* kind = FindEnemyKind(arg[0]);
    if (!kind) return;
    ClampEnemyArgs(*kind, arg);
    if (kind->spawnFor) {
        if (arg[1] != 0) kind->spawnFor(arg[1]);
        return;
    }
    if (arg[1] == 0 || arg[2] == 0) return;
    float x = static_cast<float>(arg[1]);
    float y = static_cast<float>(arg[2]);
    if (kind->spawnAt) kind->spawnAt(x, y);
    if (kind->spawnAtDir && arg[3] != 0) kind->spawnAtDir(x, y, arg[3]);
    if (kind->spawnCarrier && arg[4] != 0) kind->spawnCarrier(x, y, arg[3], arg[4]);
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
            ClampEventArgs(arg);
            RunEventLine(arg);
        }
        scriptLine++;
    }
}
