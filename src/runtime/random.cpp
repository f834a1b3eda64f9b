// The Mersenne Twister behind RandomUpTo, the same on every platform.
#include <time.h>

#include <cstring>
#include <random>
#include <type_traits>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

static std::mt19937 randomEngine;

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

// The engine is plain numbers, so a snapshot of the game copies it as bytes.
static_assert(std::is_trivially_copyable_v<std::mt19937>);
static_assert(sizeof(std::mt19937) + sizeof(uint64_t) <= kRandomStateBytes);

void SaveRandomState(unsigned char* bytes) {
    std::memcpy(bytes, &randomEngine, sizeof randomEngine);
    std::memcpy(bytes + sizeof randomEngine, &randomDraws, sizeof randomDraws);
}

void RestoreRandomState(const unsigned char* bytes) {
    std::memcpy(&randomEngine, bytes, sizeof randomEngine);
    std::memcpy(&randomDraws, bytes + sizeof randomEngine, sizeof randomDraws);
}

int32_t RandomUpTo(int32_t n) {
    uint64_t u = randomEngine();
    randomDraws++;
    if (n <= 0) return 0;
    return int32_t((u * (uint64_t(n) + 1)) >> 32);
}
