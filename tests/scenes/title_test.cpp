// The title's fade timeline, frame by frame, through the main loop's frame function.
#include "support/headless_game.h"

#include "scenes/scenes.h"
#include "shell/input.h"

namespace {

class Title : public HeadlessGame {};

TEST_F(Title, FirstFrameEntersTheTitle) {
    Frame();
    EXPECT_EQ(sceneJustEntered, 1);
    EXPECT_EQ(currentScene, SceneTitle);
    EXPECT_EQ(sceneTimer, 1);
    Frame();
    EXPECT_EQ(sceneJustEntered, 0);
}

TEST_F(Title, FadeTimeline) {
    Frames(60);
    EXPECT_EQ(stagePhase, 0);
    EXPECT_EQ(titleFade, 0);
    Frame();  // frame 61: the flash starts brightening
    EXPECT_EQ(titleFade, 8);
    Frames(30);  // frame 91
    EXPECT_EQ(titleFade, 248);
    EXPECT_EQ(stagePhase, 0);
    Frame();  // frame 92 reaches 255 and switches to the fading flash
    EXPECT_EQ(titleFade, 255);
    EXPECT_EQ(stagePhase, 1);
    Frame();
    EXPECT_EQ(titleFade, 247);
    Frames(30);
    EXPECT_EQ(titleFade, 7);
    EXPECT_EQ(stagePhase, 1);
    Frame();  // the 32nd fading frame reaches 0
    EXPECT_EQ(titleFade, 0);
    EXPECT_EQ(stagePhase, 2);
    Frames(300);
    EXPECT_EQ(currentScene, SceneTitle);
    Frame();  // after 301 further frames the ranking takes over
    EXPECT_EQ(currentScene, SceneRanking);
    Frame();
    EXPECT_EQ(sceneJustEntered, 1);
}

TEST_F(Title, FireInTheTimeoutFrameStartsTheGame) {
    Frames(92 + 32 + 300);
    ASSERT_EQ(currentScene, SceneTitle);
    Frame(PadButton1);
    EXPECT_EQ(currentScene, ScenePlay);
    EXPECT_EQ(stageNumber, 1);
}

TEST_F(Title, ReturningFromTheRankingStartsAgainFromBlack) {
    Frames(92 + 32 + 301);
    ASSERT_EQ(currentScene, SceneRanking);
    Frame();
    score = 1234;
    Frame(PadButton1);
    EXPECT_EQ(currentScene, SceneTitle);
    Frame();  // the title's entry frame resets the run again
    EXPECT_EQ(stagePhase, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(sceneTimer, 1);
}

TEST_F(Title, ScreenIsBlackThenWhiteUnderTheLogo) {
    Frames(40);
    // a point the logo leaves uncovered: black until the flash
    int px = -1, py = -1;
    for (int y = 0; y < 480 && px < 0; y += 8)
        for (int x = 0; x < 640; x += 8)
            if ((ReadBackBufferPixel(x, y) & 0xffffff) == 0) {
                px = x;
                py = y;
                break;
            }
    ASSERT_GE(px, 0);
    Frames(52);  // frame 92: full white under the logo
    if (MissingAssetCount() == 0) {
        EXPECT_EQ(ReadBackBufferPixel(px, py) & 0xffffff, 0xffffffu);
    }
    Frames(33);  // the flash has faded: the title picture shows
    EXPECT_NE(ReadBackBufferPixel(px, py) & 0xffffff, 0xffffffu);
}

}  // namespace
