// Fuzzes the options reader: "options.cfg" of any contents. Every setting it leaves stays
// in its range, and what it writes back reads back the same.
#include <cstdint>
#include <string>

#include "shell/settings.h"

static void Quiet(int, const char*, void*) {}

static bool InRange(const Settings& s) {
    if (s.musicVolume < 0 || s.musicVolume > kVolumeSteps) return false;
    if (s.effectsVolume < 0 || s.effectsVolume > kVolumeSteps) return false;
    if (s.windowScale < 0 || s.windowScale > kMaxWindowScale) return false;
    if (s.language < 0 || s.language >= kLanguageCount) return false;
    for (int a = 0; a < kKeyActionCount; a++)
        for (int b = a + 1; b < kKeyActionCount; b++)
            if (s.keys[a] == s.keys[b]) return false;  // one key never serves two buttons
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings s;
    ParseOptionsText(reinterpret_cast<const char*>(data), size, &s, Quiet, nullptr);
    if (!InRange(s)) __builtin_trap();
    const std::string written = FormatOptionsText(s);
    Settings again;
    ParseOptionsText(written.data(), written.size(), &again, Quiet, nullptr);
    if (FormatOptionsText(again) != written) __builtin_trap();
    return 0;
}
