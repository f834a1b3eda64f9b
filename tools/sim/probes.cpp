// Accessors over the globals of the subsystems beyond the shell.
#include "probes.h"

#include <cstdio>

#include "actors/behaviours.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "player/player.h"
#include "stages/stage_map.h"
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

namespace {

bool Registered(const void* fn) { return !fn || IsRegisteredBehaviour(fn); }

}  // namespace

bool FindUnregisteredSlot(char* out, int size) {
    if (actorPool)
        for (const Actor* a = activeList->next; a != activeList; a = a->next) {
            bool update = Registered(reinterpret_cast<const void*>(a->update));
            if (update && Registered(reinterpret_cast<const void*>(a->draw))) continue;
            std::snprintf(out, static_cast<size_t>(size), "actor record %d (group %d): its %s slot",
                          static_cast<int>(a - actorPool), a->group, update ? "draw" : "update");
            return true;
        }
    if (starList)
        for (const Star* s = starList->next; s != starList; s = s->next) {
            bool update = Registered(reinterpret_cast<const void*>(s->update));
            if (update && Registered(reinterpret_cast<const void*>(s->draw))) continue;
            std::snprintf(out, static_cast<size_t>(size), "star record %d: its %s slot",
                          static_cast<int>(s - starList), update ? "draw" : "update");
            return true;
        }
    return false;
}
