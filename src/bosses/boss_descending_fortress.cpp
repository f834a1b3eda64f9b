// Boss 0, the descending fortress: drops in from above, then glides to a new height
// and hovers in turn; its turret and gun fire only while it hovers.
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

// Turret work words
constexpr int kFired = kPartFireTick;

constexpr int32_t kGunInterval = 7;
constexpr int32_t kBossHovering = 1;

static const FortressHull kHull = {400.0f, 8.0f, GuardNormal, 100000, 480};

static void UpdateFortressHover(Actor* a);

static void UpdateFortressGlide(Actor* a) {
    GlideFortress(a, UpdateFortressHover);
    FinishBossBodyFrame(a, BossDeathUpdateSet);
}

static void UpdateFortressHover(Actor* a) {
    HoverFortress(a, kHull, UpdateFortressGlide);
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

void SpawnBoss00() {
    Actor* body = SpawnFortressBody(kHull, UpdateFortressGlide, DrawFortress, rank / 3 + 500);
    if (!body) return;
    SpawnFortressTurret(body, UpdateFortressTurret, DrawFortressTurret, rank / 10 + 800);
    SpawnFortressGun(body, UpdateFortressGun, DrawFortressGun, rank + 800);
    SpawnFortressShield();
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateFortressGlide),
    BEHAVIOUR(UpdateFortressHover),
    BEHAVIOUR(DrawFortress),
    BEHAVIOUR(UpdateFortressTurret),
    BEHAVIOUR(DrawFortressTurret),
    BEHAVIOUR(UpdateFortressGun),
    BEHAVIOUR(DrawFortressGun),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
