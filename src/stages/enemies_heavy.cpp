// The heavy kinds: 006 roamer, 012 armoured flyer, 100 hoverer and 110 giant.
#include <cmath>
#include <cstdlib>

#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

int32_t kind110Destroyed;

// Work words of this family.
constexpr int kTargetX = 3;      // 006, 110
constexpr int kTargetY = 4;      // 006, 110
constexpr int kPauseTick = 5;    // 006
constexpr int kVx = 3;           // 100, float
constexpr int kVy = 4;           // 100, float
constexpr int kDyingTick = 5;    // 100, 110
constexpr int kDyingCount = 6;   // 100, 110
constexpr int kLaunchNext = 7;   // 110
constexpr int kPhaseTimer = 8;   // 110
constexpr int kLaunches = 9;     // 110
constexpr int kAge = 10;         // 110

constexpr int32_t kDyingExplosions = 11;  // six updates apart, the last with the centre one
constexpr int32_t kDyingGap = 6;

// 006: flies to random points on the right side and pauses at each to fire a bolt.

static void UpdateEnemy006Pausing(Actor* a);

static void ChooseEnemy006Target(Actor* a, float fromX, float fromY) {
    a->work[kTargetX].i = 640 - a->width - RandomUpTo(400);
    a->work[kTargetY].i = RandomUpTo(480 - a->height);
    a->work[kDir].i = AngleBetween(fromX, fromY, static_cast<float>(a->work[kTargetX].i),
                                   static_cast<float>(a->work[kTargetY].i));
}

static void UpdateEnemy006Moving(Actor* a) {
    MoveAlongDir(a);
    if (std::abs(a->work[kTargetX].i - static_cast<int32_t>(a->x)) <= 32 &&
        std::abs(a->work[kTargetY].i - static_cast<int32_t>(a->y)) <= 32) {
        a->work[kPauseTick].i = 0;
        a->update = UpdateEnemy006Pausing;
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void UpdateEnemy006Pausing(Actor* a) {
    int32_t& tick = a->work[kPauseTick].i;
    tick += 1;
    if (tick == 30) {
        // the kind plays its own sound, so the bolt is silent
        PlaySound(WavEnemyShot[0], 1, 1);
        SpawnEnemyShot003(a->x, a->y + 16, 180, 20, 1);
    }
    if (tick == 60) {
        ChooseEnemy006Target(a, a->x + 16, a->y + 16);
        a->update = UpdateEnemy006Moving;
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawEnemy006(Actor* a) { DrawEnemyCell(a, ImgEnemy[6], 0); }

void SpawnEnemy006(float x, float y) {
    Actor* a = AcquireEnemyKind(6, UpdateEnemy006Moving, DrawEnemy006, x, y);
    if (!a) return;
    ChooseEnemy006Target(a, x, y);
    a->work[kPauseTick].i = 0;
}

// 012: a large armoured flyer; only group damage (the bomb) wears it down.

static void UpdateEnemy012(Actor* a) {
    MoveAlongDir(a);
    if (a->speed < 48) a->speed += 0.05f;
    UpdateHitFlash(a);
    FinishEnemyFrameWide(a);
}

static void DrawEnemy012(Actor* a) { DrawEnemyCell(a, ImgEnemy[12], 0); }

void SpawnEnemy012WithDir(float x, float y, int32_t dir) {
    Actor* a = AcquireEnemyKind(12, UpdateEnemy012, DrawEnemy012, x, y);
    if (!a) return;
    a->work[kDir].i = dir;
}

void SpawnEnemy012(float x, float y) { SpawnEnemy012WithDir(x, y, 180); }

// The long death of 100 and 110: small blasts over the body, then one at the centre.
// Returns true on the update that ends it.
static bool RunDyingBlasts(Actor* a) {
    int32_t& tick = a->work[kDyingTick].i;
    tick += 1;
    if (tick < kDyingGap) return false;
    tick = 0;
    a->work[kDyingCount].i += 1;
    float bx = a->x + static_cast<float>(RandomUpTo(a->width));
    float by = a->y + static_cast<float>(RandomUpTo(a->height));
    SpawnExplosion(bx, by, 0, 0);
    if (a->work[kDyingCount].i < kDyingExplosions) return false;
    SpawnExplosion(CentreX(a), CentreY(a), 0, a->speed);
    a->alive = 0;
    return true;
}

static void StartDying(Actor* a, ActorFn dying) {
    a->work[kDyingTick].i = 0;
    a->work[kDyingCount].i = 0;
    a->update = dying;
}

// Ordered removal of the heavy kinds: an explosion drifting right, no score.
static void ExplodeOnOrder(Actor* a) {
    if (a->deathKind == DeathExplode) {
        SpawnExplosion(CentreX(a), CentreY(a), 0, a->speed);
        a->alive = 0;
    }
}

// 100: swings around a box on the right side, firing now and then; no bounds test.

static void UpdateEnemy100Dying(Actor* a) {
    RunDyingBlasts(a);
    UpdateHitFlash(a);
}

static void SteerTowards(float& v, float position, float low, float high) {
    if (position < low) v += 0.1f;
    if (position > high) v -= 0.1f;
    if (v < -4) v = -4;
    if (v > 4) v = 4;
}

static void UpdateEnemy100(Actor* a) {
    SteerTowards(a->work[kVx].f, a->x, 478, 494);
    SteerTowards(a->work[kVy].f, a->y, 144, 272);
    a->x += a->work[kVx].f;
    a->y += a->work[kVy].f;
    if (RandomUpTo(256) <= 8) {
        float speed = RandomTenths() + 2.4f;
        SpawnEnemyShot000(a->x + 1, a->y + 46, AimAtPlayer(90, a->x + 1, a->y + 46), speed);
    }
    UpdateHitFlash(a);
    if (a->hp <= 0) {
        AddScore(a->scoreValue);
        StartDying(a, UpdateEnemy100Dying);
    } else {
        ExplodeOnOrder(a);
    }
}

static void DrawEnemy100(Actor* a) { DrawEnemyCell(a, ImgEnemy[100], 0); }

void SpawnEnemy100(float x, float y) {
    Actor* a = AcquireEnemyKind(100, UpdateEnemy100, DrawEnemy100, x, y);
    if (!a) return;
    a->work[kVx].f = 4.0f;
    a->work[kVy].f = 4.0f;
}

// 110: wanders between points on the right, alternating a stream of shots with
// launches of 030 divers. It cannot die once the player has continued.

static void UpdateEnemy110Travel(Actor* a);
static void UpdateEnemy110Fire(Actor* a);
static void UpdateEnemy110Launch(Actor* a);

static void UpdateEnemy110Dying(Actor* a) {
    if (RunDyingBlasts(a)) kind110Destroyed = 1;
    UpdateHitFlash(a);
}

static void FinishEnemy110(Actor* a) {
    UpdateHitFlash(a);
    if (a->hp <= 0 && !hasContinued) {
        AddScore(a->scoreValue);
        StartDying(a, UpdateEnemy110Dying);
    } else {
        ExplodeOnOrder(a);
    }
}

static void ChooseEnemy110Target(Actor* a, int32_t launchNext) {
    a->work[kTargetX].i = 640 - a->width - RandomUpTo(150);
    a->work[kTargetY].i = RandomUpTo(480 - a->height);
    a->work[kLaunchNext].i = launchNext;
    a->update = UpdateEnemy110Travel;
}

static void UpdateEnemy110Travel(Actor* a) {
    a->work[kAge].i += 1;
    if (a->work[kAge].i > 5299) a->work[kTargetX].i = 1000;  // time to leave to the right
    float tx = static_cast<float>(a->work[kTargetX].i);
    float ty = static_cast<float>(a->work[kTargetY].i);
    float r = std::sqrt((tx - a->x) * (tx - a->x) + (ty - a->y) * (ty - a->y));
    if (r > 60) a->speed = 3.0f;
    else if (r > 30) a->speed = 2.0f;
    else if (r > 10) a->speed = 1.2f;
    else a->speed = 0.8f;
    a->work[kDir].i = AngleBetween(a->x, a->y, tx, ty);
    MoveAlongDir(a);
    if (std::abs(a->work[kTargetX].i - static_cast<int32_t>(a->x)) <= 2 &&
        std::abs(a->work[kTargetY].i - static_cast<int32_t>(a->y)) <= 2) {
        if (a->work[kLaunchNext].i) {
            a->work[kPhaseTimer].i = 70 - rank / 10;
            a->work[kLaunches].i = 1;
            a->update = UpdateEnemy110Launch;
        } else {
            a->work[kPhaseTimer].i = 150 - rank / 4;
            a->update = UpdateEnemy110Fire;
        }
    }
    if (a->x > 900) a->alive = 0;
    FinishEnemy110(a);
}

static void UpdateEnemy110Fire(Actor* a) {
    a->work[kAge].i += 1;
    int32_t& timer = a->work[kPhaseTimer].i;
    timer -= 1;
    if (timer > 30) {
        SpawnEnemyShot000(a->x + 5, a->y + 53, RandomUpTo(30) + 165, 16);
        a->x += 1;  // recoil
    }
    if (timer <= 0) ChooseEnemy110Target(a, 1);
    FinishEnemy110(a);
}

static void UpdateEnemy110Launch(Actor* a) {
    a->work[kAge].i += 1;
    int32_t& timer = a->work[kPhaseTimer].i;
    timer -= 1;
    if (a->work[kLaunches].i > 0) {
        a->work[kLaunches].i -= 1;
        SpawnEnemy030(a->x - 6, a->y + 45);
    }
    if (timer <= 0) ChooseEnemy110Target(a, 0);
    FinishEnemy110(a);
}

static void DrawEnemy110(Actor* a) { DrawEnemyCell(a, ImgEnemy[110], 0); }

void SpawnEnemy110(float x, float y) {
    Actor* a = AcquireEnemyKind(110, UpdateEnemy110Travel, DrawEnemy110, x, y);
    if (!a) return;
    a->work[kTargetX].i = 513;
    a->work[kTargetY].i = 393;
    a->work[kLaunchNext].i = 0;
    a->work[kPhaseTimer].i = 0;
    a->work[kLaunches].i = 0;
    a->work[kAge].i = 0;
    a->work[kDyingTick].i = 0;
    a->work[kDyingCount].i = 0;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateEnemy006Moving),
    BEHAVIOUR(UpdateEnemy006Pausing),
    BEHAVIOUR(DrawEnemy006),
    BEHAVIOUR(UpdateEnemy012),
    BEHAVIOUR(DrawEnemy012),
    BEHAVIOUR(UpdateEnemy100Dying),
    BEHAVIOUR(UpdateEnemy100),
    BEHAVIOUR(DrawEnemy100),
    BEHAVIOUR(UpdateEnemy110Dying),
    BEHAVIOUR(UpdateEnemy110Travel),
    BEHAVIOUR(UpdateEnemy110Fire),
    BEHAVIOUR(UpdateEnemy110Launch),
    BEHAVIOUR(DrawEnemy110),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
