// PRACTICE: a stage of the player's choice, outside the table; filled by the practice work.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/language.h"

void RunPracticeScreen() { RunNoticeScreen(FrontEndInput(), N_("PRACTICE"), N_("NOT HERE YET")); }
