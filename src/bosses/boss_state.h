// Boss controller state that other subsystems read.
#pragma once

#include <cstdint>

// 9999 while the boss has just been destroyed: the ship cannot be hit then.
constexpr int32_t BossStateDestroyed = 9999;

extern int32_t bossState;
