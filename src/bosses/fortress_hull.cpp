// The fortress hull of bosses 0 and 14: its shape, parts and shield, glide and hover.
#include "bosses/fortress_hull.h"

#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "stages/enemies.h"

constexpr int32_t kHullWidth = 202;
constexpr int32_t kHullHeight = 200;
constexpr float kHullStartY = -240.0f;
constexpr float kFirstFallSpeed = 4.0f;
constexpr int32_t kHoverFrames = 90;  // the glide starts when the tick exceeds it
constexpr int32_t kPartScore = 50000;
constexpr float kPartSpeed = 1.3f;

constexpr int32_t kHovering = 1;
constexpr int32_t kGliding = 0;

Actor* SpawnFortressBody(const FortressHull& hull, ActorFn glide, ActorFn draw, int32_t hp) {
    Actor* body = AcquireBossActor(glide, draw, hull.startX, kHullStartY, kHullWidth, kHullHeight);
    if (!body) return nullptr;
    bossState = 0;
    body->speed = hull.speed;
    StartHp(body, hp);
    SetHitRect(body, 0, 14, 67, 127, 186);
    body->guardMode = hull.guardMode;
    body->scoreValue = hull.scoreValue;
    body->work[kBossVy].f = kFirstFallSpeed;
    body->work[kBossTick].i = 0;
    body->work[kBossTargetY].i = 480 - kHullHeight;
    return body;
}

static Actor* SpawnFortressPart(const Actor* body, ActorFn update, ActorFn draw, int32_t w,
                                int32_t h, int32_t hp, float right, float bottom, float offsetX,
                                float offsetY) {
    Actor* p = SpawnBossPart(body, update, draw, w, h, hp, kPartScore, offsetX, offsetY);
    if (!p) return nullptr;
    p->speed = kPartSpeed;
    SetHitRect(p, 0, 0, right, 0, bottom);
    return p;
}

Actor* SpawnFortressTurret(const Actor* body, ActorFn update, ActorFn draw, int32_t hp) {
    return SpawnFortressPart(body, update, draw, 69, 47, hp, 52, 64, 0.0f, 25.0f);
}

Actor* SpawnFortressGun(const Actor* body, ActorFn update, ActorFn draw, int32_t hp) {
    return SpawnFortressPart(body, update, draw, 35, 12, hp, 52, 10, 28.0f, 89.0f);
}

void SpawnFortressShield() { SpawnBossShield(55, 6, 197, 189); }

bool GlideFortress(Actor* body, ActorFn hover) {
    bool arrived = EaseToHeight(body, body->work[kBossTargetY].i);
    if (arrived) {
        body->update = hover;  // vy keeps its last value for this frame
        bossState = kHovering;
        body->work[kBossTick].i = 0;
    }
    body->y += body->work[kBossVy].f;
    PublishBossPosition(body);
    return arrived;
}

// The body stands still; bossX and bossY keep the last glide frame's values.
bool HoverFortress(Actor* body, const FortressHull& hull, ActorFn glide) {
    body->work[kBossTick].i += 1;
    if (body->work[kBossTick].i <= kHoverFrames) return false;
    bossState = kGliding;
    body->work[kBossTargetY].i = RandomUpTo(hull.glideFloor - body->height);
    body->update = glide;
    return true;
}
