// Fuzzes the replay reader: any bytes are refused or read, never crash, and what it
// reads writes back to a file it reads the same way, every field of it: the start, the
// buttons held before it, whether it was cut, the table it began on, buttons and hashes.
#include <cstdint>
#include <string>

#include "shell/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Replay replay;
    std::string error;
    if (!ParseReplay(reinterpret_cast<const char*>(data), size, &replay, &error)) {
        if (error.empty()) __builtin_trap();  // a refusal always says why
        return 0;
    }
    std::string text = FormatReplay(replay);
    Replay again;
    if (!ParseReplay(text.data(), text.size(), &again, &error)) __builtin_trap();
    if (again.seed != replay.seed || again.difficulty != replay.difficulty ||
        again.startStage != replay.startStage || again.options != replay.options ||
        again.heldAtStart != replay.heldAtStart || again.truncated != replay.truncated ||
        again.tableScores != replay.tableScores || again.tableStages != replay.tableStages ||
        again.buttons != replay.buttons || again.checkpoints.size() != replay.checkpoints.size())
        __builtin_trap();
    for (size_t i = 0; i < replay.checkpoints.size(); i++)
        if (again.checkpoints[i].frame != replay.checkpoints[i].frame ||
            again.checkpoints[i].hash != replay.checkpoints[i].hash)
            __builtin_trap();
    return 0;
}
