// Boss 6, the beam carrier: rises from below, then alternates a beam across the whole
// screen and a gun phase of large aimed shots with spells of travel, dropping small
// craft all the time.
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

// Body work words
constexpr int kColumn = kBossOwnWords;  // picture column: 0 travelling, 1 attacking
constexpr int kDropTick = kBossOwnWords + 1;
constexpr int kNextIsGun = kBossOwnWords + 2;  // which attack the next travel ends in
// Craft work words
constexpr int kCraftVx = 3;
constexpr int kCraftVy = 4;
constexpr int kWeave = 5;
constexpr int kCraftFireTick = 6;

constexpr int32_t kBodyWidth = 220;
constexpr int32_t kBodyHeight = 230;
constexpr float kBodySpeed = 2.8f;
constexpr int32_t kStopTolerance = 4;
constexpr int32_t kTargetSpread = 100;
constexpr int32_t kDropInterval = 50;  // a craft when the tick exceeds it: every 51 frames
constexpr int32_t kAttackFrames = 160;
constexpr int32_t kGunPeriod = 30;
constexpr int32_t kGunPhaseShot = 15;
constexpr int32_t kBeamStart = 30;
constexpr int32_t kBeamEnd = 150;
constexpr float kBeamSpeed = 128.0f;
constexpr int32_t kTravelBase = 240;
constexpr int32_t kTravelSpread = 180;

constexpr int32_t kCraftWidth = 53;
constexpr int32_t kCraftHeight = 47;
constexpr float kCraftVxStart = -4.2f;
constexpr float kWeaveStep = 0.24f;
constexpr float kWeaveLimit = 1.8f;
constexpr int32_t kWeaveRising = 8;
constexpr int32_t kWeaveFalling = 2;

// ---- the dropped craft --------------------------------------------------------------

// Weaves up and down on its way left, firing at the ship.
static void UpdateCarrierCraft(Actor* a) {
    float& vy = a->work[kCraftVy].f;
    if (a->work[kWeave].i == kWeaveRising) {
        vy -= kWeaveStep;
        if (vy < -kWeaveLimit) a->work[kWeave].i = kWeaveFalling;
    } else if (a->work[kWeave].i == kWeaveFalling) {
        vy += kWeaveStep;
        if (vy > kWeaveLimit) a->work[kWeave].i = kWeaveRising;
    }
    a->x += a->work[kCraftVx].f;
    a->y += vy;
    a->work[kCraftFireTick].i += 1;
    if (a->work[kCraftFireTick].i > 14 - rank / 40) {
        a->work[kCraftFireTick].i = 0;
        int32_t dir = AngleBetween(a->x + 27, a->y + 23, playerCenterX, playerCenterY);
        SpawnEnemyShot000(a->x, a->y + 4, dir, static_cast<float>(rank / 80) + 2.0f);
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawBeamCarrierCraft(Actor* a) { DrawEnemyCell(a, ImgEnemy[261], 0); }

static void SpawnCarrierCraft(float x, float y) {
    Actor* c = AcquireEnemy(UpdateCarrierCraft, DrawBeamCarrierCraft, x, y);
    if (!c) return;
    c->width = kCraftWidth;
    c->height = kCraftHeight;
    SetHitRect(c, 0, 0, kCraftWidth, 0, kCraftHeight);
    c->attack = 1;
    c->speed = 1.3f;
    c->scoreValue = 400;
    c->work[kCraftVx].f = kCraftVxStart;
    c->work[kCraftVy].f = 0.0f;
    c->work[kWeave].i = kWeaveRising;
    c->work[kCraftFireTick].i = 0;
    StartHp(c, rank / 10 + 16);
}

// ---- the body -----------------------------------------------------------------------

static void UpdateCarrierTravel(Actor* a);
static void UpdateCarrierGun(Actor* a);
static void UpdateCarrierBeam(Actor* a);

static void DropCraft(Actor* a) {
    a->work[kDropTick].i += 1;
    if (a->work[kDropTick].i <= kDropInterval) return;
    a->work[kDropTick].i = 0;
    SpawnCarrierCraft(a->x - 13, a->y + 169);
}

// A reached target is replaced by a new one on the right of the screen.
static void TravelToTarget(Actor* a) {
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    PublishBossPosition(a);
    if (IsStopReachedFromAbove(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i,
                               kStopTolerance)) {
        a->work[kBossTargetX].i = RandomTargetX(a, kTargetSpread);
        a->work[kBossTargetY].i = RandomTargetY(a);
    }
}

static void StartAttack(Actor* a, ActorFn attack) {
    a->work[kBossTick].i = 0;
    a->work[kColumn].i = 1;
    a->update = attack;
}

static void EndAttack(Actor* a) {
    a->work[kBossTick].i = RandomUpTo(kTravelSpread) + kTravelBase;
    a->work[kColumn].i = 0;
    a->update = UpdateCarrierTravel;
}

// Travel until the timer runs out, then the other attack than last time.
static void UpdateCarrierTravel(Actor* a) {
    TravelToTarget(a);
    DropCraft(a);
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        if (a->work[kNextIsGun].i == 1) {
            a->work[kNextIsGun].i = 0;
            StartAttack(a, UpdateCarrierGun);
        } else {
            a->work[kNextIsGun].i = 1;
            StartAttack(a, UpdateCarrierBeam);
        }
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Five accelerating 64-pixel shots aimed exactly at the ship, still travelling.
static void UpdateCarrierGun(Actor* a) {
    TravelToTarget(a);
    DropCraft(a);
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i % kGunPeriod == kGunPhaseShot) {
        float gx = a->x + 44, gy = a->y + 84;
        int32_t dir = AngleBetween(gx, gy, playerCenterX, playerCenterY);
        SpawnEnemyShot001(gx, gy, dir, static_cast<float>(rank / 80) + 4.2f);
    }
    if (a->work[kBossTick].i >= kAttackFrames) EndAttack(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Standing still: a band of 128-pixel blocks from the front, frames 30 to 150.
static void UpdateCarrierBeam(Actor* a) {
    DropCraft(a);
    int32_t& tick = a->work[kBossTick].i;
    tick += 1;
    if (tick == kBeamStart) PlaySound(WavEnemyShot[3], 1, 1);
    if (tick >= kBeamStart && tick <= kBeamEnd) SpawnEnemyShot005(a->x + 131, a->y + 87, 180, kBeamSpeed);
    if (tick >= kAttackFrames) EndAttack(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawBeamCarrier(Actor* a) { DrawEnemyCell(a, ImgEnemy[260], a->work[kColumn].i); }

void SpawnBoss06() {
    Actor* body = AcquireBossActor(UpdateCarrierTravel, DrawBeamCarrier, 420, 480, kBodyWidth,
                                   kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = kBodySpeed;
    StartHp(body, rank * 5 + 4500);
    SetHitRect(body, 0, 26, 64, 30, 139);
    body->scoreValue = 200000;
    body->work[kColumn].i = 0;
    body->work[kBossTick].i = 0;
    body->work[kDropTick].i = 0;
    body->work[kNextIsGun].i = 0;
    body->work[kBossTargetX].i = 640 - kBodyWidth;
    body->work[kBossTargetY].i = 125;
    SpawnBossShield(26, 9, 154, 17);
    SpawnBossShield(70, 30, 137, 128);
    SpawnBossShield(0, 165, 196, 40);
    SpawnBossShield(48, 206, 162, 18);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateCarrierCraft),
    BEHAVIOUR(DrawBeamCarrierCraft),
    BEHAVIOUR(UpdateCarrierTravel),
    BEHAVIOUR(UpdateCarrierGun),
    BEHAVIOUR(UpdateCarrierBeam),
    BEHAVIOUR(DrawBeamCarrier),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
