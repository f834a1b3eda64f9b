// The store of snapshots a replay keeps while it plays.
#include "shell/snapshot.h"

#include <cstring>

#include "shell/state_hash.h"

void PrepareSnapshotStore(SnapshotStore* store, int capacity, int64_t spacing) {
    store->recordBytes = StateSnapshotBytes();
    store->capacity = capacity < 2 ? 2 : capacity;
    store->records.assign(store->recordBytes * static_cast<size_t>(store->capacity), 0);
    store->frames.assign(static_cast<size_t>(store->capacity), -1);
    store->music.assign(static_cast<size_t>(store->capacity), SnapshotMusic{});
    store->count = 0;
    store->spacing = spacing < 1 ? 1 : spacing;
}

static unsigned char* Record(SnapshotStore* store, int index) {
    return store->records.data() + store->recordBytes * static_cast<size_t>(index);
}

// Keeps the snapshots at multiples of twice the spacing; the others' slots are freed.
static void Thin(SnapshotStore* store) {
    store->spacing *= 2;
    int kept = 0;
    for (int i = 0; i < store->count; i++) {
        if (store->frames[size_t(i)] % store->spacing != 0) continue;
        if (kept != i) {
            std::memcpy(Record(store, kept), Record(store, i), store->recordBytes);
            store->frames[size_t(kept)] = store->frames[size_t(i)];
            store->music[size_t(kept)] = store->music[size_t(i)];
        }
        kept++;
    }
    store->count = kept;
}

void KeepSnapshotIfDue(SnapshotStore* store, int64_t frame, const SnapshotMusic& music) {
    if (store->capacity == 0 || frame % store->spacing != 0) return;
    if (store->count > 0 && frame <= store->frames[size_t(store->count - 1)]) return;
    if (store->count == store->capacity) {
        Thin(store);
        if (frame % store->spacing != 0) return;
    }
    TakeStateSnapshot(Record(store, store->count));
    store->frames[size_t(store->count)] = frame;
    store->music[size_t(store->count)] = music;
    store->count++;
}

int SnapshotBefore(const SnapshotStore& store, int64_t frame) {
    int found = -1;
    for (int i = 0; i < store.count && store.frames[size_t(i)] < frame; i++) found = i;
    return found;
}

int64_t RestoreSnapshot(const SnapshotStore& store, int index) {
    RestoreStateSnapshot(store.records.data() + store.recordBytes * static_cast<size_t>(index));
    return store.frames[size_t(index)];
}
