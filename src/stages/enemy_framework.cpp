// What every enemy shares: creation, the hit flash, the end-of-update steps and the cell draw.
#include "actors/collision.h"
#include "actors/spawners.h"
#include "player/player.h"
#include "runtime/media.h"
#include "stages/enemies.h"
#include "stages/stage_map.h"

Actor* AcquireEnemy(ActorFn update, ActorFn draw, float x, float y) {
    Actor* a = AcquireActor(update, draw, GroupEnemy);
    if (!a) return nullptr;
    a->x = x;
    a->y = y;
    a->attack = 1;
    a->hitRectCount = 0;
    a->work[kHitFlash].i = 0;
    return a;
}

void SetHitRect(Actor* a, int index, float left, float right, float top, float bottom) {
    a->hitRects[index] = HitRect{left, right, top, bottom};
    a->hitRectCount = index + 1;
}

void StartHp(Actor* a, int32_t hp) {
    a->hp = hp;
    a->work[kLastHp].i = hp;
    a->work[kHitFlash].i = 0;
}

// Damage comes from other actors' updates, so the flash row shows for exactly one frame.
void UpdateHitFlash(Actor* a) {
    a->work[kHitFlash].i = a->hp != a->work[kLastHp].i ? 1 : 0;
    a->work[kLastHp].i = a->hp;
}

void StepAnimation(Actor* a, int32_t tickLimit, int32_t cells) {
    a->work[kAnimTick].i += 1;
    if (a->work[kAnimTick].i > tickLimit) {
        a->work[kAnimTick].i = 0;
        a->work[kAnimFrame].i = (a->work[kAnimFrame].i + 1) % cells;
    }
}

// Destroyed: score, then an explosion drifting left at the enemy's own speed.
// Ordered removal: 10 explodes without score, 20 vanishes.
static void DecideFate(Actor* a) {
    if (a->hp <= 0) {
        AddScore(a->scoreValue);
        SpawnExplosion(CentreX(a), CentreY(a), 180, a->speed);
        a->alive = 0;
        return;
    }
    if (a->deathKind == DeathExplode) {
        SpawnExplosion(CentreX(a), CentreY(a), 180, a->speed);
        a->alive = 0;
    } else if (a->deathKind == DeathRemove) {
        a->alive = 0;
    }
}

// Beyond the margin the enemy is gone without score, even if it was destroyed this frame.
static bool OutsideBy(const Actor* a, float margin) {
    return a->x > 640 + margin || a->x < -margin - static_cast<float>(a->width) ||
           a->y > 480 + margin || a->y < -margin - static_cast<float>(a->height);
}

void FinishEnemyFrame(Actor* a) {
    if (OutsideBy(a, 32)) {
        a->alive = 0;
        return;
    }
    DecideFate(a);
}

void FinishEnemyFrameWide(Actor* a) {
    if (OutsideBy(a, 256)) {
        a->alive = 0;
        return;
    }
    DecideFate(a);
}

void FinishEnemyFrameNoBounds(Actor* a) { DecideFate(a); }

void DrawEnemyCell(Actor* a, int32_t image, int32_t column) {
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y), column * a->width,
                    a->work[kHitFlash].i * a->height, a->width, a->height, image, 1, 0);
}

void FollowScenery(Actor* a) {
    a->x += mapScrollDX;
    a->y += mapScrollDY;
}

void FallOntoFloor(Actor* a) {
    float below = a->y + static_cast<float>(a->height) + 1;
    if (MapCellAt(a->x + 1, below) < 0 &&
        MapCellAt(a->x + static_cast<float>(a->width) - 1, below) < 0)
        a->y += 1;
}

void FireAimedShot(Actor* a, float dx, float dy, float speed) {
    float sx = a->x + dx;
    float sy = a->y + dy;
    SpawnEnemyShot000(sx, sy, AngleBetween(sx, sy, playerCenterX, playerCenterY), speed);
}

float RandomTenths() { return static_cast<float>(RandomUpTo(10)) / 10.0f; }
