// PRACTICE: a stage of the player's choice, outside the table; filled by the practice work.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"

void RunPracticeScreen() {
    const MenuInput& in = FrontEndInput();
    if (in.back || in.fire) {
        PlayMenuConfirmSound();
        CloseScreen();
        return;
    }
    DrawMenuPanel(120, 170, 400, 120);
    DrawMenuTextCentred(320, 186, "PRACTICE", 255, 230, 90);
    DrawMenuTextCentred(320, 222, "NOT HERE YET");
    DrawMenuTextCentred(320, 258, "FIRE OR BOMB: BACK", 170, 180, 220);
}
