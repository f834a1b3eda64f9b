// The route map: layout and successors, cursor timing, the 91-frame confirmation, the route.
#include "scenes/scene_flow.h"

#include "shell/game.h"

namespace {

class StageSelect : public SceneFlow {};

TEST(RouteLayout, ColumnsRowsAndSuccessors) {
    ResetStageSelect();
    EXPECT_EQ(nodeX[0], 0);
    EXPECT_EQ(nodeY[0], 108);
    EXPECT_EQ(nodeX[1], 80);
    EXPECT_EQ(nodeY[1], 90);
    EXPECT_EQ(nodeY[2], 126);
    for (int r = 0; r < 7; r++) {  // stages 22 to 28 stand in the last column, top to bottom
        EXPECT_EQ(nodeX[21 + r], 480);
        EXPECT_EQ(nodeY[21 + r], 36 * r);
    }
    // stage 1 leads to 2 or 3, stage 3 to 5 or 6, stage 10 to 14 or 15, stage 21 to 27 or 28
    EXPECT_EQ(nextNode[0][0], 1);
    EXPECT_EQ(nextNode[0][1], 2);
    EXPECT_EQ(nextNode[2][0], 4);
    EXPECT_EQ(nextNode[2][1], 5);
    EXPECT_EQ(nextNode[9][0], 13);
    EXPECT_EQ(nextNode[9][1], 14);
    EXPECT_EQ(nextNode[15][0], 21);
    EXPECT_EQ(nextNode[20][0], 26);
    EXPECT_EQ(nextNode[20][1], 27);
    // every successor stands one column on, in the same row or the one below
    for (int n = 0; n < 21; n++) {
        EXPECT_EQ(nodeX[nextNode[n][0]], nodeX[n] + 80) << n;
        EXPECT_EQ(nodeY[nextNode[n][0]], nodeY[n] - 18) << n;
        EXPECT_EQ(nodeY[nextNode[n][1]], nodeY[n] + 18) << n;
    }
}

TEST_F(StageSelect, WinningAStageMarksItAndOpensTheMap) {
    StartRun();
    WinStage();
    EXPECT_EQ(stageCleared[0], 1);
    EXPECT_EQ(currentScene, SceneStageSelect);
    Frame();
    EXPECT_EQ(sceneJustEntered, 1);
    EXPECT_EQ(stagePhase, 0);
    EXPECT_EQ(selectedNode, 1);  // a new game starts on the upper successor, stage 2
}

TEST_F(StageSelect, CursorMovesTheFrameAfterUpOrDown) {
    StartRun();
    WinStage();
    Frame();
    Frame(PadDown);
    EXPECT_EQ(selectChoice, 1);
    EXPECT_EQ(selectedNode, 1);  // the node was read before the switch
    Frame();
    EXPECT_EQ(selectedNode, 2);
    Frame(PadDown);  // a second press of the same key toggles back
    Frame();
    EXPECT_EQ(selectedNode, 1);
    Frame(PadUp);  // up toggles just the same
    Frame();
    EXPECT_EQ(selectedNode, 2);
    Frame(PadUp | PadDown);  // both at once: one toggle
    Frame();
    EXPECT_EQ(selectedNode, 1);
}

TEST_F(StageSelect, CursorBlinksEveryThirtyFramesAndRestartsVisible) {
    StartRun();
    WinStage();
    Frames(29);
    EXPECT_EQ(selectBlinkPhase, 0);
    Frame();  // frame 30 hides it
    EXPECT_EQ(selectBlinkPhase, 1);
    Frames(29);
    EXPECT_EQ(selectBlinkPhase, 1);
    Frame();
    EXPECT_EQ(selectBlinkPhase, 0);
    Frames(35);
    ASSERT_EQ(selectBlinkPhase, 1);
    Frame(PadDown);  // a switch shows the cursor at once, for a full period
    EXPECT_EQ(selectBlinkPhase, 0);
    Frames(29);
    EXPECT_EQ(selectBlinkPhase, 0);
    Frame();
    EXPECT_EQ(selectBlinkPhase, 1);
}

TEST_F(StageSelect, ConfirmedStageStartsInTheNinetyFirstFrame) {
    StartRun();
    WinStage();
    Frame();
    Frame(PadDown);
    Frame();
    Frame(PadButton1);  // confirmation frame 1
    EXPECT_EQ(selectConfirmed, 1);
    EXPECT_EQ(selectConfirmTimer, 1);
    int toggles = 0;
    int previous = selectBlinkPhase;
    for (int f = 2; f <= 60; f++) {
        Frame(f == 10 ? PadUp : 0);  // the choice is locked once confirmed
        if (selectBlinkPhase != previous) toggles++;
        previous = selectBlinkPhase;
    }
    EXPECT_EQ(selectChoice, 1);
    EXPECT_GE(toggles, 19);  // fast blink: three frames on, three off
    for (int f = 61; f <= 90; f++) {
        Frame();
        EXPECT_EQ(selectBlinkPhase, 0) << f;  // steady from frame 61
        EXPECT_EQ(currentScene, SceneStageSelect) << f;
    }
    EXPECT_EQ(stageNumber, 1);
    Frame();  // frame 91
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(stageNumber, 3);
    EXPECT_EQ(stagePhase, 0);
    Frame();
    EXPECT_EQ(sceneJustEntered, 1);
}

TEST_F(StageSelect, ChoiceIsKeptForTheNextMap) {
    StartRun();
    WinStage();
    ChooseRoute(1);
    ASSERT_EQ(stageNumber, 3);
    ASSERT_EQ(currentScene, ScenePlay);
    WinStage();
    Frame();
    EXPECT_EQ(selectedNode, 5);  // the lower successor of stage 3: stage 6
}

TEST_F(StageSelect, NewGameForgetsTheRoute) {
    StartRun();
    WinStage();
    ChooseRoute(1);
    ResetNewGame();
    for (int n = 0; n < kRouteNodes; n++) EXPECT_EQ(stageCleared[n], 0);
    EXPECT_EQ(selectChoice, 0);
}

TEST_F(StageSelect, RouteToTheLastStageMarksExactlyItsSevenStages) {
    StartRun();
    const int route[] = {1, 3, 6, 10, 15, 21, 28};
    for (int i = 1; i < 7; i++) {
        WinStage();
        ASSERT_EQ(currentScene, SceneStageSelect);
        ChooseRoute(1);
        ASSERT_EQ(stageNumber, route[i]);
    }
    WinStage();
    EXPECT_EQ(currentScene, SceneEnding);
    Frame();
    EXPECT_EQ(stagePhase, PhaseRouteDisplayOnly);
    int cleared = 0;
    for (int n = 0; n < kRouteNodes; n++) cleared += stageCleared[n];
    EXPECT_EQ(cleared, 7);
    for (int stage : route) EXPECT_EQ(stageCleared[stage - 1], 1) << stage;
}

TEST_F(StageSelect, MapOutsideItsStagesReadsNoFurtherThanItsTables) {
    StartRun();
    WinStage();
    Frame();
    stageNumber = 40;  // no such stage: the map keeps to the last column that has successors
    Frame();
    EXPECT_GE(selectedNode, 21);
    EXPECT_LE(selectedNode, 27);
    stageNumber = -3;
    Frame();
    EXPECT_EQ(selectedNode, 1);
    MarkStageCleared(0);
    MarkStageCleared(29);
    for (int n = 1; n < kRouteNodes; n++) EXPECT_EQ(stageCleared[n], 0);
}

}  // namespace
