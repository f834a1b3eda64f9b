// The common boss shape: creation, motion rules, fans, the body's end step and lives,
// and parts that ride on it.
#include "bosses/boss_common.h"

#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_state.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

constexpr int32_t kBossAttack = 10000;  // touching any boss record destroys the ship
constexpr float kHoverStep = 0.1f;
constexpr float kHoverLimit = 4.0f;
constexpr float kEaseFactor = 0.25f;
constexpr float kEaseLimit = 6.0f;

// ---- creation ---------------------------------------------------------------------

Actor* AcquireBossActor(ActorFn update, ActorFn draw, float x, float y, int32_t w, int32_t h) {
    Actor* a = AcquireEnemy(update, draw, x, y);
    if (!a) return nullptr;
    a->width = w;
    a->height = h;
    a->attack = kBossAttack;
    a->work[kBossDeathTick].i = 0;
    a->work[kBossDeathCount].i = 0;
    return a;
}

Actor* SpawnBossPart(const Actor* body, ActorFn update, ActorFn draw, int32_t w, int32_t h,
                     int32_t hp, int32_t scoreValue, float offsetX, float offsetY) {
    Actor* p = AcquireBossActor(update, draw, body->x, body->y, w, h);
    if (!p) return nullptr;
    StartHp(p, hp);
    p->scoreValue = scoreValue;
    p->work[kPartOffsetX].f = offsetX;
    p->work[kPartOffsetY].f = offsetY;
    p->work[kPartFireTick].i = 0;
    return p;
}

void ClearBossScratch() {
    for (int32_t& word : bossScratch) word = 0;
    shotSoundLatch = 0;
}

// ---- motion rules -----------------------------------------------------------------

static float Clamp(float v, float limit) {
    if (v < -limit) return -limit;
    if (v > limit) return limit;
    return v;
}

float SwingTowardsBand(float v, float position, float low, float high, float limit) {
    if (position < low) v += kHoverStep;
    if (position > high) v -= kHoverStep;
    return Clamp(v, limit);
}

void HoverInBox(Actor* a, float left, float right, float top, float bottom) {
    a->work[kBossVx].f = SwingTowardsBand(a->work[kBossVx].f, a->x, left, right, kHoverLimit);
    a->work[kBossVy].f = SwingTowardsBand(a->work[kBossVy].f, a->y, top, bottom, kHoverLimit);
    a->x += a->work[kBossVx].f;
    a->y += a->work[kBossVy].f;
}

bool EaseToHeight(Actor* a, int32_t targetY) {
    int32_t yi = static_cast<int32_t>(a->y);
    if (targetY >= yi - 1 && targetY <= yi + 1) return true;
    a->work[kBossVy].f = Clamp((static_cast<float>(targetY) - a->y) * kEaseFactor, kEaseLimit);
    return false;
}

void TravelTowards(Actor* a, float targetX, float targetY) {
    a->work[kDir].i = AngleBetween(a->x, a->y, targetX, targetY);
    MoveAlongDir(a);
}

bool IsNearTarget(const Actor* a, int32_t targetX, int32_t targetY, int32_t tolerance) {
    int32_t dx = static_cast<int32_t>(a->x) - targetX;
    int32_t dy = static_cast<int32_t>(a->y) - targetY;
    return dx >= -tolerance && dx <= tolerance && dy >= -tolerance && dy <= tolerance;
}

void WalkSideways(Actor* a, int32_t k) {
    int32_t xi = static_cast<int32_t>(a->x);
    if (xi == a->work[kBossTargetX].i) a->work[kBossTargetX].i = RandomTargetX(a, k);
    if (xi < a->work[kBossTargetX].i) a->work[kBossVx].f = 1.0f;
    if (xi > a->work[kBossTargetX].i) a->work[kBossVx].f = -1.0f;
    a->x += a->work[kBossVx].f;
}

int32_t RandomTargetX(const Actor* a, int32_t k) { return 640 - a->width - RandomUpTo(k); }

int32_t RandomTargetY(const Actor* a) { return RandomUpTo(480 - a->height); }

void PublishBossPosition(const Actor* body) {
    bossX = body->x;
    bossY = body->y;
}

// ---- fire -------------------------------------------------------------------------

void SpawnNeedleShot(float cx, float cy, int32_t dir, float speed) {
    SpawnEnemyShot009(cx, cy, dir, speed);
}

int32_t WrapDegrees(int32_t dir) {
    dir %= 360;
    return dir < 0 ? dir + 360 : dir;
}

void FireFan(ShotSpawner spawn, float cx, float cy, int32_t baseDir, const int32_t* offsets,
             int32_t count, float speed) {
    for (int32_t i = 0; i < count; ++i) spawn(cx, cy, WrapDegrees(baseDir + offsets[i]), speed);
}

void FireRing(ShotSpawner spawn, float cx, float cy, int32_t firstDir, int32_t step,
              int32_t count, float speed) {
    for (int32_t i = 0; i < count; ++i) spawn(cx, cy, WrapDegrees(firstDir + i * step), speed);
}

// ---- the end of a frame -----------------------------------------------------------

// An explosion order (deathKind 10) takes the body away without its score.
static void ObeyExplosionOrder(Actor* body) {
    if (body->deathKind != DeathExplode) return;
    SpawnExplosion(CentreX(body), CentreY(body), 0, body->speed);
    body->alive = 0;
}

void FinishBossBodyFrame(Actor* body, ActorFn death) {
    UpdateHitFlash(body);
    if (body->hp <= 0) {
        AddScore(body->scoreValue);
        body->work[kHitFlash].i = 0;
        body->update = death;
    } else {
        ObeyExplosionOrder(body);
    }
}

bool FinishBossLifeFrame(Actor* body, int32_t nextHp, ActorFn transition) {
    UpdateHitFlash(body);
    if (body->hp <= 0) {
        body->hp = nextHp;
        body->guardMode = 2;
        body->work[kHitFlash].i = 0;
        body->update = transition;
        return true;
    }
    ObeyExplosionOrder(body);
    return false;
}

void FollowBossBody(Actor* part) {
    part->x = part->work[kPartOffsetX].f + bossX;
    part->y = part->work[kPartOffsetY].f + bossY;
}

bool FinishBossPartFrame(Actor* part) {
    UpdateHitFlash(part);
    FinishEnemyFrameNoBounds(part);
    return part->alive == 0;
}

void DrawBossCell(Actor* a, int32_t image) { DrawEnemyCell(a, image, 0); }

// ---- laser bolts ------------------------------------------------------------------

void FireLaserBolt(float cx, float cy, int32_t dir, float speed) {
    PlaySound(WavEnemyShot[0], 1, 1);
    SpawnEnemyShot003(cx, cy, dir, speed, 1);
}

// ---- velocity limits ----------------------------------------------------------------

float ClampVelocity(float v, float limit) { return Clamp(v, limit); }

// ---- stops and random speeds ------------------------------------------------------

bool IsStopReachedFromAbove(const Actor* a, int32_t targetX, int32_t targetY, int32_t tolerance) {
    int32_t dx = static_cast<int32_t>(a->x) - targetX;
    int32_t yi = static_cast<int32_t>(a->y);
    return dx >= -tolerance && dx <= tolerance && yi >= targetY - tolerance && yi <= targetY;
}

float RandomSpeedTenths() { return static_cast<float>(RandomUpTo(20)) / 10.0f; }
