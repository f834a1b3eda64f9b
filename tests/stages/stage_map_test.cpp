// Stage maps: the layouts as built, the camera and its control cells, and the star field.
#include <cstring>
#include <string>

#include "actors/collision.h"
#include "runtime/headless.h"
#include "stages/stage_fixture.h"

class StageMapTest : public StageTest {};

TEST_F(StageMapTest, StageOneLayoutIsBuiltAsDrawn) {
    StageMap[40][1000] = 'x';  // left over from an earlier stage
    stageNumber = 1;
    BuildStageMap();
    EXPECT_STREQ(CurrentMusicFile(), "data/Sound03.mp3");
    EXPECT_EQ(StageMap[40][1000], 0);
    int cells = 0;
    for (int r = 0; r < kMapRows; r++) {
        if (r < 17) {
            EXPECT_NE(StageMap[r][218], 0) << r;  // each row exactly 219 cells
            EXPECT_EQ(StageMap[r][219], 0) << r;
        } else {
            EXPECT_EQ(StageMap[r][0], 0) << r;
        }
        for (int c = 0; c < kMapColumns; c++) cells += StageMap[r][c] != 0 && StageMap[r][c] != ' ';
    }
    EXPECT_EQ(cells, 230);
    EXPECT_EQ(StageMap[1][218], '@');
    EXPECT_EQ(StageMap[15][39], ' ');
    for (int c = 40; c <= 164; c++) ASSERT_EQ(StageMap[15][c], 'a') << c;
    EXPECT_EQ(StageMap[15][165], ' ');
    EXPECT_EQ(StageMap[11][63], 'A');
    for (auto [r, c] : {std::pair{10, 99}, {11, 75}, {13, 51}, {13, 163}}) EXPECT_EQ(StageMap[r][c], 'F');
}

TEST_F(StageMapTest, LayoutTableGivesMusicViewAndSharedTexts) {
    EnterStage(12);
    EXPECT_STREQ(CurrentMusicFile(), "data/Sound00.mp3");
    EXPECT_EQ(mapTopRow, 31);
    EXPECT_EQ(mapLeftColumn, 1);
    EnterStage(18);
    EXPECT_EQ(mapLeftColumn, 370);
    EXPECT_EQ(mapTopRow, 1);
    EnterStage(5);
    EXPECT_STREQ(CurrentMusicFile(), "data/Sound07.mp3");
    EXPECT_EQ(StageLayoutText(5), StageLayoutText(4));
    EXPECT_EQ(StageLayoutText(29), StageLayoutText(1));
    EXPECT_EQ(StageLayoutFor(0).music, StageLayoutFor(1).music);
}

TEST_F(StageMapTest, CameraCarriesIntoTheNextColumnAfterThirtyThreePixels) {
    EnterStage(1);
    Frames(32);
    EXPECT_EQ(mapLeftColumn, 1);
    EXPECT_FLOAT_EQ(mapSubX, 32);  // not yet beyond the cell
    Frame();
    EXPECT_EQ(mapLeftColumn, 2);
    EXPECT_FLOAT_EQ(mapSubX, 1);
    EXPECT_FLOAT_EQ(mapScrollDX, -1);
    EXPECT_FLOAT_EQ(mapScrollDY, 0);
}

TEST_F(StageMapTest, DirectionDigitTurnsTheCameraAndCancelsThatFramesStep) {
    EnterStage(1);
    ClearMap();
    StageMap[5][21] = '8';  // enters the view in the first frame
    Frame();
    EXPECT_EQ(scrollDir, 90);
    EXPECT_EQ(StageMap[5][21], ' ');
    EXPECT_FLOAT_EQ(mapSubX, 0);  // the scenery stood still
    EXPECT_EQ(mapLeftColumn, 1);
    Frame();  // now the camera climbs: the scenery moves down
    EXPECT_EQ(mapTopRow, 0);
    EXPECT_FLOAT_EQ(mapSubY, 31);
    EXPECT_FLOAT_EQ(mapScrollDY, 1);
}

TEST_F(StageMapTest, PlusRaisesTheTargetAndTheSpeedFollowsByHundredths) {
    EnterStage(1);
    ClearMap();
    StageMap[3][21] = '+';
    Frame();
    EXPECT_FLOAT_EQ(scrollTargetSpeed, 2);
    EXPECT_FLOAT_EQ(scrollSpeed, 1);
    Frames(50);
    EXPECT_NEAR(scrollSpeed, 1.5f, 1e-4);
    Frames(49);
    EXPECT_NEAR(scrollSpeed, 1.99f, 1e-4);
    Frame();
    EXPECT_EQ(scrollSpeed, 2.0f);  // the hundredth step lands on the target and holds
    Frames(7);
    EXPECT_EQ(scrollSpeed, 2.0f);
}

TEST_F(StageMapTest, StopCellBrakesTheCameraToAHalt) {
    EnterStage(1);
    ClearMap();
    StageMap[3][21] = '5';
    Frame();
    EXPECT_EQ(scrollStopping, 1);
    EXPECT_FLOAT_EQ(mapSubX, 0);
    Frames(110);
    EXPECT_EQ(scrollOn, 0);
    EXPECT_EQ(scrollSpeed, 0);
    int32_t column = mapLeftColumn;
    float sub = mapSubX;
    Frames(40);
    EXPECT_EQ(mapLeftColumn, column);
    EXPECT_EQ(mapSubX, sub);
}

TEST_F(StageMapTest, StageOneLoopsItsLastColumns) {
    EnterStage(1);
    Frame();
    mapLeftColumn = 197;
    mapSubX = 31.5f;  // the next step brings column 218 into the view
    Frame();
    EXPECT_EQ(mapLeftColumn, 188);  // one column on, ten back
    EXPECT_EQ(StageMap[1][218], '@');
}

TEST_F(StageMapTest, BandJumpsMoveTheViewDownAndAcross) {
    EnterStage(1);
    ClearMap();
    StageMap[2][21] = '%';
    Frame();
    EXPECT_EQ(mapTopRow, 16);
    EXPECT_EQ(mapLeftColumn, 0);
    EXPECT_EQ(StageMap[2][21], '%');
    EnterStage(1);
    ClearMap();
    StageMap[2][21] = '$';
    Frame();
    EXPECT_EQ(mapTopRow, 16);
    EXPECT_EQ(mapLeftColumn, 370);
    EnterStage(1);
    ClearMap();
    StageMap[2][21] = '*';
    Frame();
    EXPECT_EQ(mapLeftColumn, 11);
}

TEST_F(StageMapTest, ObjectsComeAliveOnceAtTheRightEdge) {
    EnterStage(1);
    ClearMap();
    StageMap[5][21] = 'C';
    Frame();
    std::vector<Actor*> enemies = Group(GroupEnemy);
    ASSERT_EQ(enemies.size(), 1u);
    EXPECT_FLOAT_EQ(enemies[0]->x, 639);  // 640 less the whole pixels of the view's offset
    EXPECT_FLOAT_EQ(enemies[0]->y, 128);
    EXPECT_EQ(StageMap[5][21], ' ');
    Frame();
    EXPECT_FLOAT_EQ(enemies[0]->x, 638);  // riding the scenery
    EXPECT_EQ(CountGroup(GroupEnemy), 1);
}

TEST_F(StageMapTest, MapCellAtSeesTilesAsSolidAndEverythingElseNot) {
    EnterStage(1);
    ClearMap();
    StageMap[1][1] = ' ';
    StageMap[1][2] = 'b';
    StageMap[1][3] = 'C';
    EXPECT_EQ(MapCellAt(5, 5), -65);
    EXPECT_EQ(MapCellAt(37, 5), 1);
    EXPECT_EQ(MapCellAt(69, 5), -30);
}

class StarField : public StageTest {
protected:
    static std::vector<Star*> Stars() {
        std::vector<Star*> found;
        for (Star* s = starList->next; s != starList; s = s->next) found.push_back(s);
        return found;
    }
};

TEST_F(StarField, FirstPlayFrameFillsTheSky) {
    EnterStage(1);
    Frame();
    EXPECT_GE(CountLiveStars(), 60);
    EXPECT_LE(CountLiveStars(), 65);
}

TEST_F(StarField, NewStarsEnterFromTheSideTheSceneryComesFrom) {
    ClearStars();
    scrollDir = 0;
    SpawnStar(0, 0);
    EXPECT_FLOAT_EQ(Stars().back()->x, 640);
    for (int dir : {90, 270}) {
        scrollDir = dir;
        float edgeY = dir == 90 ? 0.0f : 480.0f;
        int fromAbove = 0;
        for (int i = 0; i < 60; i++) {
            SpawnStar(0, 0);
            Star* s = Stars().back();
            ASSERT_TRUE(s->x == 640 || s->y == edgeY) << dir;
            fromAbove += s->y == edgeY;
        }
        EXPECT_GT(fromAbove, 5) << dir;   // one in four, roughly
        EXPECT_LT(fromAbove, 40) << dir;
        ClearStars();
    }
    scrollDir = 180;
    scrollSpeed = 2.0f;
    SpawnStar(0, 0);
    Star* s = Stars().back();
    EXPECT_FLOAT_EQ(s->x, 0);
    mapScrollDX = 2;  // the camera runs left at 2: the star stands still
    UpdateStars();
    EXPECT_FLOAT_EQ(s->x, 0);
    EXPECT_EQ(s->alive, 1);
    scrollSpeed = 1.99f;
    SpawnStar(0, 0);
    EXPECT_FLOAT_EQ(Stars().back()->x, 640);
}

TEST_F(StarField, StarsDriftLeftAndLeaveAtTheEdge) {
    ClearStars();
    SpawnStar(100, 200);
    SpawnStar(1, 50);
    mapScrollDX = -1;
    mapScrollDY = 0.5f;
    UpdateStars();
    std::vector<Star*> stars = Stars();
    EXPECT_FLOAT_EQ(stars[0]->x, 97);
    EXPECT_FLOAT_EQ(stars[0]->y, 200.5f);
    EXPECT_EQ(stars[1]->alive, 0);
    SweepStars();
    EXPECT_EQ(Stars().size(), 1u);
    for (int i = 0; i < 300; i++) SpawnStar(10, 10);  // the pool holds 256
    EXPECT_EQ(Stars().size(), 256u);
}
