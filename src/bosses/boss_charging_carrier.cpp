// Boss 1, the charging carrier: three lives with an armoured retreat off the right
// edge between them. It swings before the ship firing fans, then charges across the
// screen again and again, then creeps in firing laser bursts and aimed shots. Three
// passive armour plates ride on it.
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

// Body work words
constexpr int kFanTimer = kBossOwnWords;
constexpr int kLaserStep = kBossOwnWords + 1;
constexpr int kLaserCount = kBossOwnWords + 2;

constexpr int32_t kBodyWidth = 306;
constexpr int32_t kBodyHeight = 155;
constexpr float kMuzzleX = 15, kMuzzleY = 81;  // every shot leaves from here
constexpr int32_t kSecondLifeHp = 600;

constexpr int32_t kFanGap = 60;
constexpr int32_t kFanOffsets[5] = {0, -30, -60, 30, 60};  // 180, 150, 120, 210, 240
constexpr float kRetreatDrag = 0.3f;
constexpr float kRetreatFloor = 4.0f;
constexpr float kRetreatEndX = 780;
constexpr float kSecondRetreatEndX = 720;
constexpr float kChargeSpeed = 10.0f;
constexpr float kReturnSpeed = 7.0f;
constexpr float kChargeEndX = -kBodyWidth - 100;  // -406
constexpr float kReturnEndX = 700;
constexpr float kCreepSpeed = 0.5f;
constexpr float kCreepStopX = 334;
constexpr int32_t kLaserGap = 4;
constexpr int32_t kLaserBurst = 10;
constexpr int32_t kBurstGap = 120;

static void UpdateCarrierRetreat(Actor* a);
static void UpdateCarrierChargeLeft(Actor* a);
static void UpdateCarrierReturnRight(Actor* a);
static void UpdateCarrierSecondRetreat(Actor* a);
static void UpdateCarrierCreep(Actor* a);

static int32_t NextLifeHp() { return rank * 2 + 1000; }

static float MuzzleX(const Actor* a) { return a->x + kMuzzleX; }
static float MuzzleY(const Actor* a) { return a->y + kMuzzleY; }

// The random part of these speeds: 0.0 to 2.0 in tenths, drawn before the aim.
static void FireAimed(const Actor* a, ShotSpawner spawn, int32_t spread, float base) {
    float speed = static_cast<float>(RandomUpTo(20)) / 10.0f + base;
    int32_t dir = AimAtPlayer(spread, MuzzleX(a), MuzzleY(a));
    spawn(MuzzleX(a), MuzzleY(a), dir, speed);
}

// Now and then a medium shot, aimed closely.
static void MaybeFireMediumShot(const Actor* a) {
    if (RandomUpTo(256) < 4) FireAimed(a, SpawnEnemyShot002, 10, 4.2f);
}

static void MoveByVelocity(Actor* a) {
    a->x += a->work[kBossVx].f;
    a->y += a->work[kBossVy].f;
    PublishBossPosition(a);
}

static void UpdateCarrierSwing(Actor* a) {
    HoverInBox(a, 468, 490, 114, 211);
    PublishBossPosition(a);
    a->work[kFanTimer].i -= 1;
    if (a->work[kFanTimer].i <= 0) {
        a->work[kFanTimer].i = kFanGap;
        FireFan(SpawnEnemyShot000, MuzzleX(a), MuzzleY(a), 180, kFanOffsets, 5,
                static_cast<float>(rank / 80) + 6.5f);
    }
    MaybeFireMediumShot(a);
    if (FinishBossLifeFrame(a, kSecondLifeHp, UpdateCarrierRetreat)) a->work[kBossVx].f = 10.0f;
}

// Armoured, off to the right: no hit flash and no hp test.
static bool Retreat(Actor* a, float endX) {
    a->work[kBossVx].f -= kRetreatDrag;
    if (a->work[kBossVx].f < kRetreatFloor) a->work[kBossVx].f = kRetreatFloor;
    MoveByVelocity(a);
    bool done = a->x > endX;
    if (done) a->guardMode = GuardNormal;
    if (a->deathKind == DeathExplode) {
        SpawnExplosion(CentreX(a), CentreY(a), 0, a->speed);
        a->alive = 0;
    }
    return done;
}

static void UpdateCarrierRetreat(Actor* a) {
    if (!Retreat(a, kRetreatEndX)) return;
    a->work[kBossVy].f = 0;
    a->update = UpdateCarrierChargeLeft;
}

// The second life ends in the second retreat, from either half of the charge.
static void FinishChargeFrame(Actor* a, float retreatVx, bool resetVy) {
    if (!FinishBossLifeFrame(a, NextLifeHp(), UpdateCarrierSecondRetreat)) return;
    a->work[kBossVx].f = retreatVx;
    if (resetVy) a->work[kBossVy].f = -1.0f;
}

static void UpdateCarrierChargeLeft(Actor* a) {
    a->work[kBossVx].f = -kChargeSpeed;
    MoveByVelocity(a);
    if (a->x < kChargeEndX) a->update = UpdateCarrierReturnRight;
    FinishChargeFrame(a, 20.0f, false);
}

// Back across off the screen, then a new lane.
static void UpdateCarrierReturnRight(Actor* a) {
    a->work[kBossVx].f = kReturnSpeed;
    MoveByVelocity(a);
    if (a->x > kReturnEndX) {
        a->y = static_cast<float>(RandomTargetY(a));
        PublishBossPosition(a);
        a->update = UpdateCarrierChargeLeft;
    }
    FinishChargeFrame(a, 10.0f, true);
}

static void UpdateCarrierSecondRetreat(Actor* a) {
    if (!Retreat(a, kSecondRetreatEndX)) return;
    a->work[kBossVy].f = 4.0f;
    a->update = UpdateCarrierCreep;
}

// Bursts of ten bolts, one every four frames, 120 frames apart; the first waits for
// the fan timer left over from the swing.
static void RunLaserBursts(Actor* a) {
    if (a->work[kFanTimer].i > 0) a->work[kFanTimer].i -= 1;
    if (a->work[kFanTimer].i > 0) return;
    a->work[kLaserStep].i -= 1;
    if (a->work[kLaserStep].i > 0) return;
    a->work[kLaserStep].i = kLaserGap;
    FireLaserBolt(MuzzleX(a), MuzzleY(a), 180, 20.0f);
    a->work[kLaserCount].i += 1;
    if (a->work[kLaserCount].i == kLaserBurst) {
        a->work[kLaserCount].i = 0;
        a->work[kFanTimer].i = kBurstGap;
    }
}

static void UpdateCarrierCreep(Actor* a) {
    a->work[kBossVx].f = a->x > kCreepStopX ? -kCreepSpeed : 0.0f;
    a->work[kBossVy].f = SwingTowardsBand(a->work[kBossVy].f, a->y, 40, 281, 4.0f);
    MoveByVelocity(a);
    if (RandomUpTo(256) < 26) FireAimed(a, SpawnEnemyShot000, 90, 3.2f);
    MaybeFireMediumShot(a);
    RunLaserBursts(a);
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void DrawChargingCarrier(Actor* a) { DrawBossCell(a, ImgEnemy[210]); }

// ---- plates: passive armour that can be shot off -----------------------------------

static void UpdateCarrierPlate(Actor* a) {
    FollowBossBody(a);
    FinishBossPartFrame(a);
}

static void DrawUpperPlate(Actor* a) { DrawBossCell(a, ImgEnemy[211]); }
static void DrawMiddlePlate(Actor* a) { DrawBossCell(a, ImgEnemy[212]); }
static void DrawRearPlate(Actor* a) { DrawBossCell(a, ImgEnemy[213]); }

static Actor* SpawnPlate(const Actor* body, ActorFn draw, int32_t w, int32_t h, int32_t hp,
                         float offsetX, float offsetY) {
    Actor* p = SpawnBossPart(body, UpdateCarrierPlate, draw, w, h, hp, 50000, offsetX, offsetY);
    if (p) p->speed = 0;
    return p;
}

void SpawnBoss01() {
    Actor* body = AcquireBossActor(UpdateCarrierSwing, DrawChargingCarrier, 640, 162, kBodyWidth,
                                   kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = 1.0f;
    StartHp(body, rank * 2 + 1000);
    SetHitRect(body, 0, 7, 47, 54, 108);
    body->scoreValue = 100000;
    body->work[kBossVx].f = -4.0f;
    body->work[kBossVy].f = -1.0f;
    body->work[kFanTimer].i = 120;
    body->work[kLaserStep].i = 0;
    body->work[kLaserCount].i = 0;
    Actor* p = SpawnPlate(body, DrawUpperPlate, 44, 26, rank / 10 + 800, 25.0f, 0.0f);
    if (p) SetHitRect(p, 0, 7, 44, 0, 10);
    p = SpawnPlate(body, DrawMiddlePlate, 66, 50, rank / 10 + 400, 40.0f, 2.0f);
    if (p) SetHitRect(p, 0, 5, 65, 2, 47);
    p = SpawnPlate(body, DrawRearPlate, 140, 92, rank + 800, 134.0f, 76.0f);
    if (p) {
        SetHitRect(p, 0, 9, 139, 4, 60);
        SetHitRect(p, 1, 29, 134, 60, 78);
        SetHitRect(p, 2, 60, 121, 78, 88);
    }
    SpawnBossShield(49, 32, 214, 95);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateCarrierSwing),
    BEHAVIOUR(UpdateCarrierRetreat),
    BEHAVIOUR(UpdateCarrierChargeLeft),
    BEHAVIOUR(UpdateCarrierReturnRight),
    BEHAVIOUR(UpdateCarrierSecondRetreat),
    BEHAVIOUR(UpdateCarrierCreep),
    BEHAVIOUR(DrawChargingCarrier),
    BEHAVIOUR(UpdateCarrierPlate),
    BEHAVIOUR(DrawUpperPlate),
    BEHAVIOUR(DrawMiddlePlate),
    BEHAVIOUR(DrawRearPlate),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
