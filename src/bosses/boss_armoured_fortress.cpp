// Boss 14, the armoured fortress: the descending fortress's hull made stronger. The
// body cannot be touched while its turret or needle gun lives, and losing one part
// makes the other fire harder. With both gone the body floats at the right edge
// launching missiles, and now and then rams across the whole screen.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "bosses/fortress_hull.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Body work words (kBossTick is the phase tick)
constexpr int kMissileTick = kBossOwnWords;
// Gun work words (kPartFireTick is the fire tick)
constexpr int kRingAngle = kPartOwnWords;
constexpr int kRingsLeft = kPartOwnWords + 1;

// bossScratch word 0 counts the parts lost.
constexpr int kPartsLost = 0;

constexpr int32_t kBodyWidth = 202;
constexpr int32_t kBodyHeight = 200;
constexpr int32_t kFloatX = 640 - kBodyWidth;  // 438
constexpr float kFloatSpeed = 6.0f;
constexpr float kExitSpeed = 18.0f;
constexpr float kRamSpeed = 30.0f;
constexpr float kReturnSpeed = 26.0f;
constexpr int32_t kExitX = 800;
constexpr int32_t kRamX = -30;

constexpr int32_t kHovering = 1;
constexpr int32_t kGliding = 0;

// It may glide to hang partly below the screen, and starts intangible.
static const FortressHull kHull = {438.0f, 6.0f, GuardIntangible, 180000, 520};

static int32_t VulnerableHp() { return rank * 20 + 1000; }
static int32_t FloatFrames() { return RandomUpTo(120) + 120; }

static void UpdateArmouredGlide(Actor* a);
static void UpdateArmouredHover(Actor* a);
static void UpdateArmouredFloat(Actor* a);
static void UpdateArmouredExit(Actor* a);
static void UpdateArmouredRam(Actor* a);
static void UpdateArmouredReturn(Actor* a);

// ---- armoured: glide and hover while a part lives ---------------------------------

// With both parts gone the body turns vulnerable and starts floating.
static void DropArmourWhenBothPartsAreLost(Actor* a) {
    if (bossScratch[kPartsLost] <= 1) return;
    a->hp = VulnerableHp();
    a->work[kBossTick].i = FloatFrames();
    a->guardMode = GuardNormal;
    a->update = UpdateArmouredFloat;
}

static void UpdateArmouredGlide(Actor* a) {
    GlideFortress(a, UpdateArmouredHover);
    DropArmourWhenBothPartsAreLost(a);
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void UpdateArmouredHover(Actor* a) {
    HoverFortress(a, kHull, UpdateArmouredGlide);
    DropArmourWhenBothPartsAreLost(a);
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

// ---- vulnerable: float, exit, ram, return -------------------------------------------

// Whole-pixel x within lo..hi of the target x and y within `dy` of the target y.
static bool NearTargetX(const Actor* a, int32_t lo, int32_t hi, int32_t dy) {
    int32_t x = static_cast<int32_t>(a->x) - a->work[kBossTargetX].i;
    int32_t y = static_cast<int32_t>(a->y) - a->work[kBossTargetY].i;
    return x >= lo && x <= hi && y >= -dy && y <= dy;
}

static void TravelToTarget(Actor* a, float speed) {
    a->speed = speed;
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    PublishBossPosition(a);
}

static void UpdateArmouredFloat(Actor* a) {
    TravelToTarget(a, kFloatSpeed);
    if (IsNearTarget(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i, 8))
        a->work[kBossTargetY].i = RandomUpTo(550 - kBodyHeight);  // may hang 70 below
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kBossTick].i = FloatFrames();
        a->work[kBossTargetX].i = kExitX;
        a->work[kBossTargetY].i = static_cast<int32_t>(a->y);
        a->update = UpdateArmouredExit;
    }
    a->work[kMissileTick].i += 1;
    if (a->work[kMissileTick].i > 80 - rank / 10) {
        a->work[kMissileTick].i = 0;
        SpawnEnemy007(a->x + 190, a->y + 50, 45);
        SpawnEnemy007(a->x + 190, a->y + 150, 315);
    }
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void UpdateArmouredExit(Actor* a) {
    TravelToTarget(a, kExitSpeed);
    if (NearTargetX(a, -20, 8, 8)) {
        a->work[kBossTargetX].i = kRamX;
        a->update = UpdateArmouredRam;
    }
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

// Straight across at the height it left the float: the ship dodges by changing height.
static void UpdateArmouredRam(Actor* a) {
    TravelToTarget(a, kRamSpeed);
    if (NearTargetX(a, -50, 10, 20)) {
        a->work[kBossTargetX].i = kFloatX;
        a->update = UpdateArmouredReturn;
    }
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void UpdateArmouredReturn(Actor* a) {
    TravelToTarget(a, kReturnSpeed);
    if (IsNearTarget(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i, 20)) {
        a->x = static_cast<float>(kFloatX);
        a->speed = kFloatSpeed;
        a->update = UpdateArmouredFloat;
    }
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void DrawArmouredFortress(Actor* a) { DrawBossCell(a, ImgEnemy[340]); }

// ---- parts --------------------------------------------------------------------------

// Every part frame ends here; a lost part is counted.
static void FinishArmouredPartFrame(Actor* a) {
    if (FinishBossPartFrame(a)) bossScratch[kPartsLost] += 1;
}

// Large shots straight ahead while the body glides; once the gun is gone, large
// shots in random directions all the time.
static void UpdateArmouredTurret(Actor* a) {
    FollowBossBody(a);
    int32_t& tick = a->work[kPartFireTick].i;
    if (bossScratch[kPartsLost] == 0) {
        if (bossState == kGliding) {
            tick -= 1;
            if (tick <= 0) {
                tick = 20 - rank / 80;
                SpawnEnemyShot001(a->x - 4, a->y + 22, 180, 2.0f);
            }
        }
    } else {
        tick -= 1;
        if (tick <= 0) {
            tick = RandomUpTo(60) - rank / 10;  // at or below 0 it fires again next frame
            int32_t dir = 100 + RandomUpTo(160);
            SpawnEnemyShot001(a->x - 4, a->y + 22, dir, 4.2f);
        }
    }
    FinishArmouredPartFrame(a);
}

static void DrawArmouredTurret(Actor* a) { DrawBossCell(a, ImgEnemy[341]); }

constexpr int32_t kRingShots = 12;
constexpr int32_t kRingStep = 20;

// One fast needle ring 45 frames into each hover; once the turret is gone, seven
// slower rings per hover, 5 frames apart, each turned 4 degrees further.
static void UpdateArmouredGun(Actor* a) {
    FollowBossBody(a);
    int32_t& tick = a->work[kPartFireTick].i;
    float cx = a->x + 3, cy = a->y + 5;
    if (bossScratch[kPartsLost] == 0) {
        if (bossState == kHovering) {
            tick -= 1;
            if (tick == 0) FireRing(SpawnNeedleShot, cx, cy, 70, kRingStep, kRingShots, 16.5f);
        } else {
            tick = 45;
        }
    } else if (bossState == kHovering) {
        tick -= 1;
        if (tick <= 0 && a->work[kRingsLeft].i > 0) {
            a->work[kRingsLeft].i -= 1;
            tick = 5;
            FireRing(SpawnNeedleShot, cx, cy, a->work[kRingAngle].i, kRingStep, kRingShots, 8.5f);
            a->work[kRingAngle].i += 4;
        }
    } else {
        tick = 35;
        a->work[kRingAngle].i = 70;
        a->work[kRingsLeft].i = 7;
    }
    FinishArmouredPartFrame(a);
}

static void DrawArmouredGun(Actor* a) { DrawBossCell(a, ImgEnemy[342]); }

void SpawnBoss14() {
    Actor* body = SpawnFortressBody(kHull, UpdateArmouredGlide, DrawArmouredFortress,
                                    VulnerableHp());
    if (!body) return;
    ClearBossScratch();
    body->work[kMissileTick].i = 0;
    body->work[kBossTargetX].i = kFloatX;
    SpawnFortressTurret(body, UpdateArmouredTurret, DrawArmouredTurret, rank + 1000);
    Actor* gun = SpawnFortressGun(body, UpdateArmouredGun, DrawArmouredGun, rank * 12 + 200);
    if (gun) {
        gun->work[kPartFireTick].i = 45;
        gun->work[kRingAngle].i = 0;
        gun->work[kRingsLeft].i = 0;
    }
    SpawnFortressShield();
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateArmouredGlide),
    BEHAVIOUR(UpdateArmouredHover),
    BEHAVIOUR(UpdateArmouredFloat),
    BEHAVIOUR(UpdateArmouredExit),
    BEHAVIOUR(UpdateArmouredRam),
    BEHAVIOUR(UpdateArmouredReturn),
    BEHAVIOUR(DrawArmouredFortress),
    BEHAVIOUR(UpdateArmouredTurret),
    BEHAVIOUR(DrawArmouredTurret),
    BEHAVIOUR(UpdateArmouredGun),
    BEHAVIOUR(DrawArmouredGun),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
