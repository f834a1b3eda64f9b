// Accessors over the globals of the subsystems beyond the shell.
#include "probes.h"

#include <cstring>

#include "runtime/headless.h"

constexpr const char* kWarningMusic = "data/SoundWarning.mp3";

int32_t ScriptLineNow() { return -1; }

int32_t BossStateNow() { return 0; }

Actor* FindShip() {
    if (!actorPool) return nullptr;
    for (Actor* a = activeList->next; a != activeList; a = a->next)
        if (a->group == GroupPlayer && a->alive) return a;
    return nullptr;
}

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

// The warning stops the stage music and starts its own tune; no other code plays it.
bool BossWarningStarted() { return std::strstr(CurrentMusicFile(), kWarningMusic) != nullptr; }
