// Boss 4, the carrier with a weak point: set-up, the armoured cycle with its craft,
// the loss of the weak point, and the blink-and-fan cycle that follows.
#include "boss_fight.h"

namespace {

class WeakPointCarrier : public BossFight {
protected:
    WeakPointCarrier() : BossFight(BossDrive::PlayFrames) {}
    void SetUp() override {
        BossFight::SetUp();
        made = StartBoss(SpawnBoss04);
        ASSERT_EQ(made.size(), 7u);
        hull = made[0];
        weak = made[1];
    }
    static int Shields() {
        int n = 0;
        for (Actor* a : Live(GroupEnemy))
            if (a->guardMode == GuardArmoured && a->hp == 9999) n++;
        return n;
    }
    // Destroys the weak point; the hull turns in the frame after.
    void LoseWeakPoint() {
        weak->hp = 0;
        Frame();
        ASSERT_EQ(bossState, 2);
        Frame();
    }
    std::vector<Actor*> made;
    Actor* hull = nullptr;
    Actor* weak = nullptr;
};

TEST_F(WeakPointCarrier, SetUpGivesAnArmouredHullAWeakPointAndFiveShields) {
    EXPECT_EQ(bossState, 0);
    EXPECT_EQ(hull->x, 348.0f);
    EXPECT_EQ(hull->y, -104.0f);
    EXPECT_EQ(hull->width, 292);
    EXPECT_EQ(hull->height, 104);
    EXPECT_EQ(hull->speed, 6.0f);
    EXPECT_EQ(hull->hp, 2000);
    EXPECT_EQ(hull->guardMode, GuardArmoured);
    EXPECT_EQ(hull->scoreValue, 150000);
    EXPECT_EQ(hull->hitRects[0].left, 9);
    EXPECT_EQ(hull->hitRects[0].right, 21);
    EXPECT_EQ(hull->hitRects[0].top, 43);
    EXPECT_EQ(hull->hitRects[0].bottom, 81);
    EXPECT_EQ(weak->width, 16);
    EXPECT_EQ(weak->height, 29);
    EXPECT_EQ(weak->hp, 400);
    EXPECT_EQ(weak->scoreValue, 30000);
    EXPECT_EQ(weak->guardMode, GuardNormal);
    EXPECT_EQ(weak->work[kPartOffsetX].f, 167.0f);
    EXPECT_EQ(weak->work[kPartOffsetY].f, 102.0f);
    const int boxes[5][4] = {{69, 21, 142, 14}, {39, 35, 248, 9}, {9, 44, 278, 36}, {34, 80, 244, 7},
                             {141, 87, 72, 12}};
    for (int i = 0; i < 5; i++) {
        Actor* s = made[2 + i];
        EXPECT_EQ(s->guardMode, GuardArmoured) << i;
        EXPECT_EQ(s->work[0].f, boxes[i][0]) << i;
        EXPECT_EQ(s->work[1].f, boxes[i][1]) << i;
        EXPECT_EQ(s->width, boxes[i][2]) << i;
        EXPECT_EQ(s->height, boxes[i][3]) << i;
    }
    ReleaseAllActors();
    rank = 255;
    std::vector<Actor*> ranked = StartBoss(SpawnBoss04);
    EXPECT_EQ(ranked[0]->hp, 2510);
    EXPECT_EQ(ranked[1]->hp, 655);
}

TEST_F(WeakPointCarrier, DescendsLaunchesACraftClimbsAndLetsItGo) {
    int arrival = FramesUntil([&] { return hull->y == 376.0f; }, 200);
    EXPECT_EQ(arrival, 80);
    EXPECT_EQ(FramesUntil([&] { return Count(GroupEnemy, 148) == 1; }, 100), 20);
    Actor* craft = Live(GroupEnemy, 148)[0];
    EXPECT_EQ(craft->hp, 100);
    EXPECT_EQ(craft->attack, 1);
    EXPECT_EQ(craft->scoreValue, 1000);
    EXPECT_EQ(craft->x, hull->x + 123.0f);
    EXPECT_EQ(craft->y, hull->y + 126.0f);
    int32_t climbTo = hull->work[kBossTargetY].i;
    EXPECT_GE(climbTo, -84);
    EXPECT_LE(climbTo, 356);
    // the climb ends with bossState 1, which the attached craft answers at once
    float lastX = craft->x;
    int frames = FramesUntil([&] { return craft->x < lastX; }, 200);
    ASSERT_GT(frames, 0);
    EXPECT_EQ(bossState, 0);
    EXPECT_NEAR(hull->y, static_cast<float>(climbTo), 4.0f);
    Frame();
    EXPECT_FLOAT_EQ(craft->x, lastX - 0.2f - 0.4f);  // vx falls by 0.2 a frame
    EXPECT_EQ(hull->guardMode, GuardArmoured);
}

TEST_F(WeakPointCarrier, LosingTheWeakPointDropsAnAttachedCraftAndTakesTheShieldsAway) {
    Frames(100);
    ASSERT_EQ(Count(GroupEnemy, 148), 1);
    Actor* craft = Live(GroupEnemy, 148)[0];
    weak->hp = 0;
    Frame();
    EXPECT_EQ(score, 30000);
    EXPECT_EQ(bossState, 2);
    float y0 = craft->y;
    Frame();  // the hull turns intangible, the shields go
    EXPECT_EQ(hull->guardMode, GuardIntangible);
    EXPECT_EQ(Shields(), 0);
    EXPECT_FLOAT_EQ(craft->y, y0 + 0.4f);
    EXPECT_GT(FramesUntil([&] { return !craft->alive; }, 200), 0);  // falls off the screen
    EXPECT_EQ(score, 30000);
}

TEST_F(WeakPointCarrier, BlinksAwayAndInFor38FramesEachThenFiresTenFansOpenToDamage) {
    LoseWeakPoint();
    int hiddenFrames = 0;
    for (int f = 1; f <= 38; f++) {
        Frame();
        EXPECT_EQ(hull->guardMode, GuardIntangible) << f;
        hiddenFrames += hull->work[kBossOwnWords + 3].i;
    }
    EXPECT_EQ(hiddenFrames, 19);
    EXPECT_GE(hull->x, 198.0f);
    EXPECT_LE(hull->x, 348.0f);
    EXPECT_GE(hull->y, 0.0f);
    EXPECT_LE(hull->y, 376.0f);
    float x = hull->x, y = hull->y;
    Frames(37);
    EXPECT_EQ(Shields(), 0);
    Frame();
    EXPECT_EQ(hull->guardMode, GuardNormal);
    EXPECT_EQ(Shields(), 5);
    EXPECT_EQ(hull->work[kBossOwnWords].i, 1);  // the firing picture
    EXPECT_EQ(hull->x, x);
    EXPECT_EQ(hull->y, y);

    std::vector<std::vector<int>> fans;
    for (int f = 1; f <= 180; f++) {
        Frame();
        std::vector<Actor*> shots = Live(GroupEnemyShot, 16);
        if (shots.empty()) continue;
        std::vector<int> dirs;
        for (Actor* s : shots) {
            dirs.push_back(s->work[kDir].i);
            EXPECT_EQ(s->speed, 7.5f);
        }
        EXPECT_EQ(f % 36 == 17 || f % 36 == 0, true) << f;
        fans.push_back(dirs);
        ClearShots();
    }
    ASSERT_EQ(fans.size(), 10u);
    EXPECT_EQ(fans[0], (std::vector<int>{180, 200, 220, 160, 140}));
    EXPECT_EQ(fans[1], (std::vector<int>{190, 210, 170, 150}));
    EXPECT_EQ(hull->guardMode, GuardIntangible);  // the fifth cycle ended the fans
    EXPECT_EQ(hull->work[kBossOwnWords].i, 0);
    EXPECT_EQ(Shields(), 0);
}

TEST_F(WeakPointCarrier, HullDiesOnlyInItsFansForItsScore) {
    LoseWeakPoint();
    Frames(76);
    ASSERT_EQ(hull->guardMode, GuardNormal);
    rank = 80;
    Frames(17);
    std::vector<Actor*> shots = Live(GroupEnemyShot, 16);
    ASSERT_EQ(shots.size(), 5u);
    EXPECT_EQ(shots[0]->speed, 8.5f);  // 80 / 80 + 7.5
    hull->hp = 0;
    Frame();
    EXPECT_EQ(score, 30000 + 150000);
    Frame();
    EXPECT_EQ(bossState, 2 + 5000);
    EXPECT_EQ(Shields(), 0);  // cleared with the rest of the group
}

}  // namespace
