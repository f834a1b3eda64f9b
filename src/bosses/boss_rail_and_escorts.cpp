// Boss 5, the rail and its escorts: an armoured rail carries three escorts, follows
// the ship's height and sweeps them across the screen. Each escort, once damaged
// enough, breaks away and fights on its own way; when all three are gone the rail
// opens up and alternates laser bursts with rings of shots.
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

// Rail work words
constexpr int kVolleys = kBossOwnWords;
constexpr int kVolleyOn = kBossOwnWords + 1;
// The bouncer's velocity, once broken away
constexpr int kBounceVx = kPartOwnWords;
constexpr int kBounceVy = kPartOwnWords + 1;

constexpr int32_t kRailWidth = 228;
constexpr int32_t kRailHeight = 8;
constexpr int32_t kRailPlaceX = 640 - kRailWidth;  // 412
constexpr float kSweepStep = 10.0f;
constexpr float kFollowStep = 0.2f;
constexpr float kFollowLimit = 4.0f;
constexpr int32_t kFollowFrames = 180;
constexpr int32_t kPauseFrames = 60;
constexpr int32_t kEscortsLost = 4;  // the rail in place, plus three escorts released

constexpr int32_t kVolleyWait = 100;
constexpr int32_t kLaserGap = 4;   // a bolt when the tick exceeds it
constexpr int32_t kLaserLast = 6;  // seven bolts
constexpr int32_t kRingGap = 18;
constexpr int32_t kRingLast = 9;   // ten rings

constexpr int32_t kEscortHeight = 79;
constexpr int32_t kEscortScore = 50000;

static void UpdateRailFollow(Actor* a);
static void UpdateRailPause(Actor* a);
static void UpdateRailSweepLeft(Actor* a);
static void UpdateRailSweepBack(Actor* a);
static void UpdateRailLasers(Actor* a);
static void UpdateRailRings(Actor* a);

static void FinishRailFrame(Actor* a) {
    PublishBossPosition(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

// Keeps level with the ship.
static void FollowShipHeight(Actor* a) {
    float vy = a->work[kBossVy].f + (playerCenterY > a->y + 4 ? kFollowStep : -kFollowStep);
    if (vy < -kFollowLimit) vy = -kFollowLimit;
    if (vy > kFollowLimit) vy = kFollowLimit;
    a->work[kBossVy].f = vy;
    a->y += vy;
}

// Once the last escort is gone the rail drops its armour; a sweep always ends first.
static void OpenWhenEscortsAreLost(Actor* a) {
    if (bossState != kEscortsLost) return;
    a->guardMode = GuardNormal;
    a->work[kBossTick].i = 0;
    a->update = UpdateRailLasers;
}

static void UpdateRailEnter(Actor* a) {
    a->x += a->work[kBossVx].f;
    if (static_cast<int32_t>(a->x) <= kRailPlaceX) {
        a->work[kBossTick].i = 0;
        // counted, not set: an escort bombed away during the entry must still count,
        // or the rail could never open
        bossState += 1;
        a->update = UpdateRailFollow;
    } else {
        OpenWhenEscortsAreLost(a);
    }
    FinishRailFrame(a);
}

static void UpdateRailFollow(Actor* a) {
    FollowShipHeight(a);
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i == kFollowFrames) {
        a->work[kBossTick].i = 0;
        a->update = UpdateRailPause;
    }
    OpenWhenEscortsAreLost(a);
    FinishRailFrame(a);
}

static void UpdateRailPause(Actor* a) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i == kPauseFrames) {
        a->work[kBossTick].i = 0;
        a->update = UpdateRailSweepLeft;
    }
    OpenWhenEscortsAreLost(a);
    FinishRailFrame(a);
}

static void UpdateRailSweepLeft(Actor* a) {
    a->x -= kSweepStep;
    if (a->x <= 0) a->update = UpdateRailSweepBack;
    FinishRailFrame(a);
}

static void UpdateRailSweepBack(Actor* a) {
    a->x += kSweepStep;
    if (a->x >= kRailPlaceX) {
        a->x = kRailPlaceX;
        a->update = UpdateRailFollow;
    }
    FinishRailFrame(a);
}

// A volley waits 100 frames, then fires a step every gap + 1 frames; true once the
// step after `lastStep` has been fired (the volley is over and the counters clear).
static bool RunVolley(Actor* a, int32_t gap, int32_t lastStep, void (*fire)(const Actor*)) {
    a->work[kBossTick].i += 1;
    if (a->work[kBossTick].i == kVolleyWait) {
        a->work[kVolleyOn].i = 1;
        a->work[kBossTick].i = 0;
    }
    if (a->work[kVolleyOn].i == 0 || a->work[kBossTick].i <= gap) return false;
    a->work[kBossTick].i = 0;
    a->work[kVolleys].i += 1;
    fire(a);
    if (a->work[kVolleys].i <= lastStep) return false;
    a->work[kVolleys].i = 0;
    a->work[kVolleyOn].i = 0;
    a->work[kBossTick].i = 0;
    return true;
}

static void FireRailLaser(const Actor* a) { FireLaserBolt(a->x, a->y + 4, 180, 20.0f); }

static void FireRailRing(const Actor* a) {
    FireRing(SpawnEnemyShot000, a->x, a->y + 4, 0, 20, 18, static_cast<float>(rank / 80) + 7.2f);
}

static void UpdateRailLasers(Actor* a) {
    FollowShipHeight(a);
    if (RunVolley(a, kLaserGap, kLaserLast, FireRailLaser)) a->update = UpdateRailRings;
    FinishRailFrame(a);
}

static void UpdateRailRings(Actor* a) {
    FollowShipHeight(a);
    if (RunVolley(a, kRingGap, kRingLast, FireRailRing)) a->update = UpdateRailLasers;
    FinishRailFrame(a);
}

// The rail's picture holds kRailPulseFrames steps of the energy pulse that runs along
// it; the phase tick and the position pick the step, so the pulse runs while the rail
// waits or fires and crackles while it sweeps.
constexpr int32_t kRailPulseFrames = 16;

static void DrawRail(Actor* a) {
    int32_t step = (a->work[kBossTick].i + static_cast<int32_t>(a->x)) % kRailPulseFrames;
    DrawEnemyCell(a, ImgEnemy[250], step < 0 ? step + kRailPulseFrames : step);
}

// ---- escorts ----------------------------------------------------------------------

// Every escort's last step. Once the rail is in place an escort is open to fire,
// attached or not: one bombed away during the entry breaks away still armoured, and
// left so it could never be shot down and the rail never open. A released escort
// (destroyed, or gone off the left edge) counts towards opening the rail.
static void FinishEscortFrame(Actor* a) {
    if (bossState > 0) a->guardMode = GuardNormal;
    if (FinishBossPartFrame(a)) bossState += 1;
}

static void UpdateHomerAlone(Actor* a) {
    a->work[kDir].i = AngleBetween(CentreX(a), CentreY(a), playerCenterX, playerCenterY);
    MoveAlongDir(a);
    FinishEscortFrame(a);
}

static void UpdateDrifterAlone(Actor* a) {
    a->x -= 0.6f;
    if (RandomUpTo(256) < 50) {
        int32_t dir = AimAtPlayer(90, CentreX(a), CentreY(a));
        SpawnEnemyShot000(CentreX(a), CentreY(a), dir, static_cast<float>(rank / 50) + 3.2f);
    }
    if (a->x < static_cast<float>(-a->width)) a->alive = 0;
    FinishEscortFrame(a);
}

// A velocity component pointing at an edge it has reached turns back.
static float Bounce(float v, float position, int32_t size, float limit) {
    if (v > 0 && position + static_cast<float>(size) >= limit) return -v;
    if (v <= 0 && position <= 0) return -v;
    return v;
}

static void UpdateBouncerAlone(Actor* a) {
    a->work[kBounceVx].f = Bounce(a->work[kBounceVx].f, a->x, a->width, 640);
    a->work[kBounceVy].f = Bounce(a->work[kBounceVy].f, a->y, a->height, 480);
    a->x += a->work[kBounceVx].f;
    a->y += a->work[kBounceVy].f;
    FinishEscortFrame(a);
}

struct Escort {
    int32_t image;
    int32_t width;
    float speed;
    float offsetX;
    int32_t breakAwayBelow;
    ActorFn alone;
};
static const Escort kHomer = {251, 76, 1.0f, -20.0f, 300, UpdateHomerAlone};
static const Escort kDrifter = {252, 75, 0.6f, 58.0f, 300, UpdateDrifterAlone};
static const Escort kBouncer = {253, 76, 1.0f, 136.0f, 500, UpdateBouncerAlone};

// Riding on the rail; breaks away once its hp falls below its threshold.
static void UpdateEscortAttached(Actor* a, const Escort& e) {
    FollowBossBody(a);
    if (a->hp < e.breakAwayBelow) a->update = e.alone;
    FinishEscortFrame(a);
}

static void UpdateHomerAttached(Actor* a) { UpdateEscortAttached(a, kHomer); }
static void UpdateDrifterAttached(Actor* a) { UpdateEscortAttached(a, kDrifter); }
static void UpdateBouncerAttached(Actor* a) { UpdateEscortAttached(a, kBouncer); }
static void DrawHomer(Actor* a) { DrawBossCell(a, ImgEnemy[kHomer.image]); }
static void DrawDrifter(Actor* a) { DrawBossCell(a, ImgEnemy[kDrifter.image]); }
static void DrawBouncer(Actor* a) { DrawBossCell(a, ImgEnemy[kBouncer.image]); }

static Actor* SpawnEscort(const Actor* rail, ActorFn update, ActorFn draw, const Escort& e,
                          int32_t hp) {
    Actor* p = SpawnBossPart(rail, update, draw, e.width, kEscortHeight, hp, kEscortScore,
                             e.offsetX, -35.0f);
    if (!p) return nullptr;
    p->speed = e.speed;
    p->guardMode = GuardArmoured;
    SetHitRect(p, 0, 10, 67, 13, 66);
    return p;
}

void SpawnBoss05() {
    Actor* rail = AcquireBossActor(UpdateRailEnter, DrawRail, 640, 236, kRailWidth, kRailHeight);
    if (!rail) return;
    bossState = 0;
    rail->speed = kSweepStep;
    StartHp(rail, rank * 3 + 2000);
    SetHitRect(rail, 0, 0, 228, 0, 8);
    rail->guardMode = GuardArmoured;
    rail->scoreValue = 100000;
    rail->work[kBossVx].f = -1.0f;
    rail->work[kBossVy].f = 0.0f;
    rail->work[kBossTick].i = 0;
    rail->work[kVolleys].i = 0;
    rail->work[kVolleyOn].i = 0;
    SpawnEscort(rail, UpdateHomerAttached, DrawHomer, kHomer, rank / 10 + 500);
    SpawnEscort(rail, UpdateDrifterAttached, DrawDrifter, kDrifter, rank + 500);
    Actor* bouncer = SpawnEscort(rail, UpdateBouncerAttached, DrawBouncer, kBouncer,
                                 rank / 10 + 800);
    if (!bouncer) return;
    bouncer->work[kBounceVx].f = 5.2f;
    bouncer->work[kBounceVy].f = 5.2f;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateRailEnter),
    BEHAVIOUR(UpdateRailFollow),
    BEHAVIOUR(UpdateRailPause),
    BEHAVIOUR(UpdateRailSweepLeft),
    BEHAVIOUR(UpdateRailSweepBack),
    BEHAVIOUR(UpdateRailLasers),
    BEHAVIOUR(UpdateRailRings),
    BEHAVIOUR(DrawRail),
    BEHAVIOUR(UpdateHomerAlone),
    BEHAVIOUR(UpdateDrifterAlone),
    BEHAVIOUR(UpdateBouncerAlone),
    BEHAVIOUR(UpdateHomerAttached),
    BEHAVIOUR(UpdateDrifterAttached),
    BEHAVIOUR(UpdateBouncerAttached),
    BEHAVIOUR(DrawHomer),
    BEHAVIOUR(DrawDrifter),
    BEHAVIOUR(DrawBouncer),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
