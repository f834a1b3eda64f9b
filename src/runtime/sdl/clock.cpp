// The millisecond clock (real, or the virtual one of headless runs) and frame pacing on
// the desktop.
#include <errno.h>
#include <sys/prctl.h>
#include <time.h>

#include <algorithm>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

static uint64_t realBaseNanos = 0;

static uint64_t MonotonicNanos() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000u + uint64_t(ts.tv_nsec);
}

void ResetClock() {
    ResetVirtualClock();
    realBaseNanos = MonotonicNanos();
}

int32_t PeekMillis() {
    if (runtimeSettings.headless) return VirtualMillis();
    return int32_t(uint32_t((MonotonicNanos() - realBaseNanos) / 1000000u));
}

int32_t GetMillis() {
    if (runtimeSettings.headless) return ReadVirtualMillis();
    return PeekMillis();
}

void SleepMillis(int ms) {
    if (ms <= 0) return;
    if (runtimeSettings.headless) return SleepVirtualMillis(ms);
    timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

// Pacing sleeps to an absolute deadline and does not spin: a frame starts as late as the
// kernel wakes the sleeper, which a one-microsecond timer slack keeps close to the deadline
// (the default slack of 50 us is there to save power, not for a game). How late the sleeps
// woke is kept for measuring tools: nine in ten of the last 64 woke within it.
constexpr int kOvershootSamples = 64;
constexpr int kOvershootQuantilePercent = 90;

static int64_t overshoots[kOvershootSamples];
static int overshootCount = 0;
static int overshootNext = 0;
static int64_t overshootQuantileNanos = 0;
static uint64_t lastFrameStartNanos = 0;
static bool timerSlackSet = false;

static void LearnOvershoot(int64_t nanos) {
    overshoots[overshootNext] = std::max<int64_t>(nanos, 0);
    overshootNext = (overshootNext + 1) % kOvershootSamples;
    if (overshootCount < kOvershootSamples) overshootCount++;
    int64_t sorted[kOvershootSamples];
    std::copy(overshoots, overshoots + overshootCount, sorted);
    int k = (overshootCount - 1) * kOvershootQuantilePercent / 100;
    std::nth_element(sorted, sorted + k, sorted + overshootCount);
    overshootQuantileNanos = sorted[k];
}

static void SleepUntilNanos(uint64_t when) {
    if (!timerSlackSet) {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        timerSlackSet = true;
    }
    timespec ts;
    ts.tv_sec = time_t(when / 1000000000u);
    ts.tv_nsec = long(when % 1000000000u);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void WaitUntilMillis(int32_t millis) {
    if (runtimeSettings.headless) return WaitForVirtualMillis(millis);
    uint64_t now = MonotonicNanos();
    const uint64_t elapsedMillis = (now - realBaseNanos) / 1000000u;
    const int32_t remaining = int32_t(uint32_t(millis) - uint32_t(elapsedMillis));
    if (remaining > 0) {
        // the instant the millisecond clock turns to `millis`
        const uint64_t deadline = realBaseNanos + (elapsedMillis + uint64_t(remaining)) * 1000000u;
        SleepUntilNanos(deadline);
        now = MonotonicNanos();
        LearnOvershoot(int64_t(now - deadline));
    }
    lastFrameStartNanos = now;
}

uint64_t LastFrameStartNanos() { return lastFrameStartNanos; }

int32_t PacingMarginMicros() { return int32_t(overshootQuantileNanos / 1000); }
