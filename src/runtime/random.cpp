// The Mersenne Twister behind RandomUpTo, the same on every platform.
#include <time.h>

#include <random>

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

int32_t RandomUpTo(int32_t n) {
    uint64_t u = randomEngine();
    randomDraws++;
    if (n <= 0) return 0;
    return int32_t((u * (uint64_t(n) + 1)) >> 32);
}
