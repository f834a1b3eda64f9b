// Boss controller state that other subsystems read.
#pragma once

#include <cstdint>

// 9999 while the boss has just been destroyed: the ship cannot be hit then.
constexpr int32_t BossStateDestroyed = 9999;

extern int32_t bossState;
// The body's position, written by its update every frame; parts and shields follow it.
extern float bossX, bossY;
// Signals between a body and its parts; the set-ups of bosses 10 to 16 clear them together.
extern int32_t bossScratch[10];
