// Fuzzes the replay reader: any bytes are refused or read, never crash, and what it
// reads writes back to a file it reads the same way.
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
        again.buttons != replay.buttons || again.checkpoints.size() != replay.checkpoints.size())
        __builtin_trap();
    return 0;
}
