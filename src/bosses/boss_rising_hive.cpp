// Boss 11, the rising hive: a hull rises from below and sits at the lower right firing
// a random mix of shots and small enemies; broken, it wanders, bursting rings of
// flyers at its stops and spraying them on a long stand at every sixth.
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

// Body work words
constexpr int kColumn = kBossOwnWords;  // picture column: 0 whole, 1 damaged
constexpr int kFireTimer = kBossOwnWords + 1;
constexpr int kStandTime = kBossOwnWords + 2;
constexpr int kSprayTick = kBossOwnWords + 3;
// bossScratch word 0 counts the stops of the second life.
constexpr int kScratchStops = 0;

constexpr int32_t kBodyWidth = 212;
constexpr int32_t kBodyHeight = 245;
constexpr int32_t kCentreX = (640 - kBodyWidth) / 2;
constexpr int32_t kCentreY = (480 - kBodyHeight) / 2;
constexpr int32_t kStopTolerance = 4;
constexpr int32_t kStopsPerCycle = 5;  // the stop count passing it starts a stand
constexpr int32_t kStopBeforeCentre = 4;
constexpr int32_t kRingStep = 8;
constexpr int32_t kRingCount = 45;
constexpr int32_t kSprayInterval = 4;

static const HitRect kWholeHull[8] = {
    {66, 169, 10, 25},  {40, 170, 40, 25},   {26, 184, 41, 56},   {12, 191, 56, 82},
    {5, 207, 82, 171},  {34, 177, 185, 201}, {55, 152, 202, 218}, {79, 129, 219, 228},
};
constexpr HitRect kBrokenSixth = {16, 198, 177, 218};
constexpr int32_t kBrokenRectCount = 6;

// Where the hull breaks apart, from its left top.
static const float kBreakPoints[8][2] = {
    {15, 202}, {44, 212}, {73, 200}, {87, 231}, {120, 219}, {149, 211}, {190, 215}, {177, 180},
};

static void UpdateHiveSecondLife(Actor* a);

static void TravelToTarget(Actor* a) {
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    PublishBossPosition(a);
}

// One random action from the hull's mouth.
static void FireHiveMix(Actor* a) {
    float mx = a->x + 26, my = a->y + 140;
    int32_t r = RandomUpTo(256);
    if (r < 80) {
        int32_t dir = AimAtPlayer(30, mx, my);
        SpawnEnemyShot000(mx, my, dir, RandomSpeedTenths() + 1.2f);
    } else if (r < 110) {
        int32_t dir = AimAtPlayer(10, mx, my);
        SpawnEnemyShot002(mx, my, dir, RandomSpeedTenths() + 6.8f);
    } else if (r < 125) {
        int32_t dir = AngleBetween(mx, my, playerCenterX, playerCenterY);
        SpawnEnemyShot001(mx, my, dir, RandomSpeedTenths() + 1.2f);
    } else if (r < 140) {
        SpawnEnemy006(a->x - 26, a->y + 140);
    } else {
        int32_t dir = RandomUpTo(359);
        SpawnEnemy009WithDir(a->x + 10, a->y + 124, dir);
    }
}

static void BreakHull(Actor* a) {
    for (const auto& p : kBreakPoints)
        SpawnExplosion(a->x + p[0], a->y + p[1], a->work[kDir].i, a->speed);
    a->work[kColumn].i = 1;
    a->work[kBossTargetX].i = kCentreX;
    a->work[kBossTargetY].i = kCentreY;
    a->hitRects[5] = kBrokenSixth;
    a->hitRectCount = kBrokenRectCount;
}

// Rises to the lower right and stays there, firing.
static void UpdateHiveFirstLife(Actor* a) {
    // at the target a zero step has direction 0: stop there instead of shivering
    if (a->x != static_cast<float>(a->work[kBossTargetX].i) ||
        a->y != static_cast<float>(a->work[kBossTargetY].i))
        TravelToTarget(a);
    a->work[kFireTimer].i -= 1;
    if (a->work[kFireTimer].i <= 0) {
        a->work[kFireTimer].i = 15 - rank / 55;
        FireHiveMix(a);
    }
    // the hull breaks without armour and without score
    if (FinishBossLifeFrame(a, rank * 20 + 4000, UpdateHiveSecondLife)) {
        a->guardMode = GuardNormal;
        BreakHull(a);
    }
}

static void FlyerFromCore(Actor* a, int32_t dir) { SpawnEnemy009WithDir(a->x + 70, a->y + 70, dir); }

static void ArriveAtStop(Actor* a) {
    a->work[kStandTime].i = 0;
    a->work[kBossTargetX].i = RandomUpTo(640 - kBodyWidth);
    a->work[kBossTargetY].i = RandomUpTo(480 - kBodyHeight);
    int32_t f = bossScratch[kScratchStops];
    bossScratch[kScratchStops] += 1;
    if (f == kStopBeforeCentre) {
        a->work[kBossTargetX].i = kCentreX;
        a->work[kBossTargetY].i = kCentreY;
    }
    if (bossScratch[kScratchStops] > kStopsPerCycle) {
        bossScratch[kScratchStops] = 0;
        a->work[kStandTime].i = RandomUpTo(30) + 300;
    } else {
        for (int32_t d = 0; d < kRingCount * kRingStep; d += kRingStep) FlyerFromCore(a, d);
    }
}

// Broken: wanders between stops, with rings of flyers and a long spray at every sixth.
static void UpdateHiveSecondLife(Actor* a) {
    if (a->work[kStandTime].i > 0) {
        a->work[kSprayTick].i -= 1;
        a->work[kStandTime].i -= 1;
        if (a->work[kSprayTick].i <= 0) {
            a->work[kSprayTick].i = kSprayInterval;
            FlyerFromCore(a, RandomUpTo(359));
        }
    } else {
        TravelToTarget(a);
    }
    if (IsStopReachedFromAbove(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i,
                               kStopTolerance))
        ArriveAtStop(a);
    a->work[kFireTimer].i -= 1;
    if (a->work[kFireTimer].i <= 0) {
        a->work[kFireTimer].i = RandomUpTo(60) + 60;
        float mx = a->x + 26, my = a->y + 140;
        int32_t dir = AimAtPlayer(10, mx, my);
        SpawnEnemyShot002(mx, my, dir, RandomSpeedTenths() + 4.2f);
    }
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawHive(Actor* a) { DrawEnemyCell(a, ImgEnemy[310], a->work[kColumn].i); }

void SpawnBoss11() {
    Actor* body = AcquireBossActor(UpdateHiveFirstLife, DrawHive, 428, 640, kBodyWidth, kBodyHeight);
    if (!body) return;
    bossState = 0;
    ClearBossScratch();
    body->speed = 1.0f;
    StartHp(body, rank * 5 + 3800);
    for (int i = 0; i < 8; i++) body->hitRects[i] = kWholeHull[i];
    body->hitRectCount = 8;
    body->scoreValue = 290000;
    body->work[kDir].i = 90;
    body->work[kColumn].i = 0;
    body->work[kFireTimer].i = 0;
    body->work[kStandTime].i = 0;
    body->work[kSprayTick].i = 0;
    body->work[kBossTargetX].i = 640 - kBodyWidth;
    body->work[kBossTargetY].i = 480 - kBodyHeight;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateHiveFirstLife),
    BEHAVIOUR(UpdateHiveSecondLife),
    BEHAVIOUR(DrawHive),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
