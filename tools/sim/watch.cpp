// --watch: a replay played back as the game itself runs, in a real window with its sound
// and on the real clock, the buttons taken from the replay. The keyboard still gives
// Escape (stop) and P (pause); the recorded state hashes are checked on the way, and
// the run ends with the same summary line as every other.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "run_summary.h"
#include "session.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/state_hash.h"

namespace {

// Frames run, and the first frame whose hash differs from the recording (0: none).
struct Watched {
    RunSummary summary;
    double seconds = 0;
    int64_t frames = 0;
    int32_t differsAt = 0;
    bool stopped = false;  // Escape or the window closed before the end
};

void Play(const Replay& replay, bool checkHashes, Watched* w) {
    BeginReplay(replay);
    ApplyRunOptions(replay.options, &w->summary.counters);
    StartSummary(&w->summary);
    size_t checkpoint = 0;
    const auto start = std::chrono::steady_clock::now();
    for (uint8_t buttons : replay.buttons) {
        if (PumpWindowMessages() != 0) break;
        const int32_t sceneBefore = currentScene;
        SetHeadlessPad(buttons);
        if (!RunFrame()) break;
        w->frames++;
        ApplyRunOptions(replay.options, &w->summary.counters);
        NoteFrameInSummary(&w->summary, w->frames, sceneBefore);
        if (checkHashes && checkpoint < replay.checkpoints.size() &&
            replay.checkpoints[checkpoint].frame == w->frames) {
            if (!w->differsAt && replay.checkpoints[checkpoint].hash != StateHash())
                w->differsAt = static_cast<int32_t>(w->frames);
            checkpoint++;
        }
    }
    w->seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    w->stopped = w->frames < static_cast<int64_t>(replay.buttons.size());
}

}  // namespace

int RunWatch(const SimOptions& o) {
    Replay replay;
    std::string error;
    if (!ReadReplayFile(o.watchFile, &replay, &error)) {
        std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
        return 2;
    }
    // a run recorded by an older build still plays: only its hashes cannot be held to it
    bool checkHashes = ReplayHashesCanBeChecked(replay, &error);
    if (!checkHashes && replay.hashScheme >= kStateHashScheme) {
        std::fprintf(stderr, "zorbex-sim: %s: %s\n", o.watchFile, error.c_str());
        return 2;
    }
    if (!checkHashes) std::fprintf(stderr, "zorbex-sim: %s: %s; watching it without them\n", o.watchFile, error.c_str());
    if (!UseScratchSaveFile()) return 2;
    SetWindowTitle("Zorbex replay");
    SetWindowedMode(1);
    if (StartRuntime() == -1) {
        std::fprintf(stderr, "zorbex-sim: --watch needs a window\n");
        RemoveScratchSaveFile();
        return 2;
    }
    UseSuppliedButtons(true);
    SetUpGame();
    PrepareStateHash();
    Watched w;
    Play(replay, checkHashes, &w);
    const uint64_t hash = StateHash();
    UseSuppliedButtons(false);
    StopRuntime();
    RemoveScratchSaveFile();
    int code = 0;
    if (w.differsAt) {
        std::fprintf(stderr, "zorbex-sim: %s: state differs at frame %d: this build plays the run otherwise\n",
                     o.watchFile, w.differsAt);
        code = 1;
    } else if (!o.quiet) {
        std::fprintf(stderr, "zorbex-sim: %s: %s after %" PRId64 " of %zu frames\n", o.watchFile,
                     w.stopped ? "stopped" : "played to its end", w.frames, replay.buttons.size());
    }
    char extra[256];
    FormatReplayRunFields(w.summary, replay, extra, sizeof extra);
    PrintSummary(w.summary, w.frames, w.seconds, hash, extra);
    return code;
}
