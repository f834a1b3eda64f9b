// Explosions, sparks, the enemy-shot spawners and their end-of-life checks.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "actors/collision.h"
#include "actors/enemy_shot_parts.h"
#include "actors/spawners.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "stages/stage_map.h"

namespace {


class EnemyShots : public ::testing::Test {
protected:
    void SetUp() override {
        FillAngleTables();
        InitActorPool();
        std::memset(StageMap, ' ', sizeof StageMap);
        mapLeftColumn = 1;
        mapTopRow = 1;
        mapSubX = mapSubY = 0;
        explosionSoundRequest = 0;
    }
    static Actor* Last() { return activeList->prev == activeList ? nullptr : activeList->prev; }
    static void Frame() {
        UpdateActors();
        SweepDeadActors();
    }
    static int CountGroup(int32_t group) {
        int n = 0;
        for (Actor* a = activeList->next; a != activeList; a = a->next) n += a->group == group;
        return n;
    }
};

TEST_F(EnemyShots, ExplosionLivesFifteenUpdatesAndDrifts) {
    SpawnExplosion(100, 100, 180, 3);
    Actor* e = Last();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(explosionSoundRequest, 1);
    EXPECT_EQ(e->group, GroupBlast);
    EXPECT_FLOAT_EQ(e->x, 52);
    EXPECT_FLOAT_EQ(e->y, 52);
    for (int i = 1; i <= 14; i++) {
        UpdateActors();
        ASSERT_EQ(e->alive, 1) << "update " << i;
        EXPECT_EQ(e->work[kAnimFrame].i, i);
        EXPECT_FLOAT_EQ(e->x, 52 - 3.0f * i);
    }
    UpdateActors();
    EXPECT_EQ(e->alive, 0);
}

TEST_F(EnemyShots, ExplosionWithoutARecordAsksForNoSound) {
    while (AcquireActor(ActorNoOp, ActorNoOp, GroupEffect)) {}
    SpawnExplosion(100, 100, 0, 0);
    EXPECT_EQ(explosionSoundRequest, 0);
    SpawnEnemyShot000(100, 100, 0, 1);  // and a full pool is quietly nothing
    EXPECT_EQ(CountFreeActors(), 0);
}

TEST_F(EnemyShots, SparkShowsSixCells) {
    SpawnSpark(100, 100);
    Actor* s = Last();
    EXPECT_FLOAT_EQ(s->x, 92);
    EXPECT_EQ(s->work[0].i, -1);
    for (int i = 0; i < 6; i++) {
        UpdateActors();
        ASSERT_EQ(s->alive, 1);
        EXPECT_EQ(s->work[0].i, i);
    }
    UpdateActors();
    EXPECT_EQ(s->alive, 0);
}

TEST_F(EnemyShots, ShotLeavingTheBoundsVanishesWithoutASpark) {
    SpawnEnemyShot000(660, 100, 0, 20);  // x 652
    Frame();
    ASSERT_EQ(CountGroup(GroupEnemyShot), 1);  // x 672 is still inside
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemyShot), 0);
    EXPECT_EQ(CountGroup(GroupEffect), 0);
}

TEST_F(EnemyShots, DestroyedOrRemovedShotLeavesASparkAtItsCentre) {
    SpawnEnemyShot002(100, 100, 0, 0);
    Actor* hit = Last();
    hit->hp = 0;
    SpawnEnemyShot002(200, 100, 0, 0);
    Last()->deathKind = DeathExplode;
    SpawnEnemyShot002(300, 100, 0, 0);
    Last()->deathKind = DeathRemove;
    SpawnEnemyShot002(400, 100, 0, 0);
    Last()->deathKind = DeathBlastTouch;  // only mines care
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemyShot), 1);
    ASSERT_EQ(CountGroup(GroupEffect), 3);
    Actor* spark = activeList->next->next;  // after the surviving shot
    EXPECT_EQ(spark->group, GroupEffect);
    EXPECT_FLOAT_EQ(spark->x, 100 - 8);
    EXPECT_FLOAT_EQ(spark->y, 100 - 8);
}

TEST_F(EnemyShots, WallsStopSomeShotsOnly) {
    StageMap[1 + 3][1 + 3] = 'k';  // screen cell 96..128
    SpawnEnemyShot000(112, 112, -1, 0);
    SpawnEnemyShot001(112, 112, -1, 0);  // the big ball ignores walls
    SpawnEnemyShot002(112, 112, -1, 0);
    SpawnEnemyShot007(112, 112, -1, 0);  // the spray ignores walls
    Frame();
    EXPECT_EQ(CountGroup(GroupEnemyShot), 2);
    EXPECT_EQ(CountGroup(GroupEffect), 2);
}

TEST_F(EnemyShots, BoundsOfTheThreeChecks) {
    struct Case {
        float x, y;
        bool near, openTop, wide;
    };
    const Case cases[] = {
        {672, 0, true, false, true},   {672.5f, 0, false, false, true},
        {-48, 0, true, false, true},   {-48.5f, 0, false, false, true},
        {-16, 0, true, true, true},    {-16.5f, 0, true, false, true},
        {0, 512, true, false, true},   {0, -48, true, true, true},
        {0, -49, false, true, true},   {0, -5000, false, true, false},
        {896.5f, 0, false, false, false}, {-272.5f, 0, false, false, false},
        {0, 736.5f, false, false, false},
    };
    for (const Case& c : cases) {
        bool alive[3];
        for (int check = 0; check < 3; check++) {
            Actor* a = AcquireActor(ActorNoOp, ActorNoOp, GroupEnemyShot);
            a->x = c.x;
            a->y = c.y;
            a->width = a->height = 16;
            a->hp = 1;
            a->deathKind = 0;
            if (check == 0) EnemyShotCheckNear(a);
            if (check == 1) EnemyShotCheckOpenTop(a);
            if (check == 2) EnemyShotCheckWide(a);
            alive[check] = a->alive;
        }
        EXPECT_EQ(alive[0], c.near) << c.x << "," << c.y;
        EXPECT_EQ(alive[1], c.openTop) << c.x << "," << c.y;
        EXPECT_EQ(alive[2], c.wide) << c.x << "," << c.y;
    }
}

TEST_F(EnemyShots, SmallBulletBlinksEverySixteenFrames) {
    SpawnEnemyShot000(300, 200, -1, 0);
    Actor* s = Last();
    for (int i = 0; i < 15; i++) UpdateActors();
    EXPECT_EQ(s->work[kAnimFrame].i, 0);
    UpdateActors();
    EXPECT_EQ(s->work[kAnimFrame].i, 1);
    for (int i = 0; i < 16; i++) UpdateActors();
    EXPECT_EQ(s->work[kAnimFrame].i, 0);
}

TEST_F(EnemyShots, BigBallAcceleratesAfterMoving) {
    SpawnEnemyShot001(100, 300, 0, 2);
    Actor* s = Last();
    float x = s->x, speed = 2;
    for (int i = 0; i < 10; i++) {
        UpdateActors();
        x += speed;
        speed += 0.07f;
        EXPECT_EQ(s->x, x);
        EXPECT_EQ(s->speed, speed);
    }
}

TEST_F(EnemyShots, PlacementOfTheOddSizes) {
    SpawnEnemyShot003(100, 100, 180, 20, 1);
    Actor* bolt = Last();
    EXPECT_FLOAT_EQ(bolt->x, 84);
    EXPECT_FLOAT_EQ(bolt->y, 92);
    EXPECT_EQ(bolt->hp, 100);
    SpawnEnemyShot006(100, 100, 0, 0);
    EXPECT_FLOAT_EQ(Last()->x, 57);
    EXPECT_FLOAT_EQ(Last()->y, 58);
    SpawnEnemyShot007(100, 100, 0, 0);
    EXPECT_FLOAT_EQ(Last()->y, 91);
    SpawnEnemyShot009(100, 100, 90, 0);
    Actor* needle = Last();
    EXPECT_FLOAT_EQ(needle->x, 88);
    EXPECT_FLOAT_EQ(needle->y, 97);
    EXPECT_EQ(needle->work[1].i, 270);
    SpawnEnemyShot009(100, 100, 0, 0);
    EXPECT_EQ(Last()->work[1].i, 0);
    SpawnEnemyShot005(100, 100, 0, 0);
    EXPECT_FLOAT_EQ(Last()->x, 36);
    EXPECT_EQ(Last()->hitRects[0].right, 128);
}

TEST_F(EnemyShots, BeamBlocksShimmerAsTheCameraMovesAndNeverShowTheWarningSign) {
    std::set<int32_t> cells;
    int32_t previous = -1, changes = 0;
    for (int step = 0; step < 64; step++) {
        mapLeftColumn = 1 + step / 32;
        mapSubX = static_cast<float>(step % 32);
        const int32_t cell = BeamShimmerCell();
        EXPECT_EQ(cell, BeamShimmerCell());  // every block of the frame alike
        cells.insert(cell);
        changes += cell != previous;
        previous = cell;
    }
    EXPECT_EQ(*cells.begin(), 1);  // cell 0 is the sign
    EXPECT_EQ(*cells.rbegin(), 6);
    EXPECT_EQ(cells.size(), 6u);
    EXPECT_GT(changes, 40);
}

TEST_F(EnemyShots, FountainShotRisesThenRainsFromARandomColumn) {
    SpawnFountainShot(100, 20, 10);  // y 12, rising 10 a frame
    Actor* s = Last();
    for (int i = 1; i <= 7; i++) {
        Frame();
        EXPECT_FLOAT_EQ(s->y, 12 - 10.0f * i);
        EXPECT_FLOAT_EQ(s->x, 92);
    }
    SeedRandom(11);
    float expectedX = static_cast<float>(RandomUpTo(624) + 8);
    SeedRandom(11);
    Frame();  // y -68: above -60, it turns
    ASSERT_EQ(s->alive, 1);  // no upper bound
    EXPECT_FLOAT_EQ(s->y, -68);
    EXPECT_EQ(s->x, expectedX);
    EXPECT_EQ(s->work[kDir].i, 270);
    EXPECT_FLOAT_EQ(s->speed, 4);
    Frame();
    EXPECT_FLOAT_EQ(s->y, -64);
    EXPECT_EQ(s->x, expectedX);
    int frames = 0;
    while (s->alive && frames < 200) {
        UpdateActors();
        frames++;
    }
    EXPECT_GT(s->y, 480);  // left through the bottom
    EXPECT_EQ(CountGroup(GroupEffect), 0);
}

TEST_F(EnemyShots, BallisticShotFallsNoFasterThanSixty) {
    SpawnEnemyShot006(300, -20000, 1.5f, -3);
    Actor* s = Last();
    float vy = -3, y = s->y;
    for (int i = 0; i < 250; i++) {
        UpdateActors();
        vy += 0.3f;
        if (vy > 60) vy = 60;
        y += vy;
        ASSERT_LE(s->work[4].f, 60.0f);
        ASSERT_EQ(s->y, y);
    }
    EXPECT_EQ(s->work[4].f, 60.0f);
    EXPECT_EQ(s->alive, 1);
}

TEST_F(EnemyShots, BlastSegmentLineGrowsEverySixFramesUntilPastTheEdge) {
    SpawnBlastSegment(0, 100, 0);
    std::vector<std::pair<int, float>> created;  // frame, x
    for (int frame = 1; frame <= 200 && CountActiveActors() > 0; frame++) {
        std::set<Actor*> before;
        for (Actor* a = activeList->next; a != activeList; a = a->next) before.insert(a);
        UpdateActors();
        for (Actor* a = activeList->next; a != activeList; a = a->next)
            if (!before.count(a)) created.push_back({frame, a->x});
        SweepDeadActors();
    }
    ASSERT_EQ(created.size(), 22u);  // x 32 to 704, the last one gone at once
    for (size_t n = 0; n < created.size(); n++) {
        EXPECT_EQ(created[n].first, 6 * static_cast<int>(n + 1));
        EXPECT_FLOAT_EQ(created[n].second, 32.0f * (n + 1));
    }
    EXPECT_EQ(CountGroup(GroupEffect), 0);
}

TEST_F(EnemyShots, BlastSegmentIsHarmfulFromCellThreeToThirteen) {
    SpawnBlastSegment(100, 100, 90);
    Actor* seg = Last();
    Actor* mine = AcquireActor(ActorNoOp, ActorNoOp, GroupEnemy);
    mine->x = 100;
    mine->y = 100;
    mine->hp = 5;
    mine->hitRects[0] = {0, 32, 0, 32};
    mine->hitRectCount = 1;
    mine->blastTag = BlastTagDetonates;
    std::vector<int> harmful;
    for (int update = 1; update <= 38; update++) {
        UpdateActors();
        if (seg->guardMode == GuardNormal) harmful.push_back(update);
        if (update == 5) {
            EXPECT_EQ(mine->deathKind, DeathNone);
        }
        if (update == 6) {
            EXPECT_EQ(mine->deathKind, DeathBlastTouch);
        }
        if (update < 38) {
            ASSERT_EQ(seg->alive, 1) << update;
        }
    }
    EXPECT_EQ(seg->alive, 0);
    ASSERT_FALSE(harmful.empty());
    EXPECT_EQ(harmful.front(), 6);
    EXPECT_EQ(harmful.back(), 27);
    EXPECT_EQ(harmful.size(), 22u);
}

}  // namespace
