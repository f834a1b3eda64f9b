// Boss 2, the walking battleship: a long hull pacing the bottom of the screen while
// its three turrets do the firing; every lost turret makes the survivors fire harder.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Middle turret work word
constexpr int kBurstCount = kPartOwnWords;

constexpr int32_t kBodyWidth = 349;
constexpr int32_t kBodyHeight = 159;
constexpr float kBodyStartX = 640.0f;
constexpr float kBodyY = 321.0f;  // the hull only walks sideways
constexpr int32_t kFirstTargetX = 291;
constexpr int32_t kPaceRange = 80;  // targets 211 to 291
constexpr int32_t kBodyScore = 100000;
constexpr int32_t kTurretScore = 50000;

constexpr int32_t kFrontInterval = 25;        // minus rank / 50
constexpr float kFrontShotSpeed = 4.0f;       // plus rank / 80
constexpr int32_t kFrontSpread = 60;
constexpr int32_t kBurstPause = 120;          // a burst starts when the tick exceeds it
constexpr int32_t kBurstGap = 4;              // a rising shot when the tick exceeds it
constexpr int32_t kBurstShots = 10;           // plus 4 per lost turret
constexpr int32_t kBurstShotsPerLoss = 4;
constexpr float kRisingShotSpeed = 12.0f;
constexpr int32_t kReleaseInterval = 160;     // minus 50 per lost turret
constexpr int32_t kReleaseIntervalPerLoss = 50;

// The hull's words: kBossVx, kBossTargetX.
static void UpdateBattleshipWalk(Actor* a) {
    WalkSideways(a, kPaceRange);
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawBattleship(Actor* a) { DrawBossCell(a, ImgEnemy[220]); }

// A turret's last step: every release (destroyed, or cleared at the boss's death)
// counts one more lost turret.
static void FinishBattleshipTurret(Actor* a) {
    if (FinishBossPartFrame(a)) bossState += 1;
}

// Aimed 32-pixel shots at a steady rate.
static void UpdateBattleshipFrontTurret(Actor* a) {
    FollowBossBody(a);
    int32_t& tick = a->work[kPartFireTick].i;
    tick += 1;
    if (tick >= kFrontInterval - rank / 50) {
        tick = 0;
        int32_t dir = AimAtPlayer(kFrontSpread, a->x + 3, a->y + 16);
        SpawnEnemyShot002(a->x + 3, a->y + 16, dir, static_cast<float>(rank / 80) + kFrontShotSpeed);
    }
    FinishBattleshipTurret(a);
}

// Bursts of rising shots after a pause; longer bursts for every lost turret.
static void UpdateBattleshipMiddleTurret(Actor* a) {
    FollowBossBody(a);
    int32_t& tick = a->work[kPartFireTick].i;
    int32_t& burst = a->work[kBurstCount].i;
    tick += 1;
    if (burst == 0 && tick > kBurstPause) {
        tick = 0;
        burst = 1;
    }
    if (burst > 0 && tick > kBurstGap) {
        SpawnFountainShot(a->x + 26, a->y + 2, kRisingShotSpeed);
        burst += 1;
        tick = 0;
        if (burst > bossState * kBurstShotsPerLoss + kBurstShots) burst = 0;
    }
    FinishBattleshipTurret(a);
}

// Releases small enemies, more often for every lost turret.
static void UpdateBattleshipRearTurret(Actor* a) {
    FollowBossBody(a);
    int32_t& tick = a->work[kPartFireTick].i;
    tick += 1;
    if (tick > kReleaseInterval - kReleaseIntervalPerLoss * bossState) {
        tick = 0;
        SpawnEnemy006(a->x - 12, a->y);
    }
    FinishBattleshipTurret(a);
}

static void DrawBattleshipFrontTurret(Actor* a) { DrawBossCell(a, ImgEnemy[221]); }
static void DrawBattleshipMiddleTurret(Actor* a) { DrawBossCell(a, ImgEnemy[222]); }
static void DrawBattleshipRearTurret(Actor* a) { DrawBossCell(a, ImgEnemy[223]); }

struct TurretShape {
    ActorFn update, draw;
    int32_t w, h;
    int32_t hpBase;  // plus rank
    float offsetX, offsetY;
    HitRect rects[2];
};

static const TurretShape kTurrets[3] = {
    {UpdateBattleshipFrontTurret, DrawBattleshipFrontTurret, 43, 126, 500, 66.0f, 0.0f,
     {{12, 39, 7, 24}, {19, 34, 23, 125}}},
    {UpdateBattleshipMiddleTurret, DrawBattleshipMiddleTurret, 51, 59, 700, 124.0f, 66.0f,
     {{18, 35, 2, 20}, {1, 49, 20, 58}}},
    {UpdateBattleshipRearTurret, DrawBattleshipRearTurret, 119, 76, 800, 188.0f, 46.0f,
     {{6, 27, 8, 40}, {27, 117, 4, 72}}},
};

static Actor* SpawnBattleshipTurret(const Actor* body, const TurretShape& t) {
    Actor* p = SpawnBossPart(body, t.update, t.draw, t.w, t.h, rank + t.hpBase, kTurretScore,
                             t.offsetX, t.offsetY);
    if (!p) return nullptr;
    p->speed = 0;
    for (int i = 0; i < 2; i++)
        SetHitRect(p, i, t.rects[i].left, t.rects[i].right, t.rects[i].top, t.rects[i].bottom);
    p->work[kBurstCount].i = 0;
    return p;
}

void SpawnBoss02() {
    Actor* body = AcquireBossActor(UpdateBattleshipWalk, DrawBattleship, kBodyStartX, kBodyY,
                                   kBodyWidth, kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = 8.0f;
    StartHp(body, (rank * 5 + 500) * 2);
    SetHitRect(body, 0, 8, 341, 106, 149);
    body->scoreValue = kBodyScore;
    body->work[kBossVx].f = -1.0f;
    body->work[kBossTargetX].i = kFirstTargetX;
    SpawnBattleshipTurret(body, kTurrets[0]);
    if (Actor* middle = SpawnBattleshipTurret(body, kTurrets[1])) {
        int32_t start = RandomUpTo(30);
        middle->work[kBurstCount].i = start + 16;  // the first burst starts at once, and short
    }
    SpawnBattleshipTurret(body, kTurrets[2]);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateBattleshipWalk),
    BEHAVIOUR(DrawBattleship),
    BEHAVIOUR(UpdateBattleshipFrontTurret),
    BEHAVIOUR(UpdateBattleshipMiddleTurret),
    BEHAVIOUR(UpdateBattleshipRearTurret),
    BEHAVIOUR(DrawBattleshipFrontTurret),
    BEHAVIOUR(DrawBattleshipMiddleTurret),
    BEHAVIOUR(DrawBattleshipRearTurret),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
