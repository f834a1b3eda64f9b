// Keys and pad buttons by the names the settings file uses: SDL's scancode names for
// keys and SDL's game-controller names for pad buttons, the same in both builds.
#include <cstring>

#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

struct KeyName {
    int code;  // DirectInput numbering, as IsKeyDown takes it
    const char* name;
};

// Keys Escape (it quits) and the ones SDL has no name for are left out: they cannot be bound.
constexpr KeyName kKeyNames[] = {
    {0x02, "1"}, {0x03, "2"}, {0x04, "3"}, {0x05, "4"}, {0x06, "5"}, {0x07, "6"}, {0x08, "7"},
    {0x09, "8"}, {0x0A, "9"}, {0x0B, "0"}, {0x0C, "-"}, {0x0D, "="}, {0x0E, "Backspace"},
    {0x0F, "Tab"}, {0x10, "Q"}, {0x11, "W"}, {0x12, "E"}, {0x13, "R"}, {0x14, "T"}, {0x15, "Y"},
    {0x16, "U"}, {0x17, "I"}, {0x18, "O"}, {0x19, "P"}, {0x1A, "["}, {0x1B, "]"}, {0x1C, "Return"},
    {0x1D, "Left Ctrl"}, {0x1E, "A"}, {0x1F, "S"}, {0x20, "D"}, {0x21, "F"}, {0x22, "G"},
    {0x23, "H"}, {0x24, "J"}, {0x25, "K"}, {0x26, "L"}, {0x27, ";"}, {0x28, "'"}, {0x29, "`"},
    {0x2A, "Left Shift"}, {0x2B, "\\"}, {0x2C, "Z"}, {0x2D, "X"}, {0x2E, "C"}, {0x2F, "V"},
    {0x30, "B"}, {0x31, "N"}, {0x32, "M"}, {0x33, ","}, {0x34, "."}, {0x35, "/"},
    {0x36, "Right Shift"}, {0x37, "Keypad *"}, {0x38, "Left Alt"}, {0x39, "Space"},
    {0x3A, "CapsLock"}, {0x3B, "F1"}, {0x3C, "F2"}, {0x3D, "F3"}, {0x3E, "F4"}, {0x3F, "F5"},
    {0x40, "F6"}, {0x41, "F7"}, {0x42, "F8"}, {0x43, "F9"}, {0x44, "F10"}, {0x45, "Numlock"},
    {0x46, "ScrollLock"}, {0x47, "Keypad 7"}, {0x48, "Keypad 8"}, {0x49, "Keypad 9"},
    {0x4A, "Keypad -"}, {0x4B, "Keypad 4"}, {0x4C, "Keypad 5"}, {0x4D, "Keypad 6"},
    {0x4E, "Keypad +"}, {0x4F, "Keypad 1"}, {0x50, "Keypad 2"}, {0x51, "Keypad 3"},
    {0x52, "Keypad 0"}, {0x53, "Keypad ."}, {0x57, "F11"}, {0x58, "F12"}, {0x9C, "Keypad Enter"},
    {0x9D, "Right Ctrl"}, {0xB5, "Keypad /"}, {0xB8, "Right Alt"}, {0xC5, "Pause"},
    {0xC7, "Home"}, {0xC8, "Up"}, {0xC9, "PageUp"}, {0xCB, "Left"}, {0xCD, "Right"},
    {0xCF, "End"}, {0xD0, "Down"}, {0xD1, "PageDown"}, {0xD2, "Insert"}, {0xD3, "Delete"},
};

// Indexed by SDL_GameControllerButton.
constexpr const char* kPadButtonNames[] = {
    "a", "b", "x", "y", "back", "guide", "start", "leftstick", "rightstick", "leftshoulder",
    "rightshoulder", "dpup", "dpdown", "dpleft", "dpright", "misc1", "paddle1", "paddle2",
    "paddle3", "paddle4", "touchpad",
};
constexpr int kPadButtonCount = int(sizeof kPadButtonNames / sizeof kPadButtonNames[0]);

// fire, bomb, continue, pause
int padBinding[4] = {PadA, PadB, PadX, PadStart};

}  // namespace

int KeyFromName(const char* name) {
    if (!name) return -1;
    for (const KeyName& k : kKeyNames)
        if (std::strcmp(k.name, name) == 0) return k.code;
    return -1;
}

const char* KeyNameOf(int code) {
    for (const KeyName& k : kKeyNames)
        if (k.code == code) return k.name;
    return nullptr;
}

int PadButtonFromName(const char* name) {
    if (!name) return -1;
    for (int i = 0; i < kPadButtonCount; i++)
        if (std::strcmp(kPadButtonNames[i], name) == 0) return i;
    return -1;
}

const char* PadButtonNameOf(int button) {
    return button >= 0 && button < kPadButtonCount ? kPadButtonNames[button] : nullptr;
}

void BindPadButtons(int fire, int bomb, int cont, int pause) {
    const int wanted[4] = {fire, bomb, cont, pause};
    for (int i = 0; i < 4; i++)
        if (wanted[i] >= 0 && wanted[i] < kPadButtonCount) padBinding[i] = wanted[i];
}

int BoundPadButton(int slot) { return slot >= 0 && slot < 4 ? padBinding[slot] : -1; }
