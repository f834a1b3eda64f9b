// The player's ship, weapons, arms, bomb attack and items: what other subsystems call and read.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// Ship work words.
constexpr int kShotLevel = 0;
constexpr int kShotCooldown = 1;
constexpr int kMissileLevel = 2;
constexpr int kMissileCooldown = 3;
constexpr int kArmLevel = 4;
constexpr int kArmDurability = 5;
constexpr int kHitGrace = 6;
constexpr int kArmFlash = 7;
constexpr int kRespawnGrace = 8;
constexpr int kBlinkPhase = 9;
constexpr int kBlinkTick = 10;
constexpr int kDeathTick = 11;
constexpr int kDeathFrame = 12;
constexpr int kFireFrames = 13;
constexpr int kExitSpeed = 15;  // float

constexpr int kShotKinds = 5;
constexpr int kTopShotLevel = 14;
constexpr int kTopMissileLevel = 11;
constexpr int kTopArmLevel = 2;

// The ship's centre as the ship last wrote it; enemies aim at it.
extern float playerCenterX, playerCenterY;
// Set while a bomb attack runs: no second bomb, and the ship cannot be hit.
extern uint8_t bombActive;
// Live records per shot kind and of missiles; they cap the weapon's density.
extern int32_t liveShotCount[kShotKinds];
extern int32_t liveMissileCount;
// The ship record of this run, null before the first play frame.
extern Actor* playerShip;

// Ship (one per run) and its states.
void SpawnShip();
void ShipEnter(Actor* ship);
void ShipUpdate(Actor* ship);
void ShipDying(Actor* ship);
void ShipExit(Actor* ship);
void DrawShip(Actor* ship);
void DrawShipDeath(Actor* ship);

// Weapons.
void ShipFire(Actor* ship);
void SpawnMyShot0(float x, float y, int32_t dir);
void SpawnMyShot1(float x, float y);
void SpawnMyShot2(float x, float y, int32_t dir);
void SpawnMyShot3(float x, float y);
void SpawnMyShot4(float x, float y);
void SpawnMissile(int32_t type, float x, float y);
// The missile half of ShipFire, run when the missile cooldown is 0.
void FireMissiles(Actor* ship);

// Arms: the ship's armour, kept in its own record.
bool ArmsAbsorbHit(Actor* ship);
void DrawArms(Actor* ship);
void AddArmPiece(Actor* ship);

// Bomb attack.
void StartBomb(float cx, float cy);
void SpawnBombBlast(float cx, float cy);

// Items and the power gauge.
void SpawnItem(float cx, float cy, int32_t kind);
void ApplyItem(Actor* ship, int32_t kind);
