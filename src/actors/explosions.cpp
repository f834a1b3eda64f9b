// Explosions, shot-death sparks and the end-of-life checks every enemy shot runs.
#include "actors/behaviours.h"
#include "actors/spawners.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"

constexpr int32_t kExplosionSize = 96;
constexpr int32_t kExplosionLastFrame = 14;  // lives 15 updates
constexpr int32_t kSparkSize = 16;
constexpr int32_t kSparkEndFrame = 6;
constexpr int kSparkFrame = 0;

static void ExplosionUpdate(Actor* a);
static void DrawExplosion(Actor* a);
static void SparkUpdate(Actor* a);
static void DrawSpark(Actor* a);

void SpawnExplosion(float cx, float cy, int32_t dir, float speed) {
    Actor* a = AcquireActor(ExplosionUpdate, DrawExplosion, GroupBlast);
    if (!a) return;  // no record, no sound either
    a->x = cx - kExplosionSize / 2;
    a->y = cy - kExplosionSize / 2;
    a->width = kExplosionSize;
    a->height = kExplosionSize;
    a->attack = 0;
    a->hp = 0;
    a->hitRects[0] = HitRect{0, 0, 0, 0};
    a->hitRectCount = 1;
    a->work[kDir].i = dir;
    a->speed = speed;
    a->work[kAnimTick].i = 0;
    a->work[kAnimFrame].i = 0;
    explosionSoundRequest = 1;
}

static void ExplosionUpdate(Actor* a) {
    MoveAlongDir(a);
    a->work[kAnimTick].i += 1;
    if (a->work[kAnimTick].i >= 1) {
        a->work[kAnimFrame].i += 1;
        a->work[kAnimTick].i = 0;
    }
    if (a->work[kAnimFrame].i > kExplosionLastFrame) a->alive = 0;
}

static void DrawExplosion(Actor* a) {
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y),
                    kExplosionSize * a->work[kAnimFrame].i, 0, kExplosionSize, kExplosionSize,
                    ImgBomb00, 1, 0);
}

void SpawnSpark(float cx, float cy) {
    Actor* a = AcquireActor(SparkUpdate, DrawSpark, GroupEffect);
    if (!a) return;
    a->x = cx - kSparkSize / 2;
    a->y = cy - kSparkSize / 2;
    a->width = kSparkSize;
    a->height = kSparkSize;
    a->attack = 0;
    a->hp = 0;
    a->hitRectCount = 0;
    a->work[kSparkFrame].i = -1;
}

static void SparkUpdate(Actor* a) {
    a->work[kSparkFrame].i += 1;
    if (a->work[kSparkFrame].i >= kSparkEndFrame) a->alive = 0;
}

static void DrawSpark(Actor* a) {
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y),
                    kSparkSize * a->work[kSparkFrame].i, 0, kSparkSize, kSparkSize,
                    ImgEnemyShotAfter00, 1, 0);
}

// Inside the bounds: destroyed or ordered removed, the shot leaves a spark.
static void EndShotIfDestroyed(Actor* shot) {
    if (shot->hp <= 0 || shot->deathKind == DeathExplode || shot->deathKind == DeathRemove) {
        SpawnSpark(CentreX(shot), CentreY(shot));
        shot->alive = 0;
    }
}

void EnemyShotCheckNear(Actor* shot) {
    if (shot->x > 672 || shot->x < -32 - shot->width || shot->y > 512 ||
        shot->y < -32 - shot->height) {
        shot->alive = 0;
        return;
    }
    EndShotIfDestroyed(shot);
}

// No upper bound: a shot may rise off the top and come back down.
void EnemyShotCheckOpenTop(Actor* shot) {
    if (shot->x > 640 || shot->x < -shot->width || shot->y > 480) {
        shot->alive = 0;
        return;
    }
    EndShotIfDestroyed(shot);
}

void EnemyShotCheckWide(Actor* shot) {
    if (shot->x > 896 || shot->x < -256 - shot->width || shot->y > 736 ||
        shot->y < -256 - shot->height) {
        shot->alive = 0;
        return;
    }
    EndShotIfDestroyed(shot);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(ExplosionUpdate),
    BEHAVIOUR(DrawExplosion),
    BEHAVIOUR(SparkUpdate),
    BEHAVIOUR(DrawSpark),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
