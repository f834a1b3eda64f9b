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

// The kinds released by the stage scripts.
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
void SpawnEnemy009WithDir(int32_t dir, float x, float y);
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
