// The front end: the title's menu entries other than START, the pause menu and the
// screens they open (options, keys, help ...), all outside the game's frames. While a
// screen is open the game's frames are held as a pause holds them: nothing is sampled
// into the game, nothing is recorded, no state changes, so a replay's frames are the
// same whatever the player did in the menus.
#pragma once

#include <cstdint>

#include "scenes/menu.h"

// On in the game (and the tests of the menus); replays and tools run without it, with
// the bare pause and Escape quitting as always.
void EnableFrontEnd(bool on);
bool FrontEndOn();
// A screen is open, or the title waits for the buttons to be let go: no game frame is due.
bool FrontEndHolding();

enum FrontEndStep : int32_t {
    FrontEndRunFrame,  // the game's frame runs, with the buttons read
    FrontEndHold,      // a screen ran instead, or the game waits for the buttons to be let go
    FrontEndQuit,      // the program ends
};
// Called by the loop each frame, after the pacing wait, with the buttons read for it;
// `entering` says the coming game frame is the first of its scene. May change the
// buttons the game's frame is to take (RETRY presses START for the player).
FrontEndStep FrontEndBeforeFrame(int* buttons, bool entering);

// For the screens: this frame's menu buttons, and moving between screens.
const MenuInput& FrontEndInput();
void OpenScreen(int32_t scene);  // over the current one; Back comes back to it
void CloseScreen();              // back to the screen below, or to the game
void CloseEveryScreen();         // straight back to the game (a practice begun or begun again)
int32_t ScreenBelow();           // the screen (or game scene) the current one was opened over
bool PauseMenuOpen();            // a run is paused under the open screens
void DrawScreenBackground();     // the last game frame, dimmed
void QuitProgram();              // ends the program after this frame
// The paused run ended (nothing entered in the table, the run so far kept as
// replays/last.replay), then the title; with `again`, stage 1 starts at once.
void EndRunFromPause(bool again);

// The next game frame is an entry into its scene again (the title after its difficulty
// changed: the run it begins takes the new one).
void EnterSceneAgain();

// The settings changed by a screen: applied at once and written.
void SettingsChanged();

