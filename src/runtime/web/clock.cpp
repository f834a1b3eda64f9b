// The millisecond clock (real, or the virtual one of headless runs) and frame pacing in the
// browser build. The page's animation frames drive the game's fixed 16 ms step through an
// accumulator: the clock the game reads moves in whole steps, so frames keep the game's own
// speed on screens of any rate, and after a stall (a hidden page) it catches up a few
// frames, then drops the debt.
#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/web/page.h"

namespace {

constexpr double kMaxDebtMillis = 48.0;  // three frames caught up at most

// The page's clock at the game's millisecond 0, moved on by the debts dropped.
double pageBase = 0.0;
// The game's clock: where the last frame was released, or a sleep ended.
uint32_t gameMillis = 0;
int64_t framesStarted = 0;

double PageNow() { return zorbex_page_milliseconds() - pageBase; }

// The real clock: whole milliseconds since the start, signed as the game compares them.
int32_t RealMillis() { return int32_t(uint32_t(uint64_t(PageNow()))); }

}  // namespace

void ResetClock() {
    ResetVirtualClock();
    pageBase = zorbex_page_milliseconds();
    gameMillis = 0;
}

int32_t PeekMillis() {
    if (runtimeSettings.headless) return VirtualMillis();
    return int32_t(gameMillis);
}

int32_t GetMillis() {
    if (runtimeSettings.headless) return ReadVirtualMillis();
    return int32_t(gameMillis);
}

// The page goes on while the game sleeps: it draws, plays and takes keys meanwhile.
void SleepMillis(int ms) {
    if (ms <= 0) return;
    if (runtimeSettings.headless) return SleepVirtualMillis(ms);
    zorbex_page_sleep(ms);
    gameMillis = uint32_t(RealMillis());
}

void WaitUntilMillis(int32_t millis) {
    if (runtimeSettings.headless) {
        WaitForVirtualMillis(millis);
        ++framesStarted;
        return;
    }
    while (WebFramesHeld() || int32_t(uint32_t(RealMillis()) - uint32_t(millis)) < 0)
        zorbex_page_wait_animation_frame();
    const double debt = PageNow() - double(millis);
    if (debt > kMaxDebtMillis) pageBase += debt - kMaxDebtMillis;
    // the frame starts on its step, however late the animation frame came
    gameMillis = uint32_t(millis);
    WebAdvanceScript();
    ++framesStarted;
}

double WebFramesStarted() { return double(framesStarted); }

void WebUncountFrame() {
    if (framesStarted > 0) --framesStarted;
}

uint64_t LastFrameStartNanos() { return uint64_t(zorbex_page_milliseconds() * 1e6); }

int32_t PacingMarginMicros() { return 0; }
