// --paced: the game's real loop on the real clock, on the title, measuring how much
// processor the pacing costs and how evenly frames start.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "runtime/media.h"
#include "session.h"
#include "shell/game.h"

namespace {

constexpr int kDefaultPacedFrames = 600;

double CpuSeconds() {
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(std::ceil(p * static_cast<double>(v.size()))) - 1;
    return v[std::min(i, v.size() - 1)];
}

}  // namespace

int RunPaced(const SimOptions& o) {
    int frames = o.frames > 0 ? static_cast<int>(o.frames) : kDefaultPacedFrames;
    if (!UseScratchSaveFile()) return 2;
    SetWindowTitle("zorbex-sim --paced");
    SetWindowedMode(1);
    SetScreenMode(640, 480, 16, 60);
    if (StartRuntime() == -1) {
        std::fprintf(stderr, "zorbex-sim: the media runtime did not start (is there a display?)\n");
        RemoveScratchSaveFile();
        return 2;
    }
    SetUpGame();
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> ends;
    ends.reserve(static_cast<size_t>(frames) + 1);
    // the first frame waits on set-up's own start time; measure from the second
    if (PumpWindowMessages() == 0) RunFrame();
    double cpuStart = CpuSeconds();
    Clock::time_point wallStart = Clock::now();
    ends.push_back(wallStart);
    for (int i = 0; i < frames; i++) {
        if (PumpWindowMessages() != 0 || !RunFrame()) break;
        ends.push_back(Clock::now());
    }
    double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
    double cpu = CpuSeconds() - cpuStart;
    int32_t scene = currentScene;
    StopRuntime();
    RemoveScratchSaveFile();

    std::vector<double> periods, deviation;
    for (size_t i = 1; i < ends.size(); i++) {
        double ms = std::chrono::duration<double, std::milli>(ends[i] - ends[i - 1]).count();
        periods.push_back(ms);
        deviation.push_back(std::fabs(ms - 16.0));
    }
    size_t overOneMs = 0;
    for (double d : deviation)
        if (d > 1.0) overOneMs++;
    double mean = 0;
    for (double p : periods) mean += p;
    if (!periods.empty()) mean /= static_cast<double>(periods.size());
    std::printf("{\"frames\":%zu,\"scene\":%d,\"cpuPercent\":%.1f,\"periodMeanMs\":%.3f,"
                "\"periodP50Ms\":%.3f,\"periodP99Ms\":%.3f,\"periodMaxMs\":%.3f,"
                "\"jitterP99Ms\":%.3f,\"jitterMaxMs\":%.3f,\"framesOff1Ms\":%zu}\n",
                periods.size(), scene, wall > 0 ? 100.0 * cpu / wall : 0.0, mean, Percentile(periods, 0.5),
                Percentile(periods, 0.99), Percentile(periods, 1.0), Percentile(deviation, 0.99),
                Percentile(deviation, 1.0), overOneMs);
    return 0;
}
