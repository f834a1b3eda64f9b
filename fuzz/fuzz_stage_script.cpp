// Fuzzes the stage script interpreter: arbitrary lines in the script table of a
// running stage, played for a few frames with every actor they create.
#include <cstdint>
#include <cstring>

#include "actors/actor.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "stages/stage_script.h"

namespace {

constexpr int kFramesPerInput = 40;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnableHeadless(1);
    if (StartRuntime() == -1) return 0;
    SetUpGame();
    SetDrawingEnabled(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // the first byte picks the stage (its map and layout), the rest are script lines
    int32_t stage = size > 0 ? data[0] % 28 + 1 : 1;
    BeginRun(1, 2, stage);
    SetHeadlessPad(PadButton1);
    RunFrame();  // the entry frame: ship and stars

    std::memset(StageScriptTable, 0, sizeof StageScriptTable);
    int line = 0;
    size_t column = 0;
    for (size_t i = 1; i < size && line < kScriptLines; i++) {
        char c = static_cast<char>(data[i]);
        if (c == '\n') {
            line++;
            column = 0;
        } else if (column < kScriptLineBytes - 1) {
            StageScriptTable[line][column++] = c;
        }
    }
    scriptLine = 0;
    scriptWait = 0;
    scriptEnded = 0;
    for (int f = 0; f < kFramesPerInput; f++) {
        SetHeadlessPad(f % 7 == 3 ? PadButton1 | PadButton2 : PadButton1);
        RunFrame();
        if (CountActiveActors() + CountFreeActors() != kActorPoolSize) __builtin_trap();
        // a wait longer than the frames left ends the input early
        if (scriptEnded || scriptWait > kFramesPerInput) break;
    }
    return 0;
}
