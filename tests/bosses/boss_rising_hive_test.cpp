// Boss 11, the rising hive: set-up, the rise, the first life's fire by rank, the
// hull breaking into the second life, its stops, rings and stand, and the death.
#include <gtest/gtest.h>

#include "bosses/boss_common.h"
#include "bosses/boss_fight.h"
#include "bosses/bosses.h"
#include "stages/enemies.h"

namespace {

constexpr int kColumn = kBossOwnWords;
constexpr int kStandTime = kBossOwnWords + 2;

class RisingHive : public BossFight {
protected:
    Actor* Spawn() {
        Actor* before = activeList->prev;
        SpawnBoss11();
        return before->next;
    }
    static void ClearAll() {
        for (Actor* a : Live()) a->alive = 0;
        SweepDeadActors();
    }
};

TEST_F(RisingHive, SetUpTakesHitPointsFromRankAndKeepsAllEightRectangles) {
    bossScratch[0] = 3;
    rank = 255;
    Actor* body = Spawn();
    EXPECT_EQ(body->hp, 255 * 5 + 3800);
    EXPECT_EQ(bossScratch[0], 0);
    EXPECT_EQ(body->x, 428.0f);
    EXPECT_EQ(body->y, 640.0f);
    EXPECT_EQ(body->scoreValue, 290000);
    ASSERT_EQ(body->hitRectCount, 8);
    // the second rectangle stands upside down, as given
    EXPECT_EQ(body->hitRects[1].top, 40);
    EXPECT_EQ(body->hitRects[1].bottom, 25);
    EXPECT_EQ(body->hitRects[7].left, 79);
    rank = 0;
    EXPECT_EQ(Spawn()->hp, 3800);
}

TEST_F(RisingHive, RisesFor405FramesThenStaysPut) {
    Actor* body = Spawn();
    for (int i = 0; i < 404; i++) {
        Pass();
        ClearShotsAndSmallFry(body);
    }
    EXPECT_GT(body->y, 235.0f);
    Pass();
    EXPECT_EQ(body->y, 235.0f);
    EXPECT_EQ(body->x, 428.0f);
    for (int i = 0; i < 60; i++) {
        Pass();
        ClearShotsAndSmallFry(body);
        EXPECT_EQ(body->x, 428.0f) << i;
        EXPECT_EQ(body->y, 235.0f) << i;
    }
}

TEST_F(RisingHive, FirstLifeActsEvery15FramesAt0AndEvery11At255) {
    for (int r : {0, 255}) {
        SCOPED_TRACE(r);
        rank = r;
        ClearAll();
        Actor* body = Spawn();
        body->y = 235;  // in place, so everything it releases is on the screen
        std::vector<int> at;
        for (int pass = 1; pass <= 600; pass++) {
            std::vector<Actor*> made = Pass();
            if (!made.empty()) {
                at.push_back(pass);
                ASSERT_EQ(made.size(), 1u) << pass;
                Actor* m = made[0];
                bool shot = m->group == GroupEnemyShot && (m->width == 16 || m->width == 32 || m->width == 64);
                bool small = m->group == GroupEnemy && m->width == 32;
                EXPECT_TRUE(shot || small) << pass;
            }
            ClearShotsAndSmallFry(body);
        }
        int every = 15 - r / 55;
        ASSERT_FALSE(at.empty());
        EXPECT_EQ(at[0], 1);
        for (size_t i = 1; i < at.size(); i++) EXPECT_EQ(at[i] - at[i - 1], every) << i;
    }
}

TEST_F(RisingHive, HullBreaksIntoTheSecondLifeWithoutScoreOrArmour) {
    Actor* body = Spawn();
    for (int i = 0; i < 420; i++) {
        Pass();
        ClearShotsAndSmallFry(body);
    }
    score = 0;
    body->hp = 0;
    std::vector<Actor*> made = Pass();
    EXPECT_EQ(Only(made, GroupBlast).size(), 8u);  // the explosions
    EXPECT_EQ(score, 0);
    EXPECT_EQ(body->hp, 4000);
    EXPECT_EQ(body->guardMode, GuardNormal);
    EXPECT_EQ(body->work[kColumn].i, 1);
    EXPECT_EQ(body->work[kBossTargetX].i, 214);
    EXPECT_EQ(body->work[kBossTargetY].i, 117);
    ASSERT_EQ(body->hitRectCount, 6);
    EXPECT_EQ(body->hitRects[5].left, 16);
    EXPECT_EQ(body->hitRects[5].right, 198);
    EXPECT_EQ(body->hitRects[5].top, 177);
    EXPECT_EQ(body->hitRects[5].bottom, 218);
    EXPECT_EQ(body->hitRects[4].left, 5);  // the first five stay
    // the broken hull heads for the centre; the last life's end is the death
    Pass();
    EXPECT_LT(body->x, 428.0f);
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 290000);
    Pass();
    EXPECT_EQ(bossState, 5000);
}

TEST_F(RisingHive, SecondLifeRingsFiveStopsThenStandsAtTheCentreSpraying) {
    ActorFn flyer = DrawOf([] { SpawnEnemy009WithDir(-500, -500, 0); });
    Actor* body = Spawn();
    body->y = 235;
    Pass();
    body->hp = 0;
    Pass();  // broken
    ASSERT_EQ(body->work[kColumn].i, 1);
    std::vector<int> ringPasses;
    int standPasses = 0, sprayed = 0;
    float standX = 0, standY = 0;
    for (int pass = 1; pass <= 12000 && standPasses == 0; pass++) {
        std::vector<Actor*> made = OfKind(Pass(), flyer);
        if (made.size() == 45) {
            ringPasses.push_back(pass);
            std::vector<int32_t> dirs = Dirs(made);
            for (int i = 0; i < 45; i++) EXPECT_EQ(dirs[i], i * 8);
            // the fifth stop sends the hull to the centre
            if (ringPasses.size() == 5) {
                EXPECT_EQ(body->work[kBossTargetX].i, 214);
                EXPECT_EQ(body->work[kBossTargetY].i, 117);
            }
        } else if (body->work[kStandTime].i > 0) {
            int stand = body->work[kStandTime].i;
            EXPECT_GE(stand, 300);
            EXPECT_LE(stand, 330);
            standX = body->x;
            standY = body->y;
            while (body->work[kStandTime].i > 0) {
                sprayed += static_cast<int>(OfKind(Pass(), flyer).size());
                ClearShotsAndSmallFry(body);
                EXPECT_EQ(body->x, standX);
                EXPECT_EQ(body->y, standY);
                standPasses++;
            }
            EXPECT_EQ(standPasses, stand);
        }
        ClearShotsAndSmallFry(body);
    }
    EXPECT_EQ(ringPasses.size(), 5u);
    // stopped within 4 of the centre, from above or level
    EXPECT_NEAR(standX, 214.0f, 5.0f);
    EXPECT_GE(standY, 113.0f);
    EXPECT_LT(standY, 118.0f);
    EXPECT_EQ(bossScratch[0], 0);
    EXPECT_GE(sprayed, standPasses / 4 - 1);
    EXPECT_LE(sprayed, standPasses / 4 + 1);
}

}  // namespace
