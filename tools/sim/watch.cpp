// --watch: a replay watched in a real window with its sound, on the real clock, in the
// theatre the game's REPLAYS screen opens: the "REPLAY" mark, pause (Space or P) and frame
// step (.), speeds 1/4x to 8x (Up, Down), ten seconds back and on (Left, Right), the
// previous and next stage's start (Page Up, Page Down), the bar with the stages and the
// time; Escape stops it. The recorded state hashes are checked on the way, and the run ends
// with the same summary line as every other, of the frames up to where it stopped.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "run_summary.h"
#include "scenes/menu.h"
#include "scenes/theatre.h"
#include "session.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/state_hash.h"

namespace {

constexpr int KeySpace = 0x39, KeyPeriod = 0x34, KeyPageUp = 0xC9, KeyPageDown = 0xD1;
constexpr int32_t kFrameMillis = 16;

void WatchRunner(int buttons, bool shown) {
    SetDrawingEnabled(shown);
    if (shown) ClearBackBuffer();
    RunReplayedFrame(buttons);
    SetDrawingEnabled(true);
}

// Each key acts once as it goes down.
struct Keys {
    bool down[256] = {};
    bool Pressed(int key) {
        const bool now = IsKeyDown(key) != 0;
        const bool pressed = now && !down[key];
        down[key] = now;
        return pressed;
    }
};

TheatreCommand ReadCommand(Keys* k) {
    // both keys are read, so each one's press is noted
    const bool space = k->Pressed(KeySpace);
    const bool p = k->Pressed(KeyP);
    if (space || p) return TheatrePause;
    if (k->Pressed(KeyPeriod)) return TheatreStep;
    if (k->Pressed(KeyUp)) return TheatreFaster;
    if (k->Pressed(KeyDown)) return TheatreSlower;
    if (k->Pressed(KeyLeft)) return TheatreBack;
    if (k->Pressed(KeyRight)) return TheatreForward;
    if (k->Pressed(KeyPageUp)) return TheatrePreviousStage;
    if (k->Pressed(KeyPageDown)) return TheatreNextStage;
    return TheatreNone;
}

// The summary of the frames up to `frames`, played again from the start, unseen.
void SummaryTo(const Replay& replay, int64_t frames, RunSummary* s) {
    SetAudioSilent(1);
    BeginReplay(replay);
    ApplyRunOptions(replay.options, &s->counters);
    StartSummary(s);
    for (int64_t f = 0; f < frames; f++) {
        const int32_t sceneBefore = currentScene;
        WatchRunner(replay.buttons[static_cast<size_t>(f)], false);
        ApplyRunOptions(replay.options, &s->counters);
        NoteFrameInSummary(s, f + 1, sceneBefore);
    }
    SetAudioSilent(0);
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
    SetUpGame();
    PrepareStateHash();
    OpenTheatre(replay, checkHashes, WatchRunner);
    Keys keys;
    bool stopped = false;
    const auto start = std::chrono::steady_clock::now();
    int32_t next = GetMillis();
    for (;;) {
        if (PumpWindowMessages() != 0 || IsKeyDown(KeyEscape)) {
            stopped = true;
            break;
        }
        WaitUntilMillis(next);
        next += kFrameMillis;
        if (!TheatreFrame(ReadCommand(&keys))) break;
        DrawTheatreOverlay();
        PresentFrame();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int64_t frames = TheatrePosition();
    const int32_t differsAt = TheatreDiffersAt();
    CloseTheatre();
    RunSummary summary;
    SummaryTo(replay, frames, &summary);
    const uint64_t hash = StateHash();
    StopRuntime();
    RemoveScratchSaveFile();
    int code = 0;
    if (differsAt) {
        std::fprintf(stderr, "zorbex-sim: %s: state differs at frame %d: this build plays the run otherwise\n",
                     o.watchFile, differsAt);
        code = 1;
    } else if (!o.quiet) {
        std::fprintf(stderr, "zorbex-sim: %s: %s after %" PRId64 " of %zu frames\n", o.watchFile,
                     stopped ? "stopped" : "played to its end", frames, replay.buttons.size());
    }
    char extra[256];
    FormatReplayRunFields(summary, replay, extra, sizeof extra);
    PrintSummary(summary, frames, seconds, hash, extra);
    return code;
}
