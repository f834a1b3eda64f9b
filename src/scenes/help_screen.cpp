// HELP: the controls as bound, the items and what each raises, the bomb, the route map.
#include <cstdio>

#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/assets.h"
#include "shell/front_end.h"
#include "shell/input.h"
#include "shell/language.h"
#include "shell/settings.h"

constexpr int kPanelX = 20, kPanelY = 14, kPanelW = 600, kPanelH = 452;
constexpr int kTextX = 40, kItemTextX = 80, kLineStep = 20;
constexpr int kTextWidth = 560, kItemTextWidth = 520;
constexpr int kItemCellSize = 32;  // ImgItem's cells

// The items by their cell in ImgItem, each with what it does.
struct HelpItem {
    int cell;
    const char* text;
};
static const HelpItem kHelpItems[] = {
    {0, N_("S: SHOT. FOUR RAISE THE MAIN GUN A LEVEL")},
    {1, N_("M: MISSILES. FOUR RAISE THEM A LEVEL")},
    {2, N_("A: ARMS (ARM), THE ARMOUR AROUND THE SHIP: EACH ADDS HITS IT TAKES, FOUR RAISE IT")},
    {3, N_("ONE BOMB MORE")},
    {4, N_("ONE SHIP MORE")},
    {5, N_("5000 POINTS")},
    {6, N_("A BLOW THAT HURTS EVERY ENEMY AND SHOT")},
};

// A text already translated, wrapped to the panel.
static void Line(int* y, const char* text, int r = 230, int g = 232, int b = 255) {
    *y += kLineStep * DrawTextWrapped(kTextX, *y, kTextWidth, kLineStep, text, r, g, b);
}

static void ControlLines(int* y) {
    char line[160];
    std::snprintf(line, sizeof line, Tr("MOVE: %s %s %s %s"), KeyLabel(KeyActionUp), KeyLabel(KeyActionDown),
                  KeyLabel(KeyActionLeft), KeyLabel(KeyActionRight));
    Line(y, line);
    std::snprintf(line, sizeof line, Tr("FIRE: %s   BOMB: %s   CONTINUE: %s   PAUSE: %s"), KeyLabel(KeyActionFire),
                  KeyLabel(KeyActionBomb), KeyLabel(KeyActionContinue), KeyLabel(KeyActionPause));
    Line(y, line);
    if (PadWasUsed()) {
        std::snprintf(line, sizeof line, Tr("PAD: FIRE %s   BOMB %s   CONTINUE %s   PAUSE %s"),
                      PadButtonLabel(PadActionFire), PadButtonLabel(PadActionBomb),
                      PadButtonLabel(PadActionContinue), PadButtonLabel(PadActionPause));
        Line(y, line);
    }
    Line(y, CanQuit() ? Tr("ESCAPE: PAUSE IN A RUN, QUIT ELSEWHERE. ALT+ENTER: WINDOW OR FULL SCREEN")
                      : Tr("ESCAPE: PAUSE IN A RUN"));
}

void RunHelpScreen() {
    const MenuInput& in = FrontEndInput();
    if (in.back || in.fire) {
        PlayMenuConfirmSound();
        CloseScreen();
        return;
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    int y = kPanelY + 10;
    DrawMenuTextCentred(320, y, "HELP", 255, 230, 90);
    y += kLineStep + 6;
    ControlLines(&y);
    y += 8;
    Line(&y, Tr("ITEMS: DESTROY THE CARRIERS AND PICK UP WHAT THEY LEAVE"), 255, 230, 90);
    y += 4;
    for (const HelpItem& item : kHelpItems) {
        DrawImage(kTextX, y - 4, ImgItem[item.cell], 1);
        const int lines = DrawTextWrapped(kItemTextX, y + 2, kItemTextWidth, kLineStep, Tr(item.text), 230, 232, 255);
        y += kItemCellSize - 6 + (lines - 1) * kLineStep;
    }
    y += 6;
    Line(&y, Tr("BOMB: BLASTS ALL OVER THE SCREEN HURT EVERY ENEMY AND SHOT, AND THE SHIP CANNOT BE HIT WHILE IT LASTS. THREE WITH EACH NEW SHIP."));
    Line(&y, Tr("ROUTE MAP: AFTER EACH STAGE CHOOSE THE NEXT OF TWO WITH UP OR DOWN AND FIRE. SEVEN STAGES MAKE A RUN; EACH LAST STAGE HAS ITS OWN ENDING."));
    DrawMenuTextCentred(320, kPanelY + kPanelH - 26, "FIRE OR BOMB: BACK", 170, 180, 220);
}
