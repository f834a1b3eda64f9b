// The seven game buttons, sampled once per frame from the keyboard and the first pad.
#pragma once

#include <cstdint>

extern uint8_t fireHeld, firePressed;
extern uint8_t bombHeld, bombPressed;
extern uint8_t continueHeld, continuePressed;
extern uint8_t upHeld, upPressed;
extern uint8_t downHeld, downPressed;
extern uint8_t leftHeld, leftPressed;
extern uint8_t rightHeld, rightPressed;

void SampleInput();  // ReadButtons, then SampleInputFrom
// The buttons down now, as pad bits, from the player's keys and the pad; the flags untouched.
int ReadButtons();
// The flags from buttons read this frame: held as given, pressed where not held before.
void SampleInputFrom(int padBits);
bool PadWasUsed();  // once a pad button or stick moved, the help names the pad's buttons
void ClearInput();  // all flags back to 0
// The held buttons as pad bits (what a replay records for the frame), and the held
// flags set from such bits with nothing pressed (a replay starting with buttons down).
int HeldButtons();
void SetHeldButtons(int padBits);
