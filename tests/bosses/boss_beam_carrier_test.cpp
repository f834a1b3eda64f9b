// Boss 6, the beam carrier: set-up, the beam and gun phases, travel stops, the
// dropped craft and the death.
#include <gtest/gtest.h>

#include "actors/collision.h"
#include "bosses/boss_common.h"
#include "bosses/boss_fight.h"
#include "bosses/bosses.h"
#include "runtime/headless.h"
#include "shell/assets.h"

namespace {

constexpr int kColumn = kBossOwnWords;

class BeamCarrier : public BossFight {
protected:
    Actor* Spawn() {
        Actor* before = activeList->prev;
        SpawnBoss06();
        return before->next;
    }
    static int BeamSounds() {
        int n = 0;
        for (int b = 0; b < 3; b++) n += SoundStartCount(WavEnemyShot[3], b);
        return n;
    }
};

TEST_F(BeamCarrier, SetUpTakesHitPointsFromRankAndPlacesFourShields) {
    rank = 255;
    Actor* body = Spawn();
    EXPECT_EQ(body->hp, 255 * 5 + 4500);
    EXPECT_EQ(body->x, 420.0f);
    EXPECT_EQ(body->y, 480.0f);
    EXPECT_EQ(body->width, 220);
    EXPECT_EQ(body->height, 230);
    EXPECT_EQ(body->scoreValue, 200000);
    EXPECT_EQ(body->guardMode, GuardNormal);
    ASSERT_EQ(body->hitRectCount, 1);
    EXPECT_EQ(body->hitRects[0].left, 26);
    EXPECT_EQ(body->hitRects[0].bottom, 139);
    Pass();
    std::vector<Actor*> shields = Shields();
    ASSERT_EQ(shields.size(), 4u);
    const float offsets[4][4] = {{26, 9, 154, 17}, {70, 30, 137, 128}, {0, 165, 196, 40}, {48, 206, 162, 18}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(shields[i]->x, bossX + offsets[i][0]) << i;
        EXPECT_EQ(shields[i]->y, bossY + offsets[i][1]) << i;
        EXPECT_EQ(shields[i]->width, offsets[i][2]) << i;
        EXPECT_EQ(shields[i]->height, offsets[i][3]) << i;
    }
    rank = 0;
    Actor* second = Spawn();
    EXPECT_EQ(second->hp, 4500);
}

TEST_F(BeamCarrier, FirstBeamRunsBelowTheScreenFromFrame30To150ThenTheBodyRises) {
    Actor* body = Spawn();
    Pass();
    EXPECT_NEAR(body->y, 477.2f, 0.001f);
    EXPECT_EQ(body->work[kColumn].i, 1);
    int sounds = BeamSounds();
    int blocks = 0, first = 0, last = 0;
    for (int pass = 2; pass <= 161; pass++) {
        std::vector<Actor*> made = Only(Pass(), GroupEnemyShot, 128);
        EXPECT_NEAR(body->y, 477.2f, 0.001f) << pass;
        if (pass == 31) {
            EXPECT_EQ(BeamSounds(), sounds + 1);
        }
        if (made.empty()) continue;
        ASSERT_EQ(made.size(), 1u) << pass;
        EXPECT_EQ(made[0]->work[kDir].i, 180);
        EXPECT_EQ(made[0]->speed, 128.0f);
        blocks++;
        if (!first) first = pass;
        last = pass;
    }
    // the beam phase's tick k runs in pass k + 1
    EXPECT_EQ(first, 31);
    EXPECT_EQ(last, 151);
    EXPECT_EQ(blocks, 121);
    EXPECT_EQ(BeamSounds(), sounds + 1);
    EXPECT_EQ(body->work[kColumn].i, 0);
    Pass();
    EXPECT_LT(body->y, 477.0f);  // travelling up at last
}

TEST_F(BeamCarrier, TravelAlternatesWithGunAndBeamAndGunFiresFiveAimedLargeShots) {
    Actor* body = Spawn();
    int pass = 0;
    auto runUntilColumn = [&](int column) {
        int start = pass;
        while (body->work[kColumn].i != column && pass - start < 1000) {
            Pass();
            ClearShotsAndSmallFry(body);
            pass++;
        }
        return pass - start;
    };
    runUntilColumn(1);
    runUntilColumn(0);  // first beam over
    int travel = runUntilColumn(1);
    EXPECT_GE(travel, 240);
    EXPECT_LE(travel, 421);
    // now the gun phase: travel goes on, five 64-pixel shots aimed exactly at the ship
    int gunStart = pass, shots = 0;
    std::vector<int> at;
    while (body->work[kColumn].i == 1 && pass - gunStart < 400) {
        std::vector<Actor*> made = Only(Pass(), GroupEnemyShot, 64);
        pass++;
        for (Actor* s : made) {
            at.push_back(pass - gunStart);
            EXPECT_EQ(s->work[kDir].i,
                      AngleBetween(body->x + 44, body->y + 84, playerCenterX, playerCenterY));
            shots++;
        }
        ClearShotsAndSmallFry(body);
    }
    EXPECT_EQ(shots, 5);
    EXPECT_EQ(at, (std::vector<int>{15, 45, 75, 105, 135}));
    EXPECT_EQ(pass - gunStart, 160);
    travel = runUntilColumn(1);
    EXPECT_GE(travel, 240);
    EXPECT_LE(travel, 421);
    // and the next attack is a beam again: the body stands
    float x = body->x, y = body->y;
    Pass();
    EXPECT_EQ(body->x, x);
    EXPECT_EQ(body->y, y);
}

TEST_F(BeamCarrier, TravelStopCountsOnlyFromAboveOrLevel) {
    Actor* body = Spawn();
    for (int i = 0; i < 161; i++) Pass();
    ASSERT_EQ(body->work[kColumn].i, 0);  // travelling
    body->work[kBossTargetX].i = 400;
    body->work[kBossTargetY].i = 100;
    body->x = 400;
    body->y = 106;  // below: one step up leaves it at 103.2, within 4 but from below
    Pass();
    EXPECT_EQ(body->work[kBossTargetX].i, 400);
    EXPECT_EQ(body->work[kBossTargetY].i, 100);
    body->y = 97;  // above: one step down reaches 99.8
    Pass();
    bool moved = body->work[kBossTargetX].i != 400 || body->work[kBossTargetY].i != 100;
    EXPECT_TRUE(moved);
    EXPECT_GE(body->work[kBossTargetX].i, 320);
    EXPECT_LE(body->work[kBossTargetX].i, 420);
    EXPECT_GE(body->work[kBossTargetY].i, 0);
    EXPECT_LE(body->work[kBossTargetY].i, 250);
}

TEST_F(BeamCarrier, CraftComesEvery51FramesWeavesLeftAndFiresByRank) {
    for (int r : {0, 255}) {
        rank = r;
        Actor* body = Spawn();
        body->y = 100;  // on the screen, so the craft live
        std::vector<int> dropAt;
        Actor* craft = nullptr;
        std::vector<float> ys;
        std::vector<int> firedAt;
        for (int pass = 1; pass <= 153; pass++) {
            std::vector<Actor*> made = Pass();
            for (Actor* a : Only(made, GroupEnemy, 53)) {
                dropAt.push_back(pass);
                if (craft) continue;
                craft = a;
                // dropped at (x - 13, y + 169) and moved once in the same pass
                EXPECT_FLOAT_EQ(a->x, body->x - 13 - 4.2f);
                EXPECT_FLOAT_EQ(a->y, body->y + 169 - 0.24f);
                EXPECT_EQ(a->hp, r / 10 + 16);
                EXPECT_EQ(a->scoreValue, 400);
                EXPECT_EQ(a->attack, 1);
            }
            if (craft && craft->alive && pass <= 100) {
                ys.push_back(craft->y);
                for (Actor* s : Only(made, GroupEnemyShot, 16)) {
                    firedAt.push_back(pass);
                    EXPECT_EQ(s->speed, static_cast<float>(r / 80) + 2.0f);
                }
            }
        }
        EXPECT_EQ(dropAt, (std::vector<int>{51, 102, 153})) << r;
        int interval = 14 - r / 40 + 1;
        ASSERT_GE(firedAt.size(), 2u) << r;
        EXPECT_EQ(firedAt[0], 51 + interval - 1) << r;
        EXPECT_EQ(firedAt[1] - firedAt[0], interval) << r;
        // the weave climbs by 0.24 a frame until it passes -1.8, then turns back
        ASSERT_GE(ys.size(), 12u);
        EXPECT_NEAR(ys[0] - ys[1], 2 * 0.24f, 0.01f);
        EXPECT_NEAR(ys[6] - ys[7], 8 * 0.24f, 0.01f);
        EXPECT_NEAR(ys[7] - ys[8], 7 * 0.24f, 0.01f);
        for (Actor* a : Live()) a->alive = 0;
        SweepDeadActors();
    }
}

TEST_F(BeamCarrier, DeathAddsScoreOnceAndLiftsBossStateByTheAddVariant) {
    Actor* body = Spawn();
    Pass();
    score = 0;
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 200000);
    EXPECT_EQ(bossState, 0);  // the death sequence starts with the next update
    Pass();
    EXPECT_EQ(bossState, 5000);
    Pass();
    EXPECT_EQ(bossState, 10000);
    EXPECT_EQ(score, 200000);
    EXPECT_TRUE(Shields().empty());
}

}  // namespace
