// Enemies: the shared framework, every kind the scripts release and the map objects.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// Work words every enemy keeps, above those any kind names for itself.
constexpr int kLastHp = 19;    // hp at the end of the previous update
constexpr int kHitFlash = 20;  // 1 in a frame in which hp changed: draws the flash row

// Creation: a GroupEnemy record at (x, y) with the given behaviour, or nullptr when
// the pool is full. The caller sets the kind's constants and then StartHp.
Actor* AcquireEnemy(ActorFn update, ActorFn draw, float x, float y);
void SetHitRect(Actor* a, int index, float left, float right, float top, float bottom);
// Starting hit points; the flash starts clear.
void StartHp(Actor* a, int32_t hp);

// hitFlash = (hp changed since the last update); lastHp = hp.
void UpdateHitFlash(Actor* a);
// Steps of the sprite animation: the cell changes every limit + 1 updates.
void StepAnimation(Actor* a, int32_t tickLimit, int32_t cells);

// End-of-update steps: bounds, then destroyed (score and explosion), then ordered removal.
void FinishEnemyFrame(Actor* a);
void FinishEnemyFrameWide(Actor* a);
void FinishEnemyFrameNoBounds(Actor* a);
// The enemy's sprite cell `column`, from the flash row in a flash frame.
void DrawEnemyCell(Actor* a, int32_t image, int32_t column);

// For kinds standing on the scenery: carried by this frame's map step.
void FollowScenery(Actor* a);
// One pixel down while both cells just below the bottom corners are empty.
void FallOntoFloor(Actor* a);

// An aimed 16x16 shot from (x + dx, y + dy) straight at the ship's centre.
void FireAimedShot(Actor* a, float dx, float dy, float speed);
// The random part of most shot speeds: 0.0 to 1.0 in steps of 0.1.
float RandomTenths();

// Hit points by rank: base + rank / rankDivisor (left out when 0) + rank * rankFactor.
struct EnemyHpRule {
    int32_t base;
    int32_t rankDivisor = 0;
    int32_t rankFactor = 0;
};

// One row of the enemy catalogue: what every enemy of a kind starts with, and how a
// script line creates it (exactly one spawn is set, and says which numbers it takes).
struct EnemyKind {
    int32_t id;
    int32_t width, height;
    float speed;
    int32_t scoreValue;
    EnemyHpRule hp;
    int32_t guardMode = GuardNormal;
    int32_t attack = 1;
    int32_t hitRectCount;
    HitRect hitRects[6];
    void (*spawnAt)(float x, float y) = nullptr;                 // enemy,id,x,y
    void (*spawnAtDir)(float x, float y, int32_t dir) = nullptr; // enemy,id,x,y,dir
    void (*spawnFor)(int32_t frames) = nullptr;                  // enemy,id,frames
    void (*spawnCarrier)(float x, float y, int32_t item, int32_t pattern) = nullptr;
};

// The row of a kind id, or nullptr for an id the catalogue does not have.
const EnemyKind* FindEnemyKind(int32_t id);
int EnemyKindCount();
const EnemyKind& EnemyKindAt(int index);
// A kind's starting hit points at the current rank.
int32_t EnemyKindHp(const EnemyKind& kind);
// AcquireEnemy with the row's numbers filled in and its hit points started; the caller
// adds what varies (work slots, direction). nullptr when the pool is full.
Actor* AcquireEnemyKind(int32_t id, ActorFn update, ActorFn draw, float x, float y);

// The kinds released by the stage scripts. Positions come first, then the direction.
void SpawnEnemy000(float x, float y);
void SpawnEnemy001(float x, float y);
void SpawnEnemy002(float x, float y);
void SpawnEnemy003(float x, float y);
void SpawnEnemy004(float x, float y);
void SpawnEnemy005(float x, float y);
void SpawnEnemy006(float x, float y);
void SpawnEnemy007(float x, float y, int32_t dir);
void SpawnEnemy008(float x, float y);
void SpawnEnemy009(float x, float y);
void SpawnEnemy009WithDir(float x, float y, int32_t dir);
void SpawnEnemy010(float x, float y, int32_t dir);
void SpawnEnemy012(float x, float y);
void SpawnEnemy012WithDir(float x, float y, int32_t dir);
void SpawnEnemy015(int32_t frames);
void SpawnEnemy016(int32_t frames);
void SpawnEnemy017(float x, float y);
void SpawnEnemy027(float x, float y);
void SpawnEnemy028(float x, float y);
void SpawnEnemy029(float x, float y);
void SpawnEnemy030(float x, float y);
void SpawnEnemy099(float x, float y, int32_t item, int32_t pattern);
void SpawnEnemy100(float x, float y);
void SpawnEnemy110(float x, float y);

// Ground installations of the map letters "B" to "J", at the top-left of their cell.
void SpawnMapObjectB(float x, float y);
void SpawnMapObjectC(float x, float y);
void SpawnMapObjectD(float x, float y);
void SpawnMapObjectE(float x, float y);
void SpawnMapObjectF(float x, float y);
void SpawnMapObjectG(float x, float y);
void SpawnMapObjectH(float x, float y);
void SpawnMapObjectI(float x, float y);
void SpawnMapObjectJ(float x, float y);

// Set when the kind-110 giant has been destroyed in this game; cleared by the
// new-game and continue resets.
extern int32_t kind110Destroyed;
