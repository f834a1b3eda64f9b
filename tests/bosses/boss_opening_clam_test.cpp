// Boss 9, the opening clam: set-up, closed flight, opening with its shields
// replaced, the fans of the open phase, closing, missile pairs and the death.
#include <gtest/gtest.h>

#include "bosses/boss_common.h"
#include "bosses/boss_fight.h"
#include "bosses/bosses.h"
#include "stages/enemies.h"

namespace {

constexpr int kOpen = kBossOwnWords;
constexpr int kVolleysLeft = kBossOwnWords + 2;

class OpeningClam : public BossFight {
protected:
    Actor* Spawn() {
        Actor* before = activeList->prev;
        SpawnBoss09();
        return before->next;
    }
    // Runs until the body opens, checking that a shield is up in every frame.
    int RunUntilOpen(Actor* body) {
        int passes = 0;
        while (body->work[kOpen].i == 0 && passes < 2000) {
            Pass();
            passes++;
            EXPECT_FALSE(Shields().empty()) << passes;
            ClearShotsAndSmallFry(body);
        }
        return passes;
    }
    static void ExpectShields(const std::vector<std::vector<float>>& want) {
        std::vector<Actor*> shields = Shields();
        ASSERT_EQ(shields.size(), want.size());
        for (size_t i = 0; i < want.size(); i++) {
            EXPECT_EQ(shields[i]->x, bossX + want[i][0]) << i;
            EXPECT_EQ(shields[i]->y, bossY + want[i][1]) << i;
            EXPECT_EQ(shields[i]->width, want[i][2]) << i;
            EXPECT_EQ(shields[i]->height, want[i][3]) << i;
        }
    }
};

const std::vector<std::vector<float>> kClosedShield = {{4, 60, 96, 128}};
const std::vector<std::vector<float>> kOpenShields = {{4, 111, 96, 78}, {69, 46, 43, 32}, {40, 18, 43, 32}};

TEST_F(OpeningClam, StartsArmouredAboveTheScreenWithOneShield) {
    rank = 255;
    Actor* body = Spawn();
    EXPECT_EQ(body->hp, 255 * 5 + 1600);
    EXPECT_EQ(body->x, 443.0f);
    EXPECT_EQ(body->y, -300.0f);
    EXPECT_EQ(body->guardMode, GuardArmoured);
    EXPECT_EQ(body->scoreValue, 200000);
    ASSERT_EQ(body->hitRectCount, 1);
    EXPECT_EQ(body->hitRects[0].top, 78);
    Pass();
    ExpectShields(kClosedShield);
    EXPECT_NEAR(body->y, -294.0f, 0.1f);  // 6 pixels a frame, nearly straight down
}

TEST_F(OpeningClam, OpensAtItsFirstTargetAndSwapsShieldsInTheSameFrame) {
    Actor* body = Spawn();
    RunUntilOpen(body);
    EXPECT_NEAR(body->x, 506.0f, 6.99f);
    EXPECT_NEAR(body->y, 283.0f, 6.99f);
    EXPECT_EQ(body->guardMode, GuardNormal);
    ExpectShields(kOpenShields);
    int volleys = body->work[kVolleysLeft].i;
    EXPECT_GE(volleys, 5);
    EXPECT_LE(volleys, 12);
}

TEST_F(OpeningClam, OpenPhaseFiresAlternateFansThenClosesAfterItsVolleys) {
    Actor* body = Spawn();
    RunUntilOpen(body);
    int volleys = body->work[kVolleysLeft].i;
    float x = body->x, y = body->y;
    std::vector<std::vector<int32_t>> fans;
    int passes = 0;
    while (body->work[kOpen].i == 1 && passes < 1000) {
        std::vector<Actor*> shots = Only(Pass(), GroupEnemyShot, 16);
        passes++;
        EXPECT_FALSE(Shields().empty());
        if (body->work[kOpen].i == 1) {
            EXPECT_EQ(body->x, x);  // standing
            EXPECT_EQ(body->y, y);
        }
        if (!shots.empty()) {
            EXPECT_EQ(passes % 31, 0);
            std::vector<int32_t> dirs;
            for (Actor* s : shots) {
                dirs.push_back(s->work[kDir].i);
                EXPECT_FLOAT_EQ(s->speed, 7.9f);
            }
            fans.push_back(dirs);
        }
        ClearShotsAndSmallFry(body);
    }
    EXPECT_EQ(passes, volleys * 31);
    ASSERT_EQ(static_cast<int>(fans.size()), volleys - 4);  // then three quiet volleys and the closing one
    for (size_t i = 0; i < fans.size(); i++) {
        if (i % 2 == 0) {
            EXPECT_EQ(fans[i], (std::vector<int32_t>{185, 195, 175, 165})) << i;
        } else {
            EXPECT_EQ(fans[i], (std::vector<int32_t>{180, 190, 170})) << i;
        }
    }
    // closed again: armoured, one shield, a new target on the right
    EXPECT_EQ(body->guardMode, GuardArmoured);
    ExpectShields(kClosedShield);
    EXPECT_GE(body->work[kBossTargetX].i, 306);
    EXPECT_LE(body->work[kBossTargetX].i, 506);
    EXPECT_GE(body->work[kBossTargetY].i, 0);
    EXPECT_LE(body->work[kBossTargetY].i, 283);
    // and it flies there to open again
    RunUntilOpen(body);
    ExpectShields(kOpenShields);
}

TEST_F(OpeningClam, OpenPhaseWithFiveVolleysFiresExactlyOneFan) {
    Actor* body = Spawn();
    RunUntilOpen(body);
    body->work[kVolleysLeft].i = 5;
    int fans = 0, passes = 0;
    while (body->work[kOpen].i == 1 && passes < 1000) {
        fans += !Only(Pass(), GroupEnemyShot, 16).empty();
        passes++;
    }
    EXPECT_EQ(fans, 1);
    EXPECT_EQ(passes, 155);
}

TEST_F(OpeningClam, MissilePairsComeByRankInBothShapes) {
    ActorFn missile = DrawOf([] { SpawnEnemy007(-500, -500, 0); });
    for (int r : {0, 255}) {
        rank = r;
        for (Actor* a : Live()) a->alive = 0;
        SweepDeadActors();
        Actor* body = Spawn();
        std::vector<int> at;
        for (int pass = 1; pass <= 400; pass++) {
            std::vector<Actor*> made = OfKind(Pass(), missile);
            if (!made.empty()) {
                EXPECT_EQ(made.size(), 2u);
                at.push_back(pass);
            }
            ClearShotsAndSmallFry(body);
        }
        int every = 90 - r / 20 + 1;
        ASSERT_GE(at.size(), 4u) << r;
        for (size_t i = 0; i < 4; i++) EXPECT_EQ(at[i], every * static_cast<int>(i + 1)) << r;
    }
}

TEST_F(OpeningClam, SlowsDownNearTheShip) {
    Actor* body = Spawn();
    Pass();
    EXPECT_EQ(body->speed, 6.0f);
    playerCenterX = body->x + 20;
    playerCenterY = body->y + 20;
    Pass();
    EXPECT_EQ(body->speed, 3.0f);
}

TEST_F(OpeningClam, DeathAddsItsScoreAndLiftsBossStateByTheAddVariant) {
    Actor* body = Spawn();
    RunUntilOpen(body);
    score = 0;
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 200000);
    Pass();
    EXPECT_EQ(bossState, 5000);
    EXPECT_TRUE(Shields().empty());
}

}  // namespace
