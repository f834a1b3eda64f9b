// zorbex-frame-times: the median and 99th percentile of one frame's time, drawn, for the
// title, a typical stage frame (stage 1 played up to its boss) and the heavy fight of the
// benchmarks, printed as one JSON line in milliseconds. The same program in the desktop
// build and in the browser build, so the browser's figures read as a ratio to the desktop's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_scenes.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"

namespace {

constexpr int kWarmUpFrames = 60;
constexpr int kTimedFrames = 600;
const char* const kScratchSave = "/tmp/zorbex-frame-times.dat";  // no run ends: never written

using Clock = std::chrono::steady_clock;

double TimedFrame() {
    const Clock::time_point start = Clock::now();
    RunFrame();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* name, std::vector<double> times, bool last) {
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    std::printf("\"%s\":{\"frames\":%zu,\"median\":%.3f,\"p99\":%.3f}%s", name, times.size(), median, p99,
                last ? "}\n" : ",");
}

}  // namespace

int main() {
    EnableHeadless(1);
    if (StartRuntime() == -1) return 2;
    saveFileName = kScratchSave;
    SetUpGame();
    PrepareStateHash();
    SetDrawingEnabled(true);
    std::vector<double> times;
    std::printf("{");

    StartShownTitle();
    for (int f = 0; f < kWarmUpFrames + kTimedFrames; f++) {
        HoldShownTitle();
        const double t = TimedFrame();
        if (f >= kWarmUpFrames) times.push_back(t);
    }
    Report("title", times, false);

    times.clear();
    RunCounters counters;
    StartStageOne(&counters);
    for (int f = 0; f < kStageOneFrames; f++) {
        PrepareStageOneFrame(f);
        times.push_back(TimedFrame());
        FinishStageOneFrame(&counters);
    }
    Report("stage", times, false);

    times.clear();
    HeavyFight fight;
    StartHeavyFight(&fight);
    for (int f = 0; f < kWarmUpFrames + kTimedFrames; f++) {
        PrepareHeavyFrame(&fight);
        const double t = TimedFrame();
        if (f >= kWarmUpFrames) times.push_back(t);
    }
    Report("heavy", times, true);
    std::fflush(stdout);
    StopRuntime();
    return 0;
}
