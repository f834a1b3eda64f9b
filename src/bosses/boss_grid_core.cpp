// Boss 16, the grid core: one small spinning core that walks the screen on a 32-pixel
// grid laying mines, sweeps through it four times scattering needle spirals, and
// descends to fire a band from beyond the right edge. Each walk makes the next faster.
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

// Core work words (kDir is the flight direction, kBossTick the phase timer,
// kBossTargetX and kBossTargetY the descent's target)
constexpr int kDrawAngle = kBossOwnWords;
constexpr int kGridDx = kBossOwnWords + 1;  // float, -1, 0 or 1
constexpr int kGridDy = kBossOwnWords + 2;  // float, -1, 0 or 1
constexpr int kAimTimer = kBossOwnWords + 3;
constexpr int kMinesLeft = kBossOwnWords + 4;
constexpr int kNextAttack = kBossOwnWords + 5;
constexpr int kSpin = kBossOwnWords + 6;         // float
constexpr int kNeedleSpeed = kBossOwnWords + 7;  // float

// The core's own counters in the boss scratch block.
static int32_t& gridWalkOver = bossScratch[0];
static int32_t& gridStepFrames = bossScratch[1];

constexpr int32_t kCoreSize = 32;
constexpr float kGridStep = 32.0f;
constexpr int32_t kFirstStepFrames = 12;
constexpr int32_t kFastestStepFrames = 3;
constexpr int32_t kFirstStepDelay = 60;
constexpr int32_t kWalkPause = 180;  // selector pause after a grid walk
constexpr int32_t kBeamFrames = 140;
constexpr int32_t kBeamPause = 120;
constexpr int32_t kNeedleInterval = 3;
constexpr float kSpinStep = 4.0f;
constexpr double kDegreesToRadians = 0.017453292519943295;

// The four sweeps through the screen; kRandomX / kRandomY mark a random start.
constexpr int32_t kRandomX = -1000;  // RandomUpTo(608)
constexpr int32_t kRandomY = -2000;  // RandomUpTo(448)
struct Sweep {
    int32_t x, y;
    int32_t dir;
    float speed;
    float needleSpeed;
};
static const Sweep kSweeps[4] = {
    {640, kRandomY, 180, 3.0f, 2.6f},
    {-32, kRandomY, 0, 4.0f, 3.0f},
    {kRandomX, -32, 270, 4.4f, 3.8f},
    {kRandomX, 480, 90, 5.2f, 4.8f},
};

static void UpdateCoreSelector(Actor* a);
static void UpdateCoreSweep(Actor* a);
static void UpdateCoreDescent(Actor* a);
static void UpdateCoreBeam(Actor* a);

static int32_t MinesForAWalk() { return rank / 40 + 20; }

// ---- grid walk ------------------------------------------------------------------------

// Past an edge on one axis: once every mine is laid the walk ends there (the core
// stays where it is), otherwise the core steps back and turns round.
static void KeepOnGrid(float& position, float& step, float limit, int32_t mines) {
    if (position >= 0 && position < limit) return;
    if (mines <= 0) {
        gridWalkOver = 1;
        return;
    }
    position -= step * kGridStep;
    step = -step;
}

static void StepOnGrid(Actor* a) {
    float& dx = a->work[kGridDx].f;
    float& dy = a->work[kGridDy].f;
    int32_t& mines = a->work[kMinesLeft].i;
    if (RandomUpTo(256) < rank / 80 + 40) {
        SpawnEnemy008(a->x, a->y);
        mines -= 1;
    }
    a->x += dx * kGridStep;
    a->y += dy * kGridStep;
    KeepOnGrid(a->x, dx, 640, mines);
    KeepOnGrid(a->y, dy, 480, mines);
    int32_t turn = RandomUpTo(256);
    if (turn < 40 && mines > 0) {
        int32_t g = RandomUpTo(3);  // left, right, up or down alike
        dx = 0.0f;
        dy = 0.0f;
        if (g == 0) dx = -1.0f;
        if (g == 1) dx = 1.0f;
        if (g == 2) dy = -1.0f;
        if (g == 3) dy = 1.0f;
    }
}

static void UpdateCoreGridWalk(Actor* a) {
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kBossTick].i = gridStepFrames;
        StepOnGrid(a);
    }
    a->work[kAimTimer].i -= 1;
    if (a->work[kAimTimer].i <= 0) {
        a->work[kAimTimer].i = RandomUpTo(60) + 30;
        int32_t dir = AimAtPlayer(30, a->x + 16, a->y + 16);
        float speed = static_cast<float>(RandomUpTo(30)) / 10.0f + 2.4f +
                      static_cast<float>(rank / 100);
        SpawnEnemyShot000(a->x + 25, a->y + 16, dir, speed);
    }
    if (gridWalkOver == 1) {
        gridWalkOver = 0;
        gridStepFrames -= 1;
        if (gridStepFrames < kFastestStepFrames) gridStepFrames = kFastestStepFrames;
        a->work[kBossTick].i = kWalkPause;
        a->update = UpdateCoreSelector;
    }
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void StartGridWalk(Actor* a, float y) {
    a->x = 640;
    a->y = y;
    a->work[kGridDx].f = -1.0f;
    a->work[kGridDy].f = 0.0f;
    a->work[kBossTick].i = kFirstStepDelay;
    a->work[kMinesLeft].i = MinesForAWalk();
    a->update = UpdateCoreGridWalk;
}

// ---- selector -------------------------------------------------------------------------

static void StartSweep(Actor* a, const Sweep& s) {
    a->x = static_cast<float>(s.x == kRandomX ? RandomUpTo(608) : s.x);
    a->y = static_cast<float>(s.y == kRandomY ? RandomUpTo(448) : s.y);
    a->work[kDir].i = s.dir;
    a->speed = s.speed;
    a->work[kNeedleSpeed].f = s.needleSpeed;
    a->update = UpdateCoreSweep;
}

static void StartDescent(Actor* a) {
    a->x = 448;
    a->y = -32;
    a->work[kBossTargetX].i = 448;
    a->work[kBossTargetY].i = RandomUpTo(448);
    a->work[kSpin].f = 0.0f;
    a->work[kDir].i = 270;
    a->speed = 1.2f;
    a->update = UpdateCoreDescent;
}

// A pause where the core is; then the next attack of the cycle.
static void UpdateCoreSelector(Actor* a) {
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kSpin].f = 180.0f;
        a->work[kDrawAngle].i = 0;
        a->work[kBossTick].i = 0;
        a->work[kNeedleSpeed].f = 0.0f;
        a->work[kAimTimer].i = 0;
        a->work[kMinesLeft].i = 0;
        int32_t attack = a->work[kNextAttack].i;
        a->work[kNextAttack].i = attack >= 1 && attack <= 6 ? attack + 1 : 1;
        if (attack >= 1 && attack <= 4) {
            StartSweep(a, kSweeps[attack - 1]);
        } else if (attack == 5) {
            StartGridWalk(a, 416);
        } else if (attack == 6) {
            StartDescent(a);
        } else {
            StartGridWalk(a, 32);
        }
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// ---- sweep, descent, beam ---------------------------------------------------------------

static void UpdateCoreSweep(Actor* a) {
    MoveAlongDir(a);
    float& spin = a->work[kSpin].f;
    spin += kSpinStep;
    if (spin > 360.0f) spin -= 360.0f;
    int32_t s = static_cast<int32_t>(spin);
    a->work[kDrawAngle].i = s == 0 ? 0 : 360 - s;
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kBossTick].i = kNeedleInterval;
        SpawnEnemyShot009(a->x + 16, a->y + 16, s, a->work[kNeedleSpeed].f);
    }
    if (a->x < -32 || a->x > 640 || a->y < -32 || a->y > 480) {
        a->work[kBossTick].i = 0;  // the next attack starts in the selector's first frame
        a->update = UpdateCoreSelector;
    }
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void UpdateCoreDescent(Actor* a) {
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    if (RandomUpTo(2000) < rank) {
        int32_t dir = AimAtPlayer(180, a->x + 16, a->y + 16);
        float speed = static_cast<float>(RandomUpTo(20)) / 10.0f + 1.8f +
                      static_cast<float>(rank / 100);
        SpawnEnemyShot000(a->x + 25, a->y + 16, dir, speed);
    }
    if (IsNearTarget(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i, 2)) {
        a->speed = 8.0f;  // turn and race off to the right
        a->work[kBossTargetX].i = 700;
    }
    if (a->x > 640) {
        a->work[kBossTick].i = kBeamFrames;
        PlaySound(WavEnemyShot[3], 1, 1);
        a->update = UpdateCoreBeam;
    }
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// From just beyond the right edge, a band 128 pixels high across the core's row.
static void UpdateCoreBeam(Actor* a) {
    SpawnEnemyShot005(a->x + 16 + 128, a->y + 16, 180, 128.0f);
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kBossTick].i = kBeamPause;
        a->update = UpdateCoreSelector;
    }
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// The picture turned about its centre; the flash look is the next picture.
static void DrawCore(Actor* a) {
    DrawImageRotated(static_cast<int>(a->x) + 16, static_cast<int>(a->y) + 16, 16, 16, 1.0,
                     a->work[kDrawAngle].i * kDegreesToRadians,
                     ImgEnemy[360 + a->work[kHitFlash].i], 1, 0);
}

void SpawnBoss16() {
    Actor* core = AcquireBossActor(UpdateCoreGridWalk, DrawCore, 640, 32, kCoreSize, kCoreSize);
    if (!core) return;
    bossState = 0;
    ClearBossScratch();
    gridWalkOver = 0;
    gridStepFrames = kFirstStepFrames;
    core->speed = 1.0f;
    StartHp(core, rank * 50 + 8000);
    SetHitRect(core, 0, 3, 29, 3, 29);
    core->scoreValue = 300000;
    for (int w = kBossOwnWords; w <= kNeedleSpeed; w++) core->work[w].i = 0;
    core->work[kDir].i = 0;
    core->work[kGridDx].f = -1.0f;
    core->work[kGridDy].f = 0.0f;
    core->work[kBossTick].i = kFirstStepDelay;
    core->work[kMinesLeft].i = MinesForAWalk();
    core->work[kNextAttack].i = 1;
    core->work[kBossTargetX].i = 0;
    core->work[kBossTargetY].i = 0;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateCoreGridWalk),
    BEHAVIOUR(UpdateCoreSelector),
    BEHAVIOUR(UpdateCoreSweep),
    BEHAVIOUR(UpdateCoreDescent),
    BEHAVIOUR(UpdateCoreBeam),
    BEHAVIOUR(DrawCore),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
