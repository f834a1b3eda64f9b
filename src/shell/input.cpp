// Button flags: held while down, pressed only in the frame the button went down.
#include "shell/input.h"

#include "runtime/media.h"
#include "shell/settings.h"

uint8_t fireHeld, firePressed;
uint8_t bombHeld, bombPressed;
uint8_t continueHeld, continuePressed;
uint8_t upHeld, upPressed;
uint8_t downHeld, downPressed;
uint8_t leftHeld, leftPressed;
uint8_t rightHeld, rightPressed;

struct Button {
    int action;  // the player's key for it: settings.keys[action]
    int padBit;
    uint8_t* held;
    uint8_t* pressed;
};

// Sampled in this order; the pad is read afresh for each button.
static const Button kButtons[] = {
    {KeyActionFire, PadButton1, &fireHeld, &firePressed},
    {KeyActionBomb, PadButton2, &bombHeld, &bombPressed},
    {KeyActionContinue, PadButton3, &continueHeld, &continuePressed},
    {KeyActionUp, PadUp, &upHeld, &upPressed},
    {KeyActionDown, PadDown, &downHeld, &downPressed},
    {KeyActionLeft, PadLeft, &leftHeld, &leftPressed},
    {KeyActionRight, PadRight, &rightHeld, &rightPressed},
};

static bool padUsed = false;

int ReadButtons() {
    PumpInputEvents();  // what happened during the frame's wait counts in this frame
    int bits = 0;
    for (const Button& b : kButtons) {
        const int pad = GetPadState(1);
        if (pad != 0) padUsed = true;
        if (IsKeyDown(settings.keys[b.action]) == 1 || (pad & b.padBit) != 0) bits |= b.padBit;
    }
    return bits;
}

bool PadWasUsed() { return padUsed; }

void SampleInput() { SampleInputFrom(ReadButtons()); }

void SampleInputFrom(int bits) {
    for (const Button& b : kButtons) {
        const bool down = (bits & b.padBit) != 0;
        if (down) {
            *b.pressed = *b.held == 0 ? 1 : 0;
            *b.held = 1;
        } else {
            *b.pressed = 0;
            *b.held = 0;
        }
    }
}

void ClearInput() {
    for (const Button& b : kButtons) {
        *b.held = 0;
        *b.pressed = 0;
    }
}

int HeldButtons() {
    int bits = 0;
    for (const Button& b : kButtons)
        if (*b.held) bits |= b.padBit;
    return bits;
}

void SetHeldButtons(int padBits) {
    for (const Button& b : kButtons) {
        *b.held = (padBits & b.padBit) != 0 ? 1 : 0;
        *b.pressed = 0;
    }
}
