// Enemy shots with their own motion: the fountain shot, the ballistic bomb and
// the self-propagating blast segment.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/enemy_shot_parts.h"
#include "actors/spawners.h"
#include "runtime/media.h"

constexpr EnemyShotShape kFountainShot{16, 16, 1, {4, 11, 4, 11}};
constexpr EnemyShotShape kShot006{86, 84, 100, {15, 73, 15, 73}};
constexpr EnemyShotShape kBlastSegment{32, 32, 100, {2, 30, 2, 30}};

constexpr float kFountainTurnY = -60;
constexpr float kFountainFallSpeed = 4;

constexpr int kVx = 3;  // ballistic velocity, float
constexpr int kVy = 4;
constexpr float kGravity = 0.3f;
constexpr float kMaxFall = 60;

constexpr float kSegmentStep = 32;
constexpr int32_t kSegmentSpreadFrame = 3;  // harmful and spreading from here
constexpr int32_t kSegmentFadeFrame = 14;   // harmless again
constexpr int32_t kSegmentEndFrame = 19;

static void FountainRiseUpdate(Actor* a);
static void FountainFallUpdate(Actor* a);

void SpawnFountainShot(float cx, float cy, float speed) {
    AcquireEnemyShot(FountainRiseUpdate, DrawEnemyShotCell<0>, kFountainShot,
                     cx - kFountainShot.width / 2, cy - kFountainShot.height / 2, 90, speed);
}

// Above the screen it turns into a falling shot over a random column.
static void FountainRiseUpdate(Actor* a) {
    MoveAlongDir(a);
    BlinkShot(a);
    if (a->y < kFountainTurnY) {
        a->x = static_cast<float>(RandomUpTo(624) + 8);
        a->work[kDir].i = 270;
        a->speed = kFountainFallSpeed;
        a->update = FountainFallUpdate;
    }
    MapWallTest(a);
    EnemyShotCheckOpenTop(a);
}

static void FountainFallUpdate(Actor* a) {
    MoveAlongDir(a);
    BlinkShot(a);
    MapWallTest(a);
    EnemyShotCheckOpenTop(a);
}

static void BallisticUpdate(Actor* a) {
    a->work[kVy].f += kGravity;
    if (a->work[kVy].f > kMaxFall) a->work[kVy].f = kMaxFall;
    a->x += a->work[kVx].f;
    a->y += a->work[kVy].f;
    EnemyShotCheckOpenTop(a);
}

void SpawnEnemyShot006(float cx, float cy, float vx, float vy) {
    Actor* a = AcquireEnemyShot(BallisticUpdate, DrawEnemyShotCell<6>, kShot006,
                                cx - kShot006.width / 2, cy - kShot006.height / 2, 0, 0);
    if (!a) return;
    a->work[kVx].f = vx;
    a->work[kVy].f = vy;
}

// Every second frame the segment steps its cell; at cell 3 it turns harmful and
// starts the next segment, at 14 it is harmless again, at 19 it is gone.
static void BlastSegmentUpdate(Actor* a) {
    a->work[kAnimTick].i += 1;
    if (a->work[kAnimTick].i >= 2) {
        a->work[kAnimTick].i = 0;
        int32_t frame = ++a->work[kAnimFrame].i;
        if (frame == kSegmentSpreadFrame) {
            a->guardMode = GuardNormal;
            int32_t dir = a->work[kDir].i;
            SpawnBlastSegment(a->x + cosTable[dir] * a->speed, a->y - sinTable[dir] * a->speed, dir);
        }
        if (frame == kSegmentFadeFrame) a->guardMode = GuardIntangible;
        if (a->guardMode == GuardNormal) BlastSegmentTest(a);
        if (frame >= kSegmentEndFrame) a->alive = 0;
    }
    EnemyShotCheckNear(a);
}

void SpawnBlastSegment(float x, float y, int32_t dir) {
    // a line has no "no motion": the next segment always needs a real direction
    if (dir == -1) dir = 0;
    Actor* a = AcquireEnemyShot(BlastSegmentUpdate, DrawEnemyShotCell<8>, kBlastSegment, x, y,
                                dir, kSegmentStep);
    if (!a) return;
    a->guardMode = GuardIntangible;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(FountainRiseUpdate),
    BEHAVIOUR(FountainFallUpdate),
    BEHAVIOUR(BallisticUpdate),
    BEHAVIOUR(BlastSegmentUpdate),
    BEHAVIOUR(DrawEnemyShotCell<0>),
    BEHAVIOUR(DrawEnemyShotCell<6>),
    BEHAVIOUR(DrawEnemyShotCell<8>),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
