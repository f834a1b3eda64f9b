// The layout table by stage and the building of a stage's map from its layout text.
#include <cstdio>
#include <cstring>

#include "runtime/media.h"
#include "shell/game.h"
#include "stages/level_texts.h"
#include "stages/stage_map.h"

constexpr int32_t kDefaultView = -1;

// Index = stage number; entry 0 stands for every stage without a layout of its own.
static const StageLayout kStageLayouts[29] = {
    {1, "data/Sound03.mp3", kDefaultView, kDefaultView},   // 0: stage 1's
    {1, "data/Sound03.mp3", kDefaultView, kDefaultView},   // 1
    {2, "data/Sound01.mp3", kDefaultView, kDefaultView},   // 2
    {3, "data/Sound01.mp3", kDefaultView, kDefaultView},   // 3
    {4, "data/Sound07.mp3", kDefaultView, kDefaultView},   // 4
    {4, "data/Sound07.mp3", kDefaultView, kDefaultView},   // 5
    {4, "data/Sound07.mp3", kDefaultView, kDefaultView},   // 6
    {7, "data/Sound02.mp3", kDefaultView, kDefaultView},   // 7
    {8, "data/Sound02.mp3", kDefaultView, kDefaultView},   // 8
    {9, "data/Sound02.mp3", kDefaultView, kDefaultView},   // 9
    {10, "data/Sound02.mp3", kDefaultView, kDefaultView},  // 10
    {11, "data/Sound00.mp3", kDefaultView, kDefaultView},  // 11
    {12, "data/Sound00.mp3", 31, kDefaultView},            // 12
    {13, "data/Sound09.mp3", kDefaultView, kDefaultView},  // 13
    {14, "data/Sound00.mp3", kDefaultView, kDefaultView},  // 14
    {15, "data/Sound00.mp3", 31, kDefaultView},            // 15
    {16, "data/Sound03.mp3", kDefaultView, kDefaultView},  // 16
    {17, "data/Sound03.mp3", kDefaultView, kDefaultView},  // 17
    {18, "data/Sound03.mp3", kDefaultView, 370},           // 18
    {19, "data/Sound03.mp3", kDefaultView, kDefaultView},  // 19
    {17, "data/Sound03.mp3", kDefaultView, kDefaultView},  // 20
    {18, "data/Sound03.mp3", kDefaultView, 370},           // 21
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 22
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 23
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 24
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 25
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 26
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 27
    {22, "data/Sound06.mp3", kDefaultView, kDefaultView},  // 28
};

const StageLayout& StageLayoutFor(int32_t stage) {
    if (stage < 2 || stage > 28) return kStageLayouts[0];
    return kStageLayouts[stage];
}

static const char* LayoutFile(int32_t stage) {
    char name[40];
    std::snprintf(name, sizeof name, "stages/stage%02d.layout", static_cast<int>(stage));
    return FindLevelText(name);
}

const char* StageLayoutText(int32_t stage) {
    if (stage < 2 || stage > 28) return LayoutFile(1);
    if (const char* own = LayoutFile(stage)) return own;
    if (const char* shared = LayoutFile(kStageLayouts[stage].textStage)) return shared;
    return LayoutFile(1);
}

// One map row per text line; lines starting with '#' are notes. A '|' at the end of a
// line marks where the row ends, so trailing spaces survive editors.
static void WriteLayoutRows(const char* text) {
    int row = 0;
    const char* p = text;
    while (*p && row < kMapRows) {
        const char* end = std::strchr(p, '\n');
        size_t length = end ? static_cast<size_t>(end - p) : std::strlen(p);
        const char* next = end ? end + 1 : p + length;
        if (length > 0 && p[length - 1] == '\r') length--;
        if (length > 0 && p[0] == '#') {
            p = next;
            continue;
        }
        if (length > 0 && p[length - 1] == '|') length--;
        if (length > kMapColumns - 1) length = kMapColumns - 1;
        std::memcpy(StageMap[row], p, length);
        StageMap[row][length] = '\0';
        row++;
        p = next;
    }
}

void BuildStageMap() {
    const StageLayout& layout = StageLayoutFor(stageNumber);
    PlayMusicFile(layout.music, 1);
    // nothing of a previous stage's map may linger beyond this layout's rows
    std::memset(StageMap, 0, sizeof StageMap);
    if (const char* text = StageLayoutText(stageNumber)) WriteLayoutRows(text);
    if (layout.startTopRow != kDefaultView) mapTopRow = layout.startTopRow;
    if (layout.startLeftColumn != kDefaultView) mapLeftColumn = layout.startLeftColumn;
}
