// A pool filled to the last record with enemies and shots: creations quietly do
// nothing, nothing crashes, and every live record goes on moving.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "actors/actor.h"
#include "actors/spawners.h"
#include "player/player.h"
#include "shell/replay.h"
#include "stages/enemies.h"
#include "support/headless_game.h"

namespace {

class PoolExhaustion : public HeadlessGame {
protected:
    static bool PoolWhole() { return CountActiveActors() + CountFreeActors() == kActorPoolSize; }

    // Enemies of stage 1's kinds on a grid, each followed by slow shots, until the pool is full.
    static void FillPool() {
        int i = 0;
        while (CountFreeActors() > 0) {
            float x = 200.0f + static_cast<float>((i * 37) % 400);
            float y = 40.0f + static_cast<float>((i * 53) % 400);
            switch (i % 4) {
            case 0: SpawnEnemy000(x, y); break;
            case 1: SpawnEnemy001(x, y); break;
            case 2: SpawnEnemy003(x, y); break;
            default: SpawnEnemy004(x, y); break;
            }
            for (int k = 0; k < 3 && CountFreeActors() > 0; k++)
                SpawnEnemyShot000(x, y, (i * 29 + k * 120) % 360, 0.5f);
            i++;
        }
    }
};

struct Snapshot {
    Actor* a;
    ActorFn update;
    float x, y;
};

TEST_F(PoolExhaustion, FullPoolKeepsEveryRecordWorking) {
    BeginRun(5, 3, 1);
    Frame(PadButton1);  // the entry frame: ship and stars
    ASSERT_NE(playerShip, nullptr);
    FillPool();
    ASSERT_EQ(CountFreeActors(), 0);

    // further creations of every sort do nothing
    SpawnEnemy001(300, 200);
    SpawnEnemyShot000(300, 200, 180, 2.0f);
    SpawnExplosion(300, 200, 0, 0);
    SpawnItem(300, 200, 0);
    EXPECT_EQ(CountActiveActors(), kActorPoolSize);

    std::vector<Snapshot> before;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->group == GroupEnemyShot) before.push_back({a, a->update, a->x, a->y});
    ASSERT_GT(before.size(), 500u);

    // the ship fires and the enemies fire into a full pool
    Frame(PadButton1);
    EXPECT_TRUE(PoolWhole());
    int moved = 0, stopped = 0;
    for (const Snapshot& s : before) {
        if (!s.a->alive || s.a->update != s.update) continue;  // hit, or changed state
        if (std::fabs(s.a->x - s.x) + std::fabs(s.a->y - s.y) > 0.25f) moved++;
        else stopped++;
    }
    EXPECT_EQ(stopped, 0) << "shots that did not move in a full pool";
    EXPECT_GT(moved, 400);

    // hundreds of frames on: the pool stays whole, records return and are reused
    int freedAtSomePoint = 0;
    for (int f = 0; f < 600; f++) {
        Frame(PadButton1 | ((f / 30) % 2 ? PadUp : PadDown));
        ASSERT_TRUE(PoolWhole()) << "frame " << f;
        if (CountFreeActors() > 0) freedAtSomePoint++;
        if (f % 50 == 0) FillPool();
    }
    EXPECT_GT(freedAtSomePoint, 0);
    EXPECT_NE(playerShip->update, nullptr);
}

}  // namespace
