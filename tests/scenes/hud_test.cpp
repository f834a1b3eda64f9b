// The header strip: every cell compared with its picture drawn alone over the header.
#include "scenes/scene_flow.h"

#include "shell/assets.h"
#include "shell/game.h"

namespace {

class Hud : public SceneFlow {
protected:
    void SetUp() override {
        SceneFlow::SetUp();
        if (MissingAssetCount() > 0) GTEST_SKIP() << "pictures not generated";
        score = 0;
        stageNumber = 1;
        lives = bombs = 3;
        shotGauge = missileGauge = armGauge = 0;
    }
    static std::vector<uint32_t> DrawnHud() {
        ClearBackBuffer();
        DrawHud();
        return Capture();
    }
    // The header with one more picture on it, as the cell should look.
    static std::vector<uint32_t> HeaderWith(int x, int y, int handle) {
        ClearBackBuffer();
        DrawImage(0, 0, ImgHeader, 1);
        if (handle) DrawImage(x, y, handle, 1);
        return Capture();
    }
};

TEST_F(Hud, DigitPicturesDiffer) {
    // otherwise the comparisons below could not tell one digit from another
    auto zero = HeaderWith(200, 15, ImgNumberSmall[0]);
    auto one = HeaderWith(200, 15, ImgNumberSmall[1]);
    EXPECT_FALSE(SameRegion(zero, one, 200, 15, 12, 12));
}

TEST_F(Hud, ScoreHasTenDigitsOnesAtTheRight) {
    score = 1234567;
    auto hud = DrawnHud();
    const int expected[10] = {7, 6, 5, 4, 3, 2, 1, 0, 0, 0};  // ones digit first
    for (int j = 0; j < 10; j++) {
        int x = 200 - 12 * j;
        EXPECT_TRUE(SameRegion(hud, HeaderWith(x, 15, ImgNumberSmall[expected[j]]), x, 15, 12, 12))
            << "digit " << j;
    }
}

TEST_F(Hud, ShipsAndBombsAboveNineShowNine) {
    lives = 12;
    bombs = 10;
    auto hud = DrawnHud();
    EXPECT_TRUE(SameRegion(hud, HeaderWith(268, 11, ImgNumberMiddle[9]), 268, 11, 20, 21));
    EXPECT_TRUE(SameRegion(hud, HeaderWith(565, 11, ImgNumberMiddle[9]), 565, 11, 20, 21));
    lives = 2;
    bombs = 0;
    hud = DrawnHud();
    EXPECT_TRUE(SameRegion(hud, HeaderWith(268, 11, ImgNumberMiddle[2]), 268, 11, 20, 21));
    EXPECT_TRUE(SameRegion(hud, HeaderWith(565, 11, ImgNumberMiddle[0]), 565, 11, 20, 21));
}

TEST_F(Hud, StageRowComesFromTheStageStrip) {
    stageNumber = 28;
    auto hud = DrawnHud();
    ClearBackBuffer();
    DrawImage(0, 0, ImgHeader, 1);
    DrawImageRegion(599, 14, 0, 648, 34, 24, ImgStageNumber, 1, 0);
    EXPECT_TRUE(SameRegion(hud, Capture(), 599, 14, 34, 24));
    stageNumber = 1;
    EXPECT_FALSE(SameRegion(hud, DrawnHud(), 599, 14, 34, 24));
}

TEST_F(Hud, GaugePipsStackUpwardInStepsOfNine) {
    int w = 0, h = 0;
    ASSERT_TRUE(GetImageSize(ImgPowerGauge, &w, &h));
    auto header = HeaderWith(0, 0, 0);
    auto hud = DrawnHud();
    EXPECT_TRUE(SameRegion(hud, header, 330, 0, 200, 45));  // empty gauges draw nothing
    shotGauge = 1;
    armGauge = 3;
    hud = DrawnHud();
    ClearBackBuffer();
    DrawImage(0, 0, ImgHeader, 1);
    DrawImage(340, 26, ImgPowerGauge, 1);
    for (int y : {26, 17, 8}) DrawImage(488, y, ImgPowerGauge, 1);
    auto expected = Capture();
    EXPECT_TRUE(SameRegion(hud, expected, 330, 0, 200, 45));
    EXPECT_FALSE(SameRegion(hud, header, 488, 8, w, 18 + h));
    EXPECT_TRUE(SameRegion(hud, header, 414, 0, w, 45));  // the missile gauge stays empty
}

}  // namespace
