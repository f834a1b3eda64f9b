// Practice: recorded with its start and power, verified like any run, never ranked; the
// stages a player reached, as the practice menu offers them.
#include <gtest/gtest.h>

#include <cstring>

#include "player/player.h"
#include "run_recorder_fixture.h"
#include "shell/practice.h"

namespace run_recorder_test {
namespace {

// Fire held and the ship weaving in play, fire tapped elsewhere, until the ranking.
bool FightToRanking(int limit) {
    for (int f = 0; f < limit; f++) {
        const int32_t before = currentScene;
        const bool inPlay = currentScene == ScenePlay && stagePhase < PhaseNoShipLeft;
        SetHeadlessPad(inPlay ? (PadButton1 | ((f / 50) % 2 ? PadUp : PadDown)) : (f % 2 ? 0 : PadButton1));
        if (!RunFrame()) return false;
        if (currentScene == SceneRanking && (before == ScenePlay || before == SceneEnding)) return true;
    }
    return false;
}

TEST_F(RunRecorder, APracticeIsRecordedWithItsStartVerifiesAndNeverEntersTheTable) {
    const HighScoreList scoresBefore = kDefaultHighScores;
    PracticeStart p;
    p.stage = 5;
    p.shotLevel = 6;
    p.missileLevel = 2;
    p.arms = 0;
    p.bombs = 2;
    BeginRecordedPractice(p);
    EXPECT_EQ(bombs, 2);
    ASSERT_TRUE(FightToRanking(60000)) << "the practice never ended";
    const int32_t finalScore = score;
    // enough points for the default table: only the practice keeps them out
    ASSERT_GE(finalScore, kDefaultHighScores[9]);
    EXPECT_EQ(newRankIndex, 9999);
    for (size_t i = 0; i < scoresBefore.size(); i++) EXPECT_EQ(highScores[i], scoresBefore[i]) << "row " << i;
    EXPECT_FALSE(fs::exists(ReplayFile("rank01.replay")));
    ReadSaveFile();
    for (size_t i = 0; i < scoresBefore.size(); i++) EXPECT_EQ(highScores[i], scoresBefore[i]) << "saved row " << i;

    const std::string text = Contents(ReplayFile("last.replay"));
    EXPECT_NE(text.find("\noptions practice\npractice 5 start\npower 6 2 0 2\n"), std::string::npos) << text.substr(0, 300);
    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayFile("last.replay").c_str(), &r, &error)) << error;
    EXPECT_EQ(r.options, RunPractice);
    EXPECT_EQ(Mismatches(r), 0);
    EXPECT_EQ(score, finalScore);
}

// A practice begun from the title's menus, the title's timer well on, starts as its replay
// does: the recording verifies from its first frames.
TEST_F(RunRecorder, APracticeBegunAfterTheTitleHasWaitedVerifies) {
    BeginRun(7, 2, 0, 0);
    Frames(400);
    ASSERT_EQ(currentScene, SceneTitle);
    ASSERT_GT(sceneTimer, 0);
    BeginRecordedPractice(PracticeStart{});
    Frames(200, PadButton1);
    EndRecordedPractice();
    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayFile("last.replay").c_str(), &r, &error)) << error;
    ASSERT_FALSE(r.checkpoints.empty());
    BeginRun(7, 2, 0, 0);
    Frames(150);  // the title again, left at another time than before the practice
    EXPECT_EQ(Mismatches(r), 0);
}

// Another start after a practice is a run like any other again: it can be ranked.
TEST_F(RunRecorder, ARunAfterAPracticeIsRankedAgain) {
    BeginRecordedPractice(PracticeStart{});
    EXPECT_EQ(practiceRun, 1);
    Frames(30);
    EndRecordedPractice();
    ASSERT_TRUE(fs::exists(ReplayFile("last.replay")));
    currentScene = SceneTitle;  // the title's entry starts the next run
    Frame(0);
    EXPECT_EQ(practiceRun, 0);
    score = 20000;
    InsertRanking();
    EXPECT_EQ(newRankIndex, 0);
}

TEST(PracticeReplayFormat, TheHeaderRoundTripsAndRefusesWhatIsNoPractice) {
    Replay r;
    r.startStage = 9;
    r.options = RunPractice;
    r.practice = {9, false, 3, 2, 1, 0};
    r.buttons.assign(5, 0);
    r.checkpoints = {{5, 0x1234}};
    const std::string text = FormatReplay(r);
    EXPECT_EQ(text.rfind("zorbex-replay 5\n", 0), 0u);
    Replay back;
    std::string error;
    ASSERT_TRUE(ParseReplay(text.data(), text.size(), &back, &error)) << error;
    EXPECT_EQ(back.options, RunPractice);
    EXPECT_EQ(back.practice.stage, 9);
    EXPECT_FALSE(back.practice.boss);
    EXPECT_EQ(back.practice.shotLevel, 3);
    EXPECT_EQ(back.practice.missileLevel, 2);
    EXPECT_EQ(back.practice.arms, 1);
    EXPECT_EQ(back.practice.bombs, 0);

    auto refused = [](std::string changed, const char* why) {
        Replay out;
        std::string err;
        EXPECT_FALSE(ParseReplay(changed.data(), changed.size(), &out, &err)) << changed.substr(0, 200);
        EXPECT_NE(err.find(why), std::string::npos) << err;
    };
    auto swap = [&](const char* from, const char* to) {
        std::string t = text;
        t.replace(t.find(from), std::strlen(from), to);
        return t;
    };
    refused(swap("zorbex-replay 5", "zorbex-replay 4"), "needs format version 5");
    refused(swap("options practice", "options practice invincible"), "no other option");
    refused(swap("options practice\npractice 9 start\npower 3 2 1 0", "options none"), "is a practice");
    refused(swap("practice 9 start", "practice 8 start"), "bad value for \"practice\"");
    refused(swap("practice 9 start", "practice 9 middle"), "bad value for \"practice\"");
    refused(swap("power 3 2 1 0", "power 15 2 1 0"), "bad value for \"power\"");
    refused(swap("power 3 2 1 0", "power 3 2 1"), "bad value for \"power\"");
    // a run that is no practice keeps the format of the runs recorded now
    r.options = 0;
    EXPECT_EQ(FormatReplay(r).rfind("zorbex-replay 4\n", 0), 0u);
}

TEST_F(RunRecorder, ReachedStagesAreNotedAsStagesStartAndReadBack) {
    ReadReachedStages();
    EXPECT_TRUE(StageReached(1));   // always
    EXPECT_FALSE(StageReached(2));
    EXPECT_FALSE(StageReached(0));
    EXPECT_FALSE(StageReached(29));
    highScoreStages[4] = 17;        // the table's stages count as reached
    EXPECT_TRUE(StageReached(17));
    NoteStageReached(5);
    NoteStageReached(12);
    EXPECT_EQ(Contents((dir / "reached.txt").string()), "zorbex-reached 1\n5 12\n");
    ReadReachedStages();
    EXPECT_TRUE(StageReached(5));
    EXPECT_TRUE(StageReached(12));
    EXPECT_FALSE(StageReached(6));
    // a run that starts stage 1 from the title notes it as play begins
    currentScene = SceneTitle;
    Frames(3, PadButton1);
    Frames(3, 0);
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(Contents((dir / "reached.txt").string()), "zorbex-reached 1\n1 5 12\n");
}

TEST(ReachedStagesFile, ADamagedFileCostsOnlyWhatItLost) {
    bool reached[29] = {};
    const char text[] = "zorbex-reached 1\n3 x 7 29 0 -4 0012 1234567 28\n";
    ParseReachedStages(text, sizeof text - 1, reached);
    for (int s = 1; s <= 28; s++)
        EXPECT_EQ(reached[s], s == 3 || s == 7 || s == 28) << "stage " << s;
    bool none[29] = {};
    const char foreign[] = "zorbex-replay 3\n3 4\n";
    ParseReachedStages(foreign, sizeof foreign - 1, none);
    for (bool r : none) EXPECT_FALSE(r);
}

}  // namespace
}  // namespace run_recorder_test
