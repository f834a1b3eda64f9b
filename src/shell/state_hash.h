// A digest of the whole game state between two frames: replays record it, and
// tests and tools compare it to find the first frame where two runs part.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// Reads the program's own symbol table so that function slots hash by name, the
// same in every build. It allocates, so tools call it before play; StateHash
// calls it on first use otherwise.
void PrepareStateHash();

uint64_t StateHash();

// The name a function slot hashes as: its symbol, or nullptr when the symbol
// table does not know the address (then the address relative to the program's
// load address is hashed, which is stable only within one build).
const char* FunctionSlotName(ActorFn fn);

// The digest of each part of the state on its own ("score", "actors", ...),
// in a fixed order; for telling which global two runs disagree on.
void ForEachStateDigest(void (*visit)(const char* name, uint64_t digest, void* context),
                        void* context);

// Every name the hash knows: the parts it covers, and the globals it leaves out
// on purpose (a trailing '*' stands for a prefix).
void ForEachStateGlobal(void (*visit)(const char* name, bool hashed, void* context), void* context);
