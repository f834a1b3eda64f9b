// The pause menu, over the dimmed frame of the paused run: resume, start again, options,
// back to the title, or quit. Nothing here touches the run: RETRY and QUIT TO TITLE end it
// as a quit does (no entry in the table, the run so far kept as replays/last.replay).
#include "runtime/media.h"
#include "scenes/menu.h"
#include "shell/language.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/game.h"
#include "shell/practice.h"

constexpr int kPanelX = 200, kPanelY = 150, kPanelW = 240, kPanelH = 170;
constexpr int kHeadingY = 164;
constexpr int kFirstY = 200;

enum PauseEntry : int32_t { PauseResume, PauseRetry, PauseOptions, PauseToTitle, PauseQuit };

static bool QuitShown() { return CanQuit() != 0; }

static const MenuEntry kPauseEntries[] = {
    {N_("RESUME"), MenuAction, nullptr, 0, 0, PauseResume},
    {N_("RETRY"), MenuAction, nullptr, 0, 0, PauseRetry},
    {N_("OPTIONS"), MenuAction, nullptr, 0, 0, PauseOptions},
    {N_("QUIT TO TITLE"), MenuAction, nullptr, 0, 0, PauseToTitle},
    {N_("QUIT GAME"), MenuAction, nullptr, 0, 0, PauseQuit, nullptr, QuitShown},
};

static Menu menuPause = {kPauseEntries, MenuLength(kPauseEntries)};

void EnterPauseScreen() {
    // coming back from OPTIONS keeps the cursor where it was
    if (ScreenBelow() != SceneOptions) MenuCursorToFirst(&menuPause);
}

void RunPauseScreen() {
    switch (RunMenu(&menuPause, FrontEndInput())) {
    case MenuLeft: CloseScreen(); return;
    case MenuChosen:
        switch (MenuCurrent(menuPause).code) {
        case PauseResume: CloseScreen(); return;
        case PauseRetry:
            // a practice starts itself again; any other run starts over from stage 1
            if (practiceRun)
                RetryPractice();
            else
                EndRunFromPause(true);
            return;
        case PauseOptions: OpenScreen(SceneOptions); return;
        case PauseToTitle: EndRunFromPause(false); return;
        case PauseQuit: OpenScreen(SceneQuitQuestion); return;
        default: break;
        }
        break;
    default: break;
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kHeadingY, "PAUSE", 255, 230, 90);
    DrawMenu(menuPause, -1, kFirstY);
}
