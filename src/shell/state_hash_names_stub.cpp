// Function slots in a build without an ELF symbol table (the browser build), until the
// behaviours have names of their own: a slot hashes as set or empty, nothing more.
#include "shell/state_hash.h"
#include "shell/state_hash_internal.h"

void PrepareStateHash() {}

const char* FunctionSlotName(ActorFn) { return nullptr; }

uint64_t FunctionIdentity(const void* fn) { return fn ? 1 : 0; }
