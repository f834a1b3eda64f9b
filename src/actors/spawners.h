// Shared create functions: explosions, sparks and every enemy shot.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// An explosion centred on (cx, cy) drifting along dir at speed; asks for the frame's
// one explosion sound.
void SpawnExplosion(float cx, float cy, int32_t dir, float speed);
// The small spark a destroyed enemy shot leaves, centred on (cx, cy).
void SpawnSpark(float cx, float cy);

// Enemy shots. Positions are centres unless noted; dir in whole degrees.
void SpawnEnemyShot000(float cx, float cy, int32_t dir, float speed);  // 16x16 bullet
void SpawnEnemyShot001(float cx, float cy, int32_t dir, float speed);  // 64x64, accelerates
void SpawnEnemyShot002(float cx, float cy, int32_t dir, float speed);  // 32x32 bullet
// 64x16 laser bolt placed at (cx - 16, cy - 8); sounds once until shotSoundLatch is reset.
void SpawnEnemyShot003(float cx, float cy, int32_t dir, float speed, int32_t silent);
// Rises straight up off the top, then rains down from a random column.
void SpawnFountainShot(float cx, float cy, float speed);
void SpawnEnemyShot005(float cx, float cy, int32_t dir, float speed);  // 128x128 band block
// Ballistic bomb with its own velocity, falling under gravity.
void SpawnEnemyShot006(float cx, float cy, float vx, float vy);
void SpawnEnemyShot007(float cx, float cy, int32_t dir, float speed);  // 16x18 spray bullet
// One segment of a self-propagating blast line; (x, y) is its top-left corner.
void SpawnBlastSegment(float x, float y, int32_t dir);
// 24x6 needle drawn rotated along its flight; sounds on every creation.
void SpawnEnemyShot009(float cx, float cy, int32_t dir, float speed);
void SpawnEnemyShot010(float cx, float cy, int32_t dir, float speed);  // 128x128 band block

// End-of-life checks, the last step of an enemy shot's update: off the bounds the
// shot vanishes silently; destroyed or ordered removed it leaves a spark.
void EnemyShotCheckNear(Actor* shot);
void EnemyShotCheckOpenTop(Actor* shot);
void EnemyShotCheckWide(Actor* shot);

// Lets the laser bolt sound once until the boss firing it clears this.
extern int32_t shotSoundLatch;
