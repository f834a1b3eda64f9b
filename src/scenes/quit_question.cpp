// QUIT GAME asks once more: NO (where the cursor stands) or YES.
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/run_recorder.h"

constexpr int kPanelX = 200, kPanelY = 180, kPanelW = 240, kPanelH = 110;
constexpr int kQuestionY = 196;
constexpr int kFirstY = 232;

enum QuitAnswer : int32_t { QuitNo, QuitYes };

static const MenuEntry kQuitEntries[] = {
    {"NO", MenuAction, nullptr, 0, 0, QuitNo},
    {"YES", MenuAction, nullptr, 0, 0, QuitYes},
};

static Menu menuQuit = {kQuitEntries, MenuLength(kQuitEntries)};

void EnterQuitQuestion() { MenuCursorToFirst(&menuQuit); }

void RunQuitQuestion() {
    const MenuEvent event = RunMenu(&menuQuit, FrontEndInput());
    if (event == MenuLeft || (event == MenuChosen && MenuCurrent(menuQuit).code == QuitNo)) {
        CloseScreen();
        return;
    }
    if (event == MenuChosen) {
        KeepRunSoFar();  // the run ends as a quit ends it
        QuitProgram();
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kQuestionY, "QUIT THE GAME?", 255, 230, 90);
    DrawMenu(menuQuit, -1, kFirstY);
}
