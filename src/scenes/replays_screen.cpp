// REPLAYS: the replays of the player's runs, to watch; filled by the replays work.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/language.h"

void RunReplaysScreen() {
    RunNoticeScreen(FrontEndInput(), N_("REPLAYS"), N_("NOT HERE YET: USE ZORBEX-SIM --WATCH"));
}
