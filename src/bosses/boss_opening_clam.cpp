// Boss 9, the opening clam: flies closed and armoured to a new place, opens there to
// fire fans of shots through three smaller shields, and closes again; homing missiles
// come in pairs in both shapes.
#include <cmath>

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

// Body work words (the phase tick counts the volleys)
constexpr int kOpen = kBossOwnWords;  // picture column: 0 closed, 1 open
constexpr int kFanToggle = kBossOwnWords + 1;
constexpr int kVolleysLeft = kBossOwnWords + 2;
constexpr int kMissileTick = kBossOwnWords + 3;

constexpr int32_t kBodyWidth = 134;
constexpr int32_t kBodyHeight = 197;
constexpr float kFastSpeed = 6.0f;
constexpr float kSlowSpeed = 3.0f;  // within 30 pixels of the ship
constexpr float kSlowDistance = 30.0f;
constexpr int32_t kOpenTolerance = 6;
constexpr int32_t kTargetSpread = 200;
constexpr int32_t kVolleyFrames = 30;  // a volley when the tick exceeds it: every 31 frames
constexpr int32_t kQuietVolleys = 3;   // the last three volleys of an open phase fire nothing

static const int32_t kFourFan[4] = {185, 195, 175, 165};
static const int32_t kThreeFan[3] = {180, 190, 170};

static void UpdateClamOpen(Actor* a);

// Two homing missiles, one climbing and one diving.
static void LaunchMissiles(Actor* a) {
    a->work[kMissileTick].i += 1;
    if (a->work[kMissileTick].i <= 90 - rank / 20) return;
    a->work[kMissileTick].i = 0;
    SpawnEnemy007(a->x + 90, a->y + 95, 45);
    SpawnEnemy007(a->x + 90, a->y + 145, 315);
}

static void SpawnClosedShield() { SpawnBossShield(4, 60, 96, 128); }

// The old shields go and the new ones come in the same frame.
static void SpawnOpenShields() {
    SpawnBossShield(4, 111, 96, 78);
    SpawnBossShield(69, 46, 43, 32);
    SpawnBossShield(40, 18, 43, 32);
}

static void Open(Actor* a) {
    a->work[kBossTick].i = 0;
    a->guardMode = GuardNormal;  // before the sweep, which takes every armoured record
    RemoveArmoured();
    SpawnOpenShields();
    a->work[kOpen].i = 1;
    a->work[kFanToggle].i = 0;
    a->work[kVolleysLeft].i = RandomUpTo(7) + 5;
    a->update = UpdateClamOpen;
}

// Closed and armoured, flying to its target; slower when the ship is close.
static void UpdateClamClosed(Actor* a) {
    float dx = playerCenterX - a->x, dy = playerCenterY - a->y;
    a->speed = std::sqrt(dx * dx + dy * dy) > kSlowDistance ? kFastSpeed : kSlowSpeed;
    LaunchMissiles(a);
    TravelTowards(a, static_cast<float>(a->work[kBossTargetX].i),
                  static_cast<float>(a->work[kBossTargetY].i));
    PublishBossPosition(a);
    if (IsNearTarget(a, a->work[kBossTargetX].i, a->work[kBossTargetY].i, kOpenTolerance)) Open(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void Close(Actor* a) {
    a->work[kBossTargetX].i = RandomTargetX(a, kTargetSpread);
    a->work[kBossTargetY].i = RandomTargetY(a);
    a->work[kOpen].i = 0;
    RemoveArmoured();
    SpawnClosedShield();
    a->guardMode = GuardArmoured;
    a->update = UpdateClamClosed;
}

// Open and vulnerable, standing: alternate four- and three-shot fans, then quiet.
static void UpdateClamOpen(Actor* a) {
    int32_t& tick = a->work[kBossTick].i;
    tick += 1;
    if (tick > kVolleyFrames) {
        tick = 0;
        a->work[kFanToggle].i = 1 - a->work[kFanToggle].i;
        a->work[kVolleysLeft].i -= 1;
        float speed = static_cast<float>(rank / 80) + 7.9f;
        if (a->work[kVolleysLeft].i > kQuietVolleys) {
            if (a->work[kFanToggle].i == 1) {
                FireFan(SpawnEnemyShot000, a->x + 42, a->y + 84, 0, kFourFan, 4, speed);
            } else {
                FireFan(SpawnEnemyShot000, a->x + 42, a->y + 84, 0, kThreeFan, 3, speed);
            }
        }
        if (a->work[kVolleysLeft].i <= 0) Close(a);
    }
    PublishBossPosition(a);
    LaunchMissiles(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void DrawClam(Actor* a) { DrawEnemyCell(a, ImgEnemy[290], a->work[kOpen].i); }

void SpawnBoss09() {
    Actor* body = AcquireBossActor(UpdateClamClosed, DrawClam, 443, -300, kBodyWidth, kBodyHeight);
    if (!body) return;
    bossState = 0;
    body->speed = kFastSpeed;
    StartHp(body, rank * 5 + 1600);
    SetHitRect(body, 0, 35, 75, 78, 91);
    body->guardMode = GuardArmoured;
    body->scoreValue = 200000;
    body->work[kOpen].i = 0;
    body->work[kBossTick].i = 0;
    body->work[kFanToggle].i = 0;
    body->work[kVolleysLeft].i = 0;
    body->work[kMissileTick].i = 0;
    body->work[kBossTargetX].i = 640 - kBodyWidth;
    body->work[kBossTargetY].i = 480 - kBodyHeight;
    SpawnClosedShield();
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateClamClosed),
    BEHAVIOUR(UpdateClamOpen),
    BEHAVIOUR(DrawClam),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
