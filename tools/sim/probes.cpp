// Accessors over the globals of the subsystems beyond the shell.
#include "probes.h"

#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "stages/stage_script.h"

int32_t ScriptLineNow() { return scriptLine; }

int32_t BossStateNow() { return bossState; }

Actor* FindShip() { return playerShip && playerShip->alive ? playerShip : nullptr; }

GroupCounts CountLiveActors() {
    GroupCounts c{};
    if (!actorPool) return c;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->alive && a->group >= 0 && a->group < 8) c.byGroup[a->group]++;
    return c;
}

bool PoolIsWhole() {
    if (!actorPool) return false;
    int active = 0;
    for (Actor* a = activeList->next; a != activeList; a = a->next) {
        if (++active > kActorPoolSize || a->next->prev != a) return false;
    }
    int free = 0;
    for (Actor* a = freeList->next; a != freeList; a = a->next)
        if (++free > kActorPoolSize) return false;
    return active + free == kActorPoolSize;
}

bool BossWarningStarted() { return bossEventRequested != 0; }
