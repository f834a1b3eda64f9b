// Keyboard by DirectInput scan code and the first joypad as a bit mask, read from SDL,
// or from the buttons a headless caller supplies (headless_input.cpp).
#include <SDL.h>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

constexpr int StickDeadZone = 10000;  // of 32767: a resting stick must not steer

struct KeyPair {
    int dik;
    SDL_Scancode sdl;
};

// DirectInput numbers name physical key positions, as SDL scancodes do.
constexpr KeyPair KeyPairs[] = {
    {0x01, SDL_SCANCODE_ESCAPE},      {0x02, SDL_SCANCODE_1},           {0x03, SDL_SCANCODE_2},
    {0x04, SDL_SCANCODE_3},           {0x05, SDL_SCANCODE_4},           {0x06, SDL_SCANCODE_5},
    {0x07, SDL_SCANCODE_6},           {0x08, SDL_SCANCODE_7},           {0x09, SDL_SCANCODE_8},
    {0x0A, SDL_SCANCODE_9},           {0x0B, SDL_SCANCODE_0},           {0x0C, SDL_SCANCODE_MINUS},
    {0x0D, SDL_SCANCODE_EQUALS},      {0x0E, SDL_SCANCODE_BACKSPACE},   {0x0F, SDL_SCANCODE_TAB},
    {0x10, SDL_SCANCODE_Q},           {0x11, SDL_SCANCODE_W},           {0x12, SDL_SCANCODE_E},
    {0x13, SDL_SCANCODE_R},           {0x14, SDL_SCANCODE_T},           {0x15, SDL_SCANCODE_Y},
    {0x16, SDL_SCANCODE_U},           {0x17, SDL_SCANCODE_I},           {0x18, SDL_SCANCODE_O},
    {0x19, SDL_SCANCODE_P},           {0x1A, SDL_SCANCODE_LEFTBRACKET}, {0x1B, SDL_SCANCODE_RIGHTBRACKET},
    {0x1C, SDL_SCANCODE_RETURN},      {0x1D, SDL_SCANCODE_LCTRL},       {0x1E, SDL_SCANCODE_A},
    {0x1F, SDL_SCANCODE_S},           {0x20, SDL_SCANCODE_D},           {0x21, SDL_SCANCODE_F},
    {0x22, SDL_SCANCODE_G},           {0x23, SDL_SCANCODE_H},           {0x24, SDL_SCANCODE_J},
    {0x25, SDL_SCANCODE_K},           {0x26, SDL_SCANCODE_L},           {0x27, SDL_SCANCODE_SEMICOLON},
    {0x28, SDL_SCANCODE_APOSTROPHE},  {0x29, SDL_SCANCODE_GRAVE},       {0x2A, SDL_SCANCODE_LSHIFT},
    {0x2B, SDL_SCANCODE_BACKSLASH},   {0x2C, SDL_SCANCODE_Z},           {0x2D, SDL_SCANCODE_X},
    {0x2E, SDL_SCANCODE_C},           {0x2F, SDL_SCANCODE_V},           {0x30, SDL_SCANCODE_B},
    {0x31, SDL_SCANCODE_N},           {0x32, SDL_SCANCODE_M},           {0x33, SDL_SCANCODE_COMMA},
    {0x34, SDL_SCANCODE_PERIOD},      {0x35, SDL_SCANCODE_SLASH},       {0x36, SDL_SCANCODE_RSHIFT},
    {0x37, SDL_SCANCODE_KP_MULTIPLY}, {0x38, SDL_SCANCODE_LALT},        {0x39, SDL_SCANCODE_SPACE},
    {0x3A, SDL_SCANCODE_CAPSLOCK},    {0x3B, SDL_SCANCODE_F1},          {0x3C, SDL_SCANCODE_F2},
    {0x3D, SDL_SCANCODE_F3},          {0x3E, SDL_SCANCODE_F4},          {0x3F, SDL_SCANCODE_F5},
    {0x40, SDL_SCANCODE_F6},          {0x41, SDL_SCANCODE_F7},          {0x42, SDL_SCANCODE_F8},
    {0x43, SDL_SCANCODE_F9},          {0x44, SDL_SCANCODE_F10},         {0x45, SDL_SCANCODE_NUMLOCKCLEAR},
    {0x46, SDL_SCANCODE_SCROLLLOCK},  {0x47, SDL_SCANCODE_KP_7},        {0x48, SDL_SCANCODE_KP_8},
    {0x49, SDL_SCANCODE_KP_9},        {0x4A, SDL_SCANCODE_KP_MINUS},    {0x4B, SDL_SCANCODE_KP_4},
    {0x4C, SDL_SCANCODE_KP_5},        {0x4D, SDL_SCANCODE_KP_6},        {0x4E, SDL_SCANCODE_KP_PLUS},
    {0x4F, SDL_SCANCODE_KP_1},        {0x50, SDL_SCANCODE_KP_2},        {0x51, SDL_SCANCODE_KP_3},
    {0x52, SDL_SCANCODE_KP_0},        {0x53, SDL_SCANCODE_KP_PERIOD},   {0x56, SDL_SCANCODE_NONUSBACKSLASH},
    {0x57, SDL_SCANCODE_F11},         {0x58, SDL_SCANCODE_F12},         {0x70, SDL_SCANCODE_INTERNATIONAL2},
    {0x73, SDL_SCANCODE_INTERNATIONAL1}, {0x79, SDL_SCANCODE_INTERNATIONAL4},
    {0x7B, SDL_SCANCODE_INTERNATIONAL5}, {0x7D, SDL_SCANCODE_INTERNATIONAL3},
    {0x9C, SDL_SCANCODE_KP_ENTER},    {0x9D, SDL_SCANCODE_RCTRL},       {0xB5, SDL_SCANCODE_KP_DIVIDE},
    {0xB7, SDL_SCANCODE_PRINTSCREEN}, {0xB8, SDL_SCANCODE_RALT},        {0xC5, SDL_SCANCODE_PAUSE},
    {0xC7, SDL_SCANCODE_HOME},        {0xC8, SDL_SCANCODE_UP},          {0xC9, SDL_SCANCODE_PAGEUP},
    {0xCB, SDL_SCANCODE_LEFT},        {0xCD, SDL_SCANCODE_RIGHT},       {0xCF, SDL_SCANCODE_END},
    {0xD0, SDL_SCANCODE_DOWN},        {0xD1, SDL_SCANCODE_PAGEDOWN},    {0xD2, SDL_SCANCODE_INSERT},
    {0xD3, SDL_SCANCODE_DELETE},      {0xDB, SDL_SCANCODE_LGUI},        {0xDC, SDL_SCANCODE_RGUI},
    {0xDD, SDL_SCANCODE_APPLICATION},
};

SDL_Scancode keyMap[256];
bool keyMapReady = false;

bool padSubsystem = false;
SDL_GameController* controller = nullptr;
SDL_Joystick* joystick = nullptr;  // a pad SDL has no mapping for
SDL_JoystickID padInstance = -1;

void BuildKeyMap() {
    for (SDL_Scancode& s : keyMap) s = SDL_SCANCODE_UNKNOWN;
    for (const KeyPair& k : KeyPairs) keyMap[k.dik] = k.sdl;
    keyMapReady = true;
}

void ClosePad() {
    if (controller) SDL_GameControllerClose(controller);
    if (joystick) SDL_JoystickClose(joystick);
    controller = nullptr;
    joystick = nullptr;
    padInstance = -1;
}

// Opens the first pad SDL knows a mapping for, else the first raw joystick.
void OpenFirstPad() {
    if (!padSubsystem || controller || joystick) return;
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count && !controller; ++i)
        if (SDL_IsGameController(i)) controller = SDL_GameControllerOpen(i);
    if (controller) {
        padInstance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        return;
    }
    for (int i = 0; i < count && !joystick; ++i) joystick = SDL_JoystickOpen(i);
    if (joystick) padInstance = SDL_JoystickInstanceID(joystick);
}

int AxisBits(int x, int y) {
    int bits = 0;
    if (x < -StickDeadZone) bits |= PadLeft;
    if (x > StickDeadZone) bits |= PadRight;
    if (y < -StickDeadZone) bits |= PadUp;
    if (y > StickDeadZone) bits |= PadDown;
    return bits;
}

int ControllerBits() {
    if (!SDL_GameControllerGetAttached(controller)) return 0;
    int bits = AxisBits(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX),
                        SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    auto held = [](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(controller, b) != 0;
    };
    if (held(SDL_CONTROLLER_BUTTON_DPAD_DOWN)) bits |= PadDown;
    if (held(SDL_CONTROLLER_BUTTON_DPAD_LEFT)) bits |= PadLeft;
    if (held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) bits |= PadRight;
    if (held(SDL_CONTROLLER_BUTTON_DPAD_UP)) bits |= PadUp;
    // the player's buttons for fire, bomb and continue (A, B and X unless changed)
    if (held(SDL_GameControllerButton(BoundPadButton(0)))) bits |= PadButton1;
    if (held(SDL_GameControllerButton(BoundPadButton(1)))) bits |= PadButton2;
    if (held(SDL_GameControllerButton(BoundPadButton(2)))) bits |= PadButton3;
    return bits;
}

int JoystickBits() {
    if (!SDL_JoystickGetAttached(joystick)) return 0;
    int bits = 0;
    if (SDL_JoystickNumAxes(joystick) >= 2)
        bits |= AxisBits(SDL_JoystickGetAxis(joystick, 0), SDL_JoystickGetAxis(joystick, 1));
    if (SDL_JoystickNumHats(joystick) >= 1) {
        const Uint8 hat = SDL_JoystickGetHat(joystick, 0);
        if (hat & SDL_HAT_DOWN) bits |= PadDown;
        if (hat & SDL_HAT_LEFT) bits |= PadLeft;
        if (hat & SDL_HAT_RIGHT) bits |= PadRight;
        if (hat & SDL_HAT_UP) bits |= PadUp;
    }
    const int buttons = SDL_JoystickNumButtons(joystick);
    const int buttonBits[3] = {PadButton1, PadButton2, PadButton3};
    for (int i = 0; i < 3 && i < buttons; ++i)
        if (SDL_JoystickGetButton(joystick, i)) bits |= buttonBits[i];
    return bits;
}

}  // namespace

void StartInput() {
    if (!keyMapReady) BuildKeyMap();
    padSubsystem = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    OpenFirstPad();
}

void StopInput() {
    ClosePad();
    if (padSubsystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    padSubsystem = false;
}

// Pads plugged in later are picked up; an unplugged one is closed and another sought.
void HandlePadDeviceEvent(uint32_t type, int32_t which) {
    if (type == SDL_CONTROLLERDEVICEADDED || type == SDL_JOYDEVICEADDED) {
        // a raw joystick gives way once SDL can offer a mapped controller
        if (joystick && !controller && type == SDL_CONTROLLERDEVICEADDED) ClosePad();
        OpenFirstPad();
    } else if ((type == SDL_CONTROLLERDEVICEREMOVED || type == SDL_JOYDEVICEREMOVED) &&
               which == padInstance) {
        ClosePad();
        OpenFirstPad();
    }
}

void PumpInputEvents() {
    if (!runtimeSettings.started) return;
    if (runtimeSettings.headless)
        ApplyQueuedHeadlessKeys();
    else
        SDL_PumpEvents();  // updates the key and pad state; the events wait for PollEvent
}

int IsKeyDown(int scanCode) {
    if (scanCode < 0 || scanCode >= 256) return 0;
    if (runtimeSettings.headless) return HeadlessKeyDown(scanCode) ? 1 : 0;
    // the watcher may still stop or pause the run, but never steer it
    if (SuppliedButtonsOn() && scanCode != KeyEscape && scanCode != KeyP) return 0;
    if (!runtimeSettings.started) return 0;
    if (!keyMapReady) BuildKeyMap();
    const SDL_Scancode code = keyMap[scanCode];
    if (code == SDL_SCANCODE_UNKNOWN) return 0;
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return (keys && int(code) < count && keys[code]) ? 1 : 0;
}

int GetPadState(int pad) {
    if (pad != 1) return 0;
    if (runtimeSettings.headless || SuppliedButtonsOn()) return HeadlessPad();
    if (!runtimeSettings.started) return 0;
    if (controller) return ControllerBits();
    if (joystick) return JoystickBits();
    return 0;
}

// Start is no game button: it only pauses, so it stays out of GetPadState's bits.
int IsPadStartDown() {
    if (runtimeSettings.headless) return HeadlessPadStart() ? 1 : 0;
    if (!runtimeSettings.started) return 0;
    if (controller && SDL_GameControllerGetAttached(controller))
        return SDL_GameControllerGetButton(controller, SDL_GameControllerButton(BoundPadButton(3))) ? 1 : 0;
    return 0;
}

int IsPadButtonDown(int button) {
    if (runtimeSettings.headless || !runtimeSettings.started || !controller) return 0;
    if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX || !SDL_GameControllerGetAttached(controller)) return 0;
    return SDL_GameControllerGetButton(controller, SDL_GameControllerButton(button)) ? 1 : 0;
}

// The desktop plays no scripted frames.
void KeepScriptedFrame() {}
