// Boss 2, the walking battleship: set-up, the walk, the three turrets' fire and how
// the lost-turret count in bossState drives them.
#include "boss_fight.h"

namespace {

class WalkingBattleship : public BossFight {
protected:
    WalkingBattleship() : BossFight(BossDrive::PlayFrames) {}
    // The set-up with the hull already walked in, so every turret fires on the screen.
    static std::vector<Actor*> StartWalkedIn() {
        std::vector<Actor*> made = StartBoss(SpawnBoss02);
        made[0]->x = 291;
        return made;
    }
    // Frames (counted from 1) in which new shots or enemies of `width` appeared; each
    // is cleared once counted.
    static std::vector<int> Appearances(int group, int width, int frames);
};

std::vector<int> WalkingBattleship::Appearances(int group, int width, int frames) {
    std::vector<int> at;
    for (int f = 1; f <= frames; f++) {
        Frame();
        bool seen = false;
        for (Actor* a = activeList->next; a != activeList; a = a->next) {
            if (!a->alive || a->group != group || a->width != width) continue;
            seen = true;
            a->alive = 0;
        }
        SweepDeadActors();
        if (seen) at.push_back(f);
    }
    return at;
}

TEST_F(WalkingBattleship, SetUpPlacesHullAndThreeTurretsWithRankedHitPoints) {
    for (int r : {0, 255}) {
        ReleaseAllActors();
        rank = r;
        bossState = 7;
        std::vector<Actor*> made = StartBoss(SpawnBoss02);
        ASSERT_EQ(made.size(), 4u);
        EXPECT_EQ(bossState, 0);
        Actor* body = made[0];
        EXPECT_EQ(body->x, 640.0f);
        EXPECT_EQ(body->y, 321.0f);
        EXPECT_EQ(body->width, 349);
        EXPECT_EQ(body->height, 159);
        EXPECT_EQ(body->hp, (r * 5 + 500) * 2);
        EXPECT_EQ(body->scoreValue, 100000);
        EXPECT_EQ(body->attack, 10000);
        EXPECT_EQ(body->guardMode, GuardNormal);
        ASSERT_EQ(body->hitRectCount, 1);
        EXPECT_EQ(body->hitRects[0].left, 8);
        EXPECT_EQ(body->hitRects[0].right, 341);
        EXPECT_EQ(body->hitRects[0].top, 106);
        EXPECT_EQ(body->hitRects[0].bottom, 149);
        const int sizes[3][2] = {{43, 126}, {51, 59}, {119, 76}};
        const int hp[3] = {500, 700, 800};
        const float offsets[3][2] = {{66, 0}, {124, 66}, {188, 46}};
        for (int t = 0; t < 3; t++) {
            Actor* turret = made[1 + t];
            EXPECT_EQ(turret->width, sizes[t][0]) << t;
            EXPECT_EQ(turret->height, sizes[t][1]) << t;
            EXPECT_EQ(turret->hp, r + hp[t]) << t;
            EXPECT_EQ(turret->scoreValue, 50000) << t;
            EXPECT_EQ(turret->hitRectCount, 2) << t;
            EXPECT_EQ(turret->work[kPartOffsetX].f, offsets[t][0]) << t;
            EXPECT_EQ(turret->work[kPartOffsetY].f, offsets[t][1]) << t;
        }
        EXPECT_EQ(made[1]->hitRects[1].bottom, 125);
        EXPECT_EQ(made[3]->hitRects[1].right, 117);
    }
}

TEST_F(WalkingBattleship, WalksInAtOnePixelAFrameThenPacesBetween211And291) {
    std::vector<Actor*> made = StartBoss(SpawnBoss02);
    Actor* body = made[0];
    Actor* middle = made[2];
    int frames = FramesUntil([&] { return body->x == 291.0f; }, 400);
    EXPECT_EQ(frames, 349);
    EXPECT_EQ(middle->x, 291.0f + 124.0f);  // the turrets ride in the same frame
    EXPECT_EQ(middle->y, 321.0f + 66.0f);
    float lowest = 1000, highest = 0;
    for (int f = 0; f < 1500; f++) {
        float before = body->x;
        Frame();
        ClearShots();
        EXPECT_EQ(std::abs(body->x - before), 1.0f);
        lowest = std::min(lowest, body->x);
        highest = std::max(highest, body->x);
        EXPECT_EQ(body->y, 321.0f);
    }
    EXPECT_GE(lowest, 211.0f);
    EXPECT_LE(highest, 291.0f);
    EXPECT_LT(lowest, 280.0f);  // it does pace, not only stand at its first target
}

TEST_F(WalkingBattleship, FrontTurretFiresAimedLargeShotsEvery25FramesLessRankOver50) {
    for (int r : {0, 255}) {
        ReleaseAllActors();
        rank = r;
        StartBoss(SpawnBoss02);
        int interval = r == 0 ? 25 : 20;
        std::vector<int> at = Appearances(GroupEnemyShot, 32, 3 * interval);
        EXPECT_EQ(at, (std::vector<int>{interval, 2 * interval, 3 * interval})) << r;
    }
    ReleaseAllActors();
    rank = 160;
    StartBoss(SpawnBoss02);
    Frames(24);
    std::vector<Actor*> shots = Live(GroupEnemyShot, 32);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->speed, 6.0f);  // 160 / 80 + 4
}

TEST_F(WalkingBattleship, MiddleTurretBurstsGrowByFourShotsPerLostTurret) {
    StartWalkedIn();
    // the random first burst is already past ten: it ends with its first shot
    std::vector<int> at = Appearances(GroupEnemyShot, 16, 302);
    std::vector<int> want = {5};
    for (int k = 0; k < 10; k++) want.push_back(131 + 5 * k);
    want.push_back(302);
    EXPECT_EQ(at, want);

    ReleaseAllActors();
    StartWalkedIn();
    bossState = 2;
    at = Appearances(GroupEnemyShot, 16, 300);
    ASSERT_GE(at.size(), 19u);
    EXPECT_EQ(at[1], 131);
    EXPECT_EQ(at[18], 131 + 5 * 17);  // eighteen shots in the burst
    if (at.size() > 19) {
        EXPECT_GE(at[19], at[18] + 121);
    }
}

TEST_F(WalkingBattleship, RearTurretReleasesAnEnemyEvery161FramesOr61AfterTwoLosses) {
    StartWalkedIn();
    EXPECT_EQ(Appearances(GroupEnemy, 32, 330), (std::vector<int>{161, 322}));
    ReleaseAllActors();
    StartWalkedIn();
    bossState = 2;
    EXPECT_EQ(Appearances(GroupEnemy, 32, 130), (std::vector<int>{61, 122}));
}

TEST_F(WalkingBattleship, LostTurretsCountIntoBossStateAndTheHullScoresOnlyAtTheEnd) {
    std::vector<Actor*> made = StartBoss(SpawnBoss02);
    Frame();
    made[1]->hp = 0;
    made[3]->hp = 0;  // two turrets in one frame count once each
    Frame();
    EXPECT_EQ(bossState, 2);
    EXPECT_EQ(score, 100000);
    EXPECT_FALSE(made[1]->alive);
    EXPECT_TRUE(made[2]->alive);
    made[0]->hp = 0;
    Frame();
    EXPECT_EQ(score, 200000);
    Frame();  // the add variant: the middle turret is cleared without score and still counts
    EXPECT_EQ(bossState, 2 + 5000 + 1);
    EXPECT_FALSE(made[2]->alive);
    EXPECT_EQ(score, 200000);
    Frame();
    EXPECT_EQ(bossState, 2 + 5000 + 1 + 5000);
}

}  // namespace
