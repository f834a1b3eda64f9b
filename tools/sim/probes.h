// What the simulator reads of the game beyond the shell: small accessors over the
// globals of the player, stage and boss code, in one place.
#pragma once

#include <cstdint>

#include "actors/actor.h"

struct GroupCounts {
    int32_t byGroup[8];  // live records per ActorGroup
};

int32_t ScriptLineNow();  // the next script line, -1 before the script exists
int32_t BossStateNow();
Actor* FindShip();  // nullptr while there is no ship
GroupCounts CountLiveActors();
// The pool holds every record exactly once: live and dead ones on the active list,
// the rest on the free list.
bool PoolIsWhole();
// Whether some live actor or star holds a function missing from the behaviour
// tables; if so, `out` says which record and slot.
bool FindUnregisteredSlot(char* out, int size);
// Whether the boss warning has begun in this stage.
bool BossWarningStarted();
