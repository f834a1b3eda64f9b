// --paced: the game's real loop on the real clock, on the title, measuring how much
// processor the pacing costs and how evenly frames start. Beside it, in the same run,
// a bare loop that only sleeps to an absolute deadline every 16 ms: what this machine
// allows at best, so that the game's figures read as a ratio to it.
#include <errno.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "session.h"
#include "shell/game.h"

namespace {

constexpr int kDefaultPacedFrames = 600;
constexpr int kRounds = 4;  // the two loops take turns, so that both meet the same load
constexpr uint64_t kPeriodNanos = 16000000;

uint64_t Nanos(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return uint64_t(ts.tv_sec) * 1000000000u + uint64_t(ts.tv_nsec);
}

double Millis(uint64_t nanos) { return static_cast<double>(nanos) / 1e6; }

// What one loop did over all its rounds.
struct LoopFigures {
    std::vector<double> periods;   // ms between consecutive frame starts
    std::vector<double> lateness;  // ms past the deadline (bare loop only)
    std::vector<double> work;      // ms from a frame's start to its end (game loop only)
    int64_t presents = 0;          // frames that went up to the window (game loop only)
    uint64_t wallNanos = 0;
    uint64_t processCpuNanos = 0;
    uint64_t threadCpuNanos = 0;
};

// Measures the processor and wall time of one round.
class Round {
public:
    explicit Round(LoopFigures* f)
        : f_(f), wall_(Nanos(CLOCK_MONOTONIC)), process_(Nanos(CLOCK_PROCESS_CPUTIME_ID)),
          thread_(Nanos(CLOCK_THREAD_CPUTIME_ID)) {}
    ~Round() {
        f_->wallNanos += Nanos(CLOCK_MONOTONIC) - wall_;
        f_->processCpuNanos += Nanos(CLOCK_PROCESS_CPUTIME_ID) - process_;
        f_->threadCpuNanos += Nanos(CLOCK_THREAD_CPUTIME_ID) - thread_;
    }
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;

private:
    LoopFigures* f_;
    uint64_t wall_, process_, thread_;
};

void RunBareRound(int frames, LoopFigures* f) {
    Round round(f);
    uint64_t deadline = Nanos(CLOCK_MONOTONIC);
    uint64_t previous = 0;
    for (int i = 0; i <= frames; i++) {
        deadline += kPeriodNanos;
        timespec ts;
        ts.tv_sec = time_t(deadline / 1000000000u);
        ts.tv_nsec = long(deadline % 1000000000u);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
        uint64_t woke = Nanos(CLOCK_MONOTONIC);
        if (i > 0) f->periods.push_back(Millis(woke - previous));
        f->lateness.push_back(Millis(woke - deadline));
        previous = woke;
    }
}

// False once the window was closed or Escape pressed.
bool RunGameRound(int frames, LoopFigures* f) {
    // the first frame after the other loop's turn starts late; measure from the next
    if (PumpWindowMessages() != 0 || !RunFrame()) return false;
    Round round(f);
    uint64_t previous = LastFrameStartNanos();
    for (int i = 0; i < frames; i++) {
        const int64_t presents = PresentedFrameCount();
        if (PumpWindowMessages() != 0 || !RunFrame()) return false;
        f->presents += PresentedFrameCount() - presents;
        uint64_t start = LastFrameStartNanos();
        f->work.push_back(Millis(Nanos(CLOCK_MONOTONIC) - start));
        f->periods.push_back(Millis(start - previous));
        previous = start;
    }
    return true;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(std::ceil(p * static_cast<double>(v.size())));
    return v[std::min(i > 0 ? i - 1 : 0, v.size() - 1)];
}

double Percent(uint64_t part, uint64_t whole) {
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

std::vector<double> Jitter(const std::vector<double>& periods) {
    std::vector<double> deviation;
    for (double p : periods) deviation.push_back(std::fabs(p - 16.0));
    return deviation;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

void PrintFigures(const LoopFigures& game, const LoopFigures& bare, int32_t scene) {
    std::vector<double> jitter = Jitter(game.periods), bareJitter = Jitter(bare.periods);
    size_t overOneMs = 0;
    for (double d : jitter)
        if (d > 1.0) overOneMs++;
    double mean = 0;
    for (double p : game.periods) mean += p;
    if (!game.periods.empty()) mean /= static_cast<double>(game.periods.size());
    double jitterP99 = Percentile(jitter, 0.99), bareJitterP99 = Percentile(bareJitter, 0.99);
    std::printf("{\"frames\":%zu,\"scene\":%d,\"cpuPercent\":%.1f,\"mainThreadCpuPercent\":%.1f,"
                "\"periodMeanMs\":%.3f,\"periodP50Ms\":%.3f,\"periodP99Ms\":%.3f,"
                "\"periodMaxMs\":%.3f,\"jitterP50Ms\":%.3f,\"jitterP99Ms\":%.3f,"
                "\"jitterMaxMs\":%.3f,\"framesOff1Ms\":%zu,\"frameWorkP50Ms\":%.3f,"
                "\"sleepLateP90Ms\":%.3f,",
                game.periods.size(), scene, Percent(game.processCpuNanos, game.wallNanos),
                Percent(game.threadCpuNanos, game.wallNanos), mean, Percentile(game.periods, 0.5),
                Percentile(game.periods, 0.99), Percentile(game.periods, 1.0),
                Percentile(jitter, 0.5), jitterP99, Percentile(jitter, 1.0), overOneMs,
                Percentile(game.work, 0.5), PacingMarginMicros() / 1000.0);
    std::printf("\"bare\":{\"frames\":%zu,\"cpuPercent\":%.1f,\"periodP50Ms\":%.3f,"
                "\"periodP99Ms\":%.3f,\"periodMaxMs\":%.3f,\"jitterP50Ms\":%.3f,"
                "\"jitterP99Ms\":%.3f,\"jitterMaxMs\":%.3f,\"latenessP50Ms\":%.3f,"
                "\"latenessP99Ms\":%.3f},",
                bare.periods.size(), Percent(bare.processCpuNanos, bare.wallNanos),
                Percentile(bare.periods, 0.5), Percentile(bare.periods, 0.99),
                Percentile(bare.periods, 1.0), Percentile(bareJitter, 0.5), bareJitterP99,
                Percentile(bareJitter, 1.0), Percentile(bare.lateness, 0.5),
                Percentile(bare.lateness, 0.99));
    // processor use read against the bare loop's in the same run, which takes out how
    // much the machine's own load and timer costs weigh at the moment
    const double cpu = Percent(game.processCpuNanos, game.wallNanos);
    const double bareCpu = Percent(bare.processCpuNanos, bare.wallNanos);
    std::printf("\"presents\":%lld,\"cpuRatioToBare\":%.2f,", static_cast<long long>(game.presents),
                Ratio(cpu, bareCpu));
    std::printf("\"jitterP99VsBareMs\":%.3f,\"jitterP99RatioToBare\":%.2f}\n",
                jitterP99 - bareJitterP99, Ratio(jitterP99, bareJitterP99));
}

}  // namespace

int RunPaced(const SimOptions& o) {
    int frames = o.frames > 0 ? static_cast<int>(o.frames) : kDefaultPacedFrames;
    int perRound = std::max(1, frames / kRounds);
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
    LoopFigures game, bare;
    game.periods.reserve(static_cast<size_t>(perRound * kRounds));
    game.work.reserve(static_cast<size_t>(perRound * kRounds));
    bare.periods.reserve(static_cast<size_t>(perRound * kRounds));
    bare.lateness.reserve(static_cast<size_t>((perRound + 1) * kRounds));
    for (int r = 0; r < kRounds; r++) {
        RunBareRound(perRound, &bare);
        if (!RunGameRound(perRound, &game)) break;
    }
    int32_t scene = currentScene;
    StopRuntime();
    RemoveScratchSaveFile();
    PrintFigures(game, bare, scene);
    return 0;
}
