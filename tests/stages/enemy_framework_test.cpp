// What all enemies share: bounds, score and explosion, ordered removal, the hit flash, falling.
#include "actors/collision.h"
#include "stages/stage_fixture.h"

class EnemyFramework : public StageTest {
protected:
    static Actor* Small(float x, float y) {
        SpawnEnemy000(x, y);
        return Newest();
    }
};

TEST_F(EnemyFramework, ReleasedOnlyStrictlyBeyondTheMargin) {
    Actor* outside = Small(-64.5f, 100);
    FinishEnemyFrame(outside);
    EXPECT_EQ(outside->alive, 0);
    Actor* edge = Small(-64, 100);
    FinishEnemyFrame(edge);
    EXPECT_EQ(edge->alive, 1);
    Actor* right = Small(672, 512);
    FinishEnemyFrame(right);
    EXPECT_EQ(right->alive, 1);
    right->y = 512.5f;
    FinishEnemyFrame(right);
    EXPECT_EQ(right->alive, 0);
    Actor* wide = Small(-288, 700);
    FinishEnemyFrameWide(wide);
    EXPECT_EQ(wide->alive, 1);
    wide->x = -288.5f;
    FinishEnemyFrameWide(wide);
    EXPECT_EQ(wide->alive, 0);
    EXPECT_EQ(CountGroup(GroupBlast), 0);
}

TEST_F(EnemyFramework, DestroyedEnemyScoresThenExplodesAtItsCentre) {
    score = 50;
    Actor* a = Small(100, 200);
    a->hp = 0;
    FinishEnemyFrame(a);
    EXPECT_EQ(a->alive, 0);
    EXPECT_EQ(score, 150);
    std::vector<Actor*> blasts = Group(GroupBlast);
    ASSERT_EQ(blasts.size(), 1u);
    EXPECT_FLOAT_EQ(blasts[0]->x, 116 - 48);
    EXPECT_FLOAT_EQ(blasts[0]->y, 216 - 48);
    EXPECT_FLOAT_EQ(blasts[0]->speed, 1.3f);  // drifting left at the enemy's own speed
    EXPECT_EQ(blasts[0]->work[kDir].i, 180);

    Actor* costly = Small(100, 200);
    costly->scoreValue = -100;
    costly->hp = -3;
    FinishEnemyFrame(costly);
    EXPECT_EQ(score, 50);
    score = 50;
    costly = Small(100, 200);
    costly->scoreValue = -100;
    costly->hp = 0;
    FinishEnemyFrame(costly);
    EXPECT_EQ(score, 0);
}

TEST_F(EnemyFramework, OrderedRemovalExplodesOrVanishesWithoutScore) {
    Actor* exploding = Small(100, 200);
    exploding->deathKind = DeathExplode;
    FinishEnemyFrame(exploding);
    EXPECT_EQ(exploding->alive, 0);
    EXPECT_EQ(CountGroup(GroupBlast), 1);
    Actor* vanishing = Small(100, 200);
    vanishing->deathKind = DeathRemove;
    FinishEnemyFrame(vanishing);
    EXPECT_EQ(vanishing->alive, 0);
    EXPECT_EQ(CountGroup(GroupBlast), 1);
    EXPECT_EQ(score, 0);
    // destroyed in the same frame as ordered away: the hp test comes first and scores
    Actor* both = Small(100, 200);
    both->deathKind = DeathExplode;
    both->hp = 0;
    FinishEnemyFrame(both);
    EXPECT_EQ(score, 100);
    // and beyond the bounds nothing scores at all
    Actor* gone = Small(700, 200);
    gone->hp = 0;
    FinishEnemyFrame(gone);
    EXPECT_EQ(score, 100);
    EXPECT_EQ(CountGroup(GroupBlast), 2);
    // the mark of a blast touch is for mines only
    Actor* touched = Small(100, 200);
    touched->deathKind = DeathBlastTouch;
    FinishEnemyFrame(touched);
    EXPECT_EQ(touched->alive, 1);
}

TEST_F(EnemyFramework, InvisibleEmitterOutsideTheFieldStays) {
    SpawnEnemy016(30);
    Actor* emitter = Newest();
    EXPECT_FLOAT_EQ(emitter->x, 660);
    EXPECT_FLOAT_EQ(emitter->y, 500);
    EXPECT_EQ(emitter->guardMode, GuardIntangible);
    emitter->update(emitter);
    EXPECT_EQ(emitter->alive, 1);
}

// The flash row shows in the one frame after a hit by an actor updated later.
TEST_F(EnemyFramework, HitFlashLastsOneUpdate) {
    Actor* a = Small(300, 200);
    a->hp = 5;
    a->update(a);
    EXPECT_EQ(a->work[kHitFlash].i, 1);  // 5 differs from the starting hp of 1
    a->update(a);
    EXPECT_EQ(a->work[kHitFlash].i, 0);
    a->hp -= 1;
    a->update(a);
    EXPECT_EQ(a->work[kHitFlash].i, 1);
    a->update(a);
    EXPECT_EQ(a->work[kHitFlash].i, 0);
}

TEST_F(EnemyFramework, GroundWalkerFallsUntilItStandsOnATile) {
    EnterStage(1);
    ClearMap();
    for (int c = 0; c < 40; c++) StageMap[10][c] = 'a';  // floor at screen y 288
    mapScrollDX = mapScrollDY = 0;
    SpawnEnemy005(100, 200);
    Actor* walker = Newest();
    walker->update(walker);
    EXPECT_FLOAT_EQ(walker->y, 201);
    Updates(walker, 40);
    // bottom at 287 leaves the point below it, y + 65 = 288, on the tile
    EXPECT_FLOAT_EQ(walker->y, 223);
    walker->update(walker);
    EXPECT_FLOAT_EQ(walker->y, 223);
    mapScrollDX = -1.5f;
    walker->update(walker);
    EXPECT_FLOAT_EQ(walker->x, 98.5f);
}
