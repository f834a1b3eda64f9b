// Boss 16, the grid core: the grid walk and its mines, the attack cycle, the spinning
// sweeps and their needle spirals, the descent and beam, and the rotated picture.
#include <vector>

#include "actors/behaviours.h"
#include "bosses/boss_common.h"
#include "bosses/bosses.h"
#include "boss_fight.h"
#include "shell/assets.h"
#include "stages/enemies.h"

namespace {

using GridCore = BossFight;

constexpr int kDrawAngle = kBossOwnWords;
constexpr int kGridDx = kBossOwnWords + 1;
constexpr int kGridDy = kBossOwnWords + 2;
constexpr int kMinesLeft = kBossOwnWords + 4;
constexpr int kNextAttack = kBossOwnWords + 5;
constexpr int kPhaseTimer = kBossTick;
int32_t& gridWalkOver = bossScratch[0];
int32_t& gridStepFrames = bossScratch[1];

Actor* SpawnCore() {
    SpawnBoss16();
    auto e = BossFight::Live(GroupEnemy);
    EXPECT_EQ(e.size(), 1u);  // no parts, no shields
    return e[0];
}

// Ends the current grid walk at the left edge; the selector then pauses 180 frames
// before it starts attack `next`.
void EndWalk(Actor* core, int32_t next) {
    core->work[kNextAttack].i = next;
    core->x = 0;
    core->y = 32;
    core->work[kGridDx].f = -1.0f;
    core->work[kGridDy].f = 0.0f;
    core->work[kMinesLeft].i = 0;
    core->work[kPhaseTimer].i = 1;
    BossFight::Pass();
}

// Cuts the selector's pause short: the next attack starts in this pass.
void EndPause(Actor* core) {
    core->work[kPhaseTimer].i = 1;
    BossFight::Pass();
}

TEST_F(GridCore, SetUpAndTheFirstStepSixtyFramesLater) {
    for (int32_t& w : bossScratch) w = 5;
    Actor* core = SpawnCore();
    EXPECT_EQ(core->hp, 8000);
    EXPECT_EQ(gridWalkOver, 0);
    EXPECT_EQ(gridStepFrames, 12);
    EXPECT_EQ(bossScratch[2], 0);
    EXPECT_EQ(core->work[kMinesLeft].i, 20);
    Passes(59);
    EXPECT_EQ(core->x, 640.0f);
    Pass();
    EXPECT_EQ(core->x, 608.0f);  // one grid step to the left
    EXPECT_EQ(core->y, 32.0f);
    ReleaseAllActors();
    rank = 255;
    core = SpawnCore();
    EXPECT_EQ(core->hp, 20750);
    EXPECT_EQ(core->work[kMinesLeft].i, 26);
}

TEST_F(GridCore, WalkBouncesWhileMinesRemainAndEachEndedWalkStepsFaster) {
    Actor* core = SpawnCore();
    core->x = 0;
    core->work[kGridDx].f = -1.0f;
    core->work[kGridDy].f = 0.0f;
    core->work[kMinesLeft].i = 5;
    core->work[kPhaseTimer].i = 1;
    Pass();
    EXPECT_EQ(core->x, 0.0f);  // stepped back inside
    EXPECT_EQ(gridStepFrames, 12);
    for (int walk = 0; walk < 12; walk++) {
        EndWalk(core, 7);
        EXPECT_EQ(core->x, -32.0f) << walk;  // the walk ends off the edge, where it is
        EXPECT_EQ(core->work[kPhaseTimer].i, 180);
        EXPECT_EQ(gridWalkOver, 0);
        EXPECT_EQ(gridStepFrames, walk < 9 ? 11 - walk : 3) << walk;
        EndPause(core);  // a new walk along the top row
        EXPECT_EQ(core->x, 640.0f);
        ClearShots();
    }
}

constexpr float kAny = -1000;  // drawn at random
struct Expected {
    int32_t next;
    float x, y;
    int32_t dir;  // -1 for the grid walks
    float speed;
};

TEST_F(GridCore, SelectorRunsTheAttacksInTheirFixedOrder) {
    const Expected cycle[7] = {
        {1, 640, kAny, 180, 3.0f}, {2, -32, kAny, 0, 4.0f},  {3, kAny, -32, 270, 4.4f},
        {4, kAny, 480, 90, 5.2f},  {5, 640, 416, -1, 0},     {6, 448, -32, 270, 1.2f},
        {7, 640, 32, -1, 0},
    };
    for (const Expected& e : cycle) {
        Actor* core = SpawnCore();
        EndWalk(core, e.next);
        EndPause(core);
        EXPECT_EQ(core->work[kNextAttack].i, e.next == 7 ? 1 : e.next + 1);
        if (e.x != kAny) {
            EXPECT_EQ(core->x, e.x) << e.next;
        } else {
            EXPECT_TRUE(core->x >= 0 && core->x <= 608) << e.next;
        }
        if (e.y != kAny) {
            EXPECT_EQ(core->y, e.y) << e.next;
        } else {
            EXPECT_TRUE(core->y >= 0 && core->y <= 448) << e.next;
        }
        if (e.dir >= 0) {
            EXPECT_EQ(core->work[kDir].i, e.dir) << e.next;
            EXPECT_EQ(core->speed, e.speed) << e.next;
        } else {
            EXPECT_EQ(core->work[kMinesLeft].i, 20) << e.next;
            EXPECT_EQ(core->work[kPhaseTimer].i, 60) << e.next;
        }
        ReleaseAllActors();
    }
}

TEST_F(GridCore, SweepTurnsThePictureWithTheNeedleSpiral) {
    Actor* core = SpawnCore();
    EndWalk(core, 1);
    EndPause(core);  // the sweep from the right
    ClearShots();
    std::vector<int> needles;
    int frames = 0;
    while (core->x >= -32 && frames < 400) {
        Pass();
        frames++;
        int s = (180 + 4 * frames - 1) % 360 + 1;  // spin 184, 188, ... 360, 4, ...
        EXPECT_EQ(core->work[kDrawAngle].i, s == 360 ? 0 : 360 - s) << frames;
        for (Actor* n : Live(GroupEnemyShot)) needles.push_back(n->work[kDir].i);
        ClearShots();
    }
    EXPECT_EQ(frames, 225);  // 675 pixels at 3 a frame
    ASSERT_GE(needles.size(), 50u);
    EXPECT_EQ(needles[0], 184);
    EXPECT_EQ(needles[1], 196);  // one needle every 3 frames, 12 degrees apart
    EXPECT_EQ(needles[15], 4);   // past 360 the spiral goes on from 0
    Pass();
    EXPECT_EQ(core->work[kDir].i, 0);  // the next sweep starts at once, from the left
    EXPECT_EQ(core->x, -32.0f);
}

// The core's 32 x 32 cell as drawn at (300, 200).
std::vector<uint32_t> DrawnCell(Actor* core) {
    ClearBackBuffer();
    core->draw(core);
    std::vector<uint32_t> out;
    for (int row = 0; row < 32; row++)
        for (int col = 0; col < 32; col++) out.push_back(ReadBackBufferPixel(300 + col, 200 + row));
    return out;
}

TEST_F(GridCore, PictureTurnsAboutItsCentreAndFlashesWithTheNextPicture) {
    Actor* core = SpawnCore();
    core->x = 300;
    core->y = 200;
    core->work[kDrawAngle].i = 0;
    auto upright = DrawnCell(core);
    core->work[kDrawAngle].i = 90;
    auto turned = DrawnCell(core);
    core->work[kDrawAngle].i = 0;
    core->work[kHitFlash].i = 1;
    auto flash = DrawnCell(core);
    if (MissingAssetCount() == 0) {
        int differ = 0;
        for (int row = 0; row < 32; row++)
            for (int col = 0; col < 32; col++)
                differ += turned[row * 32 + col] != upright[(31 - col) * 32 + row];
        EXPECT_EQ(differ, 0);  // a quarter turn clockwise on the screen
        EXPECT_NE(turned, upright);
        EXPECT_NE(flash, upright);
    }
}

TEST_F(GridCore, DescentThenABeamFromBeyondTheRightEdge) {
    Actor* core = SpawnCore();
    EndWalk(core, 6);
    EndPause(core);
    ASSERT_EQ(core->y, -32.0f);
    core->work[kBossTargetY].i = 100;
    int frames = 0;
    while (core->work[kBossTargetX].i != 700 && frames < 200) {
        Pass();
        frames++;
    }
    EXPECT_EQ(core->speed, 8.0f);
    int blocks = 0;
    for (int i = 0; i < 200; i++) {
        Pass();
        for (Actor* b : Live(GroupEnemyShot)) blocks += b->width == 128;
        ClearShots();
    }
    EXPECT_EQ(blocks, 140);
    EXPECT_GT(core->x, 640.0f);  // it waits off the screen
    Passes(120);
    EXPECT_EQ(core->x, 640.0f);  // then walks the top row again
    EXPECT_EQ(core->y, 32.0f);
}

TEST_F(GridCore, DeathScoresAndUsesTheAddVariant) {
    Actor* core = SpawnCore();
    Passes(3);
    score = 0;
    core->hp = 0;
    Pass();
    EXPECT_EQ(score, 300000);
    Pass();
    EXPECT_EQ(bossState, 5000);
}

}  // namespace

// The test's own behaviours, known to the state hash and the pool checks like the game's.
namespace {
const BehaviourName kTestBehaviours[] = {
    BEHAVIOUR(EndPause),
};
BehaviourList testBehaviours(kTestBehaviours);
}  // namespace
