// Boss 7, the bomb thrower: drifts between stops in the lower right and at each stop
// either lobs heavy bombs or lets its turret fire wide aimed spreads; without the
// turret it moves faster and only throws bombs.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Body work words (kBossTick, kBossTargetX, kBossTargetY from the toolkit)
constexpr int kBombTick = kBossOwnWords;
constexpr int kBombCount = kBossOwnWords + 1;
constexpr int kTurnFlag = kBossOwnWords + 2;  // 1: the next stop is the turret's turn

constexpr int32_t kBodyWidth = 172;
constexpr int32_t kBodyHeight = 151;
constexpr float kBodySpeed = 1.8f;
constexpr float kBodySpeedAlone = 4.0f;  // once the turret is gone
constexpr int32_t kBodyScore = 150000;
constexpr int32_t kStopRangeX = 300;  // stops at x 168 to 468
constexpr int32_t kStopRangeY = 100;  // and y 229 to 329
constexpr int32_t kStopTolerance = 4;

constexpr int32_t kBombsFrom = 31;        // phase ticks 31 to 1999 throw
constexpr int32_t kBombsUntil = 1999;
constexpr int32_t kBombGap = 10;          // a bomb when the bomb tick exceeds it
constexpr int32_t kBombsDone = 2000;      // the tick jumps here after the last bomb
constexpr int32_t kBombPhaseEnd = 2060;   // travel again when the tick exceeds it
constexpr int32_t kTurnFrames = 180;      // the turret's turn ends when the tick exceeds it

constexpr int32_t kTurretScore = 50000;
constexpr int32_t kSpreadGap = 27;        // a spread when the fire tick exceeds it

constexpr int32_t kTurretMayFire = 1;
constexpr int32_t kTurretLost = 2;

// The seven shots of a spread: offset from the aim, and speed on top of rank / 30.
struct SpreadShot {
    int32_t offset;
    float speed;
};
static const SpreadShot kSpread[7] = {{0, 4.0f},   {15, 3.0f},  {30, 2.5f},  {60, 2.0f},
                                      {345, 3.0f}, {330, 2.5f}, {315, 2.0f}};

static void UpdateBomberBombs(Actor* a);
static void UpdateBomberTurn(Actor* a);

// The stop is reached only from above or level with it.
static bool AtStop(const Actor* a) {
    int32_t dx = static_cast<int32_t>(a->x) - a->work[kBossTargetX].i;
    int32_t yi = static_cast<int32_t>(a->y);
    int32_t ty = a->work[kBossTargetY].i;
    return dx >= -kStopTolerance && dx <= kStopTolerance && yi >= ty - kStopTolerance && yi <= ty;
}

static void UpdateBomberTravel(Actor* a) {
    if (bossState > 1) a->speed = kBodySpeedAlone;
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    if (AtStop(a)) {
        a->work[kBossTargetX].i = 640 - a->width - RandomUpTo(kStopRangeX);
        a->work[kBossTargetY].i = 480 - a->height - RandomUpTo(kStopRangeY);
        a->work[kBossTick].i = 0;
        a->work[kBombTick].i = 0;
        a->work[kBombCount].i = 0;
        if (bossState > 1) a->work[kTurnFlag].i = 0;
        if (a->work[kTurnFlag].i == 1) {
            a->work[kTurnFlag].i = 0;
            bossState = kTurretMayFire;
            a->update = UpdateBomberTurn;
        } else {
            a->work[kTurnFlag].i = 1;
            a->update = UpdateBomberBombs;
        }
    }
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Standing still: a pause, then a bomb every 11 frames, then a wait.
static void UpdateBomberBombs(Actor* a) {
    int32_t& tick = a->work[kBossTick].i;
    tick += 1;
    if (tick >= kBombsFrom && tick <= kBombsUntil) {
        a->work[kBombTick].i += 1;
        if (a->work[kBombTick].i > kBombGap) {
            a->work[kBombTick].i = 0;
            a->work[kBombCount].i += 1;
            int32_t vx = RandomUpTo(14) - 8;
            int32_t rise = RandomUpTo(10) + 10;
            SpawnEnemyShot006(a->x + 75, a->y + 1, static_cast<float>(vx), static_cast<float>(-rise));
            if (a->work[kBombCount].i > rank / 100 + 3 * bossState + 2) tick = kBombsDone;
        }
    }
    if (tick > kBombPhaseEnd) a->update = UpdateBomberTravel;
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Standing still while the turret fires.
static void UpdateBomberTurn(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > kTurnFrames) {
        if (bossState == kTurretMayFire) bossState = 0;
        a->update = UpdateBomberTravel;
    }
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawBomber(Actor* a) { DrawBossCell(a, ImgEnemy[270]); }

static void FireSpread(const Actor* a) {
    float cx = a->x + 3, cy = a->y + 28;
    int32_t aim = AngleBetween(cx, cy, playerCenterX, playerCenterY);
    float base = static_cast<float>(rank / 30);
    for (const SpreadShot& shot : kSpread)
        SpawnEnemyShot000(cx, cy, WrapDegrees(aim + shot.offset), base + shot.speed);
}

static void UpdateBomberTurret(Actor* a) {
    FollowBossBody(a);
    if (bossState == kTurretMayFire) {
        a->work[kPartFireTick].i += 1;
        if (a->work[kPartFireTick].i > kSpreadGap) {
            a->work[kPartFireTick].i = 0;
            FireSpread(a);
        }
    }
    if (FinishBossPartFrame(a)) bossState = kTurretLost;
}

static void DrawBomberTurret(Actor* a) { DrawBossCell(a, ImgEnemy[271]); }

void SpawnBoss07() {
    Actor* body = AcquireBossActor(UpdateBomberTravel, DrawBomber, 700, 0, kBodyWidth, kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = kBodySpeed;
    StartHp(body, rank * 5 + 4000);
    SetHitRect(body, 0, 16, 154, 14, 138);
    body->scoreValue = kBodyScore;
    body->work[kBossTick].i = 0;
    body->work[kBombTick].i = 0;
    body->work[kBombCount].i = 0;
    body->work[kTurnFlag].i = 0;
    body->work[kBossTargetX].i = 640 - kBodyWidth;
    body->work[kBossTargetY].i = 480 - kBodyHeight;
    Actor* turret = SpawnBossPart(body, UpdateBomberTurret, DrawBomberTurret, 54, 54, rank + 2500,
                                  kTurretScore, -26.0f, 50.0f);
    if (!turret) return;
    turret->speed = 1.3f;
    SetHitRect(turret, 0, 19, 49, 13, 40);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateBomberTravel),
    BEHAVIOUR(UpdateBomberBombs),
    BEHAVIOUR(UpdateBomberTurn),
    BEHAVIOUR(DrawBomber),
    BEHAVIOUR(UpdateBomberTurret),
    BEHAVIOUR(DrawBomberTurret),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
