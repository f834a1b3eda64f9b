// Shared between the state hash and its symbol table reader.
#pragma once

#include <cstdint>


// A build-independent number for a function slot; 0 for an empty slot.
uint64_t FunctionIdentity(const void* fn);
