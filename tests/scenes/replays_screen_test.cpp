// REPLAYS through the front end: damaged, empty, foreign and huge files listed as such
// beside good ones summed up right, summaries remembered until a file changes, KEEP's copy
// named after the run's date, and DELETE asking first.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <string>
#include <vector>

#include "front_end_game.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "shell/replay_list.h"
#include "shell/state_hash.h"

namespace {

namespace fs = std::filesystem;

std::string Golden(const char* name) { return std::string(ZORBEX_SOURCE_DIR "/tests/golden/") + name + ".replay"; }

// A local time as the list shows it and KEEP names it.
time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

void SetWritten(const fs::path& path, time_t when) {
    const struct timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

time_t Written(const fs::path& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_mtime : 0;
}

class ReplaysScreen : public FrontEndGame {
protected:
    void SetUp() override {
        FrontEndGame::SetUp();
        fs::create_directories(dir / "replays" / "saved");
        ForgetReplaySummaries();
    }
    fs::path Replays() const { return dir / "replays"; }
    void Put(const char* name, const std::string& bytes, time_t when) {
        std::ofstream(Replays() / name, std::ios::binary) << bytes;
        SetWritten(Replays() / name, when);
    }

    // From a fresh title: REPLAYS opened, its list read. The game's state as the title
    // left it, in *title when given.
    static void OpenReplays(uint64_t* title = nullptr) {
        ToShownTitle();
        Tap(PadDown);
        Tap(PadDown);
        ASSERT_EQ(menuTitle.cursor, TitleReplays);
        if (title) *title = StateHash();
        Tap(PadButton1);
        ASSERT_TRUE(FrontEndHolding());
    }
    // The list's cursor on row `row` (from the top, where it stands as the list opens).
    static void ToRow(int row) {
        for (int i = 0; i < row; i++) Tap(PadDown);
    }
    // On the current row: the actions' menu, `downs` entries down (WATCH, KEEP, DELETE), fire.
    static void Act(int downs) {
        Tap(PadButton1);
        for (int i = 0; i < downs; i++) Tap(PadDown);
        Tap(PadButton1);
    }
    // Frames of the list until every replay in it is summed up; false when that never came.
    static bool SummariseAll() {
        for (int f = 0; f < 400; f++) {
            bool all = true;
            for (const ListedReplay& l : ReplaysListed()) all = all && (!l.readable || l.summarised);
            if (all) return true;
            Frame();
        }
        return false;
    }
    static const ListedReplay* Find(const std::string& label) {
        for (const ListedReplay& l : ReplaysListed())
            if (l.label == label) return &l;
        return nullptr;
    }
};

// Every kind of bad file is listed (and none stops the list); the good ones around them
// are summed up as the simulator tells their runs.
TEST_F(ReplaysScreen, BadFilesAreListedAsSuchAndTheGoodOnesSummedUpRight) {
    const time_t lastRun = LocalTime(2026, 12, 9, 22, 10, 5);
    Put("last.replay", Contents(Golden("game-run")), lastRun);
    std::string damaged = Contents(Golden("stage1"));
    damaged.replace(damaged.find("buttons"), 7, "buttonz");
    Put("rank01.replay", damaged, lastRun);
    Put("rank02.replay", "", lastRun);
    Put("rank03.replay", "\x89PNG\r\n\x1a\n not a replay at all", lastRun);
    // a good beginning, and past the reader's limit: sparse, so the test stays quick
    Put("rank04.replay", Contents(Golden("stage1")), lastRun);
    fs::resize_file(Replays() / "rank04.replay", kReplayMaxBytes + 1);
    Put("rank05.replay", Contents(Golden("stage1")), LocalTime(2026, 1, 2, 3, 4, 5));
    Put("saved/2026-11-01_10-00-00.replay", Contents(Golden("ending28")), LocalTime(2026, 11, 1, 10, 0, 0));
    fs::create_directories(Replays() / "saved" / "folder.replay");
    fs::create_symlink(Golden("stage1"), Replays() / "saved" / "link.replay");

    uint64_t title = 0;
    OpenReplays(&title);
    ASSERT_TRUE(SummariseAll());
    const std::vector<ListedReplay>& listed = ReplaysListed();
    ASSERT_EQ(listed.size(), 9u);
    EXPECT_EQ(listed[0].label, "LAST RUN");
    EXPECT_TRUE(listed[0].labelIsMsgid);
    for (const char* bad : {"rank01", "rank02", "rank03", "rank04", "folder", "link"}) {
        const ListedReplay* l = Find(bad);
        ASSERT_NE(l, nullptr) << bad;
        EXPECT_FALSE(l->readable) << bad;
        EXPECT_FALSE(l->summarised) << bad;
    }

    const ListedReplay& given = listed[0];  // lost every ship in stage 1 and gave up
    ASSERT_TRUE(given.readable);
    ASSERT_TRUE(given.summarised);
    EXPECT_EQ(given.written, lastRun);
    EXPECT_EQ(given.replay.difficulty, 2);
    EXPECT_EQ(given.summary.frames, 6232);
    EXPECT_EQ(given.summary.score, 4800);
    ASSERT_EQ(given.summary.stageCount, 1);
    EXPECT_EQ(given.summary.stages[0], 1);
    EXPECT_EQ(given.summary.givenUpStage, 1);
    EXPECT_EQ(given.summary.endingStage, 0);

    const ListedReplay* cut = Find("rank05");  // stopped in stage 1, its ships left
    ASSERT_NE(cut, nullptr);
    ASSERT_TRUE(cut->summarised);
    EXPECT_EQ(cut->written, LocalTime(2026, 1, 2, 3, 4, 5));
    EXPECT_EQ(cut->summary.frames, 5993);
    EXPECT_EQ(cut->summary.score, 120700);
    EXPECT_EQ(cut->summary.givenUpStage, 0);
    EXPECT_EQ(cut->summary.endingStage, 0);
    EXPECT_EQ(cut->summary.lastStage, 1);

    const ListedReplay* won = Find("2026-11-01_10-00-00");
    ASSERT_NE(won, nullptr);
    ASSERT_TRUE(won->summarised);
    EXPECT_EQ(won->summary.frames, 60833);
    EXPECT_EQ(won->summary.score, 5648800);
    EXPECT_EQ(won->summary.endingStage, 28);
    EXPECT_EQ(won->summary.givenUpStage, 0);
    const std::vector<int32_t> route = {1, 3, 6, 10, 15, 21, 28};
    EXPECT_EQ(std::vector<int32_t>(won->summary.stages, won->summary.stages + won->summary.stageCount), route);

    Frame(PadButton2);  // back to the title, which goes on as it was
    EXPECT_EQ(currentScene, SceneTitle);
    EXPECT_EQ(StateHash(), title) << "summing up the replays left the game as it was";
    EXPECT_TRUE(titleIdleRestartsOnMove) << "the older replays' title rule stays theirs";
    Frame();
    EXPECT_FALSE(FrontEndHolding());
}

// A list opened again plays nothing it has summed up, until a file is written anew.
TEST_F(ReplaysScreen, SummariesAreRememberedUntilTheFileChanges) {
    const time_t when = LocalTime(2026, 12, 9, 22, 10, 5);
    Put("last.replay", Contents(Golden("game-run")), when);
    Put("rank01.replay", Contents(Golden("stage1")), when);
    OpenReplays();
    ASSERT_TRUE(SummariseAll());
    Tap(PadButton2);

    // another run over last.replay, written in the same second
    Put("last.replay", Contents(Golden("stage1")), when);
    Frames(2);
    Tap(PadButton1);  // the cursor is still on REPLAYS
    ASSERT_TRUE(FrontEndHolding());
    const std::vector<ListedReplay>& listed = ReplaysListed();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_TRUE(listed[1].summarised) << "rank01 is known as it opens";
    ASSERT_TRUE(SummariseAll());
    EXPECT_EQ(listed[0].summary.score, 120700) << "the new last.replay, summed up anew";
    EXPECT_EQ(listed[0].summary.frames, 5993);
}

// KEEP: a copy in saved/ named after the run's date, dated as it was; the same replay kept
// again stays one copy, another run of the same second gets the next name.
TEST_F(ReplaysScreen, KeepCopiesUnderTheRunsDateOnceAndNeverOverAnother) {
    const time_t when = LocalTime(2026, 12, 9, 22, 10, 5);
    Put("last.replay", Contents(Golden("game-run")), when);
    Put("rank01.replay", Contents(Golden("stage1")), when);
    Put("rank02.replay", "damaged", when);
    OpenReplays();
    Act(1);  // KEEP last.replay
    const fs::path kept = Replays() / "saved" / "2026-12-09_22-10-05.replay";
    ASSERT_TRUE(fs::exists(kept));
    EXPECT_EQ(Contents(kept), Contents(Replays() / "last.replay"));
    EXPECT_EQ(Written(kept), when);
    ASSERT_EQ(ReplaysListed().size(), 4u);
    EXPECT_EQ(ReplaysListed()[3].label, "2026-12-09_22-10-05");
    EXPECT_EQ(ReplaysListed()[3].written, when);

    Act(1);  // the same again
    ToRow(3);
    Act(1);  // and the kept copy itself
    EXPECT_EQ(ReplaysListed().size(), 4u);

    Tap(PadUp);
    Tap(PadUp);  // rank01: another run of that second
    Act(1);
    EXPECT_TRUE(fs::exists(Replays() / "saved" / "2026-12-09_22-10-05-2.replay"));
    EXPECT_EQ(Contents(kept), Contents(Replays() / "last.replay")) << "the first copy untouched";
    EXPECT_EQ(ReplaysListed().size(), 5u);

    Tap(PadDown);  // rank02 is no replay: nothing to keep
    ASSERT_EQ(ReplaysListed()[2].label, "rank02");
    Act(1);
    EXPECT_EQ(std::distance(fs::directory_iterator(Replays() / "saved"), fs::directory_iterator()), 2);
}

// DELETE asks first: NO, or back, leaves the file; YES removes it and the list with it.
TEST_F(ReplaysScreen, DeleteAsksFirstAndNoLeavesTheFile) {
    const time_t when = LocalTime(2026, 12, 9, 22, 10, 5);
    Put("last.replay", Contents(Golden("game-run")), when);
    Put("rank01.replay", "not a replay", when);
    OpenReplays();
    ToRow(1);
    Act(2);  // DELETE: the question, on NO
    EXPECT_TRUE(fs::exists(Replays() / "rank01.replay"));
    Tap(PadButton1);  // NO
    EXPECT_TRUE(fs::exists(Replays() / "rank01.replay"));
    Act(2);
    Tap(PadButton2);  // back out of the question
    EXPECT_TRUE(fs::exists(Replays() / "rank01.replay"));
    EXPECT_EQ(ReplaysListed().size(), 2u);

    Act(2);
    Tap(PadDown);
    Tap(PadButton1);  // YES, DELETE IT: a damaged file goes as well
    EXPECT_FALSE(fs::exists(Replays() / "rank01.replay"));
    ASSERT_EQ(ReplaysListed().size(), 1u);
    EXPECT_TRUE(fs::exists(Replays() / "last.replay"));
    Act(2);
    Tap(PadDown);
    Tap(PadButton1);  // the cursor went up to the last row there is
    EXPECT_FALSE(fs::exists(Replays() / "last.replay"));
    EXPECT_TRUE(ReplaysListed().empty());
    Tap(PadButton1);  // an empty list: fire does nothing, back leaves
    Tap(PadButton2);
    EXPECT_FALSE(FrontEndHolding());
}

}  // namespace
