// Boss 3, the roaming gunboat: travels to a random point on the right, holds, runs the
// next of its three attacks (aimed fans, a scatter of laser bolts, an escort), waits,
// and travels on. Four shields leave only a small core at its bow.
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
constexpr int kVolleys = kBossOwnWords;
constexpr int kAttack = kBossOwnWords + 1;

constexpr int32_t kBodyWidth = 235;
constexpr int32_t kBodyHeight = 177;
constexpr int32_t kScore = 170000;
constexpr float kTravelSpeed = 6.0f;
constexpr float kNearShipSpeed = 3.0f;  // while its corner is within 20 pixels of the ship
constexpr float kNearShip = 20.0f;
constexpr int32_t kArrivalTolerance = 6;
constexpr int32_t kHoldFrames = 60;  // the attack starts when the tick exceeds it
constexpr int32_t kWaitFrames = 60;
constexpr int32_t kTargetSpreadX = 200;

constexpr int32_t kFanGap = 20;        // a fan leaves when the tick exceeds it
constexpr int32_t kFanFirstTick = 30;  // so the first fan leaves at once
constexpr int32_t kFanLastVolley = 4;  // five fans
constexpr int32_t kFanOffsets[5] = {0, 30, 60, 330, 300};
constexpr int32_t kLaserGap = 2;
constexpr int32_t kLaserBolts = 30;

enum GunboatAttack : int32_t { AttackFans = 0, AttackLasers = 1, AttackEscort = 2 };

static void UpdateGunboatHold(Actor* a);
static void UpdateGunboatFans(Actor* a);
static void UpdateGunboatLasers(Actor* a);
static void UpdateGunboatWait(Actor* a);
static void SpawnGunboatEscort(float x, float y);

static void FinishGunboatFrame(Actor* a) {
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void UpdateGunboatTravel(Actor* a) {
    float dx = playerCenterX - a->x;
    float dy = playerCenterY - a->y;
    a->speed = dx * dx + dy * dy <= kNearShip * kNearShip ? kNearShipSpeed : kTravelSpeed;
    int32_t tx = a->work[kBossTargetX].i;
    int32_t ty = a->work[kBossTargetY].i;
    TravelTowards(a, static_cast<float>(tx), static_cast<float>(ty));
    if (IsNearTarget(a, tx, ty, kArrivalTolerance)) {
        a->work[kBossTick].i = 0;
        a->update = UpdateGunboatHold;
    }
    FinishGunboatFrame(a);
}

// The attacks take turns: fans, lasers, an escort, fans again.
static void UpdateGunboatHold(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > kHoldFrames) {
        a->work[kBossTick].i = 0;
        a->work[kVolleys].i = 0;
        switch (a->work[kAttack].i) {
        case AttackFans:
            a->work[kAttack].i = AttackLasers;
            a->work[kBossTick].i = kFanFirstTick;
            a->update = UpdateGunboatFans;
            break;
        case AttackLasers:
            a->work[kAttack].i = AttackEscort;
            a->update = UpdateGunboatLasers;
            break;
        default:
            a->work[kAttack].i = AttackFans;
            SpawnGunboatEscort(a->x + 107, a->y + 81);
            a->update = UpdateGunboatWait;
            break;
        }
    }
    FinishGunboatFrame(a);
}

// Five shots: the aim and 30 and 60 degrees either side of it.
static void UpdateGunboatFans(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > kFanGap) {
        a->work[kBossTick].i = 0;
        float cx = a->x + 1, cy = a->y + 54;
        int32_t aim = AngleBetween(cx, cy, playerCenterX, playerCenterY);
        FireFan(SpawnEnemyShot000, cx, cy, aim, kFanOffsets, 5, static_cast<float>(rank / 80) + 6.9f);
        a->work[kVolleys].i += 1;
        if (a->work[kVolleys].i > kFanLastVolley) a->update = UpdateGunboatWait;
    }
    FinishGunboatFrame(a);
}

// Bolts to the left in random directions from 135 to 225 degrees.
static void UpdateGunboatLasers(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > kLaserGap) {
        a->work[kBossTick].i = 0;
        int32_t dir = 135 + RandomUpTo(90);
        FireLaserBolt(a->x - 4, a->y + 16, dir, 20.0f);
        a->work[kVolleys].i += 1;
        if (a->work[kVolleys].i == kLaserBolts) a->update = UpdateGunboatWait;
    }
    FinishGunboatFrame(a);
}

static void UpdateGunboatWait(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > kWaitFrames) {
        a->work[kBossTargetX].i = RandomTargetX(a, kTargetSpreadX);
        a->work[kBossTargetY].i = RandomTargetY(a);
        a->update = UpdateGunboatTravel;
    }
    FinishGunboatFrame(a);
}

static void DrawGunboat(Actor* a) { DrawBossCell(a, ImgEnemy[230]); }

// ---- the escort: a large flyer swinging in a box on the right, sniping -------------

static void UpdateGunboatEscort(Actor* a) {
    HoverInBox(a, 478, 494, 144, 272);
    if (RandomUpTo(256) <= 5) {
        float speed = RandomTenths() + 5.4f;
        int32_t dir = AimAtPlayer(6, a->x + 1, a->y + 46);
        SpawnEnemyShot000(a->x + 1, a->y + 46, dir, speed);
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawGunboatEscort(Actor* a) { DrawEnemyCell(a, ImgEnemy[100], 0); }

static void SpawnGunboatEscort(float x, float y) {
    Actor* e = AcquireEnemy(UpdateGunboatEscort, DrawGunboatEscort, x, y);
    if (!e) return;
    e->width = 64;
    e->height = 64;
    e->speed = 1.3f;
    // the large flyer's rectangles; the second one's top lies below its bottom
    SetHitRect(e, 0, 8, 37, 30, 46);
    SetHitRect(e, 1, 8, 57, 29, 23);
    e->scoreValue = 3000;
    StartHp(e, rank + 220);
    e->work[kBossVx].f = 4.0f;
    e->work[kBossVy].f = -4.0f;
}

void SpawnBoss03() {
    Actor* body = AcquireBossActor(UpdateGunboatTravel, DrawGunboat, 640, 0, kBodyWidth,
                                   kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = kTravelSpeed;
    StartHp(body, rank * 2 + 5000);
    SetHitRect(body, 0, 7, 41, 7, 82);
    body->scoreValue = kScore;
    body->work[kBossTick].i = 0;
    body->work[kVolleys].i = 0;
    body->work[kAttack].i = AttackFans;
    body->work[kBossTargetX].i = 640 - kBodyWidth;
    body->work[kBossTargetY].i = 480 - kBodyHeight;
    SpawnBossShield(23, 83, 134, 20);
    SpawnBossShield(33, 103, 179, 24);
    SpawnBossShield(11, 134, 214, 17);
    SpawnBossShield(32, 154, 26, 17);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateGunboatTravel),
    BEHAVIOUR(UpdateGunboatHold),
    BEHAVIOUR(UpdateGunboatFans),
    BEHAVIOUR(UpdateGunboatLasers),
    BEHAVIOUR(UpdateGunboatWait),
    BEHAVIOUR(DrawGunboat),
    BEHAVIOUR(UpdateGunboatEscort),
    BEHAVIOUR(DrawGunboatEscort),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
