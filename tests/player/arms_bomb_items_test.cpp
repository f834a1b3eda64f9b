// Arms absorbing hits, the bomb attack's timeline and damage, items and the power gauge.
#include "player/ship_fixture.h"

#include <set>
#include <vector>

#include "shell/game.h"

namespace {

class Arms : public ShipInPlay {};
class Bomb : public ShipInPlay {};
class Items : public ShipInPlay {
protected:
    // An item under the ship, collected in the next frame.
    static void Collect(int32_t kind) {
        SpawnItem(playerCenterX, playerCenterY, kind);
        Frame();
    }
};

TEST_F(Arms, ThreeHitsAbsorbedAtLevelTwoEachWith20ProtectedFrames) {
    UntilVulnerable();
    Word(kArmLevel) = 2;
    Word(kArmDurability) = 3;
    Obstacle(GroupEnemy);
    int clanks = Starts(WavArmDamage);
    for (int hit = 1; hit <= 3; hit++) {
        Frame();
        ASSERT_EQ(Word(kArmDurability), 3 - hit);
        EXPECT_EQ(Ship()->hp, 1);
        EXPECT_EQ(Word(kHitGrace), 20);
        EXPECT_EQ(Word(kArmFlash), 1);
        EXPECT_EQ(Starts(WavArmDamage), clanks + hit);
        for (int f = 0; f < 20; f++) {
            Frame();
            ASSERT_EQ(Word(kArmDurability), 3 - hit);
            ASSERT_EQ(Word(kArmFlash), 1);
        }
        EXPECT_EQ(Word(kHitGrace), 0);
    }
    EXPECT_EQ(Ship()->update, ShipUpdate);
    Frame();
    EXPECT_EQ(Ship()->update, ShipDying);
    EXPECT_EQ(Word(kArmDurability), 0);
}

TEST_F(Arms, GraceFramesFollowTheLevel) {
    UntilVulnerable();
    Obstacle(GroupEnemy);
    const int grace[3] = {5, 10, 20};
    for (int level = 0; level < 3; level++) {
        Word(kArmLevel) = level;
        Word(kArmDurability) = 5;
        while (Word(kHitGrace) > 0) Frame();
        Frame();
        EXPECT_EQ(Word(kHitGrace), grace[level]);
    }
}

TEST_F(Arms, EnemyAndShotInOneFrameCostOneDurability) {
    UntilVulnerable();
    Word(kArmDurability) = 3;
    Obstacle(GroupEnemy);
    Actor* shot = Obstacle(GroupEnemyShot, 1);
    Frame();
    EXPECT_EQ(Word(kArmDurability), 2);
    EXPECT_EQ(shot->hp, 1);  // the ship had no hit points left for the second test
    EXPECT_EQ(Ship()->update, ShipUpdate);
}

TEST_F(Arms, PiecesAddTheCurrentLevelsAmountThenRaiseTheLevel) {
    UntilFlying();
    int32_t r = rank;
    AddArmPiece(Ship());
    EXPECT_EQ(Word(kArmDurability), 3);
    EXPECT_EQ(armGauge, 1);
    EXPECT_EQ(rank, r + 5);
    AddArmPiece(Ship());
    AddArmPiece(Ship());
    AddArmPiece(Ship());  // the fourth adds level 0's 3, then the level rises
    EXPECT_EQ(Word(kArmDurability), 12);
    EXPECT_EQ(Word(kArmLevel), 1);
    EXPECT_EQ(armGauge, 0);
    AddArmPiece(Ship());
    EXPECT_EQ(Word(kArmDurability), 16);
    Word(kArmLevel) = 2;
    armGauge = 3;
    int32_t points = score;
    AddArmPiece(Ship());
    EXPECT_EQ(Word(kArmDurability), 21);
    EXPECT_EQ(Word(kArmLevel), 2);
    EXPECT_EQ(armGauge, 3);
    EXPECT_EQ(score, points + 5000);
}

TEST_F(Bomb, IntroThenThirtyBlastsThenATail) {
    UntilFlying();
    Actor* enemy = Obstacle(GroupEnemy, 1000);
    enemy->y = 0;  // away from the ship
    Actor* ghost = Obstacle(GroupEnemy, 1000);
    ghost->guardMode = GuardIntangible;
    Actor* armour = Obstacle(GroupEnemyShot, 1000);
    armour->guardMode = GuardArmoured;
    int big = Starts(WavZorbex[1]), small = Starts(WavZorbex[0]);
    Frame(PadButton2);
    EXPECT_EQ(bombs, 2);
    EXPECT_EQ(bombActive, 1);
    Actor* bomb = activeList->prev;
    ASSERT_EQ(bomb->group, GroupBlast);
    EXPECT_EQ(enemy->hp, 999);
    EXPECT_EQ(Starts(WavZorbex[0]), small + 1);
    // the controller follows the enemies, so it ran its first update in the press frame
    for (int f = 2; f <= 50; f++) Frame();
    EXPECT_NE(bomb->draw, ActorNoOp);
    Frame(PadButton2);  // a second press does nothing
    EXPECT_EQ(bomb->draw, ActorNoOp);
    EXPECT_EQ(bombs, 2);
    std::vector<int> blastFrames;
    Actor* late = nullptr;
    for (int f = 52; f <= 200 && bombActive; f++) {
        std::set<Actor*> before;
        for (Actor* a = activeList->next; a != activeList; a = a->next) before.insert(a);
        Frame(PadButton2);
        int made = 0;
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            made += a->group == GroupBlast && !before.count(a);
        if (made > 0) blastFrames.push_back(f);
        EXPECT_LE(made, 1);
        if (blastFrames.size() == 20 && !late) late = Obstacle(GroupEnemy, 1000);
        if (!bombActive) {
            EXPECT_EQ(f, 162);
        }
    }
    EXPECT_EQ(bombActive, 0);
    EXPECT_EQ(bombs, 2);
    ASSERT_EQ(blastFrames.size(), 30u);
    for (int i = 0; i < 30; i++) EXPECT_EQ(blastFrames[i], 54 + 3 * i);
    EXPECT_EQ(enemy->hp, 1000 - 301);
    EXPECT_EQ(armour->hp, 1000 - 301);
    EXPECT_EQ(ghost->hp, 1000);
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(late->hp, 1000 - 100);
    EXPECT_EQ(Starts(WavZorbex[1]), big + 1 + 8);  // with blasts 1, 5, ... 29
    EXPECT_EQ(Starts(WavZorbex[0]), small + 1);
    Frames(20);
    EXPECT_EQ(CountGroup(GroupBlast), 0);
}

TEST_F(Bomb, NothingWithoutBombsInStock) {
    UntilFlying();
    bombs = 0;
    Frame(PadButton2);
    EXPECT_EQ(bombActive, 0);
    EXPECT_EQ(CountGroup(GroupBlast), 0);
    EXPECT_EQ(bombs, 0);
}

TEST_F(Items, WeaponPiecesRaiseTheLevelEveryFourth) {
    UntilFlying();
    Word(kShotLevel) = 3;
    int32_t r = rank;
    int get = Starts(WavItemGet00), up = Starts(WavPowerUp);
    for (int i = 1; i <= 3; i++) {
        Collect(0);
        EXPECT_EQ(shotGauge, i);
    }
    EXPECT_EQ(Starts(WavItemGet00), get + 3);
    Collect(0);
    EXPECT_EQ(Word(kShotLevel), 4);
    EXPECT_EQ(shotGauge, 0);
    EXPECT_EQ(rank, r + 5);
    EXPECT_EQ(Starts(WavPowerUp), up + 1);
    EXPECT_EQ(CountGroup(GroupItem), 0);  // each taken item removed itself

    Word(kMissileLevel) = 0;
    missileGauge = 3;
    Collect(1);
    EXPECT_EQ(Word(kMissileLevel), 1);
    EXPECT_EQ(rank, r + 8);
}

TEST_F(Items, PiecesAtTheTopLevelAreWorthPoints) {
    UntilFlying();
    Word(kShotLevel) = 14;
    Word(kMissileLevel) = 11;
    shotGauge = missileGauge = 3;
    int32_t points = score;
    int get = Starts(WavItemGet00);
    Collect(0);
    Collect(1);
    EXPECT_EQ(Word(kShotLevel), 14);
    EXPECT_EQ(Word(kMissileLevel), 11);
    EXPECT_EQ(shotGauge, 3);
    EXPECT_EQ(missileGauge, 3);
    EXPECT_EQ(score, points + 10000);
    EXPECT_EQ(Starts(WavItemGet00), get + 2);
}

TEST_F(Items, BombShipPointsAndArms) {
    UntilFlying();
    int32_t points = score;
    int up = Starts(WavPowerUp);
    Collect(3);
    Collect(4);
    Collect(5);
    Collect(2);
    EXPECT_EQ(bombs, 4);
    EXPECT_EQ(lives, 4);
    EXPECT_EQ(score, points + 5000);
    EXPECT_EQ(Word(kArmDurability), 3);
    EXPECT_EQ(Starts(WavPowerUp), up + 4);
}

TEST_F(Items, TakenEvenWhileProtected) {
    UntilFlying();
    ASSERT_GT(Word(kRespawnGrace), 0);
    Collect(3);
    EXPECT_EQ(bombs, 4);
}

TEST_F(Items, BlowDamagesEnemiesAndShotsButNotTheIntangible) {
    UntilFlying();
    Actor* weak = Obstacle(GroupEnemy, 100);
    weak->x = 500;
    Actor* strong = Obstacle(GroupEnemy, 150);
    strong->x = 500;
    Actor* ghost = Obstacle(GroupEnemy, 100);
    ghost->x = 500;
    ghost->guardMode = GuardIntangible;
    Actor* armour = Obstacle(GroupEnemy, 100);
    armour->x = 500;
    armour->guardMode = GuardArmoured;
    Actor* shot = Obstacle(GroupEnemyShot, 100);
    shot->x = 500;
    int32_t r = rank;
    Collect(6);
    EXPECT_EQ(weak->hp, 0);
    EXPECT_EQ(strong->hp, 50);
    EXPECT_EQ(ghost->hp, 100);
    EXPECT_EQ(armour->hp, 0);
    EXPECT_EQ(shot->hp, 0);
    EXPECT_EQ(rank, r + 5);
}

TEST_F(Items, ItemsRideTheScenery) {
    SpawnItem(20, 100, 5);
    Actor* item = activeList->prev;
    EXPECT_FLOAT_EQ(item->x, 4);
    EXPECT_FLOAT_EQ(item->y, 84);
    mapScrollDX = -10;
    mapScrollDY = 0.5f;
    item->update(item);
    EXPECT_FLOAT_EQ(item->x, -6);
    EXPECT_FLOAT_EQ(item->y, 84.5f);
    item->update(item);
    item->update(item);
    EXPECT_EQ(item->alive, 1);  // x -26 > -32
    item->update(item);
    EXPECT_EQ(item->alive, 0);
    mapScrollDX = mapScrollDY = 0;
}

}  // namespace
