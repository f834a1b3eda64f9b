// The straight-flying enemy shots: bullets, the accelerating ball, the laser bolt,
// the band blocks and the needle.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/enemy_shot_parts.h"
#include "actors/spawners.h"
#include "runtime/media.h"
#include "stages/stage_map.h"

int32_t shotSoundLatch;

constexpr EnemyShotShape kShot000{16, 16, 1, {4, 11, 4, 11}};
constexpr EnemyShotShape kShot001{64, 64, 100, {13, 53, 13, 53}};
constexpr EnemyShotShape kShot002{32, 32, 1, {7, 25, 7, 25}};
constexpr EnemyShotShape kShot003{64, 16, 100, {5, 63, 6, 10}};
constexpr EnemyShotShape kShot005{128, 128, 100, {0, 128, 0, 128}};
constexpr EnemyShotShape kShot007{16, 18, 1, {4, 13, 4, 15}};
constexpr EnemyShotShape kShot009{24, 6, 100, {10, 14, 1, 5}};
constexpr EnemyShotShape kShot010{128, 128, 100, {0, 128, 0, 128}};

constexpr float kShot001Acceleration = 0.07f;
constexpr uint32_t kBeamShimmerFrames = 6;  // cells 1 to 6 of the beam pictures
constexpr int kNeedleAngle = 1;  // the needle's drawing angle in degrees, in place of animTick

// Spawners take centres; the record sits half its size up and left.
static float LeftOf(float cx, const EnemyShotShape& s) { return cx - s.width / 2; }
static float TopOf(float cy, const EnemyShotShape& s) { return cy - s.height / 2; }

int32_t WrapDir(int32_t dir) {
    if (dir == -1) return dir;
    dir %= 360;
    if (dir < 0) dir += 360;
    return dir;
}

Actor* AcquireEnemyShot(ActorFn update, ActorFn draw, const EnemyShotShape& shape, float x,
                        float y, int32_t dir, float speed) {
    Actor* a = AcquireActor(update, draw, GroupEnemyShot);
    if (!a) return nullptr;
    a->x = x;
    a->y = y;
    a->width = shape.width;
    a->height = shape.height;
    a->attack = 1;
    a->hp = shape.hp;
    a->speed = speed;
    a->hitRects[0] = shape.rect;
    a->hitRectCount = 1;
    a->scoreValue = 0;
    a->work[kDir].i = WrapDir(dir);
    a->work[kAnimTick].i = 0;
    a->work[kAnimFrame].i = 0;
    return a;
}

void BlinkShot(Actor* shot) {
    shot->work[kAnimTick].i += 1;
    if (shot->work[kAnimTick].i > 15) {
        shot->work[kAnimFrame].i ^= 1;
        shot->work[kAnimTick].i = 0;
    }
}

static void Shot000Update(Actor* a) {
    MoveAlongDir(a);
    BlinkShot(a);
    MapWallTest(a);
    EnemyShotCheckNear(a);
}

static void Shot001Update(Actor* a) {
    MoveAlongDir(a);
    a->speed += kShot001Acceleration;
    EnemyShotCheckNear(a);
}

static void ShotWallUpdate(Actor* a) {
    MoveAlongDir(a);
    MapWallTest(a);
    EnemyShotCheckNear(a);
}

static void ShotPlainUpdate(Actor* a) {
    MoveAlongDir(a);
    EnemyShotCheckNear(a);
}

static void ShotWideUpdate(Actor* a) {
    MoveAlongDir(a);
    EnemyShotCheckWide(a);
}

void SpawnEnemyShot000(float cx, float cy, int32_t dir, float speed) {
    AcquireEnemyShot(Shot000Update, DrawEnemyShotCell<0>, kShot000, LeftOf(cx, kShot000),
                     TopOf(cy, kShot000), dir, speed);
}

void SpawnEnemyShot001(float cx, float cy, int32_t dir, float speed) {
    AcquireEnemyShot(Shot001Update, DrawEnemyShotCell<1>, kShot001, LeftOf(cx, kShot001),
                     TopOf(cy, kShot001), dir, speed);
}

void SpawnEnemyShot002(float cx, float cy, int32_t dir, float speed) {
    AcquireEnemyShot(ShotWallUpdate, DrawEnemyShotCell<2>, kShot002, LeftOf(cx, kShot002),
                     TopOf(cy, kShot002), dir, speed);
}

// The bolt's hit rectangle runs along its length, so it sits off-centre to the left.
void SpawnEnemyShot003(float cx, float cy, int32_t dir, float speed, int32_t silent) {
    Actor* a = AcquireEnemyShot(ShotWallUpdate, DrawEnemyShotCell<3>, kShot003, cx - 16, cy - 8,
                                dir, speed);
    if (!a) return;
    if (silent == 0 && shotSoundLatch == 0) {
        PlaySound(WavEnemyShot[0], 1, 1);
        shotSoundLatch = 1;
    }
}

// Every block of every beam shows the same shimmer frame, so blocks that touch join up.
// The frame follows the camera, which moves in every frame of the stages that have
// beams: a function of the game's state, so a replay and its video draw the same.
int32_t BeamShimmerCell() {
    int32_t viewX = mapLeftColumn * kMapCellSize + static_cast<int32_t>(mapSubX);
    int32_t viewY = mapTopRow * kMapCellSize + static_cast<int32_t>(mapSubY);
    uint32_t h = static_cast<uint32_t>(viewX) * 0x9E3779B1u ^ static_cast<uint32_t>(viewY) * 0x85EBCA77u;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return 1 + static_cast<int32_t>(h % kBeamShimmerFrames);
}

void SpawnEnemyShot005(float cx, float cy, int32_t dir, float speed) {
    AcquireEnemyShot(ShotWideUpdate, DrawEnemyShotCell<5>, kShot005, LeftOf(cx, kShot005),
                     TopOf(cy, kShot005), dir, speed);
}

void SpawnEnemyShot007(float cx, float cy, int32_t dir, float speed) {
    AcquireEnemyShot(ShotPlainUpdate, DrawEnemyShotCell<7>, kShot007, LeftOf(cx, kShot007),
                     TopOf(cy, kShot007), dir, speed);
}

static void DrawNeedle(Actor* a) {
    DrawImageRotated(static_cast<int>(a->x) + a->width / 2, static_cast<int>(a->y) + a->height / 2,
                     a->width / 2, a->height / 2, 1.0,
                     a->work[kNeedleAngle].i * 0.017453292519943295, ImgEnemyShot[9], 1, 0);
}

void SpawnEnemyShot009(float cx, float cy, int32_t dir, float speed) {
    Actor* a = AcquireEnemyShot(ShotWallUpdate, DrawNeedle, kShot009, LeftOf(cx, kShot009),
                                TopOf(cy, kShot009), dir, speed);
    if (!a) return;
    int32_t d = a->work[kDir].i;
    a->work[kNeedleAngle].i = d == 0 ? 0 : 360 - d;
    PlaySound(WavEnemyShot[2], 1, 1);
}

void SpawnEnemyShot010(float cx, float cy, int32_t dir, float speed) {
    AcquireEnemyShot(ShotPlainUpdate, DrawEnemyShotCell<10>, kShot010, LeftOf(cx, kShot010),
                     TopOf(cy, kShot010), dir, speed);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(Shot000Update),
    BEHAVIOUR(Shot001Update),
    BEHAVIOUR(ShotWallUpdate),
    BEHAVIOUR(ShotPlainUpdate),
    BEHAVIOUR(ShotWideUpdate),
    BEHAVIOUR(DrawNeedle),
    BEHAVIOUR(DrawEnemyShotCell<0>),
    BEHAVIOUR(DrawEnemyShotCell<1>),
    BEHAVIOUR(DrawEnemyShotCell<2>),
    BEHAVIOUR(DrawEnemyShotCell<3>),
    BEHAVIOUR(DrawEnemyShotCell<5>),
    BEHAVIOUR(DrawEnemyShotCell<7>),
    BEHAVIOUR(DrawEnemyShotCell<10>),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
