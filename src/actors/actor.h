// The one pooled record for every moving thing, its lists, passes and shared motion.
#pragma once

#include <cstdint>

struct Actor;
using ActorFn = void (*)(Actor*);

enum ActorGroup : int32_t {
    GroupPlayer = 0,
    GroupPlayerShot = 1,
    GroupPlayerMissile = 2,
    GroupEnemy = 3,
    GroupEnemyShot = 4,
    GroupItem = 5,
    GroupEffect = 6,
    GroupBlast = 7,
};

// guardMode values
constexpr int32_t GuardNormal = 0;
constexpr int32_t GuardIntangible = 1;
constexpr int32_t GuardArmoured = 2;

// deathKind values: removal orders given from outside
constexpr int32_t DeathNone = 0;
constexpr int32_t DeathBlastTouch = 8;
constexpr int32_t DeathExplode = 10;
constexpr int32_t DeathRemove = 20;

constexpr int32_t BlastTagDetonates = 8;

struct HitRect {
    float left, right, top, bottom;
};

// A work word is read as int32 or float32 by the kind that owns it.
union WorkWord {
    int32_t i;
    float f;
};

constexpr int kActorPoolSize = 1024;
constexpr int kHitRectMax = 10;
constexpr int kWorkWords = 128;

struct Actor {
    ActorFn update;
    ActorFn draw;
    Actor* prev;
    Actor* next;
    int32_t blastTag;
    uint8_t alive;
    float x, y;
    float speed;
    int32_t attack;
    int32_t hp;
    int32_t width, height;
    HitRect hitRects[kHitRectMax];
    int32_t hitRectCount;
    int32_t group;
    int32_t guardMode;
    int32_t deathKind;
    int32_t scoreValue;
    WorkWord work[kWorkWords];
};

// Shared work words of the kinds that move by direction.
constexpr int kDir = 0;       // whole degrees, -1 for no motion
constexpr int kAnimTick = 1;  // updates since the last cell change
constexpr int kAnimFrame = 2; // current cell of the sprite strip

extern Actor* actorPool;  // 1026 records: active sentinel, free sentinel, 1024 usable
extern Actor* activeList; // sentinel
extern Actor* freeList;   // sentinel

extern float sinTable[360];
extern float cosTable[360];

void FillAngleTables();
void InitActorPool();
Actor* AcquireActor(ActorFn updateFn, ActorFn drawFn, int32_t group);
void ReleaseAllActors();
void SweepDeadActors();
void UpdateActors();
void DrawActors();
void MoveAlongDir(Actor* a);
void AddScore(int32_t points);

// Does nothing: for hidden objects and kinds without behaviour in one slot.
void ActorNoOp(Actor* a);

// Counts for tests and tools.
int CountActiveActors();
int CountFreeActors();

// Centre of an actor: the halves are integer divisions, then added as floats.
inline float CentreX(const Actor* a) { return a->x + static_cast<float>(a->width / 2); }
inline float CentreY(const Actor* a) { return a->y + static_cast<float>(a->height / 2); }
