// Boss 14, the armoured fortress: untouchable while a part lives, parts that fire
// harder when the other is lost, and the floating, ramming body after both are gone.
#include <cmath>
#include <vector>

#include "actors/collision.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "boss_fight.h"
#include "stages/enemies.h"

namespace {

using ArmouredFortress = BossFight;

struct Fortress {
    Actor* body;
    Actor* turret;
    Actor* gun;
};

Fortress SpawnFortress() {
    SpawnBoss14();
    auto e = BossFight::Live(GroupEnemy);
    EXPECT_EQ(e.size(), 4u);  // body, turret, gun, shield
    return {e[0], e[1], e[2]};
}

// A player shot over the body's core; true when it hit something.
bool ShootCore(const Actor* body) {
    Actor* shot = AcquireActor(ActorNoOp, ActorNoOp, GroupPlayerShot);
    shot->x = body->x + 20;
    shot->y = body->y + 140;
    shot->hp = 1;
    shot->attack = 10;
    shot->hitRects[0] = HitRect{0, 20, 0, 20};
    shot->hitRectCount = 1;
    HitTestGroup(shot, GroupEnemy);
    shot->alive = 0;
    return shot->hp != 1;
}

void PassUntilState(int32_t state) {
    for (int i = 0; i < 400 && bossState != state; i++) {
        BossFight::Pass();
        BossFight::ClearShots();
    }
    ASSERT_EQ(bossState, state);
}

// Needles (24 x 6) made in one pass, by direction.
std::vector<int> Needles() {
    std::vector<int> out;
    for (Actor* s : BossFight::Live(GroupEnemyShot))
        if (s->width == 24) out.push_back(s->work[kDir].i);
    return out;
}

TEST_F(ArmouredFortress, SetUpFollowsRankAndClearsTheScratchWords) {
    bossScratch[0] = 3;
    Fortress f = SpawnFortress();
    EXPECT_EQ(bossScratch[0], 0);
    EXPECT_EQ(f.body->hp, 1000);
    EXPECT_EQ(f.body->guardMode, GuardIntangible);
    EXPECT_EQ(f.body->x, 438.0f);
    EXPECT_EQ(f.turret->hp, 1000);
    EXPECT_EQ(f.gun->hp, 200);
    ReleaseAllActors();
    rank = 255;
    f = SpawnFortress();
    EXPECT_EQ(f.body->hp, 6100);
    EXPECT_EQ(f.turret->hp, 1255);
    EXPECT_EQ(f.gun->hp, 3260);
}

TEST_F(ArmouredFortress, BodyCannotBeHurtUntilBothPartsAreLost) {
    Fortress f = SpawnFortress();
    Passes(120);
    ClearShots();
    EXPECT_FALSE(ShootCore(f.body));
    f.turret->hp = 0;
    Pass();
    EXPECT_EQ(bossScratch[0], 1);
    Passes(5);
    EXPECT_EQ(f.body->guardMode, GuardIntangible);
    EXPECT_FALSE(ShootCore(f.body));
    f.body->hp = 7;  // lost hp is made good when the armour goes
    f.gun->hp = 0;
    Pass();
    EXPECT_EQ(bossScratch[0], 2);
    Pass();
    EXPECT_EQ(f.body->guardMode, GuardNormal);
    EXPECT_EQ(f.body->hp, 1000);
    EXPECT_TRUE(ShootCore(f.body));
    EXPECT_EQ(f.body->hp, 990);
}

TEST_F(ArmouredFortress, TurretFiresWhileGlidingThenEverywhereOnceTheGunIsLost) {
    Fortress f = SpawnFortress();
    f.body->y = 0;  // on the screen, where the shots live
    std::vector<int> frames;
    for (int frame = 1; frame <= 60; frame++) {
        Pass();
        for (Actor* s : Live(GroupEnemyShot)) {
            if (s->width != 64) continue;
            frames.push_back(frame);
            EXPECT_EQ(s->work[kDir].i, 180);
        }
        ClearShots();
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[1] - frames[0], 20);  // 20 - rank / 80
    PassUntilState(1);
    int hovering = 0;
    for (int i = 0; i < 80; i++) {
        Pass();
        for (Actor* s : Live(GroupEnemyShot)) hovering += s->width == 64;
        ClearShots();
    }
    EXPECT_EQ(hovering, 0);
    f.gun->hp = 0;
    Pass();
    ClearShots();
    int wild = 0;
    for (int i = 0; i < 300; i++) {
        Pass();
        for (Actor* s : Live(GroupEnemyShot)) {
            if (s->width != 64) continue;
            wild++;
            EXPECT_GE(s->work[kDir].i, 100);
            EXPECT_LE(s->work[kDir].i, 260);
        }
        ClearShots();
    }
    EXPECT_GE(wild, 5);  // one every 1 to 60 frames, hovering or not
}

TEST_F(ArmouredFortress, GunFiresOneFastRingPerHoverThenSevenTurningRings) {
    Fortress f = SpawnFortress();
    PassUntilState(1);
    ClearShots();
    int hoverFrame = 1;  // the hover's first frame has run
    std::vector<int> ringFrames;
    std::vector<int> first;
    while (bossState == 1) {
        Pass();
        hoverFrame++;
        auto n = Needles();
        if (!n.empty()) {
            ringFrames.push_back(hoverFrame);
            first = n;
        }
        ClearShots();
    }
    ASSERT_EQ(ringFrames.size(), 1u);
    EXPECT_EQ(ringFrames[0], 45);
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first.front(), 70);
    EXPECT_EQ(first.back(), 290);
    f.turret->hp = 0;
    PassUntilState(1);
    std::vector<int> starts;
    while (bossState == 1) {
        auto n = Needles();
        if (!n.empty()) starts.push_back(n.front());
        ClearShots();
        Pass();
    }
    ASSERT_EQ(starts.size(), 7u);
    for (int i = 0; i < 7; i++) EXPECT_EQ(starts[i], 70 + 4 * i);
}

TEST_F(ArmouredFortress, VulnerableBodyFloatsLaunchingMissilesThenRamsAlongOneLine) {
    Fortress f = SpawnFortress();
    Passes(100);
    f.turret->hp = 0;
    f.gun->hp = 0;
    Passes(2);
    ClearShots();
    ASSERT_EQ(f.body->guardMode, GuardNormal);
    int missiles = 0;
    int frames = 0;
    while (f.body->speed == 6.0f && frames < 400) {
        for (Actor* m : Live(GroupEnemy)) {
            if (m->width != 32) continue;
            missiles++;
            m->alive = 0;
        }
        Pass();
        ClearShots();
        frames++;
    }
    EXPECT_GE(frames, 120);
    EXPECT_LE(frames, 241);
    EXPECT_EQ(missiles, 2 * ((frames - 1) / 81));
    float line = f.body->y;
    std::vector<float> speeds;
    for (int i = 0; i < 200 && f.body->speed != 6.0f; i++) {
        if (speeds.empty() || speeds.back() != f.body->speed) speeds.push_back(f.body->speed);
        EXPECT_NEAR(f.body->y, line, 1.0f);
        Pass();
        ClearShots();
    }
    ASSERT_EQ(speeds.size(), 3u);
    EXPECT_EQ(speeds[0], 18.0f);
    EXPECT_EQ(speeds[1], 30.0f);
    EXPECT_EQ(speeds[2], 26.0f);
    EXPECT_EQ(f.body->x, 438.0f);  // back at its float line
}

TEST_F(ArmouredFortress, DeathScoresAndMakesTheShipUntouchable) {
    Fortress f = SpawnFortress();
    f.turret->hp = 0;
    f.gun->hp = 0;
    Passes(2);
    score = 0;
    f.body->hp = 0;
    Pass();
    EXPECT_EQ(score, 180000);
    Pass();
    EXPECT_EQ(bossState, BossStateDestroyed);
}

}  // namespace
