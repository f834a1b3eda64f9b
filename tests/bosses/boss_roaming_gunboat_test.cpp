// The roaming gunboat: set-up, travel and hold, the rotation of fans, lasers and
// escorts, the escort's own flight, and death.
#include <gtest/gtest.h>

#include "actors/actor.h"
#include "actors/collision.h"
#include "boss_fight.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "stages/enemies.h"

namespace {

class Gunboat : public BossFight {
protected:
    Actor* Spawn() {
        SpawnBoss03();
        std::vector<Actor*> bodies = EnemiesSized(235, 177);
        return bodies.empty() ? nullptr : bodies[0];
    }
    // Passes until the body stands still; the count includes the first still frame.
    static int PassesUntilStill(Actor* body, int limit = 400) {
        for (int n = 1; n <= limit; n++) {
            float x = body->x, y = body->y;
            Pass();
            if (body->x == x && body->y == y) return n;
        }
        return -1;
    }
    // Through the wait and the next travel to the first frame of the next hold.
    static int PassesUntilNextHold(Actor* body, int limit = 600) {
        for (int n = 1; n <= limit; n++) {
            float x = body->x, y = body->y;
            Pass();
            if (body->x != x || body->y != y) return n + PassesUntilStill(body);
        }
        return -1;
    }
    // Where a shot made in this pass started: it has already made one step.
    static float StartX(const Actor* s) {
        return CentreX(s) - cosTable[s->work[kDir].i] * s->speed;
    }
    static float StartY(const Actor* s) {
        return CentreY(s) + sinTable[s->work[kDir].i] * s->speed;
    }
    // Passes until one creates shots of the given width; those shots, and the count.
    static std::vector<Actor*> PassesUntilShots(int32_t width, int* passes, int limit = 400) {
        for (int n = 1; n <= limit; n++) {
            std::vector<Actor*> shots = Shots(Pass(), width);
            if (!shots.empty()) {
                *passes = n;
                return shots;
            }
        }
        *passes = -1;
        return {};
    }
    static std::vector<Actor*> Escorts() { return EnemiesSized(64, 64); }
    // Through three travels and holds to the first escort; nullptr if none comes.
    static Actor* RunToFirstEscort(Actor* body) {
        if (PassesUntilStill(body) < 0) return nullptr;
        for (int guard = 0; Escorts().empty() && guard < 3000; guard++) {
            Pass();
            ClearShots();
        }
        return Escorts().size() == 1 ? Escorts()[0] : nullptr;
    }
};

TEST_F(Gunboat, SetUpFollowsRankAndPlacesFourShields) {
    Actor* body = Spawn();
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->x, 640.0f);
    EXPECT_EQ(body->y, 0.0f);
    EXPECT_EQ(body->hp, 5000);
    EXPECT_EQ(body->scoreValue, 170000);
    EXPECT_EQ(body->guardMode, GuardNormal);
    ASSERT_EQ(body->hitRectCount, 1);
    EXPECT_EQ(body->hitRects[0].left, 7.0f);
    EXPECT_EQ(body->hitRects[0].bottom, 82.0f);
    Pass();
    std::vector<Actor*> shields;
    for (Actor* a : Live())
        if (a->group == GroupEnemy && a->guardMode == GuardArmoured) shields.push_back(a);
    ASSERT_EQ(shields.size(), 4u);
    const float offsets[4][4] = {{23, 83, 134, 20}, {33, 103, 179, 24}, {11, 134, 214, 17}, {32, 154, 26, 17}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(shields[i]->x, body->x + offsets[i][0]) << i;
        EXPECT_EQ(shields[i]->y, body->y + offsets[i][1]) << i;
        EXPECT_EQ(shields[i]->width, offsets[i][2]) << i;
        EXPECT_EQ(shields[i]->height, offsets[i][3]) << i;
    }
    ReleaseAllActors();
    rank = 255;
    EXPECT_EQ(Spawn()->hp, 5510);
}

TEST_F(Gunboat, TravelsToItsFirstPointAtSixAndSlowsToThreeNearTheShip) {
    Actor* body = Spawn();
    playerCenterX = 0;
    playerCenterY = 0;
    Pass();
    EXPECT_EQ(body->speed, 6.0f);
    EXPECT_EQ(body->work[kDir].i, AngleBetween(640, 0, 405, 303));
    playerCenterX = body->x + 12;  // 12 right and 16 down: 20 pixels from the corner
    playerCenterY = body->y + 16;
    Pass();
    EXPECT_EQ(body->speed, 3.0f);
    playerCenterY = body->y + 17;
    Pass();
    EXPECT_EQ(body->speed, 6.0f);
    playerCenterX = playerCenterY = 0;
    ASSERT_GT(PassesUntilStill(body), 0);
    EXPECT_NEAR(body->x, 405.0f, 6.99f);
    EXPECT_NEAR(body->y, 303.0f, 6.99f);
}

TEST_F(Gunboat, HoldsThenFiresFiveFansTwentyOneFramesApartThenWaitsAndTravels) {
    rank = 255;
    Actor* body = Spawn();
    ASSERT_GT(PassesUntilStill(body), 0);  // the first hold frame has run
    int passes = 0;
    std::vector<Actor*> fan = PassesUntilShots(16, &passes);
    EXPECT_EQ(passes, 61);  // hold ticks 2 to 61, then the first fans frame
    ASSERT_EQ(fan.size(), 5u);
    int32_t aim = AngleBetween(body->x + 1, body->y + 54, playerCenterX, playerCenterY);
    std::vector<int32_t> expected = {aim, (aim + 30) % 360, (aim + 60) % 360, (aim + 330) % 360,
                                     (aim + 300) % 360};
    EXPECT_EQ(Dirs(fan), expected);
    EXPECT_EQ(fan[0]->speed, 9.9f);  // 255 / 80 + 6.9
    EXPECT_NEAR(StartX(fan[0]), body->x + 1, 0.01f);
    EXPECT_NEAR(StartY(fan[0]), body->y + 54, 0.01f);
    for (int volley = 2; volley <= 5; volley++) {
        ASSERT_EQ(PassesUntilShots(16, &passes).size(), 5u);
        EXPECT_EQ(passes, 21) << volley;
    }
    ClearShots();
    float x = body->x;
    for (int i = 0; i < 61; i++) {
        EXPECT_TRUE(Shots(Pass(), 16).empty());
        EXPECT_EQ(body->x, x);
    }
    int32_t tx = body->work[kBossTargetX].i, ty = body->work[kBossTargetY].i;
    EXPECT_GE(tx, 205);
    EXPECT_LE(tx, 405);
    EXPECT_GE(ty, 0);
    EXPECT_LE(ty, 303);
    if (!IsNearTarget(body, tx, ty, 6)) {
        Pass();
        EXPECT_NE(body->x, x);
    }
}

TEST_F(Gunboat, SecondHoldScattersThirtyLaserBoltsThirdLaunchesAnEscort) {
    rank = 100;
    Actor* body = Spawn();
    ASSERT_GT(PassesUntilStill(body), 0);
    for (int volley = 0; volley < 5; volley++) {
        int passes = 0;
        ASSERT_EQ(PassesUntilShots(16, &passes).size(), 5u);
    }
    ClearShots();
    ASSERT_GT(PassesUntilNextHold(body), 0);
    int passes = 0;
    std::vector<Actor*> bolt = PassesUntilShots(64, &passes);
    EXPECT_EQ(passes, 63);  // the hold's last 60 frames, then ticks 1 to 3
    int bolts = 1;
    ASSERT_EQ(bolt.size(), 1u);
    EXPECT_NEAR(StartX(bolt[0]) - 32 + 16, body->x - 4, 0.01f);  // placed 16 left of its centre
    EXPECT_NEAR(StartY(bolt[0]), body->y + 16, 0.01f);
    EXPECT_EQ(bolt[0]->speed, 20.0f);
    for (; bolts < 30; bolts++) {
        bolt = PassesUntilShots(64, &passes, 10);
        ASSERT_EQ(bolt.size(), 1u) << bolts;
        EXPECT_EQ(passes, 3);
        EXPECT_GE(bolt[0]->work[kDir].i, 135);
        EXPECT_LE(bolt[0]->work[kDir].i, 225);
    }
    EXPECT_EQ(PassesUntilShots(64, &passes, 50).size(), 0u);  // the 30th was the last; the wait is 61
    ClearShots();
    ASSERT_TRUE(Escorts().empty());
    ASSERT_GT(PassesUntilNextHold(body), 0);
    for (int i = 0; i < 59; i++) Pass();
    ASSERT_TRUE(Escorts().empty());
    float x = body->x, y = body->y;
    Pass();  // the third hold ends: an escort
    std::vector<Actor*> escorts = Escorts();
    ASSERT_EQ(escorts.size(), 1u);
    Actor* e = escorts[0];
    EXPECT_EQ(e->hp, 320);  // rank + 220
    EXPECT_EQ(e->scoreValue, 3000);
    EXPECT_EQ(e->attack, 1);
    EXPECT_EQ(e->hitRectCount, 2);
    // made after the body, it has already made its first step
    EXPECT_FLOAT_EQ(e->x - e->work[kBossVx].f, x + 107);
    EXPECT_FLOAT_EQ(e->y - e->work[kBossVy].f, y + 81);
}

TEST_F(Gunboat, EscortSwingsInItsBoxAndSnipesWithANarrowAim) {
    Actor* body = Spawn();
    Actor* e = RunToFirstEscort(body);
    ASSERT_NE(e, nullptr);
    body->hp = 0;  // keep the body's fire out of the way: it dies, the escort is cleared
    // each velocity steps 0.1 towards the box 478..494 x 144..272 and is held to 4
    auto step = [](float v, float p, float lo, float hi) {
        v += p < lo ? 0.1f : (p > hi ? -0.1f : 0.0f);
        return v < -4 ? -4.0f : (v > 4 ? 4.0f : v);
    };
    float x = e->x, y = e->y;
    float vx = step(e->work[kBossVx].f, x, 478, 494);
    float vy = step(e->work[kBossVy].f, y, 144, 272);
    Pass();
    ASSERT_TRUE(e->alive);
    EXPECT_FLOAT_EQ(e->x, x + vx);
    EXPECT_FLOAT_EQ(e->y, y + vy);
    Pass();  // the body's death clears the group
    Pass();
    EXPECT_FALSE(e->alive);
}

TEST_F(Gunboat, EscortShotsAreAimedWithinThreeDegreesAtFiveFourToSixFour) {
    Actor* body = Spawn();
    Actor* e = RunToFirstEscort(body);
    ASSERT_NE(e, nullptr);
    int seen = 0;
    for (int i = 0; i < 600 && e->alive; i++) {
        for (Actor* s : Shots(Pass(), 16)) {
            if (s->speed > 6.5f) continue;  // the body's fans fly at 6.9
            seen++;
            // the escort moves before it fires, so its muzzle is where it now stands
            int32_t aim = AngleBetween(e->x + 1, e->y + 46, playerCenterX, playerCenterY);
            int32_t off = (s->work[kDir].i - aim + 540) % 360 - 180;
            EXPECT_LE(off < 0 ? -off : off, 4);
            EXPECT_GE(s->speed, 5.4f);
            EXPECT_LE(s->speed, 6.41f);
        }
        ClearShots();
    }
    EXPECT_GT(seen, 3);
}

TEST_F(Gunboat, DeathScoresOnceAndClearsShieldsAndEscorts) {
    Actor* body = Spawn();
    Pass();
    score = 0;
    body->hp = -5;
    Pass();
    EXPECT_EQ(score, 170000);
    Pass();
    EXPECT_EQ(bossState, 5000);
    Pass();
    EXPECT_EQ(bossState, 10000);  // the add variant runs twice from a phase value of 0
    EXPECT_EQ(score, 170000);
    for (Actor* a : Live()) EXPECT_NE(a->guardMode, GuardArmoured);
}

}  // namespace
