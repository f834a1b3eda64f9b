// The virtual clock of headless runs, the same on every platform: milliseconds that move
// only when the game reads or sleeps on them, so that frames run as fast as they can.
#include "runtime/headless.h"
#include "runtime/runtime_internal.h"

// Kept unsigned so that running past 2^31 wraps without overflow.
static uint32_t virtualMillis = 0;

void ResetVirtualClock() { virtualMillis = 0; }

int32_t VirtualMillis() { return int32_t(virtualMillis); }

void SetVirtualMillis(int32_t millis) { virtualMillis = uint32_t(millis); }

int32_t ReadVirtualMillis() {
    const uint32_t now = virtualMillis;
    virtualMillis += 1;  // a busy wait on the virtual clock must end
    return int32_t(now);
}

void SleepVirtualMillis(int ms) {
    if (ms > 0) virtualMillis += uint32_t(ms);
}

// As a busy wait leaves the virtual clock: its last read steps it once more.
void WaitForVirtualMillis(int32_t millis) {
    const int32_t early = int32_t(uint32_t(millis) - virtualMillis);
    virtualMillis = early > 0 ? uint32_t(millis) + 1u : virtualMillis + 1u;
}
