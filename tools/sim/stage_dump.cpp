// --dump-stage: a stage's level data as the program holds it once the stage has
// started: the script table, the map rows, the starting view and the music.
#include <cstdio>
#include <cstring>

#include "runtime/headless.h"
#include "session.h"
#include "shell/game.h"
#include "stages/stage_map.h"
#include "stages/stage_script.h"

namespace {

// Lines of a level text as the loaders split it: at '\n', without a last empty line.
int CountLines(const char* text, bool skipNotes, int cap) {
    if (!text) return 0;
    int lines = 0;
    for (const char* p = text; *p && lines < cap;) {
        const char* end = std::strchr(p, '\n');
        bool note = skipNotes && *p == '#';
        if (!note) lines++;
        if (!end) break;
        p = end + 1;
    }
    return lines;
}

void PrintBytes(const char* text, size_t length) {
    std::fwrite(text, 1, length, stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int DumpStage(int32_t stage) {
    stageNumber = stage;
    StartStage();

    std::printf("# script %d\n", stage);
    int scriptLines = CountLines(StageScriptText(stage), false, kScriptLines);
    for (int i = 0; i < scriptLines; i++)
        PrintBytes(StageScriptTable[i], strnlen(StageScriptTable[i], kScriptLineBytes));

    std::printf("# layout %d\n", stage);
    int rows = CountLines(StageLayoutText(stage), true, kMapRows);
    for (int r = 0; r < rows; r++) {
        const char* row = reinterpret_cast<const char*>(StageMap[r]);
        PrintBytes(row, strnlen(row, kMapColumns));
    }
    std::printf("# view %d %d\n", mapLeftColumn, mapTopRow);
    std::printf("# music %s\n", CurrentMusicFile());
    return 0;
}
