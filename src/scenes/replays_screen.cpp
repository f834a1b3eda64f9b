// REPLAYS: the last run, the ranked runs and the ones the player kept, each with its date,
// score, difficulty, stages flown, how it ended and its length; a damaged or foreign file
// is listed as such. WATCH opens the theatre, KEEP copies a replay into replays/saved/ under
// a name of its date, DELETE asks first.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "scenes/menu.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "scenes/theatre.h"
#include "shell/front_end.h"
#include "shell/game.h"
#include "shell/language.h"
#include "shell/replay.h"
#include "shell/replay_list.h"
#include "shell/replay_summary.h"
#include "shell/run_recorder.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"

namespace {

constexpr int kPanelX = 20, kPanelY = 40, kPanelW = 600, kPanelH = 420;
constexpr int kHeadingY = 52;
constexpr int kListX = 40, kListY = 88, kRowHeight = 44, kRowsShown = 7;
constexpr int kListW = 560;  // a tap anywhere across a row picks it
constexpr int kNoteY = 404;
// replayed frames summed up in a frame of the list: about 11 ms of a frame of 16 here
constexpr int64_t kSummaryFramesPerFrame = 2000;

enum ReplaysMode : int32_t { ModeList, ModeActions, ModeDeleteQuestion, ModeTheatre };
enum ReplaysAction : int32_t { ActionWatch, ActionKeep, ActionDelete, ActionYes, ActionNo };

struct ReplaysScreen {
    std::vector<ListedReplay> listed;
    int cursor = 0;
    int top = 0;
    ReplaysMode mode = ModeList;
    SummaryRun summarising;                // the summary under way
    std::vector<unsigned char> gameKept;  // the game's own state while a replay is watched
    bool gameTitleRule = true;            // and its title's rule
    char note[96] = {};
};

}  // namespace

// the list and the mode it is in, outside the game as every menu is
static ReplaysScreen menuReplays;

namespace {

const MenuEntry kActionEntries[] = {
    {N_("WATCH"), MenuAction, nullptr, 0, 0, ActionWatch},
    {N_("KEEP"), MenuAction, nullptr, 0, 0, ActionKeep},
    {N_("DELETE"), MenuAction, nullptr, 0, 0, ActionDelete},
    {N_("BACK"), MenuBack},
};
const MenuEntry kQuestionEntries[] = {
    {N_("NO"), MenuAction, nullptr, 0, 0, ActionNo},
    {N_("YES, DELETE IT"), MenuAction, nullptr, 0, 0, ActionYes},
};
}  // namespace

static Menu menuActions = {kActionEntries, MenuLength(kActionEntries)};
static Menu menuQuestion = {kQuestionEntries, MenuLength(kQuestionEntries)};

namespace {

void ListReplays() {
    menuReplays.summarising = SummaryRun{};  // its replay is read again
    ListReplayFiles(ReplayFolder(), &menuReplays.listed);
    menuReplays.cursor = std::min(menuReplays.cursor, std::max(0, static_cast<int>(menuReplays.listed.size()) - 1));
}

// A frame of a replayed game, unseen: the summaries' and the theatre's way on.
void ReplayedFrameUnseen(int buttons) {
    SetDrawingEnabled(false);
    RunReplayedFrame(buttons);
    SetDrawingEnabled(true);
}

// A shown frame is kept as the screen's background: paused or slow, it stays on screen.
void TheatreRunner(int buttons, bool shown) {
    SetDrawingEnabled(shown);
    if (shown) ClearBackBuffer();
    RunReplayedFrame(buttons);
    SetDrawingEnabled(true);
    if (shown) KeepBackBuffer(255);
}

// A slice of the summaries each frame of the list, so that no frame of it waits long.
void SummariseNext() {
    for (ListedReplay& l : menuReplays.listed)
        if (!SummariseListed(&l, &menuReplays.summarising, ReplayedFrameUnseen, kSummaryFramesPerFrame)) return;
}

const char* DifficultyName(int32_t d) {
    if (d == 2) return N_("NORMAL");
    if (d == 3) return N_("HARD");
    return N_("EASY");
}

void DrawListed(const ListedReplay& l, int y, bool current) {
    const int shade = current ? 255 : 190;
    char when[32] = "";
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&l.written));
    DrawPlainText(kListX, y, l.labelIsMsgid ? Tr(l.label.c_str()) : l.label.c_str(), shade, current ? 230 : shade, current ? 90 : shade);
    DrawPlainText(kListX + 240, y, when, 170, 180, 220);
    if (!l.readable) {
        DrawMenuText(kListX + 20, y + 20, "DAMAGED OR FOREIGN FILE", 255, 120, 120);
        return;
    }
    const int64_t seconds = static_cast<int64_t>(l.replay.buttons.size()) * 16 / 1000;
    char line[160];
    std::snprintf(line, sizeof line, "%s  %lld:%02lld", Tr(DifficultyName(l.replay.difficulty)),
                  static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
    DrawPlainText(kListX + 420, y, line, 170, 180, 220);
    if (!l.summarised) {
        DrawMenuText(kListX + 20, y + 20, "...", 150, 150, 170);
        return;
    }
    const ReplaySummary& s = l.summary;
    char stages[48] = "";
    size_t n = 0;
    for (int i = 0; i < s.stageCount && n + 4 < sizeof stages; i++)
        n += static_cast<size_t>(std::snprintf(stages + n, sizeof stages - n, i ? "-%d" : "%d", s.stages[i]));
    char ended[64];
    if (l.replay.options & RunPractice)
        std::snprintf(ended, sizeof ended, Tr(l.replay.practice.boss ? "PRACTICE, BOSS OF STAGE %d" : "PRACTICE, STAGE %d"),
                      l.replay.practice.stage);
    else if (s.endingStage)
        std::snprintf(ended, sizeof ended, Tr("ENDING OF STAGE %d"), s.endingStage);
    else if (s.givenUpStage)
        std::snprintf(ended, sizeof ended, Tr("GIVEN UP AT STAGE %d"), s.givenUpStage);
    else
        std::snprintf(ended, sizeof ended, Tr("STOPPED AT STAGE %d"), s.lastStage);
    std::snprintf(line, sizeof line, "%d   %s   %s", s.score, stages, ended);
    DrawPlainText(kListX + 20, y + 20, line, shade, shade, shade);
}

void DrawList() {
    DrawMenuPanel(kPanelX, kPanelY, kPanelW, kPanelH);
    DrawMenuTextCentred(320, kHeadingY, "REPLAYS", 255, 230, 90);
    if (menuReplays.listed.empty()) DrawMenuTextCentred(320, kListY + 40, "NO REPLAYS YET");
    if (menuReplays.cursor < menuReplays.top) menuReplays.top = menuReplays.cursor;
    if (menuReplays.cursor >= menuReplays.top + kRowsShown) menuReplays.top = menuReplays.cursor - kRowsShown + 1;
    for (int i = menuReplays.top; i < static_cast<int>(menuReplays.listed.size()) && i < menuReplays.top + kRowsShown; i++)
        DrawListed(menuReplays.listed[size_t(i)], kListY + (i - menuReplays.top) * kRowHeight, i == menuReplays.cursor);
    if (menuReplays.note[0]) DrawPlainText(kListX, kNoteY, menuReplays.note, 170, 230, 170);
}

void KeepReplay(const ListedReplay& l) {
    std::string keptAs;
    if (KeepListedReplay(ReplayFolder(), l, &keptAs))
        std::snprintf(menuReplays.note, sizeof menuReplays.note, Tr("KEPT AS %s"), keptAs.c_str());
    else
        std::snprintf(menuReplays.note, sizeof menuReplays.note, "%s", Tr("THE REPLAY COULD NOT BE KEPT"));
    ListReplays();
}

void OpenListedTheatre(const ListedReplay& l) {
    menuReplays.gameKept.resize(StateSnapshotBytes());
    TakeStateSnapshot(menuReplays.gameKept.data());
    menuReplays.gameTitleRule = titleIdleRestartsOnMove;
    std::string why;
    HoldSaves(true);
    OpenTheatre(l.replay, ReplayHashesCanBeChecked(l.replay, &why), TheatreRunner);
    menuReplays.mode = ModeTheatre;
}

void CloseListedTheatre() {
    CloseTheatre();
    HoldSaves(false);
    RestoreStateSnapshot(menuReplays.gameKept.data());
    titleIdleRestartsOnMove = menuReplays.gameTitleRule;  // an older replay's rule stays its own
    menuReplays.mode = ModeList;
}

void RunList() {
    const MenuInput& in = FrontEndInput();
    const int count = static_cast<int>(menuReplays.listed.size());
    if (in.back) {
        PlayMenuConfirmSound();
        CloseScreen();
        return;
    }
    if ((in.up || in.down) && count) {
        menuReplays.cursor = (menuReplays.cursor + (in.up ? count - 1 : 1)) % count;
        PlayMenuMoveSound();
    }
    const int tapped = TappedRow(in, kListX, kListY, kListW, kRowHeight, std::min(kRowsShown, count - menuReplays.top));
    if (tapped >= 0) menuReplays.cursor = menuReplays.top + tapped;  // and chosen, as fire chooses
    if ((in.fire || tapped >= 0) && count) {
        PlayMenuConfirmSound();
        MenuCursorToFirst(&menuActions);
        menuReplays.mode = ModeActions;
    }
    DrawList();
    SummariseNext();
}

void RunActions() {
    ListedReplay& l = menuReplays.listed[size_t(menuReplays.cursor)];
    switch (RunMenu(&menuActions, FrontEndInput())) {
    case MenuLeft: menuReplays.mode = ModeList; break;
    case MenuChosen:
        switch (MenuCurrent(menuActions).code) {
        case ActionWatch:
            if (l.readable) {
                OpenListedTheatre(l);
                return;
            }
            break;
        case ActionKeep:
            if (l.readable) KeepReplay(l);
            menuReplays.mode = ModeList;
            break;
        case ActionDelete:
            MenuCursorToFirst(&menuQuestion);
            menuReplays.mode = ModeDeleteQuestion;
            break;
        default: break;
        }
        break;
    default: break;
    }
    DrawList();
    DrawMenuPanel(440, 250, 160, 140);
    DrawMenu(menuActions, 460, 266);
}

void RunDeleteQuestion() {
    const ListedReplay& l = menuReplays.listed[size_t(menuReplays.cursor)];
    const MenuEvent e = RunMenu(&menuQuestion, FrontEndInput());
    if (e == MenuLeft || (e == MenuChosen && MenuCurrent(menuQuestion).code == ActionNo)) {
        menuReplays.mode = ModeList;
    } else if (e == MenuChosen) {
        unlink(l.path.c_str());
        menuReplays.note[0] = '\0';
        ListReplays();
        menuReplays.mode = ModeList;
        return;
    }
    DrawList();
    DrawMenuPanel(160, 190, 320, 110);
    DrawMenuTextCentred(320, 206, "DELETE THIS REPLAY?", 255, 230, 90);
    DrawMenu(menuQuestion, -1, 242);
}

void RunTheatreMode() {
    const MenuInput& in = FrontEndInput();
    if (in.back) {
        CloseListedTheatre();
        return;
    }
    TheatreFrame(TheatreControls(in));
    DrawTheatreOverlay();
}

}  // namespace

void EnterReplaysScreen() {
    // the list may have changed since it was last open: it opens on its first row
    menuReplays.mode = ModeList;
    menuReplays.cursor = 0;
    menuReplays.top = 0;
    menuReplays.note[0] = '\0';
    ListReplays();
}

void RunReplaysScreen() {
    switch (menuReplays.mode) {
    case ModeList: RunList(); break;
    case ModeActions: RunActions(); break;
    case ModeDeleteQuestion: RunDeleteQuestion(); break;
    case ModeTheatre: RunTheatreMode(); break;
    }
}

const std::vector<ListedReplay>& ReplaysListed() { return menuReplays.listed; }
