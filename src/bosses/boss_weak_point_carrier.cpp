// Boss 4, the carrier with a weak point: an armoured hull that moves up and down the
// right of the screen launching large craft, hurt only through a small weak point
// under it; once that is lost it blinks from place to place and fires fans, open to
// damage only while it fires.
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

// Hull work words (kBossTick, kBossTargetX, kBossTargetY from the toolkit)
constexpr int kColumn = kBossOwnWords;        // picture column: 1 while firing fans
constexpr int kBlinkCount = kBossOwnWords + 1;
constexpr int kFanCount = kBossOwnWords + 2;
constexpr int kHidden = kBossOwnWords + 3;    // 1: not drawn
// Craft work words
constexpr int kCraftVx = kPartOwnWords;
constexpr int kCraftVy = kPartOwnWords + 1;

constexpr int32_t kHullWidth = 292;
constexpr int32_t kHullHeight = 104;
constexpr float kHullSpeed = 6.0f;
constexpr int32_t kHullScore = 150000;
constexpr int32_t kArriveTolerance = 4;
constexpr int32_t kLaunchFrames = 20;
constexpr int32_t kHoldFrames = 60;
constexpr int32_t kClimbRange = 440;  // target y = RandomUpTo(440) - height + 20
constexpr int32_t kClimbLift = 20;
constexpr int32_t kBlinks = 18;       // a blink phase ends when the count exceeds it
constexpr int32_t kPlaceRangeX = 150;
constexpr int32_t kFirstFanTick = 17;
constexpr int32_t kSecondFanTick = 36;
constexpr int32_t kFanCycles = 4;     // the fans end when the count exceeds it
constexpr float kFanShotSpeed = 7.5f;  // plus rank / 80

constexpr int32_t kWeakPointScore = 30000;
constexpr int32_t kCraftScore = 1000;
constexpr float kCraftOffsetX = 123.0f;
constexpr float kCraftOffsetY = 126.0f;
constexpr float kCraftThrust = 0.2f;
constexpr float kCraftGravity = 0.4f;
constexpr int32_t kCraftFireChance = 20;  // of 256
constexpr float kCraftShotSpeed = 2.4f;   // plus rank / 80

constexpr int32_t kCraftLaunch = 1;
constexpr int32_t kWeakPointLost = 2;

static const int32_t kFirstFan[5] = {180, 200, 220, 160, 140};
static const int32_t kSecondFan[4] = {190, 210, 170, 150};

struct ShieldBox {
    float x, y;
    int32_t w, h;
};
static const ShieldBox kShields[5] = {
    {69, 21, 142, 14}, {39, 35, 248, 9}, {9, 44, 278, 36}, {34, 80, 244, 7}, {141, 87, 72, 12}};

static void UpdateCarrierLaunch(Actor* a);
static void UpdateCarrierClimb(Actor* a);
static void UpdateCarrierHold(Actor* a);
static void UpdateCarrierBlinkAway(Actor* a);
static void UpdateCarrierBlinkIn(Actor* a);
static void UpdateCarrierFans(Actor* a);
static void SpawnCarrierCraft(const Actor* hull);

static void SpawnCarrierShields() {
    for (const ShieldBox& s : kShields) SpawnBossShield(s.x, s.y, s.w, s.h);
}

static void EndHullFrame(Actor* a) {
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// The armoured phases give way as soon as the weak point is lost; tested before the
// phase's own work, so a launch cannot overwrite the loss in bossState.
static bool WeakPointGone(Actor* a) {
    if (bossState != kWeakPointLost) return false;
    a->guardMode = GuardIntangible;
    a->work[kBossTick].i = 0;
    RemoveArmoured();  // the shields go
    a->update = UpdateCarrierBlinkAway;
    EndHullFrame(a);
    return true;
}

static bool TravelToTarget(Actor* a) {
    int32_t tx = a->work[kBossTargetX].i, ty = a->work[kBossTargetY].i;
    TravelTowards(a, static_cast<float>(tx), static_cast<float>(ty));
    return IsNearTarget(a, tx, ty, kArriveTolerance);
}

static void StandOnTarget(Actor* a) {
    a->x = static_cast<float>(a->work[kBossTargetX].i);
    a->y = static_cast<float>(a->work[kBossTargetY].i);
}

static void UpdateCarrierDescend(Actor* a) {
    if (WeakPointGone(a)) return;
    if (TravelToTarget(a)) {
        a->work[kBossTick].i = 0;
        a->update = UpdateCarrierLaunch;
    }
    EndHullFrame(a);
}

static void UpdateCarrierLaunch(Actor* a) {
    if (WeakPointGone(a)) return;
    StandOnTarget(a);
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i == kLaunchFrames) {
        a->work[kBossTick].i = 0;
        bossState = 0;
        SpawnCarrierCraft(a);
        a->work[kBossTargetY].i = RandomUpTo(kClimbRange) - a->height + kClimbLift;
        a->update = UpdateCarrierClimb;
    }
    EndHullFrame(a);
}

static void UpdateCarrierClimb(Actor* a) {
    if (WeakPointGone(a)) return;
    if (TravelToTarget(a)) {
        a->work[kBossTick].i = 0;
        bossState = kCraftLaunch;  // the attached craft takes off
        a->update = UpdateCarrierHold;
    }
    EndHullFrame(a);
}

static void UpdateCarrierHold(Actor* a) {
    if (WeakPointGone(a)) return;
    StandOnTarget(a);
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i == kHoldFrames) {
        a->work[kBossTick].i = 0;
        a->work[kBossTargetY].i = 480 - a->height;
        a->update = UpdateCarrierDescend;
    }
    EndHullFrame(a);
}

// One step of a blink: two frames a blink, hidden in the first or the second;
// true when the blinks are done.
static bool Blink(Actor* a, int32_t firstHidden) {
    int32_t& tick = a->work[kBossTick].i;
    tick += 1;
    if (tick > 0) a->work[kHidden].i = firstHidden;
    if (tick > 1) {
        a->work[kHidden].i = 1 - firstHidden;
        tick = 0;
        a->work[kBlinkCount].i += 1;
    }
    if (a->work[kBlinkCount].i <= kBlinks) return false;
    a->work[kBlinkCount].i = 0;
    return true;
}

static void UpdateCarrierBlinkAway(Actor* a) {
    if (Blink(a, 0)) {
        a->x = static_cast<float>(640 - a->width - RandomUpTo(kPlaceRangeX));
        a->y = static_cast<float>(RandomUpTo(480 - a->height));
        a->update = UpdateCarrierBlinkIn;
    }
    EndHullFrame(a);
}

static void UpdateCarrierBlinkIn(Actor* a) {
    if (Blink(a, 1)) {
        a->guardMode = GuardNormal;
        a->work[kColumn].i = 1;
        SpawnCarrierShields();
        a->update = UpdateCarrierFans;
    }
    EndHullFrame(a);
}

// Standing still and open to damage: two alternating fans every 36 frames.
static void UpdateCarrierFans(Actor* a) {
    int32_t& tick = a->work[kBossTick].i;
    float speed = static_cast<float>(rank / 80) + kFanShotSpeed;
    tick += 1;
    if (tick == kFirstFanTick) FireFan(SpawnEnemyShot000, a->x + 9, a->y + 61, 0, kFirstFan, 5, speed);
    if (tick == kSecondFanTick) {
        tick = 0;
        FireFan(SpawnEnemyShot000, a->x + 9, a->y + 61, 0, kSecondFan, 4, speed);
        a->work[kFanCount].i += 1;
    }
    if (a->work[kFanCount].i > kFanCycles) {
        a->guardMode = GuardIntangible;
        tick = 0;
        a->work[kFanCount].i = 0;
        a->work[kColumn].i = 0;
        RemoveArmoured();
        a->update = UpdateCarrierBlinkAway;
    }
    EndHullFrame(a);
}

static void DrawWeakPointCarrier(Actor* a) {
    if (a->work[kHidden].i) return;
    DrawEnemyCell(a, ImgEnemy[240], a->work[kColumn].i);
}

static void UpdateCarrierWeakPoint(Actor* a) {
    FollowBossBody(a);
    if (FinishBossPartFrame(a)) bossState = kWeakPointLost;
}

static void DrawCarrierWeakPoint(Actor* a) { DrawBossCell(a, ImgEnemy[241]); }

// ---- craft ---------------------------------------------------------------------------

static void UpdateCraftFlying(Actor* a) {
    a->work[kCraftVx].f -= kCraftThrust;
    a->x += a->work[kCraftVx].f;
    a->y += a->work[kCraftVy].f;
    if (RandomUpTo(256) <= kCraftFireChance) {
        int32_t dir = AimAtPlayer(20, a->x + 4, a->y + 42);
        SpawnEnemyShot000(a->x + 4, a->y + 42, dir, static_cast<float>(rank / 80) + kCraftShotSpeed);
    }
    UpdateHitFlash(a);
    FinishEnemyFrameWide(a);
}

static void UpdateCraftDropping(Actor* a) {
    a->work[kCraftVy].f += kCraftGravity;
    a->x += a->work[kCraftVx].f;
    a->y += a->work[kCraftVy].f;
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void UpdateCraftAttached(Actor* a) {
    FollowBossBody(a);
    if (bossState == kCraftLaunch) {
        bossState = 0;
        a->update = UpdateCraftFlying;
    }
    if (bossState == kWeakPointLost) a->update = UpdateCraftDropping;
    FinishBossPartFrame(a);
}

static void DrawWeakPointCraft(Actor* a) { DrawBossCell(a, ImgEnemy[242]); }

static void SpawnCarrierCraft(const Actor* hull) {
    Actor* c = SpawnBossPart(hull, UpdateCraftAttached, DrawWeakPointCraft, 148, 70, rank * 2 + 100,
                             kCraftScore, kCraftOffsetX, kCraftOffsetY);
    if (!c) return;
    c->x = hull->x + kCraftOffsetX;  // already in place when drawn this frame
    c->y = hull->y + kCraftOffsetY;
    c->attack = 1;
    c->speed = 1.0f;
    SetHitRect(c, 0, 4, 145, 22, 63);
    SetHitRect(c, 1, 42, 143, 7, 22);
    c->work[kCraftVx].f = 0.0f;
    c->work[kCraftVy].f = 0.0f;
}

void SpawnBoss04() {
    Actor* hull = AcquireBossActor(UpdateCarrierDescend, DrawWeakPointCarrier, 348, -104, kHullWidth,
                                   kHullHeight);
    if (!hull) return;
    bossState = 0;
    hull->speed = kHullSpeed;
    StartHp(hull, rank * 2 + 2000);
    SetHitRect(hull, 0, 9, 21, 43, 81);
    hull->guardMode = GuardArmoured;
    hull->scoreValue = kHullScore;
    hull->work[kColumn].i = 0;
    hull->work[kBossTick].i = 0;
    hull->work[kBlinkCount].i = 0;
    hull->work[kFanCount].i = 0;
    hull->work[kHidden].i = 0;
    hull->work[kBossTargetX].i = 640 - kHullWidth;
    hull->work[kBossTargetY].i = 480 - kHullHeight;
    Actor* weak = SpawnBossPart(hull, UpdateCarrierWeakPoint, DrawCarrierWeakPoint, 16, 29,
                                rank + 400, kWeakPointScore, 167.0f, 102.0f);
    if (weak) {
        weak->speed = 0;
        SetHitRect(weak, 0, 1, 15, 1, 29);
    }
    SpawnCarrierShields();
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateCarrierDescend),
    BEHAVIOUR(UpdateCarrierLaunch),
    BEHAVIOUR(UpdateCarrierClimb),
    BEHAVIOUR(UpdateCarrierHold),
    BEHAVIOUR(UpdateCarrierBlinkAway),
    BEHAVIOUR(UpdateCarrierBlinkIn),
    BEHAVIOUR(UpdateCarrierFans),
    BEHAVIOUR(DrawWeakPointCarrier),
    BEHAVIOUR(UpdateCarrierWeakPoint),
    BEHAVIOUR(DrawCarrierWeakPoint),
    BEHAVIOUR(UpdateCraftFlying),
    BEHAVIOUR(UpdateCraftDropping),
    BEHAVIOUR(UpdateCraftAttached),
    BEHAVIOUR(DrawWeakPointCraft),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
