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

// Rows past the last one holding text are left empty by the loaders.
int UsedRows(const char* table, int rows, size_t rowBytes) {
    int used = 0;
    for (int r = 0; r < rows; r++)
        if (table[static_cast<size_t>(r) * rowBytes] != '\0') used = r + 1;
    return used;
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
    int scriptLines = UsedRows(&StageScriptTable[0][0], kScriptLines, kScriptLineBytes);
    for (int i = 0; i < scriptLines; i++)
        PrintBytes(StageScriptTable[i], strnlen(StageScriptTable[i], kScriptLineBytes));

    std::printf("# layout %d\n", stage);
    int rows = UsedRows(reinterpret_cast<const char*>(&StageMap[0][0]), kMapRows, kMapColumns);
    for (int r = 0; r < rows; r++) {
        const char* row = reinterpret_cast<const char*>(StageMap[r]);
        PrintBytes(row, strnlen(row, kMapColumns));
    }
    std::printf("# view %d %d\n", mapLeftColumn, mapTopRow);
    // the layout's own entry: the runtime forgets a file it could not play
    const char* music = StageLayoutFor(stage).music;
    std::printf("# music %s\n", music ? music : CurrentMusicFile());
    return 0;
}
