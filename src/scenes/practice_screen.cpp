// PRACTICE: a stage this player has reached on this machine, the difficulty, the ship's
// shot, missile and arm levels and its bombs, and where to start: the stage's start or its
// boss. START begins it at once, recorded as a practice and never ranked. Opened again
// when a practice's last ship is lost: RETRY starts the same practice once more.
#include "player/player.h"
#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/game.h"
#include "shell/language.h"
#include "shell/practice.h"
#include "shell/run_recorder.h"
#include "shell/settings.h"

constexpr int kPanelX = 110, kPanelY = 60, kPanelW = 420, kPanelH = 360;
constexpr int kHeadingY = 76;
constexpr int kLabelX = 150, kValueX = 380, kFirstY = 118;
constexpr int kNoteY = 390;
constexpr int32_t kStages = 28;

enum PracticeAction : int32_t { PracticeBegin, PracticeRetry, PracticeToTitle };

static const char* const kDifficulties[] = {N_("EASY"), N_("NORMAL"), N_("HARD")};
static const char* const kStarts[] = {N_("STAGE START"), N_("BOSS")};

static int32_t menuStage = 1, menuDifficulty = 2, menuShot = 0, menuMissile = 0, menuArms = 0, menuBombs = 3,
               menuStart = 0;

static const MenuEntry kPracticeEntries[] = {
    {N_("STAGE"), MenuNumber, &menuStage, 1, kStages},
    {N_("DIFFICULTY"), MenuChoice, &menuDifficulty, 1, 3, 0, kDifficulties},
    {N_("SHOT"), MenuNumber, &menuShot, 0, kTopShotLevel},
    {N_("MISSILE"), MenuNumber, &menuMissile, 0, kTopMissileLevel},
    {N_("ARMS"), MenuNumber, &menuArms, 0, kPracticeTopArms},
    {N_("BOMBS"), MenuNumber, &menuBombs, 0, kPracticeTopBombs},
    {N_("START AT"), MenuChoice, &menuStart, 0, 1, 0, kStarts},
    {N_("START"), MenuAction, nullptr, 0, 0, PracticeBegin},
    {N_("BACK"), MenuBack},
};

// After the last ship of a practice is lost.
static const MenuEntry kOverEntries[] = {
    {N_("RETRY"), MenuAction, nullptr, 0, 0, PracticeRetry},
    {N_("QUIT TO TITLE"), MenuAction, nullptr, 0, 0, PracticeToTitle},
};

static Menu menuPractice = {kPracticeEntries, MenuLength(kPracticeEntries)};
static Menu menuOver = {kOverEntries, MenuLength(kOverEntries)};
static int32_t menuShownStage = 1;
static PracticeStart menuLastPractice;
static int32_t menuLastDifficulty = 2;

// The stage moves on to the next one reached, the way it was moved, round the ends.
static void SkipToReachedStage() {
    const int32_t step = menuStage == menuShownStage % kStages + 1 || (menuShownStage == kStages && menuStage == 1) ? 1 : -1;
    for (int32_t i = 0; i < kStages && !StageReached(menuStage); i++)
        menuStage = (menuStage - 1 + step + kStages) % kStages + 1;
    menuShownStage = menuStage;
}

bool PracticeOver() {
    if (!practiceRun) return false;
    if (currentScene == ScenePlay) return stagePhase == PhaseGameOverPrompt;
    return currentScene != SceneTitle;  // won: the route map or the ending would follow
}

// The practice begins at once, as a replay of it will: the recorder starts it anew.
static void StartPractice(const PracticeStart& p, int32_t difficulty) {
    menuLastPractice = p;
    menuLastDifficulty = difficulty;
    KeepRunSoFar();
    StopMusicFile();
    difficultySetting = difficulty;
    BeginRecordedPractice(p);
    CloseEveryScreen();
}

void RetryPractice() { StartPractice(menuLastPractice, menuLastDifficulty); }

static PracticeStart ChosenPractice() {
    PracticeStart p;
    p.stage = menuStage;
    p.boss = menuStart == 1;
    p.shotLevel = menuShot;
    p.missileLevel = menuMissile;
    p.arms = menuArms;
    p.bombs = menuBombs;
    return p;
}

void EnterPracticeScreen() {
    ReadReachedStages();
    if (!StageReached(menuStage)) menuStage = 1;
    menuShownStage = menuStage;
    menuDifficulty = settings.difficulty;
    MenuCursorToFirst(PracticeOver() ? &menuOver : &menuPractice);
}

static void RunPracticeOver() {
    if (RunMenu(&menuOver, FrontEndInput()) == MenuChosen) {
        if (MenuCurrent(menuOver).code == PracticeRetry)
            RetryPractice();
        else
            EndRunFromPause(false);
        return;
    }
    DrawMenuPanel(200, 180, 240, 110);
    DrawMenuTextCentred(320, 196, "PRACTICE OVER", 255, 230, 90);
    DrawMenu(menuOver, -1, 232);
}

void RunPracticeScreen() {
    if (PracticeOver()) {
        RunPracticeOver();
        return;
    }
    switch (RunMenu(&menuPractice, FrontEndInput())) {
    case MenuChanged:
        if (MenuCurrent(menuPractice).value == &menuStage) SkipToReachedStage();
        break;
    case MenuChosen:
        StartPractice(ChosenPractice(), menuDifficulty);
        return;
    case MenuLeft: CloseScreen(); return;
    default: break;
    }
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kHeadingY, "PRACTICE", 255, 230, 90);
    DrawMenu(menuPractice, kLabelX, kFirstY, kValueX);
    DrawMenuTextCentred(320, kNoteY, "PRACTICE RUNS ARE NOT RANKED", 170, 180, 220);
}
