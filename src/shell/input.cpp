// Button flags: held while down, pressed only in the frame the button went down.
#include "shell/input.h"

#include "runtime/media.h"

uint8_t fireHeld, firePressed;
uint8_t bombHeld, bombPressed;
uint8_t continueHeld, continuePressed;
uint8_t upHeld, upPressed;
uint8_t downHeld, downPressed;
uint8_t leftHeld, leftPressed;
uint8_t rightHeld, rightPressed;

struct Button {
    int key;
    int padBit;
    uint8_t* held;
    uint8_t* pressed;
};

// Sampled in this order; the pad is read afresh for each button.
static const Button kButtons[] = {
    {KeyZ, PadButton1, &fireHeld, &firePressed},
    {KeyX, PadButton2, &bombHeld, &bombPressed},
    {KeyC, PadButton3, &continueHeld, &continuePressed},
    {KeyUp, PadUp, &upHeld, &upPressed},
    {KeyDown, PadDown, &downHeld, &downPressed},
    {KeyLeft, PadLeft, &leftHeld, &leftPressed},
    {KeyRight, PadRight, &rightHeld, &rightPressed},
};

void SampleInput() {
    PumpInputEvents();  // what happened during the frame's wait counts in this frame
    for (const Button& b : kButtons) {
        bool down = IsKeyDown(b.key) == 1 || (GetPadState(1) & b.padBit) != 0;
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
