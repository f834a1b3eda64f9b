// The actor lists: creation order, reuse, the passes and a full pool.
#include <gtest/gtest.h>

#include <vector>

#include "actors/actor.h"
#include "actors/behaviours.h"
#include "shell/game.h"

namespace {

std::vector<int> updated;
std::vector<int> drawn;

void RecordUpdate(Actor* a) { updated.push_back(a->work[10].i); }
void RecordDraw(Actor* a) { drawn.push_back(a->work[10].i); }

Actor* Make(int tag) {
    Actor* a = AcquireActor(RecordUpdate, RecordDraw, GroupEffect);
    if (a) a->work[10].i = tag;
    return a;
}

class ActorPool : public ::testing::Test {
protected:
    void SetUp() override {
        InitActorPool();
        updated.clear();
        drawn.clear();
    }
};

TEST_F(ActorPool, StartsWith1024FreeRecordsInAscendingOrder) {
    EXPECT_EQ(CountFreeActors(), 1024);
    EXPECT_EQ(CountActiveActors(), 0);
    Actor* first = Make(1);
    Actor* second = Make(2);
    EXPECT_EQ(first, &actorPool[2]);
    EXPECT_EQ(second, &actorPool[3]);
}

TEST_F(ActorPool, AcquireClearsOnlyTheCommonFields) {
    Actor* a = Make(1);
    a->blastTag = 8;
    a->deathKind = DeathExplode;
    a->guardMode = GuardArmoured;
    a->hp = 77;
    a->alive = 0;
    SweepDeadActors();
    Actor* b = Make(2);
    ASSERT_EQ(a, b);
    EXPECT_EQ(b->blastTag, 0);
    EXPECT_EQ(b->deathKind, DeathNone);
    EXPECT_EQ(b->guardMode, GuardNormal);
    EXPECT_EQ(b->alive, 1);
    EXPECT_EQ(b->hp, 77);  // left by the previous user: kinds set what they read
}

TEST_F(ActorPool, SweptRecordIsTheFirstReused) {
    Make(1);
    Actor* b = Make(2);
    Make(3);
    b->alive = 0;
    SweepDeadActors();
    EXPECT_EQ(CountActiveActors(), 2);
    EXPECT_EQ(Make(4), b);
    UpdateActors();
    EXPECT_EQ(updated, (std::vector<int>{1, 3, 4}));  // list order is creation order
}

TEST_F(ActorPool, DeadRecordIsDrawnOnceMoreThenGone) {
    Actor* a = Make(1);
    UpdateActors();
    a->alive = 0;
    DrawActors();
    EXPECT_EQ(drawn, (std::vector<int>{1}));
    SweepDeadActors();
    drawn.clear();
    DrawActors();
    EXPECT_TRUE(drawn.empty());
}

// Creating from inside an update: the newcomer moves in the same pass unless
// the creator was the last record of the list when it ran.
void SpawnChild(Actor* a) {
    updated.push_back(a->work[10].i);
    if (a->work[11].i) {
        a->work[11].i = 0;
        Make(a->work[10].i * 10);
    }
}

TEST_F(ActorPool, RecordAppendedDuringThePassIsUpdatedUnlessTheLastCreatedIt) {
    Actor* a = Make(1);
    a->update = SpawnChild;
    a->work[11].i = 1;
    Make(2);
    UpdateActors();
    // the child of record 1 is appended after 2 and is reached in the same pass
    EXPECT_EQ(updated, (std::vector<int>{1, 2, 10}));

    InitActorPool();
    updated.clear();
    Make(1);
    Actor* last = Make(2);
    last->update = SpawnChild;
    last->work[11].i = 1;
    UpdateActors();
    EXPECT_EQ(updated, (std::vector<int>{1, 2}));  // 20 waits for the next frame
    updated.clear();
    UpdateActors();
    EXPECT_EQ(updated, (std::vector<int>{1, 2, 20}));
}

TEST_F(ActorPool, FullPoolCreatesNothingAndKeepsWorking) {
    for (int i = 0; i < 1024; i++) ASSERT_NE(Make(i), nullptr);
    EXPECT_EQ(Make(5000), nullptr);
    EXPECT_EQ(CountActiveActors(), 1024);
    UpdateActors();
    EXPECT_EQ(updated.size(), 1024u);
    EXPECT_EQ(updated.back(), 1023);
}

TEST_F(ActorPool, ReleaseAllReturnsEveryRecord) {
    for (int i = 0; i < 10; i++) Make(i);
    actorPool[5].alive = 0;
    ReleaseAllActors();
    EXPECT_EQ(CountActiveActors(), 0);
    EXPECT_EQ(CountFreeActors(), 1024);
    EXPECT_EQ(Make(0), &actorPool[11]);  // the last moved is the first handed out
}

TEST(ActorMotion, MoveAlongDirUsesTheTablesAndStopsAtMinusOne) {
    FillAngleTables();
    InitActorPool();
    Actor* a = AcquireActor(ActorNoOp, ActorNoOp, GroupEnemy);
    a->x = 100;
    a->y = 100;
    a->speed = 2;
    a->work[kDir].i = 90;
    MoveAlongDir(a);
    EXPECT_FLOAT_EQ(a->y, 98.0f);
    EXPECT_NEAR(a->x, 100.0f, 1e-5);
    a->work[kDir].i = -1;
    MoveAlongDir(a);
    EXPECT_FLOAT_EQ(a->y, 98.0f);
    // pi with ten digits leaves cos(90) a hair above zero
    EXPECT_NE(cosTable[90], 0.0f);
    EXPECT_FLOAT_EQ(sinTable[270], -1.0f);
}

TEST(Score, AddScoreClampsAtZeroFromBelowOnly) {
    score = 100;
    AddScore(-250);
    EXPECT_EQ(score, 0);
    AddScore(2147483000);
    AddScore(500);
    EXPECT_EQ(score, 2147483500);
    score = 0;
}

}  // namespace

// The test's own behaviours, known to the state hash and the pool checks like the game's.
namespace {
const BehaviourName kTestBehaviours[] = {
    BEHAVIOUR(RecordUpdate),
    BEHAVIOUR(RecordDraw),
    BEHAVIOUR(SpawnChild),
};
BehaviourList testBehaviours(kTestBehaviours);
}  // namespace
