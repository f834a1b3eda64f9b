// Missiles: twelve levels of volleys of four types that curve up or down.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/input.h"

// Missile work words (float, float, int).
constexpr int kVx = 0;
constexpr int kVy = 1;
constexpr int kMissileType = 2;

constexpr int32_t kMissileSize = 20;
constexpr HitRect kMissileRect{1, 20, 1, 20};
constexpr int32_t kMissileAttack = 20;
constexpr float kMissileVy = 0.4f;
constexpr float kCurve = 0.4f;
constexpr float kVyBreak = 22;  // past this the curve falls back to 20
constexpr float kVyRestart = 20;
constexpr int32_t kMissileCooldownFrames = 5;
constexpr float kMissileDy = 28;

struct MissileTypeRow {
    float vx, vxRight, vxLeft, vy;
};

constexpr MissileTypeRow kMissileTypes[4] = {
    {5.2f, 7.2f, 3.2f, kMissileVy},
    {5.2f, 7.2f, 3.2f, -kMissileVy},
    {-5.2f, -3.2f, -7.2f, kMissileVy},
    {-5.2f, -3.2f, -7.2f, -kMissileVy},
};

struct MissileLevelRow {
    int32_t count;
    int32_t limit;  // volleys leave only while fewer missiles are live
};

constexpr MissileLevelRow kMissileLevels[kTopMissileLevel + 1] = {
    {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 2}, {2, 4}, {2, 6}, {2, 8},
    {4, 4}, {4, 8}, {4, 12}, {4, 16},
};

// A volley of n missiles: types 0 and 1 from the nose, 2 and 3 from the tail.
constexpr int32_t kVolleyTypes[4] = {0, 1, 2, 3};
constexpr int32_t kVolleyDx[4] = {34, 34, 4, 4};

static void MissileUpdate(Actor* m) {
    int32_t type = m->work[kMissileType].i;
    float& vy = m->work[kVy].f;
    if (type == 1 || type == 3) {
        vy -= kCurve;
        if (vy < -kVyBreak) vy = -kVyRestart;
    } else {
        vy += kCurve;
        if (vy > kVyBreak) vy = kVyRestart;
    }
    m->x += m->work[kVx].f;
    m->y += vy;
    HitTestGroup(m, GroupEnemy);
    MapWallTest(m);
    if (m->x > 640 || m->x < -m->width || m->y > 480 || m->y < -m->height || m->hp <= 0) {
        liveMissileCount -= 1;
        m->alive = 0;
    }
}

static void DrawMissile(Actor* m) {
    DrawImageRegion(static_cast<int>(m->x), static_cast<int>(m->y),
                    m->width * m->work[kMissileType].i, 0, m->width, m->height, ImgMyMissile00, 1,
                    0);
}

// Right held speeds a missile up to the right, left held to the left.
void SpawnMissile(int32_t type, float x, float y) {
    if (type < 0 || type > 3) return;
    Actor* a = AcquireActor(MissileUpdate, DrawMissile, GroupPlayerMissile);
    if (!a) return;
    const MissileTypeRow& t = kMissileTypes[type];
    a->x = x;
    a->y = y;
    a->width = kMissileSize;
    a->height = kMissileSize;
    a->attack = kMissileAttack;
    a->hp = 1;
    a->speed = 1.0f;
    a->hitRects[0] = kMissileRect;
    a->hitRectCount = 1;
    a->scoreValue = 0;
    float vx = t.vx;
    if (rightHeld) {
        vx = t.vxRight;
    } else if (leftHeld) {
        vx = t.vxLeft;
    }
    a->work[kVx].f = vx;
    a->work[kVy].f = t.vy;
    a->work[kMissileType].i = type;
    liveMissileCount += 1;
}

// The limit is tested once, so a volley may overshoot it.
void FireMissiles(Actor* ship) {
    int32_t level = ship->work[kMissileLevel].i;
    if (level < 0) level = 0;
    if (level > kTopMissileLevel) level = kTopMissileLevel;
    const MissileLevelRow& row = kMissileLevels[level];
    if (liveMissileCount >= row.limit) return;
    for (int i = 0; i < row.count; i++)
        SpawnMissile(kVolleyTypes[i], ship->x + kVolleyDx[i], ship->y + kMissileDy);
    ship->work[kMissileCooldown].i = kMissileCooldownFrames;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(MissileUpdate),
    BEHAVIOUR(DrawMissile),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
