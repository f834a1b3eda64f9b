// Behaviours by name. Every function that can sit in an actor's or a star's slot is
// listed once, in a table in the file that defines it, so the state hash and the
// traces know it by its plain name: the same in every build, stripped or not, on
// every platform. A slot holding a function missing from the tables is a fault that
// the pool checks report.
#pragma once

#include <cstdint>

struct BehaviourName {
    const void* fn;
    const char* name;
};

#define BEHAVIOUR(fn) BehaviourName{reinterpret_cast<const void*>(&fn), #fn}

// One file's table, joined to the registry as the program starts. At the end of
// each file that defines behaviours:
//     const BehaviourName kBehaviours[] = {BEHAVIOUR(UpdateEnemy000), BEHAVIOUR(DrawEnemy000)};
//     BehaviourList behaviours(kBehaviours);
// (both in an unnamed namespace).
struct BehaviourList {
    const BehaviourName* names;
    int count;
    BehaviourList* next;

    template <int N>
    explicit BehaviourList(const BehaviourName (&table)[N]) : names(table), count(N), next(nullptr) {
        JoinBehaviourRegistry(this);
    }
    static void JoinBehaviourRegistry(BehaviourList* list);
};

// Sorts the tables into one index; it runs before play and allocates nothing.
void PrepareBehaviourNames();

// The registered name of a slot's function, or nullptr (empty or unregistered).
const char* BehaviourNameOf(const void* fn);
bool IsRegisteredBehaviour(const void* fn);
// The function registered under `name`, or nullptr; a plain search, for tools and tests.
const void* FindBehaviour(const char* name);

// What a slot hashes as: 0 for an empty slot, a digest of the registered name,
// or one fixed value for every unregistered function (never its address).
uint64_t BehaviourIdentity(const void* fn);

// nullptr when the tables are sound; otherwise what is wrong with them (one name
// given to two functions, one function under two names, too many to index).
const char* BehaviourRegistryFault();
int BehaviourCount();

