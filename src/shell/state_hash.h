// A digest of the whole game state between two frames: replays record it, and
// tests and tools compare it to find the first frame where two runs part.
#pragma once

#include <cstddef>
#include <cstdint>

#include "actors/actor.h"

// How the hash is made, named in every replay so that a build never holds a run to
// hashes it cannot make. 1: function slots by the program's symbol table (gone);
// 2: by their registered behaviour names.
constexpr int32_t kStateHashScheme = 2;

// Indexes the behaviour names that function slots hash by; StateHash calls it on
// first use, tools call it before play.
void PrepareStateHash();

uint64_t StateHash();

// The digest of each part of the state on its own ("score", "actors", ...),
// in a fixed order; for telling which global two runs disagree on.
void ForEachStateDigest(void (*visit)(const char* name, uint64_t digest, void* context),
                        void* context);

// Every name the hash knows: the parts it and the snapshot cover, and the globals
// both leave out on purpose (a trailing '*' stands for a prefix).
void ForEachStateGlobal(void (*visit)(const char* name, bool covered, void* context), void* context);

// A snapshot of the whole game state is a record of StateSnapshotBytes() bytes, the
// same for every snapshot of a build, made from the list that feeds the hash. Taking
// and restoring one copies and allocates nothing else; restoring it between two frames
// puts the game back as it was when it was taken (the pools keep their addresses).
size_t StateSnapshotBytes();
// True when every part with its own digest also says how a snapshot keeps and restores it.
bool EveryHashedPartKept();
void TakeStateSnapshot(unsigned char* record);
void RestoreStateSnapshot(const unsigned char* record);
