// Boss 8, the shell launcher: a tall hull with three lives. It throws armoured copies
// of itself at the ship, then swings about launching spraying pods, then closes in
// with gun-port volleys and two sweeping streams.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Body work words (kBossTick is the main timer)
constexpr int kSecondTimer = kBossOwnWords;
constexpr int kAttackFlag = kBossOwnWords + 1;
constexpr int kStreamDir = kBossOwnWords + 2;
// Pod work word
constexpr int kSprayDir = 3;

constexpr int32_t kBodyWidth = 118;
constexpr int32_t kBodyHeight = 171;
constexpr int32_t kStandX = 640 - kBodyWidth;  // 522
constexpr int32_t kScore = 250000;
constexpr int32_t kSecondLifeHp = 3000;
constexpr float kLevelOffset = 85.0f;  // the body keeps this row level with the ship

// The hull's hit rectangles (left, right, top, bottom), shared by the shell.
static const HitRect kHullRects[6] = {
    {9, 30, 8, 45},   {84, 105, 11, 45},  {14, 101, 64, 98},
    {28, 88, 105, 122}, {2, 117, 124, 133}, {35, 82, 135, 168},
};

constexpr float kShellStartSpeed = 0.1f;
constexpr float kShellAcceleration = 0.6f;
constexpr float kShellTopSpeed = 24.0f;
constexpr float kPodSpeed = 2.4f;
constexpr int32_t kPodSpread = 120;

// Stand fans leave the ship's direction +-15 degrees free.
static const int32_t kGapFan[6] = {15, 45, 75, 345, 315, 285};

struct Port {
    float dx, dy;
};
static const Port kVolleyPorts[7] = {{23, 37}, {90, 39}, {24, 73}, {88, 75},
                                     {55, 95}, {114, 129}, {57, 158}};
constexpr float kStreamX = 56.0f, kStreamY = 95.0f;
constexpr float kStreamSpeed = 18.0f;

static void UpdateLauncherStand(Actor* a);
static void UpdateLauncherFirstRetreat(Actor* a);
static void UpdateLauncherSwing(Actor* a);
static void UpdateLauncherSecondRetreat(Actor* a);
static void UpdateLauncherClose(Actor* a);
static void UpdateLauncherVolley(Actor* a);
static void UpdateLauncherSweepUp(Actor* a);
static void UpdateLauncherSweepDown(Actor* a);

static void SetHullRects(Actor* a) {
    for (int i = 0; i < 6; i++) {
        const HitRect& r = kHullRects[i];
        SetHitRect(a, i, r.left, r.right, r.top, r.bottom);
    }
}

// ---- shell and pod --------------------------------------------------------------

// The shell flies off to the left ever faster; armour makes it unbreakable.
static void UpdateShell(Actor* a) {
    MoveAlongDir(a);
    a->speed += kShellAcceleration;
    if (a->speed > kShellTopSpeed) a->speed = kShellTopSpeed;
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawShell(Actor* a) { DrawEnemyCell(a, ImgEnemy[283], 0); }

static void SpawnShell(float x, float y) {
    Actor* a = AcquireBossActor(UpdateShell, DrawShell, x, y, kBodyWidth, kBodyHeight);
    if (!a) return;
    SetHullRects(a);
    StartHp(a, 1000);
    a->guardMode = GuardArmoured;
    a->scoreValue = 100;
    a->work[kDir].i = 180;
    a->speed = kShellStartSpeed;
}

// A pod drifts where it was launched, spraying a turning stream.
static void UpdatePod(Actor* a) {
    MoveAlongDir(a);
    SpawnEnemyShot007(a->x + 30, a->y + 53, a->work[kSprayDir].i,
                      static_cast<float>(rank / 80) + 3.2f);
    a->work[kSprayDir].i -= 15;
    if (a->work[kSprayDir].i < 0) a->work[kSprayDir].i += 360;
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawPod(Actor* a) { DrawEnemyCell(a, ImgEnemy[282], 0); }

static void SpawnPod(float x, float y, int32_t dir, float speed) {
    Actor* a = AcquireBossActor(UpdatePod, DrawPod, x, y, 64, 70);
    if (!a) return;
    SetHitRect(a, 0, 6, 18, 8, 27);
    SetHitRect(a, 1, 47, 59, 8, 27);
    SetHitRect(a, 2, 9, 56, 37, 58);
    SetHitRect(a, 3, 12, 53, 25, 37);
    SetHitRect(a, 4, 19, 45, 59, 67);
    StartHp(a, rank / 10 + 100);
    a->scoreValue = 50000;
    a->work[kDir].i = dir;
    a->speed = speed;
    a->work[kSprayDir].i = 180;
}

// ---- first life: enter and stand --------------------------------------------------

static void UpdateLauncherEnter(Actor* a) {
    a->x += a->work[kBossVx].f;
    PublishBossPosition(a);
    if (static_cast<int32_t>(a->x) <= kStandX) {
        a->work[kBossTick].i = 0;
        a->update = UpdateLauncherStand;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);  // destroyed while entering: the whole boss
}

// Six shots from one port around the ship's direction.
static void FireGapFan(const Actor* a, float dx, float dy) {
    int32_t aim = AngleBetween(a->x + dx, a->y + dy, playerCenterX, playerCenterY);
    FireFan(SpawnEnemyShot000, a->x + dx, a->y + dy, aim, kGapFan, 6,
            static_cast<float>(rank / 80) + 6.2f);
}

static void UpdateLauncherStand(Actor* a) {
    float& vy = a->work[kBossVy].f;
    vy += playerCenterY > a->y + kLevelOffset ? 0.2f : -0.2f;
    vy = ClampVelocity(vy, 4.0f);
    a->y += vy;
    PublishBossPosition(a);
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i < 0) {
        a->work[kBossTick].i = RandomUpTo(300 - rank) + 60;
        SpawnShell(a->x, a->y);
    }
    a->work[kSecondTimer].i -= 1;
    if (a->work[kSecondTimer].i <= 0) {
        a->work[kSecondTimer].i = RandomUpTo(120);
        FireGapFan(a, 23, 37);
        FireGapFan(a, 89, 39);
    }
    if (FinishBossLifeFrame(a, kSecondLifeHp, UpdateLauncherFirstRetreat))
        a->work[kBossVx].f = 6.0f;
}

// ---- retreats between lives (armoured) ---------------------------------------------

// Backs off to the right, slowing to 4 pixels a frame; true once x passes `limit`.
static bool Retreat(Actor* a, float limit) {
    float& vx = a->work[kBossVx].f;
    vx -= 0.3f;
    if (vx < 4.0f) vx = 4.0f;
    a->x += vx;
    a->y += a->work[kBossVy].f;
    PublishBossPosition(a);
    if (a->x <= limit) return false;
    a->work[kBossVy].f = 0.0f;
    a->guardMode = GuardNormal;
    return true;
}

static void UpdateLauncherFirstRetreat(Actor* a) {
    if (Retreat(a, 780.0f)) a->update = UpdateLauncherSwing;
}

static void UpdateLauncherSecondRetreat(Actor* a) {
    if (Retreat(a, 700.0f)) {
        a->work[kBossVx].f = -1.0f;
        a->update = UpdateLauncherClose;
    }
}

// ---- second life: swing -------------------------------------------------------------

static void UpdateLauncherSwing(Actor* a) {
    HoverInBox(a, 468, 490, 114, 211);
    PublishBossPosition(a);
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kBossTick].i = RandomUpTo(500 - rank) + 120;
        int32_t dir = AimAtPlayer(kPodSpread, a->x + 25, a->y + 90);
        SpawnPod(a->x + 25, a->y + 90, dir, kPodSpeed);
    }
    if (RandomUpTo(256) < 3) {
        int32_t d = RandomUpTo(20);
        int32_t dir = AimAtPlayer(10, a->x + 15, a->y + 81);
        SpawnEnemyShot002(a->x + 15, a->y + 81, dir, static_cast<float>(d) / 10.0f + 4.2f);
    }
    if (FinishBossLifeFrame(a, rank * 10 + 4500, UpdateLauncherSecondRetreat))
        a->work[kBossVx].f = 6.0f;
}

// ---- third life: close, volley, sweeps ----------------------------------------------

// Keeps level with the ship and stops once it has come in to the stand line.
static void CloseIn(Actor* a) {
    float& vy = a->work[kBossVy].f;
    vy += playerCenterY > a->y + kLevelOffset ? 0.1f : -0.1f;
    vy = ClampVelocity(vy, 2.0f);
    if (a->x < static_cast<float>(kStandX)) a->work[kBossVx].f = 0.0f;
    a->x += a->work[kBossVx].f;
    a->y += vy;
    PublishBossPosition(a);
}

static int32_t AimFromStreamPort(const Actor* a) {
    return AngleBetween(a->x + kStreamX, a->y + kStreamY, playerCenterX, playerCenterY);
}

static void UpdateLauncherClose(Actor* a) {
    CloseIn(a);
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i < 1) {
        if (a->work[kAttackFlag].i == 0) {
            a->update = UpdateLauncherVolley;
        } else if (a->work[kAttackFlag].i == 1) {
            int32_t dir = AimFromStreamPort(a) - 60;
            a->work[kStreamDir].i = dir < 0 ? dir + 360 : dir;
            a->update = UpdateLauncherSweepUp;
        }
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void UpdateLauncherVolley(Actor* a) {
    CloseIn(a);
    a->work[kSecondTimer].i += 1;
    if (a->work[kSecondTimer].i > 25) {
        a->work[kSecondTimer].i = 0;
        for (const Port& p : kVolleyPorts) {
            int32_t dir = AimAtPlayer(60, a->x + p.dx, a->y + p.dy);
            float speed = static_cast<float>(RandomUpTo(100)) / 50.0f +
                          static_cast<float>(rank / 80) + 4.2f;
            SpawnEnemyShot000(a->x + p.dx, a->y + p.dy, dir, speed);
        }
    }
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > 90) {
        a->work[kBossTick].i = RandomUpTo(40) + 70;
        a->work[kAttackFlag].i = 1;
        a->update = UpdateLauncherClose;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void FireStream(const Actor* a) {
    SpawnEnemyShot000(a->x + kStreamX, a->y + kStreamY, a->work[kStreamDir].i, kStreamSpeed);
}

static void UpdateLauncherSweepUp(Actor* a) {
    CloseIn(a);
    a->work[kStreamDir].i += 1;
    if (a->work[kStreamDir].i >= 360) a->work[kStreamDir].i -= 360;
    FireStream(a);
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > 80) {
        a->work[kBossTick].i = 0;
        a->work[kStreamDir].i = (AimFromStreamPort(a) + 80) % 360;
        a->update = UpdateLauncherSweepDown;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void UpdateLauncherSweepDown(Actor* a) {
    CloseIn(a);
    a->work[kStreamDir].i -= 2;
    if (a->work[kStreamDir].i < 0) a->work[kStreamDir].i += 360;
    FireStream(a);
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i > 70) {
        a->work[kBossTick].i = RandomUpTo(20) + 60;
        a->work[kAttackFlag].i = 0;
        a->update = UpdateLauncherClose;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawLauncher(Actor* a) { DrawBossCell(a, ImgEnemy[280]); }

void SpawnBoss08() {
    Actor* body = AcquireBossActor(UpdateLauncherEnter, DrawLauncher, 640, 154, kBodyWidth,
                                   kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = 2.0f;
    StartHp(body, rank * 3 + 3000);
    SetHullRects(body);
    body->scoreValue = kScore;
    body->work[kBossVx].f = -1.0f;
    body->work[kBossVy].f = 0.0f;
    body->work[kBossTick].i = 0;
    body->work[kSecondTimer].i = 0;
    body->work[kAttackFlag].i = 0;
    body->work[kStreamDir].i = 0;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateShell),
    BEHAVIOUR(DrawShell),
    BEHAVIOUR(UpdatePod),
    BEHAVIOUR(DrawPod),
    BEHAVIOUR(UpdateLauncherEnter),
    BEHAVIOUR(UpdateLauncherStand),
    BEHAVIOUR(UpdateLauncherFirstRetreat),
    BEHAVIOUR(UpdateLauncherSecondRetreat),
    BEHAVIOUR(UpdateLauncherSwing),
    BEHAVIOUR(UpdateLauncherClose),
    BEHAVIOUR(UpdateLauncherVolley),
    BEHAVIOUR(UpdateLauncherSweepUp),
    BEHAVIOUR(UpdateLauncherSweepDown),
    BEHAVIOUR(DrawLauncher),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
