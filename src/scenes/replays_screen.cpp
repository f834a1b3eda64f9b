// REPLAYS: the replays of the player's runs, to watch; filled by the replays work.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"

void RunReplaysScreen() {
    RunNoticeScreen(FrontEndInput(), "REPLAYS", "NOT HERE YET: WATCH A RUN WITH ZORBEX-SIM --WATCH");
}
