// Boss 8, the shell launcher: entry, its three lives, shells, pods, fans and streams.
#include <cstdlib>
#include <vector>

#include "actors/behaviours.h"
#include "actors/collision.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "boss_fight.h"
#include "stages/enemies.h"

namespace {

using ShellLauncher = BossFight;

constexpr int kSecondTimer = kBossOwnWords;  // the volley's timer

int AngleGap(int a, int b) {
    int d = std::abs(a - b) % 360;
    return d > 180 ? 360 - d : d;
}

bool IsShell(const Actor* a) { return a->width == 118 && a->guardMode == GuardArmoured; }

// Runs a life until the armoured retreat after it is over.
void EndLifeAndRetreat(Actor* body) {
    body->hp = 0;
    BossFight::Pass();
    ASSERT_EQ(body->guardMode, GuardArmoured);
    for (int i = 0; i < 200 && body->guardMode != GuardNormal; i++) {
        BossFight::Pass();
        BossFight::ClearShots();
    }
}

TEST_F(ShellLauncher, SetUpHasOneBodyWhoseHitPointsFollowRank) {
    SpawnBoss08();
    auto enemies = Live(GroupEnemy);
    ASSERT_EQ(enemies.size(), 1u);  // no parts, no shields
    EXPECT_EQ(enemies[0]->hp, 3000);
    EXPECT_EQ(enemies[0]->hitRectCount, 6);
    EXPECT_EQ(enemies[0]->scoreValue, 250000);
    ReleaseAllActors();
    rank = 255;
    SpawnBoss08();
    EXPECT_EQ(Live(GroupEnemy)[0]->hp, 3765);
}

TEST_F(ShellLauncher, EntersFor118FramesThenThrowsAShellBetweenTwoFansWithAGap) {
    SpawnBoss08();
    Actor* body = Live(GroupEnemy)[0];
    Passes(118);
    EXPECT_EQ(body->x, 522.0f);
    EXPECT_EQ(Shots(), 0);
    Pass();  // the stand's first frame
    auto enemies = Live(GroupEnemy);
    ASSERT_EQ(enemies.size(), 2u);
    Actor* shell = enemies[1];
    EXPECT_TRUE(IsShell(shell));
    EXPECT_EQ(shell->hp, 1000);
    auto shots = Live(GroupEnemyShot);
    ASSERT_EQ(shots.size(), 12u);
    const float ports[2][2] = {{23, 37}, {89, 39}};
    for (int fan = 0; fan < 2; fan++) {
        int aim = AngleBetween(body->x + ports[fan][0], body->y + ports[fan][1], playerCenterX,
                               playerCenterY);
        int nearest = 360;
        for (int i = 0; i < 6; i++) {
            int gap = AngleGap(shots[fan * 6 + i]->work[kDir].i, aim);
            if (gap < nearest) nearest = gap;
        }
        EXPECT_EQ(nearest, 15) << fan;  // the ship's own direction stays free
    }
    // the shell speeds up to 24 leftwards and is gone once off the screen
    Passes(40);
    EXPECT_EQ(shell->speed, 24.0f);
    for (int i = 0; i < 20; i++) {
        Pass();
        ClearShots();
    }
    EXPECT_EQ(Live(GroupEnemy).size(), 1u);
}

TEST_F(ShellLauncher, ShellsFollowEachOtherBy61To106FramesAtRank255) {
    rank = 255;
    SpawnBoss08();
    std::vector<int> made;
    bool fresh = false;  // a shell that has barely started moving
    for (int frame = 1; frame <= 3000; frame++) {
        Pass();
        ClearShots();
        bool now = false;
        for (Actor* a : Live(GroupEnemy)) now = now || (IsShell(a) && a->speed < 1.0f);
        if (now && !fresh) made.push_back(frame);
        fresh = now;
    }
    ASSERT_GE(made.size(), 20u);
    int shortest = 1000, longest = 0;
    for (size_t i = 1; i < made.size(); i++) {
        int gap = made[i] - made[i - 1];
        shortest = gap < shortest ? gap : shortest;
        longest = gap > longest ? gap : longest;
    }
    EXPECT_GE(shortest, 61);
    EXPECT_LE(longest, 106);
}

TEST_F(ShellLauncher, ThreeLivesWithArmouredRetreatsAndTheScoreOnlyAtTheEnd) {
    SpawnBoss08();
    Actor* body = Live(GroupEnemy)[0];
    Passes(130);
    score = 0;
    EndLifeAndRetreat(body);
    EXPECT_GT(body->x, 780.0f);
    EXPECT_EQ(body->hp, 3000);
    EXPECT_EQ(score, 0);
    EndLifeAndRetreat(body);
    EXPECT_GT(body->x, 700.0f);
    EXPECT_EQ(body->hp, 4500);
    EXPECT_EQ(body->work[kBossVx].f, -1.0f);
    EXPECT_EQ(score, 0);
    Passes(300);  // closes in and stops at the stand line
    float stopped = body->x;
    Pass();
    EXPECT_EQ(body->x, stopped);
    EXPECT_LT(stopped, 522.0f);
    EXPECT_GT(stopped, 520.0f);
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 250000);
    Pass();
    EXPECT_EQ(bossState, 5000);  // the add variant
}

TEST_F(ShellLauncher, DestroyedWhileEnteringEndsTheWholeBoss) {
    SpawnBoss08();
    Actor* body = Live(GroupEnemy)[0];
    Passes(10);
    score = 0;
    body->hp = 0;
    Pass();
    EXPECT_EQ(score, 250000);
    EXPECT_EQ(body->guardMode, GuardNormal);  // no retreat into a second life
    Pass();
    EXPECT_GE(bossState, 5000);
}

TEST_F(ShellLauncher, SwingPodsSprayAStreamTurning15DegreesAFrame) {
    SpawnBoss08();
    Actor* body = Live(GroupEnemy)[0];
    Passes(130);
    EndLifeAndRetreat(body);
    for (int i = 0; i < 250; i++) {  // swings back in from beyond the right edge
        Pass();
        ClearShots();
        for (Actor* a : Live(GroupEnemy))
            if (a != body) a->alive = 0;
    }
    body->work[kBossTick].i = 1;
    std::vector<int> spray;
    Actor* pod = nullptr;
    for (int i = 0; i < 15; i++) {  // the pod is made last in the list: it starts next pass
        Pass();
        for (Actor* a : Live(GroupEnemy))
            if (a->width == 64) pod = a;
        for (Actor* s : Live(GroupEnemyShot))
            if (s->width == 16 && s->height == 18) spray.push_back(s->work[kDir].i);
        ClearShots();
    }
    ASSERT_NE(pod, nullptr);
    EXPECT_EQ(pod->hp, 100);
    EXPECT_EQ(pod->speed, 2.4f);
    ASSERT_EQ(spray.size(), 14u);
    EXPECT_EQ(spray[0], 180);
    EXPECT_EQ(spray[1], 165);
    EXPECT_EQ(spray[12], 0);
    EXPECT_EQ(spray[13], 345);
}

TEST_F(ShellLauncher, ThirdLifeVolleysThenSweepsUpAndDown) {
    SpawnBoss08();
    Actor* body = Live(GroupEnemy)[0];
    Passes(130);
    EndLifeAndRetreat(body);
    EndLifeAndRetreat(body);
    for (Actor* a : Live(GroupEnemy))
        if (a != body) a->alive = 0;
    body->hp = 100000;
    body->work[kBossTick].i = 1;  // close ends now: a volley
    body->work[kSecondTimer].i = 0;
    int volleyShots = 0;
    for (int i = 0; i < 92; i++) {
        Pass();
        volleyShots += Shots();
        ClearShots();
    }
    EXPECT_EQ(volleyShots, 3 * 7);  // seven ports, every 26 frames of a 91-frame volley
    // the ship far to the right of the stream port, at direction 0 from it: the sweep
    // starts 60 degrees below that, wrapped into 0..359
    playerCenterX = 5000;
    playerCenterY = body->y + 75;
    body->work[kBossTick].i = 1;
    Pass();
    std::vector<int> stream;
    for (int i = 0; i < 160; i++) {
        Pass();
        for (Actor* s : Live(GroupEnemyShot))
            if (s->speed == 18.0f) stream.push_back(s->work[kDir].i);
        ClearShots();
        playerCenterY = body->y + 75;
    }
    ASSERT_EQ(stream.size(), 81u + 71u);
    EXPECT_EQ(stream[0], 301);
    EXPECT_EQ(stream[80], 21);
    EXPECT_EQ(stream[81], 78);  // back from 80 degrees above the ship, 2 a frame
    EXPECT_EQ(stream[151], 78 - 2 * 70 + 360);
}

}  // namespace

// The test's own behaviours, known to the state hash and the pool checks like the game's.
namespace {
const BehaviourName kTestBehaviours[] = {
    BEHAVIOUR(EndLifeAndRetreat),
};
BehaviourList testBehaviours(kTestBehaviours);
}  // namespace
