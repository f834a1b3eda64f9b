// Boss 13, the fading fortress: a fixed cycle of moves and three long barrages, and
// once a cycle it fades out, sows mines over the whole screen unseen and fades back.
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

// Body work words (the phase tick is the phase timer)
constexpr int kShotCount = kBossOwnWords;
constexpr int kAttackStep = kBossOwnWords + 1;
constexpr int kSpiralAngle = kBossOwnWords + 2;  // float
constexpr int kSpiralStep = kBossOwnWords + 3;   // float
constexpr int kBrightness = kBossOwnWords + 4;

constexpr int32_t kBodyWidth = 362;
constexpr int32_t kBodyHeight = 315;
constexpr int32_t kArriveTolerance = 2;
constexpr int32_t kWaitAfterTravel = 60;
constexpr int32_t kWaitAfterAttack = 120;
constexpr int32_t kFireEvery = 2;  // the barrages fire every second frame
constexpr int32_t kCentreX = (640 - kBodyWidth) / 2;
constexpr int32_t kCentreY = (480 - kBodyHeight) / 2;
constexpr int32_t kFullBright = 255;
constexpr int32_t kFadeOutStep = 2;
constexpr int32_t kMineGrid = 32;
constexpr float kSpiralStepGrowth = 0.2f;
constexpr float kNeedleSpeed = 5.0f;

enum FortressStep : int32_t {
    StepPair = 0,
    StepTravelAfterPair,
    StepStream,
    StepTravelToCentre,
    StepSpiral,
    StepTravelAfterSpiral,
    StepFade,
    StepTravelAfterFade,
};

static void UpdateFortressTravel(Actor* a);
static void UpdateFortressSelector(Actor* a);
static void UpdateFortressPairs(Actor* a);
static void UpdateFortressStream(Actor* a);
static void UpdateFortressSpiral(Actor* a);
static void UpdateFortressFadeOut(Actor* a);
static void UpdateFortressVanished(Actor* a);
static void UpdateFortressFadeIn(Actor* a);
static void DrawFortressNormal(Actor* a);
static void DrawFortressTinted(Actor* a);

static void UpdateFortressTravel(Actor* a) {
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    PublishBossPosition(a);
    if (IsNearTarget(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i, kArriveTolerance)) {
        a->work[kBossTick].i = kWaitAfterTravel;
        a->update = UpdateFortressSelector;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// What the selector starts from each attack step, and the step after it.
static void StartNextStep(Actor* a) {
    int32_t step = a->work[kAttackStep].i;
    a->work[kAttackStep].i = (step >= StepPair && step < StepTravelAfterFade) ? step + 1 : 0;
    switch (step) {
    case StepPair: a->update = UpdateFortressPairs; break;
    case StepStream: a->update = UpdateFortressStream; break;
    case StepTravelToCentre:
        a->work[kBossTargetX].i = kCentreX;
        a->work[kBossTargetY].i = kCentreY;
        a->update = UpdateFortressTravel;
        break;
    case StepSpiral: a->update = UpdateFortressSpiral; break;
    case StepFade:
        a->guardMode = GuardIntangible;
        a->draw = DrawFortressTinted;
        a->update = UpdateFortressFadeOut;
        break;
    default: a->update = UpdateFortressTravel; break;  // to the random target
    }
}

// The body waits out its timer, then runs the next step of its cycle.
static void UpdateFortressSelector(Actor* a) {
    a->work[kBossTick].i -= 1;
    if (a->work[kBossTick].i <= 0) {
        a->work[kBossTick].i = 0;
        a->work[kSpiralAngle].f = 180.0f;
        a->work[kSpiralStep].f = 0.0f;
        a->work[kShotCount].i = 0;
        a->work[kBrightness].i = kFullBright;
        a->work[kBossTargetX].i = RandomUpTo(640 - kBodyWidth);
        a->work[kBossTargetY].i = RandomUpTo(480 - kBodyHeight);
        StartNextStep(a);
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// A barrage's clock: true in a frame that fires; the barrage ends after the firing
// that takes the count past `limit`.
static bool BarrageFires(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i < kFireEvery) return false;
    a->work[kBossTick].i = 0;
    a->work[kShotCount].i += 1;
    return true;
}

static void EndBarrageAfter(Actor* a, int32_t limit) {
    if (a->work[kShotCount].i <= limit) return;
    a->work[kShotCount].i = 0;
    a->work[kBossTick].i = kWaitAfterAttack;
    a->update = UpdateFortressSelector;
}

static void FireWideAimedShot(float cx, float cy) {
    int32_t dir = AimAtPlayer(270, cx, cy);
    float speed = RandomSpeedTenths() + 1.8f + static_cast<float>(rank / 100);
    SpawnEnemyShot000(cx, cy, dir, speed);
}

// Small shots scattered around the aim from both flanks.
static void UpdateFortressPairs(Actor* a) {
    if (BarrageFires(a)) {
        FireWideAimedShot(a->x + 25, a->y + 167);
        FireWideAimedShot(a->x + 334, a->y + 169);
        EndBarrageAfter(a, rank / 10 + 80);
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// 32-pixel shots from the centre, scattered around the aim.
static void UpdateFortressStream(Actor* a) {
    if (BarrageFires(a)) {
        float cx = a->x + 144, cy = a->y + 126;
        int32_t dir = AimAtPlayer(270, cx, cy);
        SpawnEnemyShot002(cx, cy, dir, RandomSpeedTenths() + 5.2f);
        EndBarrageAfter(a, rank / 10 + 90);
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Needles on a spiral that turns faster with every needle.
static void UpdateFortressSpiral(Actor* a) {
    if (BarrageFires(a)) {
        float& angle = a->work[kSpiralAngle].f;
        a->work[kSpiralStep].f += kSpiralStepGrowth;
        angle += a->work[kSpiralStep].f;
        if (angle >= 360.0f) angle -= 360.0f;
        SpawnEnemyShot009(a->x + 151, a->y + 176, static_cast<int32_t>(angle), kNeedleSpeed);
        EndBarrageAfter(a, rank / 10 + 360);
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawNothing(Actor*) {}

static void UpdateFortressFadeOut(Actor* a) {
    a->work[kBrightness].i -= kFadeOutStep;
    if (a->work[kBrightness].i <= 0) {
        a->work[kBrightness].i = 0;
        a->draw = DrawNothing;
        a->update = UpdateFortressVanished;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Unseen and intangible: mines on a 32-pixel grid anywhere on the screen.
static void UpdateFortressVanished(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i >= 28 - rank / 25) {
        a->work[kBossTick].i = 0;
        a->work[kShotCount].i += 1;
        float mx = static_cast<float>(RandomUpTo(19) * kMineGrid);  // x is drawn first
        float my = static_cast<float>(RandomUpTo(14) * kMineGrid);
        SpawnEnemy008(mx, my);
        if (a->work[kShotCount].i > rank / 20 + 50) {
            a->work[kShotCount].i = 0;
            a->work[kBossTick].i = kWaitAfterAttack;
            a->draw = DrawFortressTinted;
            a->update = UpdateFortressFadeIn;
        }
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void UpdateFortressFadeIn(Actor* a) {
    a->work[kBrightness].i += 1;
    if (a->work[kBrightness].i >= kFullBright) {
        a->work[kShotCount].i = 0;
        a->work[kBossTick].i = kWaitAfterAttack;
        a->guardMode = GuardNormal;
        a->draw = DrawFortressNormal;
        a->update = UpdateFortressSelector;
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// The hit flash is a picture of its own.
static void DrawFortressNormal(Actor* a) {
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y), 0, 0, a->width, a->height,
                    ImgEnemy[330 + a->work[kHitFlash].i], 1, 0);
}

static void DrawFortressTinted(Actor* a) {
    int b = a->work[kBrightness].i;
    SetTint(b, b, b);
    DrawFortressNormal(a);
    SetTint(255, 255, 255);
}

void SpawnBoss13() {
    Actor* body = AcquireBossActor(UpdateFortressTravel, DrawFortressNormal, 640, 82, kBodyWidth,
                                   kBodyHeight);
    if (!body) return;
    bossState = 0;
    ClearBossScratch();
    body->speed = 1.0f;
    StartHp(body, rank * 180 + 10000);
    SetHitRect(body, 0, 102, 235, 46, 142);
    SetHitRect(body, 1, 131, 205, 19, 46);
    SetHitRect(body, 2, 13, 349, 157, 170);
    SetHitRect(body, 3, 119, 215, 174, 239);
    SetHitRect(body, 4, 102, 152, 241, 299);
    SetHitRect(body, 5, 184, 240, 243, 301);
    body->scoreValue = 300000;
    body->work[kBossTick].i = 0;
    body->work[kShotCount].i = 0;
    body->work[kAttackStep].i = StepPair;
    body->work[kBossTargetX].i = 640 - kBodyWidth;
    body->work[kBossTargetY].i = 82;
    body->work[kSpiralAngle].f = 0.0f;
    body->work[kSpiralStep].f = 0.0f;
    body->work[kBrightness].i = 0;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateFortressTravel),
    BEHAVIOUR(UpdateFortressSelector),
    BEHAVIOUR(UpdateFortressPairs),
    BEHAVIOUR(UpdateFortressStream),
    BEHAVIOUR(UpdateFortressSpiral),
    BEHAVIOUR(DrawNothing),
    BEHAVIOUR(UpdateFortressFadeOut),
    BEHAVIOUR(UpdateFortressVanished),
    BEHAVIOUR(UpdateFortressFadeIn),
    BEHAVIOUR(DrawFortressNormal),
    BEHAVIOUR(DrawFortressTinted),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
