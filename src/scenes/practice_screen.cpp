// PRACTICE: a stage of the player's choice, outside the table; filled by the practice work.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"

void RunPracticeScreen() { RunNoticeScreen(FrontEndInput(), "PRACTICE", "NOT HERE YET"); }
