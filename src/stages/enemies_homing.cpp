// Kinds that steer by the ship: 007 missile, 009 squid, 010 ball, 027 riser and 030 diver.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

constexpr double kRadiansPerDegree = 0.017453292519943295;

// Work words of this family.
constexpr int kShotTimer = 3;   // 007
constexpr int kFireDelay = 3;   // 009, 027
constexpr int kAngle = 3;       // 010: drawn angle in degrees
constexpr int kFacing = 4;      // 027: 0 right, 1 left, once turned
constexpr int kToggleTick = 5;  // 027
constexpr int kColumn = 6;      // 027
constexpr int kVx = 3;          // 030, float
constexpr int kBurstTick = 4;   // 030

// Draws the whole picture turned about its centre so that it points along `degrees`.
static void DrawTurned(const Actor* a, int32_t image, int32_t degrees) {
    int32_t turn = degrees == 0 ? 0 : 360 - degrees;
    DrawImageRotated(static_cast<int>(a->x) + a->width / 2, static_cast<int>(a->y) + a->height / 2,
                     a->width / 2, a->height / 2, 1.0, turn * kRadiansPerDegree, image, 1, 0);
}

static int32_t WrapDegrees(int32_t d) { return ((d % 360) + 360) % 360; }

// 007: a homing missile that turns 2 degrees a frame towards the ship and speeds up.
// Above rank 100 it also fires.

static void UpdateEnemy007(Actor* a) {
    MoveAlongDir(a);
    if (a->speed < 32) {
        a->speed += 0.035f;
        if (a->speed > 32) a->speed = 32;
    }
    int32_t& dir = a->work[kDir].i;
    int32_t h = AngleBetween(CentreX(a), CentreY(a), playerCenterX, playerCenterY);
    if ((h >= dir && h - dir > 179) || (h < dir && dir - h < 180)) dir -= 2;
    else dir += 2;
    dir = WrapDegrees(dir);
    int32_t& timer = a->work[kShotTimer].i;
    if (timer > 0) {
        timer -= 1;
        if (timer <= 2) {
            timer = 62;
            int32_t aim = AngleBetween(CentreX(a), CentreY(a), playerCenterX, playerCenterY);
            SpawnEnemyShot000(a->x + 1, a->y + 54, aim, static_cast<float>(rank / 60) + 4.4f);
        }
    }
    StepAnimation(a, 25, 2);
    UpdateHitFlash(a);
    FinishEnemyFrameWide(a);
}

// Columns 2 and 3 show it facing right, towards a ship beyond its centre.
static void DrawEnemy007(Actor* a) {
    int32_t side = playerCenterX > CentreX(a) ? 1 : 0;
    DrawEnemyCell(a, ImgEnemy[7], a->work[kAnimFrame].i + 2 * side);
}

void SpawnEnemy007(float x, float y, int32_t dir) {
    Actor* a = AcquireEnemyKind(7, UpdateEnemy007, DrawEnemy007, x, y);
    if (!a) return;
    a->work[kDir].i = WrapDegrees(dir);  // a script may write any angle
    a->work[kAnimTick].i = 0;
    a->work[kAnimFrame].i = 0;
    a->work[kShotTimer].i = rank > 100 ? 61 : 0;
}

// 009: dashes at the ship, slows down, and re-aims each time it has come to a stop.

static int32_t Enemy009FireDelay() { return RandomUpTo(100) - rank + 200; }

static void UpdateEnemy009(Actor* a) {
    MoveAlongDir(a);
    a->speed -= 0.15f;
    if (a->speed <= 0) {
        a->speed = 8;
        a->work[kDir].i = AngleBetween(a->x + 16, a->y + 16, playerCenterX, playerCenterY);
    }
    int32_t& delay = a->work[kFireDelay].i;
    delay -= 1;
    if (delay < 1) {
        delay = Enemy009FireDelay();
        int32_t aim = AimAtPlayer(30, a->x + 16, a->y + 16);
        float speed = RandomTenths() + 2.5f + static_cast<float>(rank / 150);
        SpawnEnemyShot000(a->x + 16, a->y + 16, aim, speed);
    }
    UpdateHitFlash(a);
    FinishEnemyFrameWide(a);
}

static void DrawEnemy009(Actor* a) { DrawTurned(a, ImgEnemy[9], a->work[kDir].i); }

void SpawnEnemy009WithDir(float x, float y, int32_t dir) {
    Actor* a = AcquireEnemyKind(9, UpdateEnemy009, DrawEnemy009, x, y);
    if (!a) return;
    a->work[kDir].i = dir;
    a->work[kFireDelay].i = Enemy009FireDelay();
}

void SpawnEnemy009(float x, float y) {
    SpawnEnemy009WithDir(x, y, AngleBetween(x + 16, y + 16, playerCenterX, playerCenterY));
}

// 010: a spinning ball on a straight line; a turned picture has no flash row, so a
// hit shows the second picture instead.

static void UpdateEnemy010(Actor* a) {
    MoveAlongDir(a);
    a->work[kAngle].i = (a->work[kAngle].i + 6) % 360;
    UpdateHitFlash(a);
    FinishEnemyFrameWide(a);
}

static void DrawEnemy010(Actor* a) {
    int32_t image = a->work[kHitFlash].i ? ImgEnemy[11] : ImgEnemy[10];
    DrawImageRotated(static_cast<int>(a->x) + a->width / 2, static_cast<int>(a->y) + a->height / 2,
                     a->width / 2, a->height / 2, 1.0, a->work[kAngle].i * kRadiansPerDegree, image, 1,
                     0);
}

void SpawnEnemy010(float x, float y, int32_t dir) {
    Actor* a = AcquireEnemyKind(10, UpdateEnemy010, DrawEnemy010, x, y);
    if (!a) return;
    a->work[kDir].i = WrapDegrees(dir);  // a script may write any angle
    a->work[kAngle].i = 0;
}

// 027: rises from a turret and, once above the ship, turns towards the ship's side.

static void UpdateEnemy027Turned(Actor* a);

static void Enemy027Fire(Actor* a) {
    int32_t& delay = a->work[kFireDelay].i;
    delay -= 1;
    if (delay < 1) {
        delay = 90 - rank / 10;
        FireAimedShot(a, 16, 16, RandomTenths() + 2.2f + static_cast<float>(rank / 150));
    }
}

static void UpdateEnemy027Rising(Actor* a) {
    MoveAlongDir(a);
    Enemy027Fire(a);
    if (a->y < playerCenterY) {
        bool right = a->x < playerCenterX;
        a->work[kDir].i = right ? 0 : 180;
        a->work[kFacing].i = right ? 0 : 1;
        a->update = UpdateEnemy027Turned;
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void UpdateEnemy027Turned(Actor* a) {
    MoveAlongDir(a);
    Enemy027Fire(a);
    int32_t& tick = a->work[kToggleTick].i;
    tick += 1;
    if (tick >= 20) {
        tick = 0;
        a->work[kColumn].i ^= 1;
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

// Facing left is the right-facing cell mirrored.
static void DrawEnemy027(Actor* a) {
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y), a->work[kColumn].i * a->width,
                    a->work[kHitFlash].i * a->height, a->width, a->height, ImgEnemy[27], 1,
                    a->work[kFacing].i);
}

void SpawnEnemy027(float x, float y) {
    Actor* a = AcquireEnemyKind(27, UpdateEnemy027Rising, DrawEnemy027, x, y);
    if (!a) return;
    a->work[kDir].i = 90;
    a->work[kFireDelay].i = 60 - rank / 10;
    a->work[kFacing].i = 0;
    a->work[kToggleTick].i = 0;
    a->work[kColumn].i = 0;
}

// 030: slows as it nears the ship's column; there (or shot down) it blinks and bursts
// into five shots. Reaching the column scores; being shot down does not.

static void UpdateEnemy030Bursting(Actor* a);

static void UpdateEnemy030Diving(Actor* a) {
    float& vx = a->work[kVx].f;
    float d = a->x - playerCenterX;
    if (d > 200) vx = -6;
    else if (d > 150) vx = -4;
    else if (d > 100) vx = -3;
    else if (d > 50) vx = -2.4f;
    else if (d > 0) vx = -2;
    if (d <= 0) {
        AddScore(a->scoreValue);
        a->hp = 0;
    }
    a->x += vx;
    UpdateHitFlash(a);
    if (a->hp <= 0) {
        vx = 0;
        a->work[kBurstTick].i = 1;
        a->work[kHitFlash].i = 1;
        a->guardMode = GuardIntangible;
        a->update = UpdateEnemy030Bursting;
    }
}

static void UpdateEnemy030Bursting(Actor* a) {
    int32_t& tick = a->work[kBurstTick].i;
    tick += 1;
    a->work[kHitFlash].i = 1;
    if (tick >= 22) {
        float cx = a->x + 10;
        float cy = a->y + 11;
        int32_t f = AngleBetween(cx, cy, playerCenterX, playerCenterY);
        float speed = static_cast<float>(rank / 50) + 4.5f;
        static constexpr int32_t kFan[5] = {0, 20, 40, 340, 320};
        for (int32_t offset : kFan) SpawnEnemyShot000(cx, cy, (f + offset) % 360, speed);
        a->alive = 0;
    }
}

static void DrawEnemy030(Actor* a) { DrawEnemyCell(a, ImgEnemy[30], 0); }

void SpawnEnemy030(float x, float y) {
    Actor* a = AcquireEnemyKind(30, UpdateEnemy030Diving, DrawEnemy030, x, y);
    if (!a) return;
    a->work[kVx].f = 0;
    a->work[kBurstTick].i = 0;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateEnemy007),
    BEHAVIOUR(DrawEnemy007),
    BEHAVIOUR(UpdateEnemy009),
    BEHAVIOUR(DrawEnemy009),
    BEHAVIOUR(UpdateEnemy010),
    BEHAVIOUR(DrawEnemy010),
    BEHAVIOUR(UpdateEnemy027Rising),
    BEHAVIOUR(UpdateEnemy027Turned),
    BEHAVIOUR(DrawEnemy027),
    BEHAVIOUR(UpdateEnemy030Diving),
    BEHAVIOUR(UpdateEnemy030Bursting),
    BEHAVIOUR(DrawEnemy030),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
