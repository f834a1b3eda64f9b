// Boss 10, the gun tower: its climb, the one-frame pulses that fling the guns or fire
// their lasers, and the weapons each lost gun switches on.
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "boss_fight.h"
#include "stages/enemies.h"

namespace {

using GunTower = BossFight;

constexpr int kFlingFlag = kPartOwnWords + 1;

struct Tower {
    Actor* body;
    Actor* guns[3];
};

Tower SpawnTower() {
    SpawnBoss10();
    auto e = BossFight::Live(GroupEnemy);
    EXPECT_EQ(e.size(), 4u);
    return {e[0], {e[1], e[2], e[3]}};
}

// Shots of one size and speed alive now; then every shot is cleared.
int TakeShots(int32_t width, float speed) {
    int n = 0;
    for (Actor* s : BossFight::Live(GroupEnemyShot)) n += s->width == width && s->speed == speed;
    BossFight::ClearShots();
    return n;
}

TEST_F(GunTower, SetUpClearsTheScratchWordsAndGunsWeakenAsRankGrows) {
    for (int32_t& w : bossScratch) w = 7;
    shotSoundLatch = 1;
    rank = 255;
    Tower t = SpawnTower();
    for (int32_t w : bossScratch) EXPECT_EQ(w, 0);
    EXPECT_EQ(shotSoundLatch, 0);
    EXPECT_EQ(t.body->hp, 8765);
    EXPECT_EQ(t.guns[0]->hp, 1345);
    EXPECT_EQ(t.guns[1]->hp, 1145);
    EXPECT_EQ(t.guns[2]->hp, 1345);
    ReleaseAllActors();
    rank = 0;
    t = SpawnTower();
    EXPECT_EQ(t.guns[0]->hp, 1600);
    EXPECT_EQ(t.guns[1]->hp, 1400);
}

TEST_F(GunTower, ClimbsFromBelowTheScreenThenMovesBetweenMinus70And220) {
    Tower t = SpawnTower();
    float top = 1000, bottom = -1000;
    for (int i = 0; i < 570; i++) {
        Pass();
        ClearShots();
    }
    EXPECT_EQ(t.body->y, -70.0f);
    for (int i = 0; i < 1000; i++) {
        Pass();
        ClearShots();
        top = t.body->y < top ? t.body->y : top;
        bottom = t.body->y > bottom ? t.body->y : bottom;
    }
    EXPECT_EQ(top, -70.0f);
    EXPECT_EQ(bottom, 220.0f);
}

TEST_F(GunTower, FirstPulseFlingsEveryGunFor72FramesThenALaserPulseFiresBeams) {
    Tower t = SpawnTower();
    Pass();
    EXPECT_EQ(bossState, 1);
    for (Actor* g : t.guns) EXPECT_EQ(g->work[kFlingFlag].i, 1);
    int passes = 1;
    float farthest = 1000;
    int flung = 0;
    while (t.guns[0]->work[kFlingFlag].i == 1 && flung < 200) {
        Pass();
        ClearShots();
        EXPECT_EQ(bossState, 0);  // a pulse lasts one frame
        farthest = t.guns[0]->x - t.body->x < farthest ? t.guns[0]->x - t.body->x : farthest;
        flung++;
        passes++;
    }
    EXPECT_EQ(flung, 72);
    EXPECT_NEAR(farthest, -707.4f, 0.5f);
    EXPECT_EQ(t.guns[0]->x, t.body->x);  // back on its mount
    while (bossState != 2 && passes < 400) {
        Pass();
        ClearShots();
        passes++;
    }
    // the laser pulse comes 210 to 310 frames after the fling
    EXPECT_GE(passes, 1 + 210);
    EXPECT_LE(passes, 1 + 310);
    int bolts = TakeShots(64, 20.0f);
    for (int i = 0; i < 200; i++) {
        Pass();
        bolts += TakeShots(64, 20.0f);
    }
    EXPECT_EQ(bolts, 3 * 181);
}

TEST_F(GunTower, EachLostGunSwitchesOnOneMoreTowerWeapon) {
    rank = 255;
    Tower t = SpawnTower();
    t.body->y = 100;  // on the screen, where its shots live
    Passes(5);
    t.guns[1]->hp = 0;
    Pass();
    EXPECT_EQ(bossScratch[0], 0);
    EXPECT_EQ(bossScratch[1], 1);
    EXPECT_EQ(bossScratch[2], 0);
    ClearShots();
    int aimed = 0;
    for (int i = 0; i < 70; i++) {
        Pass();
        aimed += TakeShots(16, 7.5f);  // rank / 50 + 2.5
    }
    EXPECT_EQ(aimed, 10);  // one every 7 frames at rank 255
    t.guns[0]->hp = 0;
    t.guns[2]->hp = 0;
    Pass();
    EXPECT_EQ(bossScratch[0], 1);
    EXPECT_EQ(bossScratch[2], 1);
    int missiles = 0, slugs = 0;
    for (int i = 0; i < 140; i++) {
        for (Actor* m : Live(GroupEnemy)) {
            if (m->width != 32) continue;
            missiles++;
            m->alive = 0;
        }
        Pass();
        for (Actor* s : Live(GroupEnemyShot)) slugs += s->width == 32 && s->speed >= 12.8f;
        ClearShots();
    }
    EXPECT_EQ(missiles, 2 * 2);  // a pair every 69 frames
    EXPECT_EQ(slugs, 2);         // one every 51 frames
}

TEST_F(GunTower, GunDestroyedWhileFlungExplodesWhereItIs) {
    Tower t = SpawnTower();
    t.body->y = 100;
    Passes(16);
    ClearShots();
    Actor* gun = t.guns[0];
    ASSERT_LT(gun->x, t.body->x - 400);
    float cx = CentreX(gun);
    gun->hp = 0;
    Pass();
    EXPECT_FALSE(gun->alive);
    bool near = false;
    for (Actor* e : Live(GroupBlast)) near = near || (CentreX(e) > cx - 40 && CentreX(e) < cx + 40);
    EXPECT_TRUE(near);
}

TEST_F(GunTower, DeathScoresOnceLiftsBossStateAndClearsTheGuns) {
    Tower t = SpawnTower();
    Passes(3);
    score = 0;
    t.body->hp = 0;
    Pass();
    EXPECT_EQ(score, 200000);
    Passes(2);
    EXPECT_GE(bossState, 5000);
    EXPECT_EQ(score, 200000);  // the guns go without their points
    for (Actor* g : t.guns) EXPECT_FALSE(g->alive);
    for (int i = 0; i < 3; i++) EXPECT_EQ(bossScratch[i], 1);
}

}  // namespace
