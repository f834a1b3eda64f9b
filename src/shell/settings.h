// The player's settings in one record: read at start, changed by the options screens and
// by zorbex-setup, written back at once. "config.dat" holds the screen mode and the
// difficulty as it always did (8 bytes); everything else goes to "options.cfg" beside it,
// a text file of `key = value` lines. None of it is game state: a replay plays alike
// whatever the settings are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The keyboard's bindable buttons, in the order of the file and the options screen.
enum KeyAction : int {
    KeyActionFire,
    KeyActionBomb,
    KeyActionContinue,
    KeyActionPause,
    KeyActionUp,
    KeyActionDown,
    KeyActionLeft,
    KeyActionRight,
    kKeyActionCount
};
// The pad's bindable buttons (the directions are the pad's own).
enum PadAction : int { PadActionFire, PadActionBomb, PadActionContinue, PadActionPause, kPadActionCount };

enum Language : int32_t { LanguageSystem, LanguageEnglish, LanguageJapanese, kLanguageCount };

struct Settings {
    // config.dat
    int32_t screenMode = 1;   // 1 full screen, anything else a window
    int32_t difficulty = 2;   // 1 to 3; the game's own rule reads any other value as 1
    // options.cfg
    int32_t musicVolume = 10;    // 0 to 10, 10 the full mix
    int32_t effectsVolume = 10;
    int32_t windowScale = 0;     // 0 the largest whole scale that fits, else 1 to 4
    int32_t language = LanguageSystem;
    int32_t keys[kKeyActionCount];        // DirectInput scan codes, as IsKeyDown takes them
    int32_t padButtons[kPadActionCount];  // SDL game-controller buttons (PadA ...)
    // lines of options.cfg this build does not know, written back as they were
    std::vector<std::string> otherLines;

    Settings();
};

extern Settings settings;

constexpr int32_t kVolumeSteps = 10;
constexpr int32_t kMaxWindowScale = 4;

// The names the file uses.
extern const char* const kKeySettingNames[kKeyActionCount];  // "key-fire" ...
extern const char* const kPadSettingNames[kPadActionCount];  // "pad-fire" ...
extern const char* const kLanguageNames[kLanguageCount];     // "system", "en", "ja"
extern const int32_t kDefaultKeys[kKeyActionCount];
extern const int32_t kDefaultPadButtons[kPadActionCount];

// config.dat: two little-endian int32; a file too short leaves 0, a missing one the defaults.
void ParseConfigBytes(const unsigned char* bytes, size_t size, Settings* s);
// options.cfg: whatever the text holds, each damaged line costs its own setting (left as
// it was) and is told to `warn` (may be null) with its line number; never fails as a whole.
void ParseOptionsText(const char* text, size_t size, Settings* s,
                      void (*warn)(int line, const char* why, void* context) = nullptr,
                      void* context = nullptr);
std::string FormatOptionsText(const Settings& s);

// Both files, from where configFileName says (options.cfg in the same folder); damaged
// lines are told on stderr. The globals the game reads (screenModeSetting,
// difficultySetting) are not touched: ReadConfig does that.
void ReadSettings(Settings* s);
// Each file written whole or not at all; false (and `why`) when it could not be.
bool WriteConfigFile(const Settings& s, const char** why);
bool WriteOptionsFile(const Settings& s, const char** why);
const char* OptionsFileName();  // beside configFileName

// A key bound to `action`, the one it replaces swapping to the action that had the key.
void BindKey(Settings* s, int action, int32_t scanCode);
void BindPadButton(Settings* s, int action, int32_t button);
void ResetKeys(Settings* s);
void ResetPadButtons(Settings* s);
void ResetKeysAndButtons(Settings* s);

// Volumes, scale, pad buttons and screen mode given to the runtime.
void ApplySettings(const Settings& s);
