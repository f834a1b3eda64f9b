// Runs played through the main loop are recorded, written beside the save file, replay
// to the same state hashes, and keep the top-ten replays in step with the table.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/replay.h"
#include "shell/run_recorder.h"
#include "shell/run_recorder_fixture.h"
#include "shell/save_files.h"

namespace {

using run_recorder_test::RunRecorder;
namespace fs = std::filesystem;

TEST_F(RunRecorder, AGivenUpRunWritesLastReplayThatVerifies) {
    ASSERT_STREQ(ReplayFolder(), (dir.string() + "/replays/").c_str());
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayFile("last.replay").c_str(), &r, &error)) << error;
    EXPECT_EQ(r.startStage, 0);
    EXPECT_EQ(r.heldAtStart, 0);
    EXPECT_FALSE(r.truncated);
    EXPECT_GT(r.buttons.size(), 1000u);
    EXPECT_EQ(r.checkpoints.back().frame, static_cast<int32_t>(r.buttons.size()));
    // the default table: 100 points enter nothing, and no rank replay appears
    EXPECT_EQ(newRankIndex, 9999);
    EXPECT_FALSE(fs::exists(ReplayFile("rank10.replay")));
    EXPECT_EQ(Mismatches(r), 0);
}

// Fire held from the ranking into the title past the first hash: the second run of the
// process begins with a button down, and still replays exactly.
TEST_F(RunRecorder, ASecondRunBegunWithFireHeldVerifies) {
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    Frame(0);
    Frame(PadButton1);  // leaves the ranking; fire stays down into the title
    ASSERT_EQ(currentScene, SceneTitle);
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(70));
    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayFile("last.replay").c_str(), &r, &error)) << error;
    EXPECT_EQ(r.heldAtStart, PadButton1);
    EXPECT_EQ(r.buttons[0], PadButton1);
    EXPECT_EQ(Mismatches(r), 0);
}

// A run taking row 5: rows 5 to 9 move down with their replays, row 10's is dropped,
// and a row that had none leaves none below it.
TEST_F(RunRecorder, RankReplaysMoveDownWithTheTable) {
    const int32_t scores[10] = {500, 400, 300, 200, 50, 40, 30, 20, 10, 5};
    for (int i = 0; i < 10; i++) highScores[i] = scores[i];
    fs::create_directories(dir / "replays");
    for (int row = 1; row <= 10; row++) {
        if (row == 7) continue;
        char name[32];
        std::snprintf(name, sizeof name, "rank%02d.replay", row);
        std::ofstream(ReplayFile(name)) << "row " << row;
    }
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    ASSERT_EQ(newRankIndex, 4);
    EXPECT_EQ(Contents(ReplayFile("rank04.replay")), "row 4");
    EXPECT_EQ(Contents(ReplayFile("rank05.replay")), Contents(ReplayFile("last.replay")));
    EXPECT_EQ(Contents(ReplayFile("rank06.replay")), "row 5");
    EXPECT_EQ(Contents(ReplayFile("rank07.replay")), "row 6");
    EXPECT_FALSE(fs::exists(ReplayFile("rank08.replay")));
    EXPECT_EQ(Contents(ReplayFile("rank09.replay")), "row 8");
    EXPECT_EQ(Contents(ReplayFile("rank10.replay")), "row 9");
    // the save file was written as before
    EXPECT_EQ(fs::file_size(save), 80u);
}

// A replay folder that cannot be made costs the replays only.
TEST_F(RunRecorder, AnUnwritableReplayFolderLeavesTheSaveFileWritten) {
    std::ofstream(dir / "replays") << "a file where the folder would be";
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    EXPECT_EQ(fs::file_size(save), 80u);
    EXPECT_EQ(currentScene, SceneRanking);
}

// Replays of the game's runs carry the held buttons, the cut and the table, and name
// their hash scheme; the older forms still read.
TEST(ReplayHeldFormat, HeldAndTruncatedRoundTripAndOlderVersionsStillRead) {
    Replay r;
    r.seed = 7;
    r.buttons = {0x10, 0x10, 0};
    r.checkpoints = {{3, 0xabcULL}};
    const std::string plain = FormatReplay(r);
    EXPECT_EQ(plain.rfind("zorbex-replay 4\nhash-scheme 2\n", 0), 0u);
    Replay back;
    std::string error;
    ASSERT_TRUE(ParseReplay(plain.data(), plain.size(), &back, &error)) << error;
    EXPECT_TRUE(back.titleMenu);
    // version 3, the last before the title's menu, reads and writes back as itself
    std::string version3 = plain;
    version3.replace(0, 15, "zorbex-replay 3");
    ASSERT_TRUE(ParseReplay(version3.data(), version3.size(), &back, &error)) << error;
    EXPECT_FALSE(back.titleMenu);
    EXPECT_EQ(FormatReplay(back), version3);
    EXPECT_EQ(back.tableScores, kDefaultHighScores);  // what the simulator's runs begin with
    std::string version2 = plain;
    version2.replace(0, plain.find("seed"), "zorbex-replay 2\n");
    ASSERT_TRUE(ParseReplay(version2.data(), version2.size(), &back, &error)) << error;
    EXPECT_EQ(back.hashScheme, 1);
    r.heldAtStart = 0x10;
    r.truncated = true;
    r.tableScores[9] = -5;  // a damaged save file's table is replayed as it was
    r.tableStages[0] = 22;
    const std::string held = FormatReplay(r);
    ASSERT_TRUE(ParseReplay(held.data(), held.size(), &back, &error)) << error;
    EXPECT_EQ(back.heldAtStart, 0x10);
    EXPECT_TRUE(back.truncated);
    EXPECT_EQ(back.tableScores, r.tableScores);
    EXPECT_EQ(back.tableStages, r.tableStages);
    EXPECT_EQ(back.buttons, r.buttons);
    std::string bad = held;
    bad.replace(bad.find("held 16"), 7, "held 999");
    EXPECT_FALSE(ParseReplay(bad.data(), bad.size(), &back, &error));
}

}  // namespace

namespace {

using run_recorder_test::RunRecorder;

// A run longer than the recording allows: the replay holds the frames it could, says it
// was cut, and still verifies up to its last hash.
TEST_F(RunRecorder, ARunPastTheLimitIsCutAndSaysSo) {
    EnableRunRecording(true, 600);
    ASSERT_NO_FATAL_FAILURE(PlayUntilRanking(0));
    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayFile("last.replay").c_str(), &r, &error)) << error;
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.buttons.size(), 600u);
    ASSERT_FALSE(r.checkpoints.empty());
    EXPECT_EQ(r.checkpoints.back().frame, 600);
    EXPECT_EQ(Mismatches(r), 0);
}

// A run won at the last stage takes the top row: the rows' replays move down at once, and
// the run's own replay is written as the ranking after the ending comes up.
TEST_F(RunRecorder, AnEndingRunTakesItsRowWhenTheRankingComesUp) {
    fs::create_directories(dir / "replays");
    std::ofstream(ReplayFile("rank01.replay")) << "row 1";
    Frame(0);  // the title's entry starts the recording
    Frame(PadButton1);
    ASSERT_EQ(currentScene, ScenePlay);
    Frames(5);
    stageNumber = 22;
    score = 50000;
    stagePhase = PhaseShipLeft;  // the last stage is left: the ending follows
    Frame(0);
    ASSERT_EQ(currentScene, SceneEnding);
    EXPECT_EQ(newRankIndex, 0);
    EXPECT_EQ(Contents(ReplayFile("rank02.replay")), "row 1");
    EXPECT_FALSE(fs::exists(ReplayFile("rank01.replay")));
    for (int f = 0; f < 8 && currentScene != SceneRanking; f++) Frame(f % 2 ? 0 : PadButton1);
    ASSERT_EQ(currentScene, SceneRanking);
    EXPECT_EQ(Contents(ReplayFile("rank01.replay")), Contents(ReplayFile("last.replay")));
    EXPECT_EQ(Contents(ReplayFile("rank02.replay")), "row 1");
}

}  // namespace
