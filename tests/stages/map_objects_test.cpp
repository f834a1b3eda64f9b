// Ground installations: blocks, and the launchers' bursts and pauses.
#include "actors/collision.h"
#include "stages/stage_fixture.h"

class MapObjects : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        EnterStage(1);
        ClearMap();
        mapScrollDX = mapScrollDY = 0;
    }
    // Update numbers (from 1) at which the launcher released something into `group`.
    static std::vector<int> Releases(Actor* launcher, int updates, int group) {
        std::vector<int> at;
        int before = CountGroup(group);
        for (int i = 1; i <= updates && launcher->alive; i++) {
            launcher->update(launcher);
            int now = CountGroup(group);
            for (int k = before; k < now; k++) at.push_back(i);
            before = now;
        }
        return at;
    }
    static std::vector<int> Sequence(int first, int step, int count) {
        std::vector<int> v;
        for (int i = 0; i < count; i++) v.push_back(first + step * i);
        return v;
    }
};

TEST_F(MapObjects, BlocksRideTheSceneryAndOnlyTheBombRemovesTheArmouredOne) {
    SpawnMapObjectB(300, 200);
    Actor* armoured = Newest();
    EXPECT_EQ(armoured->guardMode, GuardArmoured);
    EXPECT_EQ(armoured->attack, 10000);
    SpawnMapObjectC(400, 200);
    Actor* block = Newest();
    EXPECT_EQ(block->guardMode, GuardNormal);
    EXPECT_EQ(block->attack, 10000);  // deadly to touch, though it can be shot
    EXPECT_EQ(block->hp, 1 / 10 + 20);
    mapScrollDX = -2;
    armoured->update(armoured);
    block->update(block);
    EXPECT_FLOAT_EQ(armoured->x, 298);
    EXPECT_FLOAT_EQ(block->x, 398);
    DamageGroup(1, GroupEnemy);
    armoured->update(armoured);
    EXPECT_EQ(armoured->alive, 0);
    EXPECT_EQ(score, 100);
    EXPECT_EQ(armoured->work[kHitFlash].i, 0);  // never drawn from the flash row
    block->x = -64.5f;
    block->update(block);
    EXPECT_EQ(block->alive, 0);
    EXPECT_EQ(score, 100);  // scrolled away: no score
}

TEST_F(MapObjects, SquidLauncherBurstsFiveThenPausesAtRankOne) {
    for (int c = 0; c < 40; c++) StageMap[12][c] = 'a';  // a floor to stand on
    SpawnMapObjectD(300, 288);
    Actor* d = Newest();
    std::vector<int> at = Releases(d, 260, GroupEnemy);
    std::vector<int> expected = Sequence(60, 14, 5);
    expected.push_back(116 + 120 + 13);  // the pause, then the gap counted down again
    EXPECT_EQ(at, expected);
    EXPECT_FLOAT_EQ(d->y, 288);  // standing on the floor
    Actor* squid = Group(GroupEnemy)[1];
    EXPECT_FLOAT_EQ(squid->x, 315);
    EXPECT_EQ(squid->work[kDir].i, 90);
}

TEST_F(MapObjects, UpwardGunFiresItsBurstOnConsecutiveUpdates) {
    rank = 1;
    SpawnMapObjectE(300, 300);
    std::vector<int> at = Releases(Newest(), 160, GroupEnemyShot);
    std::vector<int> expected = Sequence(30, 1, 5);
    for (int u : Sequence(154, 1, 5)) expected.push_back(u);
    EXPECT_EQ(std::vector<int>(at.begin(), at.begin() + std::min<size_t>(at.size(), 6)),
              std::vector<int>(expected.begin(), expected.begin() + 6));
    ReleaseAllActors();
    rank = 255;
    SpawnMapObjectE(300, 300);
    at = Releases(Newest(), 100, GroupEnemyShot);
    EXPECT_EQ(at, Sequence(30, 1, 8));
}

TEST_F(MapObjects, TurretLauncherReleasesRisersAboveItself) {
    SpawnMapObjectF(300, 300);
    Actor* f = Newest();
    std::vector<int> at = Releases(f, 280, GroupEnemy);
    EXPECT_EQ(at, Sequence(38, 9, 5));  // then a pause of 210
    Actor* riser = Group(GroupEnemy)[1];
    EXPECT_EQ(riser->work[kDir].i, 90);
}

TEST_F(MapObjects, FanGunsSprayBurstsUpwards) {
    SpawnMapObjectG(300, 300);
    Actor* g = Newest();
    std::vector<int> at = Releases(g, 30 + 7 * 29, GroupEnemyShot);
    EXPECT_EQ(at, Sequence(30, 7, 30));
    for (Actor* s : Group(GroupEnemyShot)) {
        EXPECT_GE(s->work[kDir].i, 60);
        EXPECT_LE(s->work[kDir].i, 120);
    }
    ReleaseAllActors();
    SpawnMapObjectH(300, 300);
    at = Releases(Newest(), 115, GroupEnemyShot);
    EXPECT_EQ(at, (std::vector<int>{30, 35, 40, 45, 50, 50 + 60 + 4}));
}

TEST_F(MapObjects, SiloAndDripperKeepTheirRhythmAlsoOnAStillMap) {
    SpawnMapObjectI(300, 300);
    Actor* silo = Newest();
    EXPECT_EQ(Releases(silo, 300, GroupEnemy), (std::vector<int>{30, 150, 270}));
    Actor* missile = Group(GroupEnemy)[1];
    EXPECT_FLOAT_EQ(missile->x, 316);
    ReleaseAllActors();
    SpawnMapObjectJ(300, 100);
    Actor* dripper = Newest();
    EXPECT_EQ(Releases(dripper, 220, GroupEnemy), (std::vector<int>{90, 150, 210}));
    Actor* drop = Group(GroupEnemy)[1];
    EXPECT_EQ(drop->attack, 10000);
    EXPECT_FLOAT_EQ(drop->x, 316);
    EXPECT_FLOAT_EQ(drop->y, 148);
    EXPECT_FLOAT_EQ(dripper->x, 300);
}
