// Flyers that cross the screen from an edge: 000, 001, 002, 003, 004, 017 and 029.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Work words of this family.
constexpr int kVx = 3;          // float
constexpr int kVy = 4;          // float
constexpr int kSwing = 5;       // 000: 8 while rising, 2 while sinking
constexpr int kFireTick = 5;    // 001, 002, 017
constexpr int kShotsFired = 6;  // 001
constexpr int kFireLimit = 6;   // 002, 017
constexpr int kFireDelay = 5;   // 029

static float& Vx(Actor* a) { return a->work[kVx].f; }
static float& Vy(Actor* a) { return a->work[kVy].f; }

static void MoveByVelocity(Actor* a) {
    a->x += Vx(a);
    a->y += Vy(a);
}

static void EndUpdate(Actor* a) {
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

// 000: drifts left while its vertical speed swings between about -1.4 and +1.4.

static void UpdateEnemy000(Actor* a) {
    int32_t& swing = a->work[kSwing].i;
    if (swing == 8) {
        Vy(a) -= 0.12f;
        if (Vy(a) < -1.4f) swing = 2;
    } else if (swing == 2) {
        Vy(a) += 0.12f;
        if (Vy(a) > 1.4f) swing = 8;
    }
    MoveByVelocity(a);
    EndUpdate(a);
}

static void DrawEnemy000(Actor* a) { DrawEnemyCell(a, ImgEnemy[0], 0); }

void SpawnEnemy000(float x, float y) {
    Actor* a = AcquireEnemyKind(0, UpdateEnemy000, DrawEnemy000, x, y);
    if (!a) return;
    Vx(a) = -2.8f;
    Vy(a) = 0;
    a->work[kSwing].i = 8;
}

// 001: dashes in, brakes to a halt, fires a burst at the ship, then leaves.

static void UpdateEnemy001Entering(Actor* a);
static void UpdateEnemy001Firing(Actor* a);
static void UpdateEnemy001Leaving(Actor* a);

static void UpdateEnemy001Entering(Actor* a) {
    Vx(a) += 0.3f;
    if (Vx(a) >= 0) {
        Vx(a) = 0;
        a->update = UpdateEnemy001Firing;
    }
    MoveByVelocity(a);
    EndUpdate(a);
}

static int32_t Enemy001FireInterval() { return rank / 10 < 30 ? 30 - rank / 10 : 1; }

static void UpdateEnemy001Firing(Actor* a) {
    int32_t& tick = a->work[kFireTick].i;
    int32_t& fired = a->work[kShotsFired].i;
    tick += 1;
    if (tick > Enemy001FireInterval()) {
        fired += 1;
        tick = 0;
        FireAimedShot(a, 3, 5, static_cast<float>(rank / 100) + 3.5f);
        if (fired > rank / 30 + 4) a->update = UpdateEnemy001Leaving;
    }
    EndUpdate(a);
}

static void UpdateEnemy001Leaving(Actor* a) {
    Vx(a) -= 0.2f;
    if (Vx(a) < -10) Vx(a) = -10;
    MoveByVelocity(a);
    EndUpdate(a);
}

static void DrawEnemy001(Actor* a) { DrawEnemyCell(a, ImgEnemy[1], 0); }

void SpawnEnemy001(float x, float y) {
    Actor* a = AcquireEnemyKind(1, UpdateEnemy001Entering, DrawEnemy001, x, y);
    if (!a) return;
    Vx(a) = -10;
    Vy(a) = 0;
    a->work[kFireTick].i = 0;
    a->work[kShotsFired].i = 0;
}

// 002 and 017: straight flyers that fire aimed shots at random intervals.

static void FireAtIntervals(Actor* a, float dx, float dy) {
    int32_t& tick = a->work[kFireTick].i;
    tick += 1;
    if (tick > a->work[kFireLimit].i) {
        tick = 0;
        a->work[kFireLimit].i = RandomUpTo(60 - rank / 50) + 12;
        float speed = RandomTenths() + 2.5f + static_cast<float>(rank / 150);
        FireAimedShot(a, dx, dy, speed);
    }
}

static void UpdateEnemy002(Actor* a) {
    MoveByVelocity(a);
    FireAtIntervals(a, 30, 22);
    EndUpdate(a);
}

static void DrawEnemy002(Actor* a) { DrawEnemyCell(a, ImgEnemy[2], 0); }

void SpawnEnemy002(float x, float y) {
    Actor* a = AcquireEnemyKind(2, UpdateEnemy002, DrawEnemy002, x, y);
    if (!a) return;
    Vx(a) = 6;
    Vy(a) = 0;
    a->work[kFireTick].i = 0;
    a->work[kFireLimit].i = RandomUpTo(30) + 16;
}

static void UpdateEnemy017(Actor* a) {
    MoveByVelocity(a);
    FireAtIntervals(a, 2, 22);
    EndUpdate(a);
}

static void DrawEnemy017(Actor* a) { DrawEnemyCell(a, ImgEnemy[17], 0); }

void SpawnEnemy017(float x, float y) {
    Actor* a = AcquireEnemyKind(17, UpdateEnemy017, DrawEnemy017, x, y);
    if (!a) return;
    Vx(a) = -6;
    Vy(a) = 0;
    a->work[kFireTick].i = 0;
    int32_t limit = RandomUpTo(30) + 16 - rank / 2;
    a->work[kFireLimit].i = limit < 0 ? 0 : limit;
}

// 003: charges the point where the ship was when it appeared.

static void UpdateEnemy003(Actor* a) {
    MoveAlongDir(a);
    StepAnimation(a, 7, 4);
    EndUpdate(a);
}

static void DrawEnemy003(Actor* a) { DrawEnemyCell(a, ImgEnemy[3], a->work[kAnimFrame].i); }

void SpawnEnemy003(float x, float y) {
    Actor* a = AcquireEnemyKind(3, UpdateEnemy003, DrawEnemy003, x, y);
    if (!a) return;
    a->work[kDir].i = AngleBetween(x + 32, y + 32, playerCenterX, playerCenterY);
    a->work[kAnimTick].i = 0;
    a->work[kAnimFrame].i = 0;
}

// 004: a long flyer shooting straight left, never firing.

static void UpdateEnemy004(Actor* a) {
    MoveAlongDir(a);
    EndUpdate(a);
}

static void DrawEnemy004(Actor* a) { DrawEnemyCell(a, ImgEnemy[4], 0); }

void SpawnEnemy004(float x, float y) {
    Actor* a = AcquireEnemyKind(4, UpdateEnemy004, DrawEnemy004, x, y);
    if (!a) return;
    a->work[kDir].i = 180;
}

// 029: a fast flyer that fires on its first update and then at random intervals.

static void UpdateEnemy029(Actor* a) {
    MoveByVelocity(a);
    int32_t& delay = a->work[kFireDelay].i;
    delay -= 1;
    if (delay < 1) {
        delay = RandomUpTo(60 - rank / 10) + 10;
        FireAimedShot(a, 2, 22, static_cast<float>(rank / 150) + 1.5f);
    }
    EndUpdate(a);
}

void SpawnEnemy029(float x, float y) {
    Actor* a = AcquireEnemyKind(29, UpdateEnemy029, DrawEnemy017, x, y);
    if (!a) return;
    Vx(a) = -8;
    Vy(a) = 0;
    a->work[kFireDelay].i = 0;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateEnemy000),
    BEHAVIOUR(DrawEnemy000),
    BEHAVIOUR(UpdateEnemy001Entering),
    BEHAVIOUR(UpdateEnemy001Firing),
    BEHAVIOUR(UpdateEnemy001Leaving),
    BEHAVIOUR(DrawEnemy001),
    BEHAVIOUR(UpdateEnemy002),
    BEHAVIOUR(DrawEnemy002),
    BEHAVIOUR(UpdateEnemy017),
    BEHAVIOUR(DrawEnemy017),
    BEHAVIOUR(UpdateEnemy003),
    BEHAVIOUR(DrawEnemy003),
    BEHAVIOUR(UpdateEnemy004),
    BEHAVIOUR(DrawEnemy004),
    BEHAVIOUR(UpdateEnemy029),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
