// The actor pool: 1024 records on an active list and a free list, and the two passes.
#include "actors/actor.h"
#include "actors/behaviours.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "shell/game.h"

Actor* actorPool = nullptr;
Actor* activeList = nullptr;
Actor* freeList = nullptr;

float sinTable[360];
float cosTable[360];

// pi with ten digits, as the angle tables have always been built
constexpr double kTablePi = 3.1415926535;

void FillAngleTables() {
    for (int i = 0; i < 360; i++) {
        double a = i * kTablePi / 180;
        sinTable[i] = static_cast<float>(std::sin(a));
        cosTable[i] = static_cast<float>(std::cos(a));
    }
}

// Allocated once for the life of the program; a second call only relinks.
void InitActorPool() {
    static Actor pool[kActorPoolSize + 2];
    actorPool = pool;
    activeList = &pool[0];
    freeList = &pool[1];
    activeList->prev = activeList;
    activeList->next = activeList;
    Actor* tail = freeList;
    for (int i = 2; i < kActorPoolSize + 2; i++) {
        pool[i] = Actor{};
        tail->next = &pool[i];
        tail = &pool[i];
    }
    tail->next = freeList;
}

static void PushFree(Actor* a) {
    a->next = freeList->next;
    freeList->next = a;
}

Actor* AcquireActor(ActorFn updateFn, ActorFn drawFn, int32_t group) {
    Actor* a = freeList->next;
    if (a == freeList) return nullptr;
    freeList->next = a->next;
    a->draw = drawFn;
    a->update = updateFn;
    Actor* last = activeList->prev;
    a->prev = last;
    a->next = activeList;
    last->next = a;
    activeList->prev = a;
    a->group = group;
    a->blastTag = 0;
    a->deathKind = DeathNone;
    a->guardMode = GuardNormal;
    a->alive = 1;
    return a;
}

void ReleaseAllActors() {
    Actor* cur = activeList->next;
    while (cur != activeList) {
        Actor* succ = cur->next;
        PushFree(cur);
        cur = succ;
    }
    activeList->next = activeList;
    activeList->prev = activeList;
}

void SweepDeadActors() {
    Actor* cur = activeList->next;
    while (cur != activeList) {
        Actor* succ = cur->next;
        if (!cur->alive) {
            cur->prev->next = cur->next;
            cur->next->prev = cur->prev;
            PushFree(cur);
        }
        cur = succ;
    }
}

// A slot missing from the behaviour tables hashes like any other missing one, so a
// replay could not tell them apart: debug and sanitizer builds stop on the first.
static void CheckSlotsAreRegistered(const Actor* a) {
#if !defined(NDEBUG) || defined(ZORBEX_CHECK_BEHAVIOURS)
    if (IsRegisteredBehaviour(reinterpret_cast<const void*>(a->update)) &&
        IsRegisteredBehaviour(reinterpret_cast<const void*>(a->draw)))
        return;
    std::fprintf(stderr, "actor of group %d holds a behaviour missing from the tables\n", a->group);
    std::abort();
#else
    (void)a;
#endif
}

// The successor is read before the update runs, so a record appended by the
// last record's update waits until the next frame.
void UpdateActors() {
    Actor* cur = activeList->next;
    if (cur == activeList) return;
    Actor* succ = cur->next;
    for (;;) {
        CheckSlotsAreRegistered(cur);
        cur->update(cur);
        cur = succ;
        succ = succ->next;
        if (cur == activeList) return;
    }
}

void DrawActors() {
    Actor* cur = activeList->next;
    if (cur == activeList) return;
    Actor* succ = cur->next;
    for (;;) {
        cur->draw(cur);
        cur = succ;
        succ = succ->next;
        if (cur == activeList) return;
    }
}

void MoveAlongDir(Actor* a) {
    int32_t dir = a->work[kDir].i;
    if (dir == -1) return;
    a->x += cosTable[dir] * a->speed;
    a->y -= sinTable[dir] * a->speed;
}

void AddScore(int32_t points) {
    score += points;
    if (score < 0) score = 0;
}

void ActorNoOp(Actor*) {}

int CountActiveActors() {
    int n = 0;
    for (Actor* a = activeList->next; a != activeList; a = a->next) n++;
    return n;
}

int CountFreeActors() {
    int n = 0;
    for (Actor* a = freeList->next; a != freeList; a = a->next) n++;
    return n;
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(ActorNoOp),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
