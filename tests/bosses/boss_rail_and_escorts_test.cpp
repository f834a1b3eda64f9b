// The rail and its escorts: set-up, the armoured cycle, each escort's break-away and
// its own flight, the count of lost escorts, the open rail's lasers and rings, death.
#include <gtest/gtest.h>

#include "actors/actor.h"
#include "actors/collision.h"
#include "boss_fight.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "stages/enemies.h"

namespace {

class Rail : public BossFight {
protected:
    Actor* rail = nullptr;
    Actor* homer = nullptr;
    Actor* drifter = nullptr;
    Actor* bouncer = nullptr;

    void Spawn() {
        SpawnBoss05();
        std::vector<Actor*> live = Live();
        ASSERT_GE(live.size(), 4u);
        rail = live[0];
        homer = live[1];
        drifter = live[2];
        bouncer = live[3];
        ASSERT_EQ(rail->width, 228);
    }
    // Through the entry: the rail stands at x 412 and the escorts are open to fire.
    void SpawnInPlace() {
        Spawn();
        for (int i = 0; i < 228; i++) Pass();
        ASSERT_EQ(bossState, 1);
    }
    // The escorts gone: the rail opens in its next follow frame.
    void OpenRail() {
        SpawnInPlace();
        for (Actor* e : {homer, drifter, bouncer}) e->alive = 0;
        SweepDeadActors();
        bossState = 4;
        Pass();
        ASSERT_EQ(rail->guardMode, GuardNormal);
    }
    // Passes until one creates shots of the given width; the count, or -1.
    static int PassesUntilShots(int32_t width, std::vector<Actor*>* shots, int limit) {
        for (int n = 1; n <= limit; n++) {
            *shots = Shots(Pass(), width);
            if (!shots->empty()) return n;
        }
        return -1;
    }
};

TEST_F(Rail, SetUpCarriesThreeArmouredEscortsAtTheirOffsets) {
    Spawn();
    EXPECT_EQ(rail->x, 640.0f);
    EXPECT_EQ(rail->y, 236.0f);
    EXPECT_EQ(rail->height, 8);
    EXPECT_EQ(rail->hp, 2000);
    EXPECT_EQ(rail->guardMode, GuardArmoured);
    EXPECT_EQ(rail->scoreValue, 100000);
    EXPECT_EQ(homer->hp, 500);
    EXPECT_EQ(drifter->hp, 500);
    EXPECT_EQ(bouncer->hp, 800);
    EXPECT_EQ(drifter->width, 75);
    Pass();
    const float offsets[3] = {-20, 58, 136};
    int i = 0;
    for (Actor* e : {homer, drifter, bouncer}) {
        EXPECT_EQ(e->guardMode, GuardArmoured);
        EXPECT_EQ(e->scoreValue, 50000);
        EXPECT_EQ(e->height, 79);
        EXPECT_EQ(e->x, rail->x + offsets[i]);
        EXPECT_EQ(e->y, rail->y - 35);
        EXPECT_EQ(e->hitRects[0].left, 10.0f);
        EXPECT_EQ(e->hitRects[0].bottom, 66.0f);
        i++;
    }
    ReleaseAllActors();
    rank = 255;
    Spawn();
    EXPECT_EQ(rail->hp, 2765);
    EXPECT_EQ(homer->hp, 525);
    EXPECT_EQ(drifter->hp, 755);
    EXPECT_EQ(bouncer->hp, 825);
}

TEST_F(Rail, EntersAtOnePixelAFrameThenFollowsRestsAndSweeps) {
    Spawn();
    for (int i = 0; i < 227; i++) Pass();
    EXPECT_EQ(bossState, 0);
    EXPECT_EQ(homer->guardMode, GuardArmoured);
    Pass();  // x reaches 412 in the 228th frame
    EXPECT_EQ(rail->x, 412.0f);
    EXPECT_EQ(bossState, 1);
    EXPECT_EQ(homer->guardMode, GuardNormal);  // the escorts come after the rail
    EXPECT_EQ(rail->guardMode, GuardArmoured);
    // follow: vy steps 0.2 towards the ship's height, held to 4
    playerCenterY = 400;
    float y = rail->y;
    Pass();
    EXPECT_FLOAT_EQ(rail->y, y + 0.2f);
    for (int i = 0; i < 40; i++) Pass();
    EXPECT_FLOAT_EQ(rail->work[kBossVy].f, 4.0f);
    for (int i = 0; i < 139; i++) Pass();  // up to the 180th follow frame
    y = rail->y;
    for (int i = 0; i < 59; i++) Pass();
    EXPECT_EQ(rail->y, y);  // the pause holds still
    EXPECT_EQ(rail->x, 412.0f);
    Pass();  // the pause's 60th frame
    Pass();
    EXPECT_EQ(rail->x, 402.0f);
    int left = 1;
    while (rail->x > 0 && left < 100) {
        Pass();
        left++;
    }
    EXPECT_EQ(left, 42);  // 412 to -8
    bossState = 4;        // a sweep is finished before the rail opens
    int back = 0;
    while (rail->x < 412 && back < 100) {
        Pass();
        back++;
        EXPECT_EQ(rail->guardMode, GuardArmoured);
    }
    EXPECT_EQ(back, 42);
    EXPECT_EQ(rail->x, 412.0f);
    Pass();
    EXPECT_EQ(rail->guardMode, GuardNormal);
}

TEST_F(Rail, EscortsBreakAwayOnlyBelowTheirThresholds) {
    SpawnInPlace();
    homer->hp = 300;
    drifter->hp = 300;
    bouncer->hp = 500;
    Pass();
    Pass();
    for (Actor* e : {homer, drifter, bouncer}) EXPECT_EQ(e->y, rail->y - 35);
    homer->hp = 299;
    drifter->hp = 299;
    bouncer->hp = 499;
    Pass();  // the break-away update is installed; it runs from the next frame
    float hx = homer->x, dx = drifter->x, bx = bouncer->x;
    Pass();
    EXPECT_NE(homer->x, hx);
    EXPECT_FLOAT_EQ(drifter->x, dx - 0.6f);
    EXPECT_FLOAT_EQ(bouncer->x, bx + 5.2f);
    EXPECT_EQ(bossState, 1);
    EXPECT_NE(bouncer->y, rail->y - 35);
}

TEST_F(Rail, HomerSteersFromItsCentreAtTheShipAndScoresWhenDestroyed) {
    SpawnInPlace();
    homer->hp = 10;
    Pass();
    playerCenterX = 100;
    playerCenterY = 400;
    for (int i = 0; i < 50; i++) {
        float cx = CentreX(homer), cy = CentreY(homer);
        Pass();
        int32_t dir = AngleBetween(cx, cy, 100, 400);
        EXPECT_FLOAT_EQ(homer->x, cx - 38 + cosTable[dir]);
        EXPECT_FLOAT_EQ(homer->y, cy - 39 - sinTable[dir]);
    }
    score = 0;
    homer->hp = 0;
    Pass();
    EXPECT_FALSE(homer->alive);
    EXPECT_EQ(score, 50000);
    EXPECT_EQ(bossState, 2);
}

TEST_F(Rail, DrifterFiresAsItDriftsAndCountsWhenItLeavesWithoutScore) {
    rank = 100;
    SpawnInPlace();
    drifter->hp = 1;
    Pass();
    int shots = 0;
    score = 0;
    int frames = 0;
    while (drifter->alive && frames < 2000) {
        for (Actor* s : Shots(Pass(), 16)) {
            EXPECT_FLOAT_EQ(s->speed, 5.2f);  // 100 / 50 + 3.2
            shots++;
        }
        ClearShots();
        frames++;
    }
    EXPECT_FALSE(drifter->alive);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(bossState, 2);
    // about 50 frames in 257 fire
    EXPECT_GT(shots, frames / 10);
    EXPECT_LT(shots, frames / 3);
}

TEST_F(Rail, BouncerTurnsBackAtEachEdge) {
    SpawnInPlace();
    bouncer->hp = 100;
    Pass();
    bouncer->x = 600;  // 600 + 76 is past the right edge
    bouncer->y = 100;
    Pass();
    EXPECT_FLOAT_EQ(bouncer->x, 594.8f);
    EXPECT_FLOAT_EQ(bouncer->y, 105.2f);
    bouncer->y = 402;  // 402 + 79 reaches 480
    Pass();
    EXPECT_FLOAT_EQ(bouncer->y, 396.8f);
    bouncer->x = 0;
    Pass();
    EXPECT_FLOAT_EQ(bouncer->x, 5.2f);
    bouncer->y = -1;
    Pass();
    EXPECT_FLOAT_EQ(bouncer->y, 4.2f);
    EXPECT_TRUE(bouncer->alive);
}

TEST_F(Rail, AnEscortBombedAwayDuringTheEntryStillCountsTowardsOpeningTheRail) {
    Spawn();
    for (int i = 0; i < 100; i++) Pass();
    // bombs wear down armoured records too: the escort is released before the rail is in place
    EXPECT_EQ(homer->guardMode, GuardArmoured);
    homer->hp = 0;
    Pass();
    EXPECT_FALSE(homer->alive);
    EXPECT_EQ(bossState, 1);
    for (int i = 0; i < 128; i++) Pass();
    EXPECT_EQ(rail->x, 412.0f);
    EXPECT_EQ(bossState, 2);
    drifter->hp = 0;
    bouncer->hp = 0;
    Pass();
    EXPECT_EQ(bossState, 4);
    Pass();
    EXPECT_EQ(rail->guardMode, GuardNormal);
}

// A bomb dropped during the entry wears every escort below its threshold while all
// are still armoured; once the rail is in place they must fall to shots alone.
TEST_F(Rail, EscortsBombedAwayDuringTheEntryFallToShotsOnceTheRailIsInPlace) {
    Spawn();
    Actor* escorts[3] = {homer, drifter, bouncer};
    const ActorFn attached[3] = {homer->update, drifter->update, bouncer->update};
    for (int i = 0; i < 20; i++) Pass();
    StartBomb(320, 240);
    int frames = 20;
    while (bombActive && frames < 227) {
        Pass();
        ClearShots();
        frames++;
    }
    ASSERT_FALSE(bombActive);
    ASSERT_EQ(bossState, 0);  // the rail is still coming in
    EXPECT_LT(homer->hp, 300);
    for (int i = 0; i < 3; i++) {
        EXPECT_NE(escorts[i]->update, attached[i]);       // broken away ...
        EXPECT_EQ(escorts[i]->guardMode, GuardArmoured);  // ... before the escorts open
    }
    while (bossState == 0 && frames < 300) {
        Pass();
        ClearShots();
        frames++;
    }
    ASSERT_EQ(bossState, 1);
    for (Actor* e : escorts) {
        EXPECT_TRUE(e->alive);
        EXPECT_EQ(e->guardMode, GuardNormal);
    }
    // from here on only the ship's shots: one at every enemy each frame, placed on the
    // upper part of its hit rectangle so that an escort's is not hidden by the rail's
    score = 0;
    int shooting = 0;
    while (bossState < BossStateDestroyed && shooting < 5000) {
        for (Actor* a : Live())
            if (a->group == GroupEnemy) SpawnMyShot1(a->x, a->y + a->hitRects[0].top - 3);
        Pass();
        ClearShots();
        shooting++;
    }
    EXPECT_GE(bossState, BossStateDestroyed) << "the fight stalled";
    EXPECT_FALSE(bombActive);
    EXPECT_GE(score, 100000 + 2 * 50000);  // the rail, the homer and the bouncer at least
}

TEST_F(Rail, OpenRailAlternatesSevenLaserBoltsWithTenRingsOfEighteen) {
    rank = 255;
    OpenRail();  // the tick counted 0 in the opening frame
    std::vector<Actor*> shots;
    EXPECT_EQ(PassesUntilShots(64, &shots, 200), 105);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->work[kDir].i, 180);
    for (int bolt = 2; bolt <= 7; bolt++) EXPECT_EQ(PassesUntilShots(64, &shots, 10), 5) << bolt;
    ClearShots();
    // the seventh bolt ends the burst; the rings follow the same timing
    EXPECT_EQ(PassesUntilShots(16, &shots, 200), 119);
    ASSERT_EQ(shots.size(), 18u);
    for (int i = 0; i < 18; i++) EXPECT_EQ(shots[i]->work[kDir].i, i * 20);
    EXPECT_FLOAT_EQ(shots[0]->speed, 10.2f);  // 255 / 80 + 7.2
    ClearShots();
    for (int ring = 2; ring <= 10; ring++) {
        EXPECT_EQ(PassesUntilShots(16, &shots, 30), 19) << ring;
        ClearShots();
    }
    EXPECT_EQ(PassesUntilShots(64, &shots, 200), 105);  // and lasers again
}

TEST_F(Rail, DeathScoresOnceWithTheAddVariant) {
    OpenRail();
    score = 0;
    rail->hp = 0;
    Pass();
    EXPECT_EQ(score, 100000);
    Pass();
    EXPECT_EQ(bossState, 5004);  // 4 escorts lost, then the add variant
    Pass();
    EXPECT_EQ(bossState, 10004);  // still below 9999 in the second frame
    Pass();
    EXPECT_EQ(bossState, 10004);
    EXPECT_EQ(score, 100000);
}

}  // namespace
