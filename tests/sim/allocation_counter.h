// Counts heap allocations made by this thread while counting is on. In a
// sanitizer build the sanitizer's allocator hook counts; otherwise malloc and its
// sisters are replaced by counting pass-throughs to the C library.
#pragma once

#include <cstdint>

void StartCountingAllocations();
// Stops counting; the number of allocations since the start.
int64_t StopCountingAllocations();
