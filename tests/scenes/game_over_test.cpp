// The game-over prompt: continue, give up, both at once; the ranking it leads to.
#include "scenes/scene_flow.h"

#include "actors/actor.h"
#include "shell/assets.h"
#include "shell/game.h"

namespace {

class GameOver : public SceneFlow {
protected:
    // Play has frozen under the prompt with `points` on the counter.
    void ReachPrompt(int32_t points) {
        StartRun();
        score = points;
        stagePhase = PhaseNoShipLeft;
        Frame();
        ASSERT_EQ(stagePhase, PhaseGameOverPrompt);  // shown from the next frame on
    }
    // The table as the save file holds it.
    void ReloadTable() {
        for (int i = 0; i < 10; i++) highScores[i] = highScoreStages[i] = -1;
        ReadSaveFile();
    }
};

TEST_F(GameOver, PromptWaitsWithoutLimit) {
    ReachPrompt(100);
    Frames(600);
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(stagePhase, PhaseGameOverPrompt);
}

TEST_F(GameOver, ContinueResumesPlayOnTheSpot) {
    ReachPrompt(4200);
    stageNumber = 7;
    lives = 0;
    bombs = 1;
    shotGauge = 2;
    Frame(PadButton3);
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(stagePhase, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(bombs, 3);
    EXPECT_EQ(shotGauge, 0);
    EXPECT_EQ(hasContinued, 1);
    EXPECT_EQ(stageNumber, 7);
    EXPECT_FALSE(std::filesystem::exists(save));  // nothing ends, nothing is saved
}

TEST_F(GameOver, GivingUpEntersTheScoreAndSavesIt) {
    ReachPrompt(5500);
    stageNumber = 9;
    Frame(PadButton1);
    EXPECT_EQ(currentScene, SceneRanking);
    EXPECT_EQ(stagePhase, 0);
    EXPECT_EQ(newRankIndex, 5);  // 5500 goes between 6000 and 5000
    EXPECT_EQ(CountActiveActors(), 0);
    ReloadTable();
    EXPECT_EQ(highScores[4], 6000);
    EXPECT_EQ(highScores[5], 5500);
    EXPECT_EQ(highScoreStages[5], 9);
    EXPECT_EQ(highScores[6], 5000);
    EXPECT_EQ(highScores[9], 2000);  // 1000 dropped out
    Frame();
    EXPECT_EQ(sceneJustEntered, 1);
    EXPECT_EQ(currentScene, SceneRanking);
    Frames(300);
    EXPECT_EQ(currentScene, SceneRanking);  // no time limit
    Frame(PadButton1);
    EXPECT_EQ(currentScene, SceneTitle);
}

TEST_F(GameOver, ContinueAndFireTogetherEndWithZero) {
    ReachPrompt(5500);
    Frame(PadButton1 | PadButton3);
    EXPECT_EQ(hasContinued, 1);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(currentScene, SceneRanking);
    EXPECT_EQ(newRankIndex, 9999);
    ASSERT_TRUE(std::filesystem::exists(save));  // written again, unchanged
    ReloadTable();
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(highScores[i], 10000 - 1000 * i);
        EXPECT_EQ(highScoreStages[i], 1);
    }
}

class Ranking : public SceneFlow {
protected:
    void SetUp() override {
        SceneFlow::SetUp();
        if (MissingAssetCount() > 0) GTEST_SKIP() << "pictures not generated";
    }
    // One picture over the ranking's background, as the scene draws it.
    static std::vector<uint32_t> Alone(int x, int y, int handle) {
        ClearBackBuffer();
        DrawImage(0, 0, ImgRankingBack, 0);
        if (handle) DrawImage(x, y, handle, 1);
        return Capture();
    }
    // Nothing of the table drawn over the background there.
    static bool Bare(const std::vector<uint32_t>& shown, int x, int y, int w, int h) {
        return SameRegion(shown, Alone(0, 0, 0), x, y, w, h);
    }
    // The ranking as the main loop shows it.
    static std::vector<uint32_t> ShowRanking() {
        Frame();
        currentScene = SceneRanking;
        Frame();
        return Capture();
    }
};

TEST_F(Ranking, RowsShowScorePlaceStageAndTheNewMark) {
    highScores[0] = 2147483647;
    highScores[9] = -1234;  // a damaged save: the digits of its magnitude
    highScoreStages[0] = 28;
    highScoreStages[4] = 0;  // no such stages: the cell stays empty
    highScoreStages[5] = 29;
    highScoreStages[6] = -2147483647;
    auto shown = ShowRanking();
    newRankIndex = 3;
    auto marked = ShowRanking();
    ASSERT_FALSE(SameRegion(Alone(0, 0, ImgNumberMiddle[0]), Alone(0, 0, ImgNumberMiddle[1]), 0, 0,
                            20, 21));

    const int top[10] = {7, 4, 6, 3, 8, 4, 7, 4, 1, 2};  // 2147483647, ones first
    for (int j = 0; j < 10; j++) {
        int x = 420 - 24 * j;
        EXPECT_TRUE(SameRegion(shown, Alone(x, 90, ImgNumberMiddle[top[j]]), x, 90, 20, 21)) << j;
    }
    const int bottom[10] = {4, 3, 2, 1, 0, 0, 0, 0, 0, 0};
    for (int j = 0; j < 10; j++) {
        int x = 420 - 24 * j;
        EXPECT_TRUE(SameRegion(shown, Alone(x, 360, ImgNumberMiddle[bottom[j]]), x, 360, 20, 21)) << j;
    }
    // places: one digit at 140 for rows 1 to 9, "1" at 120 and "0" at 140 for row 10
    EXPECT_TRUE(SameRegion(shown, Alone(140, 90, ImgNumberMiddle[1]), 140, 90, 20, 21));
    EXPECT_TRUE(Bare(shown, 120, 90, 20, 21));
    EXPECT_TRUE(SameRegion(shown, Alone(140, 330, ImgNumberMiddle[9]), 140, 330, 20, 21));
    EXPECT_TRUE(SameRegion(shown, Alone(120, 360, ImgNumberMiddle[1]), 120, 360, 20, 21));
    EXPECT_TRUE(SameRegion(shown, Alone(140, 360, ImgNumberMiddle[0]), 140, 360, 20, 21));

    Alone(0, 0, 0);
    DrawImageRegion(480, 88, 0, 648, 34, 24, ImgStageNumber, 1, 0);
    EXPECT_TRUE(SameRegion(shown, Capture(), 480, 88, 34, 24));
    Alone(0, 0, 0);
    DrawImageRegion(480, 118, 0, 0, 34, 24, ImgStageNumber, 1, 0);
    EXPECT_TRUE(SameRegion(shown, Capture(), 480, 118, 34, 24));
    for (int row : {4, 5, 6}) EXPECT_TRUE(Bare(shown, 480, 88 + 30 * row, 34, 24)) << row;

    // the marker: only with a new row, beside that row's stage
    EXPECT_TRUE(Bare(shown, 520, 0, 120, 480));
    EXPECT_TRUE(SameRegion(marked, Alone(520, 175, ImgItem[4]), 520, 175, 32, 32));
    EXPECT_TRUE(Bare(marked, 520, 0, 120, 175));
    EXPECT_TRUE(Bare(marked, 520, 207, 120, 273));
    // the heading, the labels and the frame lie behind the table, never over it
    EXPECT_TRUE(Bare(shown, 0, 0, 640, 85));
    EXPECT_FALSE(SameRegion(shown, std::vector<uint32_t>(640 * 480, 0), 0, 0, 640, 85));
}

}  // namespace
