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

constexpr int kPanelX = 16, kPanelY = 6, kPanelW = 608, kPanelH = 468;
constexpr int kTextX = 32, kItemTextX = 62, kLineStep = 20;
constexpr int kTextWidth = 576, kItemTextWidth = 546;
constexpr int kItemIconSize = 20;  // ImgItem's cells drawn small
constexpr int kItemStep = 22;

// The items by their cell in ImgItem, each with what it does.
struct HelpItem {
    int cell;
    const char* text;
};
static const HelpItem kHelpItems[] = {
    {0, "S: SHOT. FOUR RAISE THE MAIN GUN A LEVEL"},
    {1, "M: MISSILES. FOUR RAISE THEM A LEVEL"},
    {2, "A: ARMS (ARM): ARMOUR THAT TAKES HITS FOR THE SHIP"},
    {3, "ONE BOMB MORE"},
    {4, "ONE SHIP MORE"},
    {5, "5000 POINTS"},
    {6, "A BLOW THAT HURTS EVERY ENEMY AND SHOT"},
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
    Line(y, CanQuit() ? Tr("ESC: PAUSE IN A RUN, ELSE QUIT.  ALT+ENTER: FULL SCREEN") : Tr("ESC: PAUSE IN A RUN"));
}

void RunHelpScreen() {
    if (ScreenClosedByFireOrBack(FrontEndInput())) {
        CloseScreen();
        return;
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    int y = kPanelY + 10;
    DrawMenuTextCentred(320, y, "HELP", 255, 230, 90);
    y += kLineStep + 6;
    ControlLines(&y);
    y += 8;
    Line(&y, Tr("ITEMS, LEFT BY THE CARRIERS YOU DESTROY:"), 255, 230, 90);
    y += 2;
    for (const HelpItem& item : kHelpItems) {
        DrawImageStretched(kTextX, y, kTextX + kItemIconSize, y + kItemIconSize, ImgItem[item.cell], 1);
        const int lines = DrawTextWrapped(kItemTextX, y + 1, kItemTextWidth, kLineStep, Tr(item.text), 230, 232, 255);
        y += kItemStep + (lines - 1) * kLineStep;
    }
    y += 4;
    Line(&y, Tr("BOMB: BLASTS HURT EVERY ENEMY AND SHOT, AND NOTHING HITS THE SHIP MEANWHILE. THREE WITH EACH SHIP."), 255, 230, 90);
    y += 4;
    Line(&y, Tr("ROUTE MAP: AFTER A STAGE PICK ONE OF TWO WITH UP OR DOWN AND FIRE. A RUN IS SEVEN STAGES; EACH LAST ONE HAS ITS ENDING."));
    DrawMenuTextCentred(320, kPanelY + kPanelH - 24, "FIRE OR BOMB: BACK", 170, 180, 220);
}
