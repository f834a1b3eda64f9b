// Hit tests, group damage, the map-wall test and aiming.
#include <gtest/gtest.h>

#include <cstring>

#include "actors/collision.h"
#include "player/player.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "stages/stage_map.h"

namespace {

Actor* Make(int32_t group, float x, float y, HitRect r, int32_t hp = 1, int32_t attack = 1) {
    Actor* a = AcquireActor(ActorNoOp, ActorNoOp, group);
    a->x = x;
    a->y = y;
    a->width = a->height = 32;
    a->hp = hp;
    a->attack = attack;
    a->hitRects[0] = r;
    a->hitRectCount = 1;
    a->blastTag = 0;
    return a;
}

constexpr HitRect kBox{0, 10, 0, 10};

class Collision : public ::testing::Test {
protected:
    void SetUp() override {
        FillAngleTables();
        InitActorPool();
        std::memset(StageMap, ' ', sizeof StageMap);
        mapLeftColumn = 1;
        mapTopRow = 1;
        mapSubX = mapSubY = 0;
    }
};

TEST_F(Collision, TouchingEdgesDoNotOverlap) {
    Actor* shot = Make(GroupPlayerShot, 0, 0, kBox);
    Actor* right = Make(GroupEnemy, 10, 0, kBox, 5);   // left edge on the shot's right edge
    Actor* below = Make(GroupEnemy, 0, 10, kBox, 5);   // top edge on the shot's bottom edge
    Actor* corner = Make(GroupEnemy, -10, -10, kBox, 5);
    HitTestGroup(shot, GroupEnemy);
    EXPECT_EQ(shot->hp, 1);
    EXPECT_EQ(right->hp + below->hp + corner->hp, 15);
    right->x = 9.999f;
    HitTestGroup(shot, GroupEnemy);
    EXPECT_EQ(right->hp, 4);
    EXPECT_EQ(shot->hp, 0);
}

TEST_F(Collision, EarliestCreatedTargetTakesTheOneHitOfACall) {
    Actor* laser = Make(GroupPlayerShot, 0, 0, {0, 100, 0, 10}, 9999, 2);
    Actor* first = Make(GroupEnemy, 50, 0, kBox, 10);
    Actor* second = Make(GroupEnemy, 5, 0, kBox, 10);  // nearer, but created later
    HitTestGroup(laser, GroupEnemy);
    EXPECT_EQ(first->hp, 8);
    EXPECT_EQ(second->hp, 10);
    EXPECT_EQ(laser->hp, 9998);
    HitTestGroup(laser, GroupEnemy);  // next frame: the same one again
    EXPECT_EQ(first->hp, 6);
    EXPECT_EQ(second->hp, 10);
}

TEST_F(Collision, HittersFirstRectangleIsTriedAgainstAllTargetsFirst) {
    Actor* early = Make(GroupEnemy, 100, 0, kBox, 10);
    Actor* late = Make(GroupEnemy, 0, 0, kBox, 10);
    Actor* hitter = Make(GroupPlayerShot, 0, 0, {0, 10, 0, 10}, 9999);
    hitter->hitRects[1] = {100, 110, 0, 10};  // second rectangle lies on the early one
    hitter->hitRectCount = 2;
    HitTestGroup(hitter, GroupEnemy);
    EXPECT_EQ(late->hp, 9);
    EXPECT_EQ(early->hp, 10);
}

TEST_F(Collision, TargetsSecondRectangleCounts) {
    Actor* target = Make(GroupEnemy, 0, 0, {200, 210, 0, 10}, 10);
    target->hitRects[1] = kBox;
    target->hitRectCount = 2;
    Actor* shot = Make(GroupPlayerShot, 5, 5, kBox);
    HitTestGroup(shot, GroupEnemy);
    EXPECT_EQ(target->hp, 9);
}

TEST_F(Collision, ArmouredTargetSpendsTheShotWithoutLosingHp) {
    Actor* wall = Make(GroupEnemy, 0, 0, kBox, 10, 1);
    wall->guardMode = GuardArmoured;
    Actor* shot = Make(GroupPlayerShot, 5, 5, kBox, 1, 4);
    HitTestGroup(shot, GroupEnemy);
    EXPECT_EQ(wall->hp, 10);
    EXPECT_EQ(shot->hp, 0);
}

TEST_F(Collision, WhoCanTakePartInAHit) {
    Actor* ghost = Make(GroupEnemy, 0, 0, kBox, 10);
    ghost->guardMode = GuardIntangible;
    Actor* spent = Make(GroupEnemy, 0, 0, kBox, 0);
    Actor* noRects = Make(GroupEnemy, 0, 0, kBox, 10);
    noRects->hitRectCount = 0;
    Actor* otherGroup = Make(GroupEnemyShot, 0, 0, kBox, 10);
    Actor* dying = Make(GroupEnemy, 0, 0, kBox, 10);
    dying->alive = 0;  // marked dead, not yet swept: still a candidate
    Actor* shot = Make(GroupPlayerShot, 0, 0, kBox, 1, 3);
    HitTestGroup(shot, GroupEnemy);
    EXPECT_EQ(ghost->hp, 10);
    EXPECT_EQ(spent->hp, 0);
    EXPECT_EQ(noRects->hp, 10);
    EXPECT_EQ(otherGroup->hp, 10);
    EXPECT_EQ(dying->hp, 7);
    // a hitter without hit points hits nothing
    Actor* dead = Make(GroupPlayerShot, 0, 0, kBox, 0, 3);
    HitTestGroup(dead, GroupEnemy);
    EXPECT_EQ(dying->hp, 7);
}

TEST_F(Collision, PickUpItemReturnsKindAndIgnoresGuard) {
    Actor* ship = Make(GroupPlayer, 0, 0, kBox);
    Actor* item = Make(GroupItem, 5, 5, kBox, 1, 0);
    item->work[0].i = 4;
    item->guardMode = GuardIntangible;
    EXPECT_EQ(PickUpItem(ship), 4);
    EXPECT_EQ(item->hp, 0);
    EXPECT_EQ(PickUpItem(ship), -1);  // taken: it waits for its own update to vanish
    Actor* second = Make(GroupItem, 5, 5, kBox, 1, 0);
    second->work[0].i = 2;
    ship->hp = 0;
    EXPECT_EQ(PickUpItem(ship), -1);
    EXPECT_EQ(second->hp, 1);
}

TEST_F(Collision, BlastSegmentMarksFirstTaggedActor) {
    Actor* segment = Make(GroupEnemyShot, 0, 0, kBox);
    Actor* untagged = Make(GroupEnemy, 0, 0, kBox);
    Actor* ghostMine = Make(GroupEnemy, 0, 0, kBox);
    ghostMine->blastTag = BlastTagDetonates;
    ghostMine->guardMode = GuardIntangible;
    Actor* mine = Make(GroupEnemy, 0, 0, kBox, 0);  // no hp condition
    mine->blastTag = BlastTagDetonates;
    Actor* mine2 = Make(GroupEnemy, 0, 0, kBox);
    mine2->blastTag = BlastTagDetonates;
    BlastSegmentTest(segment);
    EXPECT_EQ(untagged->deathKind, DeathNone);
    EXPECT_EQ(ghostMine->deathKind, DeathNone);
    EXPECT_EQ(mine->deathKind, DeathBlastTouch);
    EXPECT_EQ(mine2->deathKind, DeathNone);
}

TEST_F(Collision, GroupOperations) {
    Actor* plain = Make(GroupEnemy, 0, 0, kBox, 50);
    Actor* ghost = Make(GroupEnemy, 0, 0, kBox, 50);
    ghost->guardMode = GuardIntangible;
    Actor* armour = Make(GroupEnemy, 0, 0, kBox, 50);
    armour->guardMode = GuardArmoured;
    Actor* dead = Make(GroupEnemy, 0, 0, kBox, 50);
    dead->alive = 0;
    Actor* shot = Make(GroupEnemyShot, 0, 0, kBox, 50);
    Actor* armouredShot = Make(GroupEnemyShot, 0, 0, kBox, 50);
    armouredShot->guardMode = GuardArmoured;

    DamageGroup(7, GroupEnemy);
    EXPECT_EQ(plain->hp, 43);
    EXPECT_EQ(ghost->hp, 50);
    EXPECT_EQ(armour->hp, 43);
    EXPECT_EQ(dead->hp, 43);
    EXPECT_EQ(shot->hp, 50);

    KillGroup(GroupEnemy);
    EXPECT_EQ(plain->deathKind, DeathExplode);
    EXPECT_EQ(ghost->deathKind, DeathRemove);
    EXPECT_EQ(armour->deathKind, DeathRemove);
    EXPECT_EQ(dead->deathKind, DeathExplode);
    EXPECT_EQ(shot->deathKind, DeathNone);

    RemoveArmoured();
    EXPECT_EQ(armour->alive, 0);
    EXPECT_EQ(armouredShot->alive, 0);
    EXPECT_EQ(plain->alive, 1);
    EXPECT_EQ(ghost->alive, 1);
}

TEST_F(Collision, MapCellBordersBelongToTheCellRightAndBelow) {
    // screen (0, 0) is world (32, 32): column 1, row 1
    StageMap[1][2] = 'c';
    StageMap[2][1] = 'Z';  // capitals are scenery, not walls
    EXPECT_EQ(MapCellAt(31.9f, 0), ' ' - 'a');
    EXPECT_EQ(MapCellAt(32, 0), 2);
    EXPECT_EQ(MapCellAt(63.9f, 31.9f), 2);
    EXPECT_EQ(MapCellAt(0, 32), 'Z' - 'a');
    mapSubX = 0.5f;  // the view has moved half a pixel on
    EXPECT_EQ(MapCellAt(31.5f, 0), 2);
    EXPECT_EQ(MapCellAt(31.4f, 0), ' ' - 'a');
    // high bytes read as signed: never solid
    StageMap[1][1] = 0xE0;
    EXPECT_LT(MapCellAt(0, 0), 0);
}

TEST_F(Collision, MapCellOutsideTheGridIsEmpty) {
    mapLeftColumn = 0;
    mapTopRow = 0;
    std::memset(StageMap, 'a', sizeof StageMap);
    EXPECT_EQ(MapCellAt(-20, -20), 0);  // truncation toward zero: still cell (0, 0)
    EXPECT_LT(MapCellAt(-40, 0), 0);
    EXPECT_LT(MapCellAt(0, kMapRows * 32.0f), 0);
    EXPECT_LT(MapCellAt(kMapColumns * 32.0f, 0), 0);
    EXPECT_EQ(MapCellAt(0, kMapRows * 32.0f - 1), 0);
}

TEST_F(Collision, WallTestLooksOnlyAtCornersAndHitsOnce) {
    StageMap[1 + 1][1 + 1] = 'a';  // screen cell (32..64, 32..64)
    Actor* wide = Make(GroupPlayerShot, 0, 40, {0, 100, 0, 10}, 9999);
    MapWallTest(wide);  // straddles the one-cell wall with both corners outside it
    EXPECT_EQ(wide->hp, 9999);
    Actor* small = Make(GroupPlayerShot, 20, 20, {0, 30, 0, 30}, 10000);
    MapWallTest(small);  // two corners inside, one hit
    EXPECT_EQ(small->hp, 1);
    Actor* second = Make(GroupPlayerShot, 0, 0, {0, 1, 0, 1}, 5);
    second->hitRects[1] = {40, 41, 40, 41};
    second->hitRectCount = 2;
    MapWallTest(second);
    EXPECT_EQ(second->hp, 5 - 9999);
}

TEST_F(Collision, AngleBetweenCardinalAndDiagonalPoints) {
    EXPECT_EQ(AngleBetween(0, 0, 10, 0), 0);
    EXPECT_EQ(AngleBetween(0, 0, 0, -10), 90);
    EXPECT_EQ(AngleBetween(0, 0, -10, 0), 180);
    EXPECT_EQ(AngleBetween(0, 0, 0, 10), 270);
    EXPECT_EQ(AngleBetween(0, 0, 10, -10), 45);
    EXPECT_EQ(AngleBetween(0, 0, 10, 10), 315);
    EXPECT_EQ(AngleBetween(5, 5, 5, 5), 0);
    // just below the right-hand direction: 359.9.. truncates to 359, never 360
    EXPECT_EQ(AngleBetween(0, 0, 1000, 1), 359);
    EXPECT_EQ(AngleBetween(0, 0, 1e7f, 1), 0);  // -0.0000057 + 360 rounds to 360 -> 0
}

TEST_F(Collision, AimAtPlayerDeviatesAndWraps) {
    playerCenterX = 300;
    playerCenterY = 100;
    SeedRandom(5);
    EXPECT_EQ(AimAtPlayer(0, 100, 100), 0);
    EXPECT_EQ(AimAtPlayer(0, 300, 300), 90);
    bool sawBelowZero = false, sawAboveZero = false;
    for (uint32_t seed = 1; seed < 60; seed++) {
        SeedRandom(seed);
        int32_t r = RandomUpTo(20) - 10;
        SeedRandom(seed);
        int32_t d = AimAtPlayer(20, 100, 100);  // straight right: 0 plus -10..10
        EXPECT_EQ(d, (r + 360) % 360) << "seed " << seed;
        sawBelowZero |= r < 0;
        sawAboveZero |= r > 0;
    }
    EXPECT_TRUE(sawBelowZero && sawAboveZero);
    // odd spreads lean one way: 7 gives -3..4
    for (uint32_t seed = 1; seed < 40; seed++) {
        SeedRandom(seed);
        int32_t d = AimAtPlayer(7, 300, 300);
        EXPECT_GE(d, 87);
        EXPECT_LE(d, 94);
    }
}

}  // namespace
