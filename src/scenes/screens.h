// The front end's screens, each in a file of its own: entry and frame functions for the
// scene table. They run while the game's frames are held (shell/front_end.h).
#pragma once

#include <vector>

struct ListedReplay;

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
void EnterReplaysScreen();
void RunReplaysScreen();
// What REPLAYS lists, as it lists it (for tests).
const std::vector<ListedReplay>& ReplaysListed();
void EnterPracticeScreen();
void RunPracticeScreen();
// A practice's last ship lost (or its stage won): the practice screen offers RETRY.
bool PracticeOver();
// RETRY: the practice just flown, again from its start, recorded anew.
void RetryPractice();

// The names the help and the title's help line show for the player's keys and buttons.
const char* KeyLabel(int action);        // the key's name, upper case
const char* PadButtonLabel(int action);  // "A", "START" ...
