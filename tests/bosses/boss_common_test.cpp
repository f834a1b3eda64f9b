// The boss toolkit: motion rules, fans and rings, the body's end step with its lives,
// and parts that ride on the body and count their losses.
#include <gtest/gtest.h>

#include <vector>

#include "actors/actor.h"
#include "actors/behaviours.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "support/headless_game.h"

namespace {

class BossToolkit : public HeadlessGame {
protected:
    void SetUp() override {
        HeadlessGame::SetUp();
        ResetNewGame();
        SeedRandom(1);
        bossState = 0;
        score = 0;
        body = AcquireBossActor(ActorNoOp, ActorNoOp, 300, 200, 100, 80);
        ASSERT_NE(body, nullptr);
        StartHp(body, 50);
        body->scoreValue = 120000;
    }
    Actor* body = nullptr;
};

struct Fired {
    float cx, cy;
    int32_t dir;
    float speed;
};
std::vector<Fired> fired;
void RecordShot(float cx, float cy, int32_t dir, float speed) { fired.push_back({cx, cy, dir, speed}); }

void MarkDeath(Actor* a) { a->work[40].i = 1; }

TEST_F(BossToolkit, HoverStepsTowardsTheBoxAndIsClampedAtFour) {
    body->x = 100;  // left of the box: speeds up rightwards by 0.1 a frame
    body->y = 250;  // inside vertically: vy is kept
    body->work[kBossVx].f = 3.95f;
    body->work[kBossVy].f = -0.5f;
    HoverInBox(body, 200, 400, 100, 300);
    EXPECT_EQ(body->work[kBossVx].f, 4.0f);  // 4.05 clamped
    EXPECT_EQ(body->x, 104.0f);
    EXPECT_EQ(body->work[kBossVy].f, -0.5f);
    EXPECT_EQ(body->y, 249.5f);
    body->x = 500;
    HoverInBox(body, 200, 400, 100, 300);
    EXPECT_FLOAT_EQ(body->work[kBossVx].f, 3.9f);
    EXPECT_EQ(SwingTowardsBand(-3.95f, 500, 0, 100, 4.0f), -4.0f);
}

TEST_F(BossToolkit, EaseToHeightIsAQuarterOfTheGapCappedAtSixUntilWithinAPixel) {
    body->y = 100.0f;
    EXPECT_FALSE(EaseToHeight(body, 112));
    EXPECT_EQ(body->work[kBossVy].f, 3.0f);
    EXPECT_FALSE(EaseToHeight(body, 300));
    EXPECT_EQ(body->work[kBossVy].f, 6.0f);
    EXPECT_FALSE(EaseToHeight(body, 0));
    EXPECT_EQ(body->work[kBossVy].f, -6.0f);
    body->y = 100.9f;  // whole pixel 100: 101 and 99 count as reached, vy untouched
    EXPECT_TRUE(EaseToHeight(body, 101));
    EXPECT_TRUE(EaseToHeight(body, 99));
    EXPECT_EQ(body->work[kBossVy].f, -6.0f);
    EXPECT_FALSE(EaseToHeight(body, 102));
}

TEST_F(BossToolkit, TravelMovesBySpeedTowardsTheTargetAndNearnessUsesWholePixels) {
    body->speed = 5;
    TravelTowards(body, 300, 0);  // straight up
    EXPECT_EQ(body->work[kDir].i, 90);
    EXPECT_NEAR(body->y, 195.0f, 1e-4);
    EXPECT_NEAR(body->x, 300.0f, 1e-4);
    body->x = 303.9f;
    body->y = 196.0f;
    EXPECT_TRUE(IsNearTarget(body, 300, 200, 4));
    EXPECT_FALSE(IsNearTarget(body, 300, 201, 4));
    EXPECT_FALSE(IsNearTarget(body, 298, 200, 4) && IsNearTarget(body, 308, 200, 4));
}

TEST_F(BossToolkit, WalkSidewaysDrawsANewTargetOnArrivalAndKeepsItsStep) {
    body->x = 250;
    body->work[kBossTargetX].i = 250;
    body->work[kBossVx].f = -1.0f;
    WalkSideways(body, 80);
    int32_t target = body->work[kBossTargetX].i;
    EXPECT_GE(target, 640 - 100 - 80);
    EXPECT_LE(target, 640 - 100);
    // the new target lies to the right or is the same spot: the step turns or stays
    EXPECT_EQ(body->x, target == 250 ? 249.0f : 251.0f);
}

TEST_F(BossToolkit, FansAndRingsWrapTheirDirections) {
    fired.clear();
    const int32_t offsets[3] = {0, 30, -45};
    FireFan(RecordShot, 10, 20, 340, offsets, 3, 2.5f);
    ASSERT_EQ(fired.size(), 3u);
    EXPECT_EQ(fired[0].dir, 340);
    EXPECT_EQ(fired[1].dir, 10);
    EXPECT_EQ(fired[2].dir, 295);
    EXPECT_EQ(fired[2].speed, 2.5f);
    EXPECT_EQ(fired[2].cx, 10.0f);
    fired.clear();
    FireRing(RecordShot, 0, 0, 350, 45, 8, 1);
    ASSERT_EQ(fired.size(), 8u);
    EXPECT_EQ(fired[1].dir, 35);
    EXPECT_EQ(fired[7].dir, 305);
    EXPECT_EQ(WrapDegrees(-15), 345);
    EXPECT_EQ(WrapDegrees(720), 0);
}

TEST_F(BossToolkit, OnlyTheLastLifeScoresAndStartsTheDeath) {
    body->hp = 0;
    EXPECT_TRUE(FinishBossLifeFrame(body, 700, MarkDeath));
    EXPECT_EQ(score, 0);
    EXPECT_EQ(body->hp, 700);
    EXPECT_EQ(body->guardMode, GuardArmoured);
    EXPECT_EQ(body->update, MarkDeath);
    EXPECT_FALSE(FinishBossLifeFrame(body, 700, MarkDeath));  // hp left: nothing changes
    body->update = ActorNoOp;
    body->hp -= 5;
    FinishBossBodyFrame(body, MarkDeath);
    EXPECT_EQ(body->work[kHitFlash].i, 1);
    EXPECT_EQ(body->update, ActorNoOp);
    body->hp = -1;
    FinishBossBodyFrame(body, MarkDeath);
    EXPECT_EQ(score, 120000);
    EXPECT_EQ(body->work[kHitFlash].i, 0);  // no flash as the death begins
    EXPECT_EQ(body->update, MarkDeath);
}

TEST_F(BossToolkit, AnExplosionOrderTakesTheBodyAwayWithoutScore) {
    body->deathKind = DeathExplode;
    FinishBossBodyFrame(body, MarkDeath);
    EXPECT_FALSE(body->alive);
    EXPECT_EQ(score, 0);
}

TEST_F(BossToolkit, PartsRideAtTheirOffsetAndReportTheirRelease) {
    Actor* part = SpawnBossPart(body, ActorNoOp, ActorNoOp, 20, 10, 30, 50000, -12.0f, 40.0f);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->x, body->x);
    EXPECT_EQ(part->attack, 10000);
    EXPECT_EQ(part->work[kLastHp].i, 30);
    EXPECT_EQ(part->work[kPartFireTick].i, 0);
    bossX = 300;
    bossY = 200;
    FollowBossBody(part);
    EXPECT_EQ(part->x, 288.0f);
    EXPECT_EQ(part->y, 240.0f);
    EXPECT_FALSE(FinishBossPartFrame(part));
    part->hp = 0;
    EXPECT_TRUE(FinishBossPartFrame(part));
    EXPECT_EQ(score, 50000);
    Actor* cleared = SpawnBossPart(body, ActorNoOp, ActorNoOp, 20, 10, 30, 50000, 0, 0);
    cleared->deathKind = DeathExplode;  // the body's death clears it: released, no score
    EXPECT_TRUE(FinishBossPartFrame(cleared));
    EXPECT_EQ(score, 50000);
}

}  // namespace

// The test's own behaviours, known to the state hash and the pool checks like the game's.
namespace {
const BehaviourName kTestBehaviours[] = {
    BEHAVIOUR(MarkDeath),
};
BehaviourList testBehaviours(kTestBehaviours);
}  // namespace
