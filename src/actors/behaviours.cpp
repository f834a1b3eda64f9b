// The behaviour registry: the files' name tables, sorted once by function into a
// fixed index that the state hash and the traces search.
#include "actors/behaviours.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// Constant-initialised, so tables may join before or after this file's own start-up.
BehaviourList* firstList = nullptr;

struct IndexEntry {
    const void* fn;
    const char* name;
    uint64_t identity;
};

constexpr int kMaxBehaviours = 1024;
IndexEntry entries[kMaxBehaviours];
int entryCount;
bool prepared;
char fault[256];

// Marks every unregistered function alike: a replay cannot tell one from another,
// and the pool checks name the fault.
constexpr uint64_t kUnregistered = 0x756e726567697374ull;

uint64_t DigestName(const char* name) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (const char* s = name; *s; s++) {
        h ^= static_cast<unsigned char>(*s);
        h *= 1099511628211ull;
    }
    return h;
}

bool EarlierFunction(const IndexEntry& a, const IndexEntry& b) {
    if (a.fn != b.fn) return std::less<const void*>()(a.fn, b.fn);
    return std::strcmp(a.name, b.name) < 0;
}

void NoteFault(const char* what, const char* a, const char* b) {
    if (fault[0]) return;  // the first fault is the one worth reading
    std::snprintf(fault, sizeof fault, "%s: %s and %s", what, a, b);
}

// The same table may be linked once only; two entries of one function under one
// name (a table listing it twice) are harmless and kept as one.
void CheckIndex() {
    for (int i = 1; i < entryCount; i++) {
        const IndexEntry& a = entries[i - 1];
        const IndexEntry& b = entries[i];
        if (a.fn == b.fn && std::strcmp(a.name, b.name) != 0)
            NoteFault("one function under two names", a.name, b.name);
    }
    // names are few: a plain pairwise look is fast enough at start
    for (int i = 0; i < entryCount; i++)
        for (int j = i + 1; j < entryCount; j++)
            if (entries[i].fn != entries[j].fn && std::strcmp(entries[i].name, entries[j].name) == 0)
                NoteFault("one name for two functions", entries[i].name, entries[j].name);
}

const IndexEntry* Find(const void* fn) {
    PrepareBehaviourNames();
    const IndexEntry* begin = entries;
    const IndexEntry* end = entries + entryCount;
    const IndexEntry* it = std::lower_bound(begin, end, fn, [](const IndexEntry& e, const void* f) {
        return std::less<const void*>()(e.fn, f);
    });
    if (it == end || it->fn != fn) return nullptr;
    return it;
}

}  // namespace

void BehaviourList::JoinBehaviourRegistry(BehaviourList* list) {
    list->next = firstList;
    firstList = list;
    prepared = false;
}

void PrepareBehaviourNames() {
    if (prepared) return;
    prepared = true;
    entryCount = 0;
    fault[0] = '\0';
    for (const BehaviourList* list = firstList; list; list = list->next) {
        for (int i = 0; i < list->count; i++) {
            if (entryCount == kMaxBehaviours) {
                NoteFault("more behaviours than the entries holds", list->names[i].name, "the rest");
                break;
            }
            const BehaviourName& b = list->names[i];
            entries[entryCount++] = IndexEntry{b.fn, b.name, DigestName(b.name)};
        }
    }
    std::sort(entries, entries + entryCount, EarlierFunction);
    // one function under one name twice counts once
    entryCount = static_cast<int>(
        std::unique(entries, entries + entryCount,
                    [](const IndexEntry& a, const IndexEntry& b) { return a.fn == b.fn && !std::strcmp(a.name, b.name); }) -
        entries);
    CheckIndex();
}

const char* BehaviourNameOf(const void* fn) {
    if (!fn) return nullptr;
    const IndexEntry* e = Find(fn);
    return e ? e->name : nullptr;
}

bool IsRegisteredBehaviour(const void* fn) { return fn && Find(fn); }

const void* FindBehaviour(const char* name) {
    PrepareBehaviourNames();
    for (int i = 0; i < entryCount; i++)
        if (!std::strcmp(entries[i].name, name)) return entries[i].fn;
    return nullptr;
}

uint64_t BehaviourIdentity(const void* fn) {
    if (!fn) return 0;
    const IndexEntry* e = Find(fn);
    return e ? e->identity : kUnregistered;
}

const char* BehaviourRegistryFault() {
    PrepareBehaviourNames();
    return fault[0] ? fault : nullptr;
}

int BehaviourCount() {
    PrepareBehaviourNames();
    return entryCount;
}
