// The millisecond clock (real or virtual) and the Mersenne Twister behind RandomUpTo.
#include <errno.h>
#include <time.h>

#include <random>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

static std::mt19937 randomEngine;

// Virtual milliseconds are kept unsigned so that running past 2^31 wraps without overflow.
static uint32_t virtualMillis = 0;
static uint64_t realBaseNanos = 0;

static uint64_t MonotonicNanos() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000u + uint64_t(ts.tv_nsec);
}

void ResetClock() {
    virtualMillis = 0;
    realBaseNanos = MonotonicNanos();
}

int32_t PeekMillis() {
    if (runtimeSettings.headless) return int32_t(virtualMillis);
    return int32_t(uint32_t((MonotonicNanos() - realBaseNanos) / 1000000u));
}

int32_t GetMillis() {
    if (runtimeSettings.headless) {
        uint32_t now = virtualMillis;
        virtualMillis += 1;  // a busy wait on the virtual clock must end
        return int32_t(now);
    }
    return PeekMillis();
}

int32_t VirtualMillis() { return int32_t(virtualMillis); }

void SetVirtualMillis(int32_t millis) { virtualMillis = uint32_t(millis); }

void SleepMillis(int ms) {
    if (ms <= 0) return;
    if (runtimeSettings.headless) {
        virtualMillis += uint32_t(ms);
        return;
    }
    timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

// outputs drawn since the last seeding: with the seed, the generator's whole state
static uint64_t randomDraws = 0;

uint64_t RandomDrawCount() { return randomDraws; }

void SeedRandom(uint32_t seed) {
    randomEngine.seed(seed);
    randomDraws = 0;
}

void SeedRandomFromClock() {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    randomEngine.seed(uint32_t(ts.tv_sec * 1000 + ts.tv_nsec / 1000000));
    randomDraws = 0;
}

int32_t RandomUpTo(int32_t n) {
    uint64_t u = randomEngine();
    randomDraws++;
    if (n <= 0) return 0;
    return int32_t((u * (uint64_t(n) + 1)) >> 32);
}
