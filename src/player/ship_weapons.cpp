// The main weapon: fifteen levels of volleys built from five shot kinds.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"

int32_t liveShotCount[kShotKinds];
int32_t liveMissileCount;

struct MyShotKind {
    int32_t width, height;
    float speed;
    int32_t attack, hp;
    HitRect rect;
};

constexpr MyShotKind kMyShotKinds[kShotKinds] = {
    {32, 32, 22, 4, 1, {2, 30, 2, 30}},
    {91, 22, 16, 2, 9999, {17, 91, 4, 18}},
    {28, 52, 22, 2, 9999, {14, 28, 0, 52}},
    {36, 128, 22, 2, 9999, {18, 36, 0, 128}},
    {48, 128, 22, 3, 9999, {24, 36, 0, 128}},
};

struct VolleyShot {
    int32_t kind, dx, dy, dir;
};

struct ShotLevelRow {
    int32_t count;
    VolleyShot shots[3];
    int32_t limitKind, limit;  // fires only while the leading kind has fewer live shots
    int32_t cooldown;
    int32_t sound;             // index into WavMyShot
};

constexpr ShotLevelRow kShotLevels[kTopShotLevel + 1] = {
    {1, {{0, 32, 14, 0}}, 0, 12, 3, 0},
    {2, {{0, 32, 2, 0}, {0, 32, 26, 0}}, 0, 12, 3, 0},
    {3, {{0, 32, 14, 0}, {0, 32, 38, 0}, {0, 32, -10, 0}}, 0, 12, 3, 0},
    {1, {{1, 32, 20, 0}}, 1, 12, 5, 1},
    {2, {{1, 32, 10, 0}, {1, 32, 30, 0}}, 1, 12, 5, 1},
    {3, {{1, 32, 20, 0}, {1, 24, 0, 0}, {1, 24, 40, 0}}, 1, 12, 5, 1},
    {1, {{2, 32, 4, 0}}, 2, 12, 3, 2},
    {3, {{2, 32, 4, 0}, {0, 32, 40, 0}, {0, 32, -12, 0}}, 2, 8, 3, 2},
    {3, {{2, 32, 10, 357}, {2, 32, -2, 3}, {2, 32, 4, 0}}, 2, 18, 3, 2},
    {1, {{3, 32, -34, 0}}, 3, 12, 3, 2},
    {3, {{3, 32, -34, 0}, {0, 32, 40, 355}, {0, 32, -12, 5}}, 3, 8, 3, 2},
    {3, {{3, 32, -34, 0}, {2, 32, 16, 352}, {2, 32, -8, 8}}, 3, 6, 3, 2},
    {1, {{4, 32, -34, 0}}, 4, 12, 3, 2},
    {3, {{4, 32, -34, 0}, {0, 32, 40, 355}, {0, 32, -12, 5}}, 4, 8, 3, 2},
    {3, {{4, 32, -34, 0}, {2, 32, 16, 352}, {2, 32, -8, 8}}, 4, 6, 3, 2},
};

constexpr int32_t kFireFramesPerRank = 1500;

template <int K>
static void MyShotUpdate(Actor* shot) {
    MoveAlongDir(shot);
    HitTestGroup(shot, GroupEnemy);
    if (K == 0 || K == 1) MapWallTest(shot);
    if (shot->x > 640 || shot->x < -shot->width || shot->y > 480 || shot->y < -shot->height ||
        shot->hp <= 0) {
        shot->alive = 0;
        liveShotCount[K] -= 1;
    }
}

template <int K>
static void DrawMyShot(Actor* shot) {
    DrawImageRegion(static_cast<int>(shot->x), static_cast<int>(shot->y), 0, 0, shot->width,
                    shot->height, ImgMyShot[K], 1, 0);
}

template <int K>
static void SpawnMyShot(float x, float y, int32_t dir) {
    Actor* a = AcquireActor(MyShotUpdate<K>, DrawMyShot<K>, GroupPlayerShot);
    if (!a) return;  // the count rises only with a record
    const MyShotKind& k = kMyShotKinds[K];
    a->x = x;
    a->y = y;
    a->width = k.width;
    a->height = k.height;
    a->speed = k.speed;
    a->attack = k.attack;
    a->hp = k.hp;
    a->hitRects[0] = k.rect;
    a->hitRectCount = 1;
    a->scoreValue = 0;
    a->work[kDir].i = dir;
    liveShotCount[K] += 1;
}

void SpawnMyShot0(float x, float y, int32_t dir) { SpawnMyShot<0>(x, y, dir); }
void SpawnMyShot1(float x, float y) { SpawnMyShot<1>(x, y, 0); }
void SpawnMyShot2(float x, float y, int32_t dir) { SpawnMyShot<2>(x, y, dir); }
void SpawnMyShot3(float x, float y) { SpawnMyShot<3>(x, y, 0); }
void SpawnMyShot4(float x, float y) { SpawnMyShot<4>(x, y, 0); }

static void SpawnVolleyShot(const VolleyShot& s, float shipX, float shipY) {
    float x = shipX + s.dx;
    float y = shipY + s.dy;
    switch (s.kind) {
    case 0: SpawnMyShot0(x, y, s.dir); break;
    case 1: SpawnMyShot1(x, y); break;
    case 2: SpawnMyShot2(x, y, s.dir); break;
    case 3: SpawnMyShot3(x, y); break;
    default: SpawnMyShot4(x, y); break;
    }
}

// Only the leading kind's count is tested; side shots ride along regardless.
static void FireMainWeapon(Actor* ship) {
    int32_t level = ship->work[kShotLevel].i;
    if (level < 0) level = 0;
    if (level > kTopShotLevel) level = kTopShotLevel;
    const ShotLevelRow& row = kShotLevels[level];
    if (liveShotCount[row.limitKind] < row.limit) {
        for (int i = 0; i < row.count; i++) SpawnVolleyShot(row.shots[i], ship->x, ship->y);
        ship->work[kShotCooldown].i = row.cooldown;
        PlaySound(WavMyShot[row.sound], 1, 1);
    }
    // sustained fire slowly raises the difficulty, blocked volleys included
    ship->work[kFireFrames].i += 1;
    if (ship->work[kFireFrames].i > kFireFramesPerRank) {
        rank += 1;
        ship->work[kFireFrames].i = 0;
    }
}

void ShipFire(Actor* ship) {
    if (ship->work[kShotCooldown].i == 0) FireMainWeapon(ship);
    if (ship->work[kMissileCooldown].i == 0) FireMissiles(ship);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(MyShotUpdate<0>),
    BEHAVIOUR(DrawMyShot<0>),
    BEHAVIOUR(MyShotUpdate<1>),
    BEHAVIOUR(DrawMyShot<1>),
    BEHAVIOUR(MyShotUpdate<2>),
    BEHAVIOUR(DrawMyShot<2>),
    BEHAVIOUR(MyShotUpdate<3>),
    BEHAVIOUR(DrawMyShot<3>),
    BEHAVIOUR(MyShotUpdate<4>),
    BEHAVIOUR(DrawMyShot<4>),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
