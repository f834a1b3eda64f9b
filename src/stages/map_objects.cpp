// Ground installations of the map letters "B" to "J": blocks and launchers on the scenery.
#include "actors/behaviours.h"
#include "actors/spawners.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Work words of the launchers.
constexpr int kFireDelay = 3;  // pause before the next burst; below 1 during a burst
constexpr int kShotGap = 4;    // updates between releases within a burst
constexpr int kBurstLeft = 5;  // releases left in the burst
constexpr int kImage = 6;      // ImgEnemy number of the object's picture

static void DrawMapObject(Actor* a) { DrawEnemyCell(a, ImgEnemy[a->work[kImage].i], 0); }

// Every object rides the scenery, does its own step, flashes and ends like an enemy.
static void FinishMapObject(Actor* a) {
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static Actor* SpawnMapObject(ActorFn update, float x, float y, int32_t image, int32_t size) {
    Actor* a = AcquireEnemy(update, DrawMapObject, x, y);
    if (!a) return nullptr;
    a->width = size;
    a->height = size;
    a->work[kImage].i = image;
    return a;
}

// The 64x64 launchers share their numbers, all but the hit rectangles.
static Actor* SpawnLauncher(ActorFn update, float x, float y, int32_t image) {
    Actor* a = SpawnMapObject(update, x, y, image, 64);
    if (!a) return nullptr;
    a->speed = 0.3f;
    a->scoreValue = 300;
    StartHp(a, rank / 5 + 90);
    SetHitRect(a, 0, 3, 61, 40, 64);
    SetHitRect(a, 1, 20, 43, 0, 40);
    return a;
}

// A burst: once the pause has run down, one release every shotGap updates until
// burstLeft releases are made; true on the update that ends the burst. The caller
// then sets the next pause.
template <typename Release>
static bool StepBurst(Actor* a, int32_t gap, int32_t burstSize, Release release) {
    a->work[kFireDelay].i -= 1;
    if (a->work[kFireDelay].i >= 1) return false;
    a->work[kShotGap].i -= 1;
    if (a->work[kShotGap].i >= 1) return false;
    a->work[kShotGap].i = gap;
    release(a);
    a->work[kBurstLeft].i -= 1;
    if (a->work[kBurstLeft].i >= 1) return false;
    a->work[kBurstLeft].i = burstSize;
    return true;
}

static int32_t StandardBurst() { return rank / 80 + 5; }

// "B": an armoured block; only the bomb removes it.

static void UpdateMapObjectB(Actor* a) {
    FollowScenery(a);
    FinishEnemyFrame(a);  // no flash: always drawn from the first row
}

void SpawnMapObjectB(float x, float y) {
    Actor* a = SpawnMapObject(UpdateMapObjectB, x, y, 18, 32);
    if (!a) return;
    a->guardMode = GuardArmoured;
    a->attack = 10000;
    a->speed = 1.3f;
    a->scoreValue = 100;
    StartHp(a, 1);
    SetHitRect(a, 0, 0, 32, 0, 32);
}

// "C": a block that can be shot down, deadly to touch all the same.

static void UpdateMapObjectC(Actor* a) {
    FollowScenery(a);
    FinishMapObject(a);
}

void SpawnMapObjectC(float x, float y) {
    Actor* a = SpawnMapObject(UpdateMapObjectC, x, y, 19, 32);
    if (!a) return;
    a->attack = 10000;
    a->speed = 1.3f;
    a->scoreValue = 100;
    StartHp(a, rank / 10 + 20);
    SetHitRect(a, 0, 0, 32, 0, 32);
}

// "D": launches squids upwards in bursts; falls onto the floor like a walker.

static void ReleaseSquid(Actor* a) { SpawnEnemy009WithDir(a->x + 15, a->y, 90); }

static void UpdateMapObjectD(Actor* a) {
    FollowScenery(a);
    FallOntoFloor(a);
    if (StepBurst(a, 14 - rank / 100, StandardBurst(), ReleaseSquid))
        a->work[kFireDelay].i = 120 - RandomUpTo(rank / 10);
    FinishMapObject(a);
}

void SpawnMapObjectD(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectD, x, y, 20);
    if (!a) return;
    SetHitRect(a, 0, 2, 62, 16, 63);
    SetHitRect(a, 1, 10, 53, 1, 17);
    a->work[kFireDelay].i = 60;
    a->work[kShotGap].i = 0;
    a->work[kBurstLeft].i = StandardBurst();
}

// "E": an upward gun firing fountain shots on consecutive updates.

static void UpdateMapObjectE(Actor* a) {
    FollowScenery(a);
    a->work[kFireDelay].i -= 1;
    if (a->work[kFireDelay].i < 1) {
        SpawnFountainShot(a->x + 32, a->y + 4, 12);
        a->work[kBurstLeft].i -= 1;
        if (a->work[kBurstLeft].i < 1) {
            a->work[kFireDelay].i = 120;
            a->work[kBurstLeft].i = StandardBurst();
        }
    }
    FinishMapObject(a);
}

void SpawnMapObjectE(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectE, x, y, 21);
    if (!a) return;
    a->work[kFireDelay].i = 30;
    a->work[kBurstLeft].i = StandardBurst();
}

// "F": releases rising turret shots (kind 027).

static void ReleaseRiser(Actor* a) { SpawnEnemy027(a->x, a->y - 16); }

static void UpdateMapObjectF(Actor* a) {
    FollowScenery(a);
    if (StepBurst(a, 9, StandardBurst(), ReleaseRiser)) a->work[kFireDelay].i = 210;
    FinishMapObject(a);
}

void SpawnMapObjectF(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectF, x, y, 22);
    if (!a) return;
    a->work[kFireDelay].i = 30;
    a->work[kShotGap].i = 9;
    a->work[kBurstLeft].i = StandardBurst();
}

// "G": a fan gun spraying bullets upwards.

static void ReleaseFanShot(Actor* a) {
    int32_t dir = RandomUpTo(60) + 60;
    float speed = RandomTenths() + 1.5f + static_cast<float>(rank / 80);
    SpawnEnemyShot000(a->x + 32, a->y + 4, dir, speed);
}

static void UpdateMapObjectG(Actor* a) {
    FollowScenery(a);
    if (StepBurst(a, 7, 30, ReleaseFanShot)) a->work[kFireDelay].i = 90;
    FinishMapObject(a);
}

void SpawnMapObjectG(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectG, x, y, 23);
    if (!a) return;
    a->work[kFireDelay].i = 30;
    a->work[kShotGap].i = 0;
    a->work[kBurstLeft].i = 30;
}

// "H": a faster fan gun firing needles.

static void ReleaseNeedle(Actor* a) {
    int32_t dir = RandomUpTo(60) + 60;
    float speed = RandomTenths() + 2.8f + static_cast<float>(rank / 50);
    SpawnEnemyShot009(a->x + 32, a->y + 4, dir, speed);
}

static void UpdateMapObjectH(Actor* a) {
    FollowScenery(a);
    if (StepBurst(a, 5, StandardBurst(), ReleaseNeedle)) a->work[kFireDelay].i = 60 - rank / 20;
    FinishMapObject(a);
}

void SpawnMapObjectH(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectH, x, y, 24);
    if (!a) return;
    a->work[kFireDelay].i = 30;
    a->work[kShotGap].i = 0;
    a->work[kBurstLeft].i = StandardBurst();
}

// "I": a silo launching homing missiles upwards.

static void UpdateMapObjectI(Actor* a) {
    FollowScenery(a);
    a->work[kFireDelay].i -= 1;
    if (a->work[kFireDelay].i < 1) {
        a->work[kFireDelay].i = 120 - rank / 5;
        SpawnEnemy007(a->x + 16, a->y - 16, 90);
    }
    FinishMapObject(a);
}

void SpawnMapObjectI(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectI, x, y, 25);
    if (!a) return;
    a->work[kFireDelay].i = 30;
}

// "J": a dripper letting falling drops (kind 028) go, also while the map stands still.

static void UpdateMapObjectJ(Actor* a) {
    FollowScenery(a);
    a->work[kFireDelay].i -= 1;
    if (a->work[kFireDelay].i < 1) {
        a->work[kFireDelay].i = 60 - rank / 30;
        SpawnEnemy028(a->x + 16, a->y + 48);
    }
    FinishMapObject(a);
}

void SpawnMapObjectJ(float x, float y) {
    Actor* a = SpawnLauncher(UpdateMapObjectJ, x, y, 26);
    if (!a) return;
    SetHitRect(a, 0, 2, 62, 0, 22);
    SetHitRect(a, 1, 20, 43, 22, 64);
    a->work[kFireDelay].i = 90;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(DrawMapObject),
    BEHAVIOUR(UpdateMapObjectB),
    BEHAVIOUR(UpdateMapObjectC),
    BEHAVIOUR(UpdateMapObjectD),
    BEHAVIOUR(UpdateMapObjectE),
    BEHAVIOUR(UpdateMapObjectF),
    BEHAVIOUR(UpdateMapObjectG),
    BEHAVIOUR(UpdateMapObjectH),
    BEHAVIOUR(UpdateMapObjectI),
    BEHAVIOUR(UpdateMapObjectJ),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
