// Boss 10, the gun tower: a tall tower climbing and sinking at the right edge with
// three guns on its front. One-frame pulses of bossState fling the guns out like
// boomerangs or make them fire a laser; each gun lost arms one more of the tower's
// own weapons through a word of bossScratch.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Tower work words
constexpr int kMissileTick = kBossOwnWords;
constexpr int kShotTick = kBossOwnWords + 1;
constexpr int kSlugTick = kBossOwnWords + 2;
constexpr int kPulseTimer = kBossOwnWords + 3;
constexpr int kPulseKind = kBossOwnWords + 4;
// Gun work words (kPartFireTick is the fire tick)
constexpr int kLaserCount = kPartOwnWords;
constexpr int kFlingFlag = kPartOwnWords + 1;
constexpr int kFlingDisplacement = kPartOwnWords + 2;
constexpr int kFlingVelocity = kPartOwnWords + 3;
constexpr int kLostWord = kPartOwnWords + 4;  // the bossScratch word set when it is lost

constexpr int32_t kTowerWidth = 104;
constexpr int32_t kTowerHeight = 330;
constexpr float kTopY = -70.0f;
constexpr float kBottomY = 550.0f - kTowerHeight;  // 220

constexpr int32_t kPulseNone = 0;
constexpr int32_t kPulseFling = 1;
constexpr int32_t kPulseLaser = 2;

constexpr float kFlingStart = -40.0f;
constexpr float kFlingPull = 1.1f;
constexpr int32_t kLaserFrames = 180;  // the laser ends when its count exceeds this

struct GunShape {
    int32_t image;
    int32_t width, height;
    int32_t baseHp;  // minus rank: the guns weaken as the game hardens
    float offsetX, offsetY;
    HitRect rect;
};
static const GunShape kGuns[3] = {
    {301, 104, 45, 1600, 0.0f, 62.0f, {4, 100, 9, 38}},
    {302, 103, 48, 1400, 1.0f, 140.0f, {5, 97, 9, 40}},
    {303, 102, 52, 1600, 1.0f, 220.0f, {5, 96, 9, 42}},
};

// ---- tower --------------------------------------------------------------------------

// The weapons each lost gun switches on.
static void FireTowerWeapons(Actor* a) {
    if (bossScratch[0] > 0) {
        a->work[kMissileTick].i += 1;
        if (a->work[kMissileTick].i > 80 - rank / 20) {
            a->work[kMissileTick].i = 0;
            SpawnEnemy007(a->x + 52, a->y + 80, 45);
            SpawnEnemy007(a->x + 52, a->y + 80, 315);
        }
    }
    if (bossScratch[1] > 0) {
        a->work[kShotTick].i += 1;
        if (a->work[kShotTick].i > 8 - rank / 90) {
            a->work[kShotTick].i = 0;
            int32_t dir = AimAtPlayer(90, a->x + 52, a->y + 163);
            SpawnEnemyShot000(a->x + 52, a->y + 163, dir, static_cast<float>(rank / 50) + 2.5f);
        }
    }
    if (bossScratch[2] > 0) {
        a->work[kSlugTick].i += 1;
        if (a->work[kSlugTick].i > 50) {
            a->work[kSlugTick].i = 0;
            int32_t d = RandomUpTo(20);
            int32_t dir = AimAtPlayer(10, a->x + 65, a->y + 241);
            SpawnEnemyShot002(a->x + 65, a->y + 241, dir, static_cast<float>(d) / 10.0f + 12.8f);
        }
    }
}

// A pulse lasts one frame: fling, then laser 210 to 310 frames later, then fling
// 400 to 500 frames after that.
static void PulseGuns(Actor* a) {
    if (bossState != kPulseNone) {
        bossState = kPulseNone;
        return;
    }
    a->work[kPulseTimer].i -= 1;
    if (a->work[kPulseTimer].i > 0) return;
    if (a->work[kPulseKind].i == 0) {
        bossState = kPulseFling;
        a->work[kPulseTimer].i = RandomUpTo(100) + 210;
        a->work[kPulseKind].i = 1;
    } else {
        bossState = kPulseLaser;
        a->work[kPulseTimer].i = RandomUpTo(100) + 400;
        a->work[kPulseKind].i = 0;
    }
}

static void UpdateTower(Actor* a) {
    float& vy = a->work[kBossVy].f;
    a->x += a->work[kBossVx].f;
    a->y += vy;
    PublishBossPosition(a);
    if ((vy < 0 && a->y <= kTopY) || (vy > 0 && a->y >= kBottomY)) vy = -vy;
    FireTowerWeapons(a);
    PulseGuns(a);
    shotSoundLatch = 0;  // the guns' lasers sound once a frame at most
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawTower(Actor* a) { DrawBossCell(a, ImgEnemy[300]); }

// ---- guns ---------------------------------------------------------------------------

static void UpdateGunMounted(Actor* a);
static void UpdateGunFlung(Actor* a);
static void UpdateGunLaser(Actor* a);

// Every gun state ends here; a lost gun arms its word of the tower's weapons.
static void FinishGunFrame(Actor* a) {
    if (FinishBossPartFrame(a)) bossScratch[a->work[kLostWord].i] = 1;
}

static void UpdateGunMounted(Actor* a) {
    FollowBossBody(a);
    a->work[kPartFireTick].i -= 1;
    if (a->work[kPartFireTick].i <= 0) {
        a->work[kPartFireTick].i = RandomUpTo(30) + 25;
        int32_t dir = AimAtPlayer(30, a->x + 4, a->y + 22);
        SpawnEnemyShot000(a->x + 4, a->y + 22, dir, static_cast<float>(rank / 50) + 4.5f);
    }
    if (bossState == kPulseFling) {
        a->work[kFlingFlag].i = 1;
        a->work[kFlingVelocity].f = kFlingStart;
        a->update = UpdateGunFlung;
    } else if (bossState == kPulseLaser) {
        a->work[kLaserCount].i = 0;
        a->update = UpdateGunLaser;
    }
    FinishGunFrame(a);
}

// Out to the left along its own row and back like a boomerang, about 72 frames.
static void UpdateGunFlung(Actor* a) {
    float& displacement = a->work[kFlingDisplacement].f;
    a->work[kFlingVelocity].f += kFlingPull;
    displacement += a->work[kFlingVelocity].f;
    if (displacement >= 0) {
        displacement = 0;
        a->work[kFlingFlag].i = 0;
        a->update = UpdateGunMounted;
    }
    FollowBossBody(a);
    a->x += displacement;
    FinishGunFrame(a);
}

// 181 bolts at 20 pixels a frame make one unbroken beam along the gun's row.
static void UpdateGunLaser(Actor* a) {
    FollowBossBody(a);
    SpawnEnemyShot003(a->x + 4, a->y + 22, 180, 20.0f, 0);
    a->work[kLaserCount].i += 1;
    if (a->work[kLaserCount].i > kLaserFrames) a->update = UpdateGunMounted;
    FinishGunFrame(a);
}

static void DrawGun(Actor* a) {
    DrawEnemyCell(a, ImgEnemy[kGuns[a->work[kLostWord].i].image], a->work[kFlingFlag].i);
}

static void SpawnGun(const Actor* tower, int index) {
    const GunShape& g = kGuns[index];
    Actor* p = SpawnBossPart(tower, UpdateGunMounted, DrawGun, g.width, g.height,
                             g.baseHp - rank, 50000, g.offsetX, g.offsetY);
    if (!p) return;
    p->speed = 1.0f;
    SetHitRect(p, 0, g.rect.left, g.rect.right, g.rect.top, g.rect.bottom);
    p->work[kPartFireTick].i = RandomUpTo(100);
    p->work[kLaserCount].i = 0;
    p->work[kFlingFlag].i = 0;
    p->work[kFlingDisplacement].f = 0.0f;
    p->work[kFlingVelocity].f = 0.0f;
    p->work[kLostWord].i = index;
}

void SpawnBoss10() {
    Actor* tower = AcquireBossActor(UpdateTower, DrawTower, 536, 500, kTowerWidth, kTowerHeight);
    if (!tower) return;
    bossState = 0;
    ClearBossScratch();
    tower->speed = 1.0f;
    StartHp(tower, rank * 3 + 8000);
    SetHitRect(tower, 0, 38, 66, 0, 330);
    tower->scoreValue = 200000;
    tower->work[kBossVx].f = 0.0f;
    tower->work[kBossVy].f = -1.0f;
    for (int w = kMissileTick; w <= kPulseKind; w++) tower->work[w].i = 0;
    for (int i = 0; i < 3; i++) SpawnGun(tower, i);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateTower),
    BEHAVIOUR(DrawTower),
    BEHAVIOUR(UpdateGunMounted),
    BEHAVIOUR(UpdateGunFlung),
    BEHAVIOUR(UpdateGunLaser),
    BEHAVIOUR(DrawGun),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
