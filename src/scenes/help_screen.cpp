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
constexpr int kItemCellSize = 32;  // ImgItem's cells

// The items by their cell in ImgItem, each with what it does.
struct HelpItem {
    int cell;
    const char* text;
};
static const HelpItem kHelpItems[] = {
    {0, "S: SHOT. FOUR RAISE THE MAIN GUN A LEVEL"},
    {1, "M: MISSILES. FOUR RAISE THEM A LEVEL"},
    {2, "A: ARMS, THE ARMOUR AROUND THE SHIP (\"ARM\"): EACH ADDS HITS IT TAKES"},
    {3, "ONE BOMB MORE"},
    {4, "ONE SHIP MORE"},
    {5, "5000 POINTS"},
    {6, "A BLOW THAT HURTS EVERY ENEMY AND SHOT"},
};

static void Line(int* y, const char* text, int r = 230, int g = 232, int b = 255) {
    DrawPlainText(kTextX, *y, text, r, g, b);
    *y += kLineStep;
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
    Line(y, Tr(CanQuit() ? "ESCAPE: PAUSE IN A RUN, QUIT ELSEWHERE   ALT+ENTER: FULL SCREEN"
                         : "ESCAPE: PAUSE IN A RUN"));
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
    for (const HelpItem& item : kHelpItems) {
        DrawImage(kTextX, y - 4, ImgItem[item.cell], 1);
        DrawPlainText(kItemTextX, y + 2, Tr(item.text), 230, 232, 255);
        y += kItemCellSize - 4;
    }
    y += 6;
    Line(&y, Tr("BOMB: BLASTS ALL OVER THE SCREEN HURT EVERY ENEMY AND SHOT;"), 255, 230, 90);
    Line(&y, Tr("THE SHIP CANNOT BE HIT WHILE IT LASTS. THREE WITH EACH NEW SHIP."));
    Line(&y, Tr("ROUTE MAP: AFTER EACH STAGE CHOOSE ONE OF TWO WITH UP OR DOWN"));
    Line(&y, Tr("AND FIRE. SEVEN STAGES MAKE A RUN; EACH LAST STAGE HAS ITS ENDING."));
    DrawMenuTextCentred(320, kPanelY + kPanelH - 26, "FIRE OR BOMB: BACK", 170, 180, 220);
}
