// Signature behaviours of the enemy kinds, each run by its own updates.
#include <cmath>
#include <set>

#include "actors/collision.h"
#include "runtime/headless.h"
#include "shell/assets.h"
#include "stages/stage_fixture.h"

class EnemyCatalogue : public StageTest {
protected:
    // Update numbers (from 1) at which the kind released a shot.
    static std::vector<int> ShotUpdates(Actor* a, int updates) {
        std::vector<int> at;
        int before = CountGroup(GroupEnemyShot);
        for (int i = 1; i <= updates && a->alive; i++) {
            a->update(a);
            int now = CountGroup(GroupEnemyShot);
            for (int k = before; k < now; k++) at.push_back(i);
            before = now;
        }
        return at;
    }
    static int Sounds(int handle) {
        int n = 0;
        for (int b = 0; b < 3; b++) n += SoundStartCount(handle, b);
        return n;
    }
};

TEST_F(EnemyCatalogue, SmallFlyerDriftsLeftOnASway) {
    SpawnEnemy000(600, 200);
    Actor* a = Newest();
    a->update(a);
    EXPECT_FLOAT_EQ(a->x, 600 - 2.8f);
    EXPECT_LT(a->y, 200);  // starts upwards
    float low = a->y, high = a->y;
    Updates(a, 100);
    for (int i = 0; i < 60; i++) {
        a->update(a);
        low = std::min(low, a->y);
        high = std::max(high, a->y);
    }
    EXPECT_GT(high - low, 10);
    EXPECT_LT(high - low, 30);
}

TEST_F(EnemyCatalogue, DasherFiresEveryThirtyFirstUpdateFiveTimesAtRankOne) {
    rank = 1;
    SpawnEnemy001(500, 200);
    Actor* a = Newest();
    std::vector<int> shots = ShotUpdates(a, 600);
    ASSERT_EQ(shots.size(), 5u);
    for (size_t i = 1; i < shots.size(); i++) EXPECT_EQ(shots[i] - shots[i - 1], 31);
    EXPECT_EQ(shots[0], 34 + 31);  // braking to a halt takes 34 updates
    EXPECT_EQ(a->alive, 0);       // it left after the last one
}

TEST_F(EnemyCatalogue, DasherFiresEverySixthUpdateThirteenTimesAtRank255) {
    rank = 255;
    SpawnEnemy001(500, 200);
    Actor* a = Newest();
    std::vector<int> shots = ShotUpdates(a, 600);
    ASSERT_EQ(shots.size(), 13u);
    for (size_t i = 1; i < shots.size(); i++) EXPECT_EQ(shots[i] - shots[i - 1], 6);
    Actor* shot = Group(GroupEnemyShot).back();
    EXPECT_FLOAT_EQ(shot->speed, 255 / 100 + 3.5f);
}

TEST_F(EnemyCatalogue, LeftEntrantAndRightFlyersFireAimedShots) {
    SpawnEnemy002(-32, 200);
    Actor* left = Newest();
    std::vector<int> shots = ShotUpdates(left, 47);
    ASSERT_GE(shots.size(), 1u);  // the first after 17 to 47 updates
    EXPECT_GE(shots[0], 17);
    EXPECT_FLOAT_EQ(left->x, -32 + 6.0f * 47);
    ReleaseAllActors();
    SpawnEnemy029(640, 100);
    Actor* fast = Newest();
    shots = ShotUpdates(fast, 1);
    ASSERT_EQ(shots.size(), 1u);  // on its very first update
    Actor* shot = Group(GroupEnemyShot)[0];
    EXPECT_FLOAT_EQ(shot->x, 640 - 8 + 2 - 8);  // from (x + 2, y + 22) after one step
    EXPECT_FLOAT_EQ(shot->y, 100 + 22 - 8);
}

TEST_F(EnemyCatalogue, ChargerFliesAtWhereTheShipWas) {
    playerCenterX = 100;
    playerCenterY = 240;
    SpawnEnemy003(600, 100);
    Actor* a = Newest();
    playerCenterY = 400;  // the aim is fixed at creation
    float nearest = 1e9f;
    for (int i = 0; i < 220; i++) {
        a->update(a);
        nearest = std::min(nearest, std::hypot(CentreX(a) - 100, CentreY(a) - 240));
    }
    EXPECT_LT(nearest, 12);
}

TEST_F(EnemyCatalogue, HomingMissileFiresOnlyAboveRank100) {
    playerCenterX = 320;
    playerCenterY = 240;
    rank = 100;
    SpawnEnemy007(300, 240, 90);
    EXPECT_TRUE(ShotUpdates(Newest(), 200).empty());
    ReleaseAllActors();
    rank = 101;
    SpawnEnemy007(300, 240, 90);
    Actor* a = Newest();
    std::vector<int> shots = ShotUpdates(a, 125);
    ASSERT_GE(shots.size(), 2u);
    EXPECT_EQ(shots[0], 59);
    EXPECT_EQ(shots[1], 119);
    EXPECT_GT(a->speed, 4.4f + 0.035f * 120);
}

TEST_F(EnemyCatalogue, MineFadesInArmsAndBurstsIntoFourBlastLines) {
    SpawnEnemy008(300, 200);
    Actor* mine = Newest();
    Updates(mine, 85);
    EXPECT_EQ(mine->guardMode, GuardIntangible);
    mine->update(mine);
    EXPECT_EQ(mine->guardMode, GuardNormal);
    EXPECT_EQ(mine->blastTag, BlastTagDetonates);
    int sounds = Sounds(WavEnemyShot[1]);
    Updates(mine, 224);
    EXPECT_EQ(mine->alive, 1);
    mine->update(mine);  // the ninth toggle
    EXPECT_EQ(mine->alive, 0);
    EXPECT_EQ(CountGroup(GroupEnemyShot), 4);
    EXPECT_EQ(Sounds(WavEnemyShot[1]), sounds + 1);

    ReleaseAllActors();
    SpawnEnemy008(300, 200);
    mine = Newest();
    Updates(mine, 86);
    mine->x = 700;  // carried out of the field: it bursts all the same
    mine->update(mine);
    EXPECT_EQ(mine->alive, 0);
    EXPECT_EQ(CountGroup(GroupEnemyShot), 4);

    ReleaseAllActors();
    SpawnEnemy008(300, 200);
    mine = Newest();
    Updates(mine, 86);
    mine->deathKind = DeathBlastTouch;  // set off by another mine's blast
    mine->update(mine);
    EXPECT_EQ(mine->alive, 0);
    EXPECT_EQ(CountGroup(GroupEnemyShot), 4);
    EXPECT_EQ(score, 0);

    ReleaseAllActors();
    SpawnEnemy008(300, 200);
    mine = Newest();
    mine->x = 700;  // still fading: no burst
    mine->update(mine);
    EXPECT_EQ(mine->alive, 0);
    EXPECT_EQ(CountGroup(GroupEnemyShot), 0);
}

TEST_F(EnemyCatalogue, SquidSlowsDownAndReAimsWhenItStops) {
    playerCenterX = 100;
    playerCenterY = 100;
    SpawnEnemy009(400, 300);
    Actor* a = Newest();
    EXPECT_EQ(a->work[kDir].i, AngleBetween(416, 316, 100, 100));
    a->update(a);
    EXPECT_FLOAT_EQ(a->speed, 8 - 0.15f);
    playerCenterY = 500;
    for (int i = 0; i < 60 && a->speed < 7.9f; i++) a->update(a);
    EXPECT_FLOAT_EQ(a->speed, 8);
    EXPECT_EQ(a->work[kDir].i, AngleBetween(a->x + 16, a->y + 16, 100, 500));
}

TEST_F(EnemyCatalogue, EmittersLiveTheirFramesAndReleaseTheirKind) {
    SpawnEnemy016(200);
    Actor* emitter = Newest();
    Updates(emitter, 199);
    EXPECT_EQ(emitter->alive, 1);
    emitter->update(emitter);
    EXPECT_EQ(emitter->alive, 0);
    std::vector<Actor*> enemies = Group(GroupEnemy);
    EXPECT_GT(enemies.size(), 40u);  // one chance in about 2.7 per frame
    for (Actor* e : enemies) {
        EXPECT_EQ(e->width, 106);
        EXPECT_FLOAT_EQ(e->x, 640);
        EXPECT_LE(e->y, 448);
    }
}

TEST_F(EnemyCatalogue, RiserTurnsTowardsTheShipsSideOnceAboveIt) {
    playerCenterX = 100;
    playerCenterY = 240;
    SpawnEnemy027(300, 400);
    Actor* a = Newest();
    Updates(a, 41);  // 400 - 41 * 4 = 236: above the ship
    float y = a->y;
    EXPECT_NEAR(y, 236, 1e-3);
    a->update(a);
    EXPECT_FLOAT_EQ(a->y, y);
    EXPECT_LT(a->x, 300);  // to the left, where the ship is
}

TEST_F(EnemyCatalogue, DiverScoresAtTheShipsColumnThenBurstsTwentyOneUpdatesLater) {
    playerCenterX = 200;
    playerCenterY = 240;
    SpawnEnemy030(400, 230);
    Actor* a = Newest();
    int reached = 0;
    for (int i = 1; i <= 200 && !reached; i++) {
        a->update(a);
        if (score == 500) reached = i;
    }
    ASSERT_GT(reached, 0);
    EXPECT_EQ(a->guardMode, GuardIntangible);
    Updates(a, 20);
    EXPECT_EQ(a->alive, 1);
    EXPECT_EQ(CountGroup(GroupEnemyShot), 0);
    a->update(a);
    EXPECT_EQ(a->alive, 0);
    std::vector<Actor*> shots = Group(GroupEnemyShot);
    ASSERT_EQ(shots.size(), 5u);
    int f = AngleBetween(a->x + 10, a->y + 11, 200, 240);
    std::set<int> dirs;
    for (Actor* s : shots) dirs.insert(s->work[kDir].i);
    EXPECT_EQ(dirs, (std::set<int>{f, (f + 20) % 360, (f + 40) % 360, (f + 340) % 360, (f + 320) % 360}));
    EXPECT_EQ(score, 500);

    // shot down on the way: no score, the burst all the same
    ReleaseAllActors();
    score = 0;
    SpawnEnemy030(400, 230);
    a = Newest();
    a->hp = 0;
    Updates(a, 22);
    EXPECT_EQ(a->alive, 0);
    EXPECT_EQ(CountGroup(GroupEnemyShot), 5);
    EXPECT_EQ(score, 0);
}

TEST_F(EnemyCatalogue, CarrierDropsItsItemWhenShotDown) {
    SpawnEnemy099(300, 200, 3, 1);
    Actor* a = Newest();
    a->hp = 0;
    a->update(a);
    EXPECT_EQ(a->alive, 0);
    EXPECT_EQ(score, 100);
    EXPECT_EQ(CountGroup(GroupBlast), 1);
    std::vector<Actor*> items = Group(GroupItem);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->work[0].i, 3);

    SpawnEnemy099(300, 200, 7, 1);
    a = Newest();
    a->hp = 0;
    a->update(a);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(CountGroup(GroupItem), 1);  // item 7: score and explosion only

    SpawnEnemy099(300, 200, 0, 3);
    a = Newest();
    a->update(a);
    EXPECT_FLOAT_EQ(a->x, 292);
    EXPECT_FLOAT_EQ(a->speed, 7.75f);  // surging
    SpawnEnemy099(-32, 200, 0, 2);
    a = Newest();
    a->update(a);
    EXPECT_FLOAT_EQ(a->x, -30);  // from the left, moving right
    a->x = -32.5f;
    a->update(a);
    EXPECT_EQ(a->alive, 1);
    a->x = -35;
    a->update(a);
    EXPECT_EQ(a->alive, 0);
    EXPECT_EQ(score, 200);
}

TEST_F(EnemyCatalogue, HovererDiesInElevenBlastsSixUpdatesApart) {
    SpawnEnemy100(500, 200);
    Actor* a = Newest();
    a->hp = 0;
    a->update(a);
    EXPECT_EQ(score, 3000);
    int blasts = 0;
    std::vector<int> at;
    for (int i = 1; i <= 80 && a->alive; i++) {
        a->update(a);
        int now = CountGroup(GroupBlast);
        if (now != blasts) at.push_back(i);
        blasts = now;
    }
    EXPECT_EQ(a->alive, 0);
    EXPECT_EQ(blasts, 12);  // eleven small ones and the last at the centre
    ASSERT_EQ(at.size(), 11u);
    for (size_t i = 0; i < at.size(); i++) EXPECT_EQ(at[i], 6 * static_cast<int>(i + 1));
    EXPECT_EQ(score, 3000);
}

TEST_F(EnemyCatalogue, GiantRefusesToDieAfterAContinue) {
    hasContinued = 1;
    kind110Destroyed = 0;
    SpawnEnemy110(700, 393);
    Actor* a = Newest();
    a->hp = -5;
    ActorFn travel = a->update;
    a->update(a);
    EXPECT_EQ(a->alive, 1);
    EXPECT_EQ(a->update, travel);
    int updates = 1;
    while (a->alive && updates < 8000) {
        a->update(a);
        updates++;
    }
    EXPECT_EQ(a->alive, 0);
    EXPECT_GT(updates, 5300);  // it leaves only once its age passed 5299
    EXPECT_GT(a->x, 900);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(kind110Destroyed, 0);

    ReleaseAllActors();
    hasContinued = 0;
    SpawnEnemy110(700, 393);
    a = Newest();
    a->hp = 0;
    Updates(a, 100);
    EXPECT_EQ(a->alive, 0);
    EXPECT_EQ(score, 100);
    EXPECT_EQ(kind110Destroyed, 1);
}

TEST_F(EnemyCatalogue, GiantAlternatesShotStreamsAndDiverLaunches) {
    rank = 1;
    SpawnEnemy110(700, 393);
    Actor* a = Newest();
    int divers = 0, streamShots = 0;
    for (int i = 0; i < 1500 && a->alive; i++) {
        int shotsBefore = CountGroup(GroupEnemyShot);
        int enemiesBefore = CountGroup(GroupEnemy);
        a->update(a);
        streamShots += CountGroup(GroupEnemyShot) - shotsBefore;
        divers += CountGroup(GroupEnemy) - enemiesBefore;
    }
    EXPECT_GE(divers, 2);
    EXPECT_GT(streamShots, 100);
    for (Actor* d : Group(GroupEnemy)) {
        if (d != a) {
            EXPECT_EQ(d->width, 24);
        }
    }
}

TEST_F(EnemyCatalogue, ArmouredKindsTakeNoContactDamage) {
    SpawnEnemy012(640, 200);
    Actor* big = Newest();
    EXPECT_EQ(big->guardMode, GuardArmoured);
    EXPECT_EQ(big->hp, 100);
    Updates(big, 10);
    EXPECT_NEAR(big->speed, 3.3f + 0.5f, 1e-4);
    SpawnEnemy028(300, -32);
    Actor* drop = Newest();
    EXPECT_EQ(drop->guardMode, GuardArmoured);
    EXPECT_EQ(drop->attack, 10000);
    mapScrollDX = -1;
    drop->update(drop);
    EXPECT_FLOAT_EQ(drop->x, 299);
    EXPECT_NEAR(drop->y, -28, 1e-4);
    EXPECT_FLOAT_EQ(drop->speed, 4.02f);
}

TEST_F(EnemyCatalogue, RoamerPausesThenFiresOneSilentBoltWithItsOwnSound) {
    SpawnEnemy006(640, 200);
    Actor* a = Newest();
    int sounds = Sounds(WavEnemyShot[0]);
    std::vector<std::pair<float, float>> at{{a->x, a->y}};
    int fired = 0;
    for (int i = 1; i <= 600 && !fired; i++) {
        a->update(a);
        at.emplace_back(a->x, a->y);
        if (CountGroup(GroupEnemyShot)) fired = i;
    }
    ASSERT_GT(fired, 31);
    Actor* bolt = Group(GroupEnemyShot)[0];
    EXPECT_EQ(bolt->width, 64);
    EXPECT_EQ(Sounds(WavEnemyShot[0]), sounds + 1);
    // it came to rest thirty updates before the shot
    EXPECT_EQ(at[fired], at[fired - 30]);
    EXPECT_NE(at[fired - 30], at[fired - 31]);
}
