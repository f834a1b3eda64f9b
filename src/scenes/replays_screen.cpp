// REPLAYS: the replays of the player's runs, to watch; filled by the replays work.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"

void RunReplaysScreen() {
    const MenuInput& in = FrontEndInput();
    if (in.back || in.fire) {
        PlayMenuConfirmSound();
        CloseScreen();
        return;
    }
    DrawMenuPanel(120, 170, 400, 120);
    DrawMenuTextCentred(320, 186, "REPLAYS", 255, 230, 90);
    DrawMenuTextCentred(320, 222, "NOT HERE YET: USE ZORBEX-SIM --WATCH");
    DrawMenuTextCentred(320, 258, "FIRE OR BOMB: BACK", 170, 180, 220);
}
