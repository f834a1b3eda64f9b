// The charging carrier: set-up with its plates, the swing's fans, the three lives and
// the armoured retreats between them, the charges, the creep's laser bursts, death.
#include <gtest/gtest.h>

#include "actors/actor.h"
#include "boss_fight.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "shell/assets.h"
#include "stages/enemies.h"

namespace {

class Carrier : public BossFight {
protected:
    Actor* body = nullptr;
    std::vector<Actor*> plates;

    void Spawn() {
        SpawnBoss01();
        std::vector<Actor*> live = Live();
        ASSERT_EQ(live.size(), 5u);  // body, three plates, shield
        body = live[0];
        plates = {live[1], live[2], live[3]};
        ASSERT_EQ(body->width, 306);
    }
    // Ends the current life and runs the armoured retreat to its last frame; the count.
    int EndLifeAndRetreat() {
        body->hp = 0;
        Pass();
        EXPECT_EQ(body->guardMode, GuardArmoured);
        int n = 0;
        while (body->guardMode == GuardArmoured && n < 300) {
            Pass();
            n++;
        }
        return n;
    }
    // Through both lives; the swing lasts past its first fan.
    void ToCreep() {
        Spawn();
        for (int i = 0; i < 130; i++) Pass();
        ClearShots();
        EndLifeAndRetreat();
        Pass();
        EndLifeAndRetreat();
    }
    static int LaserSounds() {
        int n = 0;
        for (int b = 0; b < 3; b++) n += SoundStartCount(WavEnemyShot[0], b);
        return n;
    }
};

TEST_F(Carrier, SetUpFollowsRankWithThreePlatesAndAShield) {
    Spawn();
    EXPECT_EQ(body->x, 640.0f);
    EXPECT_EQ(body->y, 162.0f);
    EXPECT_EQ(body->hp, 1000);
    EXPECT_EQ(body->scoreValue, 100000);
    EXPECT_EQ(body->hitRects[0].top, 54.0f);
    const int32_t hp[3] = {800, 400, 800};
    const int32_t rects[3] = {1, 1, 3};
    const float offsets[3][2] = {{25, 0}, {40, 2}, {134, 76}};
    Pass();
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(plates[i]->hp, hp[i]) << i;
        EXPECT_EQ(plates[i]->hitRectCount, rects[i]) << i;
        EXPECT_EQ(plates[i]->scoreValue, 50000) << i;
        EXPECT_EQ(plates[i]->x, body->x + offsets[i][0]) << i;
        EXPECT_EQ(plates[i]->y, body->y + offsets[i][1]) << i;
    }
    EXPECT_EQ(plates[2]->hitRects[2].bottom, 88.0f);
    Actor* shield = Live()[4];
    EXPECT_EQ(shield->guardMode, GuardArmoured);
    EXPECT_EQ(shield->x, body->x + 49);
    EXPECT_EQ(shield->width, 214);
    ReleaseAllActors();
    rank = 255;
    Spawn();
    EXPECT_EQ(body->hp, 1510);
    EXPECT_EQ(plates[0]->hp, 825);
    EXPECT_EQ(plates[1]->hp, 425);
    EXPECT_EQ(plates[2]->hp, 1055);
}

TEST_F(Carrier, SwingFiresAFiveWayFanEverySixtyFramesAfterTheFirst120) {
    rank = 160;
    Spawn();
    std::vector<int> fanFrames;
    int medium = 0;
    for (int n = 1; n <= 600; n++) {
        std::vector<Actor*> made = Pass();
        std::vector<Actor*> fan = Shots(made, 16);
        for (Actor* s : Shots(made, 32)) {
            medium++;
            EXPECT_GE(s->speed, 4.2f);
            EXPECT_LE(s->speed, 6.21f);
        }
        if (!fan.empty()) {
            fanFrames.push_back(n);
            EXPECT_EQ(Dirs(fan), (std::vector<int32_t>{180, 150, 120, 210, 240}));
            EXPECT_FLOAT_EQ(fan[0]->speed, 8.5f);  // 160 / 80 + 6.5
        }
        ClearShots();
    }
    EXPECT_EQ(fanFrames, (std::vector<int>{120, 180, 240, 300, 360, 420, 480, 540, 600}));
    EXPECT_GT(medium, 0);
}

TEST_F(Carrier, FirstLifeEndsWithoutScoreInAnArmouredRetreatTo780) {
    Spawn();
    Pass();
    score = 0;
    body->hp = -20;
    Pass();
    EXPECT_EQ(score, 0);
    EXPECT_EQ(body->hp, 600);
    EXPECT_EQ(body->guardMode, GuardArmoured);
    EXPECT_EQ(body->work[kBossVx].f, 10.0f);
    float x = body->x;
    Pass();
    EXPECT_FLOAT_EQ(body->x, x + 9.7f);
    body->hp = -1;  // the retreat does not test hp
    for (int i = 0; i < 10; i++) Pass();
    EXPECT_TRUE(body->alive);
    EXPECT_EQ(body->hp, -1);
    EXPECT_EQ(body->guardMode, GuardArmoured);
    body->hp = 600;
    for (int i = 0; i < 10; i++) Pass();
    EXPECT_FLOAT_EQ(body->work[kBossVx].f, 4.0f);  // 10 less 0.3 a frame, held at 4
    while (body->guardMode == GuardArmoured && body->x < 900) Pass();
    EXPECT_GT(body->x, 780.0f);
    EXPECT_LE(body->x, 784.0f);
    EXPECT_EQ(body->work[kBossVy].f, 0.0f);
    EXPECT_EQ(score, 0);
}

TEST_F(Carrier, SecondLifeChargesAcrossAndReturnsOnANewLane) {
    Spawn();
    Pass();
    EndLifeAndRetreat();
    float y = body->y;
    float x = body->x;
    Pass();  // the charge
    EXPECT_FLOAT_EQ(body->x, x - 10);
    EXPECT_EQ(body->y, y);
    int charge = 1;
    while (body->x >= -406 && charge < 200) {
        Pass();
        charge++;
    }
    EXPECT_LT(body->x, -406.0f);
    EXPECT_GE(body->x, -416.0f);
    x = body->x;
    Pass();  // back at 7 a frame
    EXPECT_FLOAT_EQ(body->x, x + 7);
    while (body->x <= 700 && charge < 600) {
        Pass();
        charge++;
    }
    EXPECT_GE(body->y, 0.0f);
    EXPECT_LE(body->y, 325.0f);
    EXPECT_EQ(body->y, static_cast<float>(static_cast<int32_t>(body->y)));  // a whole lane
    x = body->x;
    Pass();
    EXPECT_FLOAT_EQ(body->x, x - 10);  // and charges again
    // the second life ends in either half; the second retreat starts at 20
    rank = 100;
    score = 0;
    body->hp = 0;
    Pass();
    EXPECT_EQ(body->hp, 1200);
    EXPECT_EQ(body->guardMode, GuardArmoured);
    EXPECT_EQ(body->work[kBossVx].f, 20.0f);
    EXPECT_EQ(score, 0);
}

TEST_F(Carrier, ReturnHalfEndsTheSecondLifeWithARetreatAtTenAndVyMinusOne) {
    Spawn();
    Pass();
    EndLifeAndRetreat();
    while (body->x >= -406) Pass();
    Pass();  // returning
    body->hp = 0;
    Pass();
    EXPECT_EQ(body->work[kBossVx].f, 10.0f);
    EXPECT_EQ(body->work[kBossVy].f, -1.0f);
    EXPECT_EQ(body->guardMode, GuardArmoured);
    while (body->guardMode == GuardArmoured && body->x < 1000) Pass();
    EXPECT_GT(body->x, 720.0f);
    EXPECT_EQ(body->work[kBossVy].f, 4.0f);  // the creep starts moving down
}

TEST_F(Carrier, CreepStopsAt334AndFiresBurstsOfTenBoltsFourFramesApart) {
    ToCreep();
    ASSERT_EQ(body->guardMode, GuardNormal);
    // bolts fired from beyond the right edge vanish at once, so count their sounds
    std::vector<int> boltFrames;
    int sounds = LaserSounds();
    for (int n = 1; n <= 400; n++) {
        for (Actor* bolt : Shots(Pass(), 64)) {
            EXPECT_EQ(bolt->work[kDir].i, 180);
            EXPECT_EQ(bolt->speed, 20.0f);
        }
        int now = LaserSounds();
        if (now > sounds) boltFrames.push_back(n);
        EXPECT_LE(now - sounds, 1);
        sounds = now;
        ClearShots();
    }
    ASSERT_GE(boltFrames.size(), 11u);
    EXPECT_LE(boltFrames[0], 60);  // the fan timer left from the swing runs down first
    for (int i = 1; i < 10; i++) EXPECT_EQ(boltFrames[i] - boltFrames[i - 1], 4) << i;
    EXPECT_EQ(boltFrames[10] - boltFrames[9], 123);  // 120 frames, then the step runs down
    for (int n = 0; n < 600; n++) {
        Pass();
        ClearShots();
    }
    EXPECT_LE(body->x, 334.0f);
    EXPECT_GT(body->x, 333.0f);
}

TEST_F(Carrier, OnlyTheLastLifeScoresAndTheShipIsSafeDuringTheExplosions) {
    ToCreep();
    EXPECT_EQ(body->hp, 1000);
    score = 0;
    Pass();
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 100000);
    Pass();
    EXPECT_EQ(bossState, BossStateDestroyed);
    for (Actor* p : plates) EXPECT_FALSE(p->alive);  // cleared without score
    EXPECT_EQ(score, 100000);
}

TEST_F(Carrier, PlateShotOffScoresAndTheBodyGoesOn) {
    Spawn();
    Pass();
    score = 0;
    plates[1]->hp = 0;
    Pass();
    EXPECT_FALSE(plates[1]->alive);
    EXPECT_EQ(score, 50000);
    EXPECT_TRUE(body->alive);
    Pass();
    EXPECT_EQ(plates[2]->x, body->x + 134);
}

}  // namespace
