// Boss 0, the descending fortress: drops in from above, then glides to a new height
// and hovers in turn; its turret and gun fire only while it hovers.
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Turret work words
constexpr int kFired = kPartFireTick;

constexpr int32_t kBodyWidth = 202;
constexpr int32_t kBodyHeight = 200;
constexpr int32_t kHoverFrames = 90;  // the glide starts when the tick exceeds it
constexpr int32_t kGunInterval = 7;

constexpr int32_t kBossHovering = 1;
constexpr int32_t kBossGliding = 0;

static void UpdateFortressHover(Actor* a);

static void UpdateFortressGlide(Actor* a) {
    if (EaseToHeight(a, a->work[kBossTargetY].i)) {
        a->update = UpdateFortressHover;  // vy keeps its last value for this frame
        bossState = kBossHovering;
        a->work[kBossTick].i = 0;
    }
    a->y += a->work[kBossVy].f;
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

// The body stands still; bossX and bossY keep the last glide frame's values.
static void UpdateFortressHover(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > kHoverFrames) {
        bossState = kBossGliding;
        a->work[kBossTargetY].i = RandomTargetY(a);
        a->update = UpdateFortressGlide;
    }
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void DrawFortress(Actor* a) { DrawBossCell(a, ImgEnemy[200]); }

// One slow large shot at the start of every hover.
static void UpdateFortressTurret(Actor* a) {
    FollowBossBody(a);
    if (bossState == kBossHovering) {
        if (a->work[kFired].i == 0) {
            a->work[kFired].i = 1;
            SpawnEnemyShot001(a->x - 4, a->y + 22, 180, 1.0f);
        }
    } else {
        a->work[kFired].i = 0;
    }
    FinishBossPartFrame(a);
}

static void DrawFortressTurret(Actor* a) { DrawBossCell(a, ImgEnemy[201]); }

// Aimed small shots every 7 frames while the body hovers.
static void UpdateFortressGun(Actor* a) {
    FollowBossBody(a);
    if (bossState == kBossHovering) {
        a->work[kPartFireTick].i += 1;
        if (a->work[kPartFireTick].i >= kGunInterval) {
            a->work[kPartFireTick].i = 0;
            int32_t dir = AimAtPlayer(90, a->x + 3, a->y + 5);
            SpawnEnemyShot000(a->x + 3, a->y + 5, dir, static_cast<float>(rank / 50) + 4.5f);
        }
    } else {
        a->work[kPartFireTick].i = 0;
    }
    FinishBossPartFrame(a);
}

static void DrawFortressGun(Actor* a) { DrawBossCell(a, ImgEnemy[202]); }

// Parts start on the body and ride at their offset from its first update on.
static void SpawnFortressPart(const Actor* body, ActorFn update, ActorFn draw, int32_t w,
                              int32_t h, int32_t hp, float right, float bottom, float offsetX,
                              float offsetY) {
    Actor* p = SpawnBossPart(body, update, draw, w, h, hp, 50000, offsetX, offsetY);
    if (!p) return;
    p->speed = 1.3f;
    SetHitRect(p, 0, 0, right, 0, bottom);
}

void SpawnBoss00() {
    Actor* body = AcquireBossActor(UpdateFortressGlide, DrawFortress, 400, -240, kBodyWidth,
                                   kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = 8.0f;
    StartHp(body, rank / 3 + 500);
    SetHitRect(body, 0, 14, 67, 127, 186);
    body->scoreValue = 100000;
    body->work[kBossVy].f = 4.0f;
    body->work[kBossTick].i = 0;
    body->work[kBossTargetY].i = 480 - kBodyHeight;
    SpawnFortressPart(body, UpdateFortressTurret, DrawFortressTurret, 69, 47, rank / 10 + 800, 52,
                      64, 0.0f, 25.0f);
    SpawnFortressPart(body, UpdateFortressGun, DrawFortressGun, 35, 12, rank + 800, 52, 10, 28.0f,
                      89.0f);
    SpawnBossShield(55, 6, 197, 189);
}
