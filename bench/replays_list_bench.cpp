// REPLAYS opened over twelve replays (the golden ones, up to an hour of play together):
// the opening frame, the slowest frame and the frames and time until every row is summed up, for the
// first opening of a session and for the next.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>

#include "bench_game.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "scenes/scenes.h"
#include "scenes/screens.h"
#include "shell/front_end.h"
#include "shell/game.h"
#include "shell/replay_list.h"
#include "shell/save_files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMostFrames = 2000;

struct ListTimes {
    double openingMs = 0, slowestMs = 0, totalMs = 0;
    int frames = 0;  // until every row was summed up
};

bool AllSummarised() {
    for (const ListedReplay& l : ReplaysListed())
        if (l.readable && !l.summarised) return false;
    return true;
}

void PutTwelveReplays(const fs::path& replays) {
    const fs::path golden = ZORBEX_SOURCE_DIR "/tests/golden";
    fs::create_directories(replays / "saved");
    const char* const ranks[] = {"ending22", "ending23", "ending24", "ending25", "ending26", "ending27", "ending28",
                                 "game-run", "stage1"};
    fs::copy_file(golden / "continue.replay", replays / "last.replay");
    for (int i = 0; i < 9; i++)
        fs::copy_file(golden / (std::string(ranks[i]) + ".replay"),
                      replays / ("rank0" + std::to_string(i + 1) + ".replay"));
    fs::copy_file(golden / "continue.replay", replays / "saved" / "a.replay");
    fs::copy_file(golden / "ending28.replay", replays / "saved" / "b.replay");
}

// The processor time of this thread: the machine is shared, and a frame's wall time
// counts what other programs ran meanwhile.
double ThreadMillis() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double TimedFrame(int pad) {
    SetHeadlessPad(pad);
    const double start = ThreadMillis();
    RunFrame();
    return ThreadMillis() - start;
}

// From the title's menu on REPLAYS: opened, watched for its frames, left.
ListTimes OpenTheList() {
    ListTimes t;
    menuTitle.cursor = TitleReplays;
    t.openingMs = TimedFrame(PadButton1);
    t.slowestMs = t.totalMs = t.openingMs;
    for (t.frames = 1; !AllSummarised() && t.frames < kMostFrames; t.frames++) {
        const double ms = TimedFrame(0);
        t.slowestMs = std::max(t.slowestMs, ms);
        t.totalMs += ms;
    }
    TimedFrame(PadButton2);
    TimedFrame(0);
    return t;
}

void BM_ReplaysListOpen(benchmark::State& state) {
    EnsureGame();
    const fs::path dir = fs::temp_directory_path() / ("zorbex-bench-replays-" + std::to_string(getpid()));
    fs::remove_all(dir);
    PutTwelveReplays(dir / "replays");
    const std::string save = (dir / "zorbexG.dat").string();
    const char* const savedName = saveFileName;
    saveFileName = save.c_str();
    EnableFrontEnd(true);
    currentScene = SceneTitle;
    SetHeadlessPad(0);
    for (int f = 0; f < 92 + 32 + 2; f++) RunFrame();
    ListTimes first, again;
    for (auto _ : state) {
        ForgetReplaySummaries();
        first = OpenTheList();
        again = OpenTheList();
    }
    EnableFrontEnd(false);
    saveFileName = savedName;
    fs::remove_all(dir);
    state.counters["firstOpeningMs"] = first.openingMs;
    state.counters["firstSlowestMs"] = first.slowestMs;
    state.counters["firstTotalMs"] = first.totalMs;
    state.counters["againOpeningMs"] = again.openingMs;
    state.counters["againSlowestMs"] = again.slowestMs;
    state.counters["againTotalMs"] = again.totalMs;
    state.counters["firstFrames"] = first.frames;
    state.counters["againFrames"] = again.frames;
}
BENCHMARK(BM_ReplaysListOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
