// The front end's screens, each in a file of its own: entry and frame functions for the
// scene table. They run while the game's frames are held (shell/front_end.h).
#pragma once

void EnterOptionsScreen();
void RunOptionsScreen();
void EnterKeysScreen();
void RunKeysScreen();
void EnterPadButtonsScreen();
void RunPadButtonsScreen();
void RunHelpScreen();
void EnterPauseScreen();
void RunPauseScreen();
void EnterQuitQuestion();
void RunQuitQuestion();
void RunReplaysScreen();
void RunPracticeScreen();

// The names the help and the title's help line show for the player's keys and buttons.
const char* KeyLabel(int action);        // the key's name, upper case
const char* PadButtonLabel(int action);  // "A", "START" ...
