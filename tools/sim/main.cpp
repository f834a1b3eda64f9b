// zorbex-sim: the game's own frame function, headless, for testers, replays,
// soak runs and measurements. The game executable itself takes no command line.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/actor.h"
#include "actors/behaviours.h"
#include "autopilot.h"
#include "input_file.h"
#include "options.h"
#include "probes.h"
#include "route.h"
#include "run_summary.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "seek.h"
#include "session.h"
#include "trace_actors.h"
#include "player/player.h"
#include "scenes/scenes.h"
#include "shell/game.h"
#include "shell/replay.h"
#include "shell/state_hash.h"

namespace {

// Without an input file or the pilot: fire is tapped outside play (the title starts
// at once, every prompt is confirmed) and nothing is held in play.
int DefaultButtons(int64_t frame) {
    if (currentScene == ScenePlay && stagePhase < PhaseNoShipLeft) return 0;
    return (frame % 2 == 0) ? PadButton1 : 0;
}

struct Run {
    SimOptions o;
    InputFile input;
    Replay verify;
    Replay record;
    RunSummary summary;
    uint32_t runOptions = 0;
    int64_t limit = 0;
    int64_t frame = 0;
    size_t nextCheckpoint = 0;
    bool reached = false;
    bool poolBroken = false;
    SeekRun seek;
    SnapshotCheck check;
    double seekMillis = 0;
    bool writeFailed = false;  // a trace line or a shot could not be written
    std::FILE* trace = nullptr;
};

// The column (1 to 7) of a stage on the route map.
int32_t RouteColumn(int32_t stage) {
    int32_t column = 1;
    while (column * (column + 1) / 2 < stage) column++;
    return column;
}

int PlayedButtons(Run& r);

// The route map and the game-over prompt are steered by --route and --continues;
// everything else is played by the input file, the pilot or the default taps.
int ButtonsFor(Run& r) {
    if (r.o.verifyFile) return r.verify.buttons[static_cast<size_t>(r.frame)];
    if (r.o.route[0] && currentScene == SceneStageSelect)
        return RouteMapButtons(r.o.route, RouteColumn(stageNumber) - 1, r.frame);
    if (r.summary.continuesUsed < r.o.continues && currentScene == ScenePlay && stagePhase >= PhaseNoShipLeft)
        return ContinueButtons(r.frame);
    return PlayedButtons(r);
}

int PlayedButtons(Run& r) {
    if (r.o.inputFile && r.frame < static_cast<int64_t>(r.input.buttons.size()))
        return r.input.buttons[static_cast<size_t>(r.frame)];
    if (r.o.autopilot) return AutopilotButtons();
    if (r.o.inputFile) return 0;  // past the end of the file
    return DefaultButtons(r.frame);
}

bool SaveShot(const Run& r) {
    char path[4096];
    std::snprintf(path, sizeof path, "%s/frame%06" PRId64 ".png", r.o.shotsDir, r.frame);
    if (SaveBackBufferPng(path)) return true;
    std::fprintf(stderr, "zorbex-sim: cannot write %s\n", path);
    return false;
}

// The --until event, judged from the scene and phase before and after the frame.
bool UntilReached(const Run& r, UntilEvent until, int32_t sceneBefore, int32_t phaseBefore,
                  bool warningBefore) {
    switch (until) {
    // the ranking after a run, not the one the idle title shows
    case UntilEvent::Ranking:
        return sceneBefore == SceneRanking && (r.summary.rankingFrom == SceneEnding || r.summary.rankingFrom == ScenePlay);
    case UntilEvent::Clear: return StageWon(sceneBefore);
    case UntilEvent::GameOver: return sceneBefore == ScenePlay && phaseBefore == PhaseGameOverPrompt;
    case UntilEvent::Ending: return sceneBefore == SceneEnding;
    case UntilEvent::Boss: return !warningBefore && BossWarningStarted();
    default: return false;
    }
}

// Compares or records the state hash after the frame; false at a mismatch.
bool CheckHash(Run& r) {
    if (!r.o.verifyFile && !r.o.recordFile) return true;
    int32_t f = static_cast<int32_t>(r.frame);
    if (r.o.recordFile && IsReplayCheckpoint(f, static_cast<int32_t>(r.limit)))
        r.record.checkpoints.push_back({f, StateHash()});
    if (!r.o.verifyFile) return true;
    if (r.nextCheckpoint >= r.verify.checkpoints.size() || r.verify.checkpoints[r.nextCheckpoint].frame != f)
        return true;
    uint64_t want = r.verify.checkpoints[r.nextCheckpoint].hash;
    uint64_t got = StateHash();
    int32_t lastGood = r.nextCheckpoint > 0 ? r.verify.checkpoints[r.nextCheckpoint - 1].frame : 0;
    r.nextCheckpoint++;
    if (got == want) return true;
    std::fprintf(stderr,
                 "zorbex-sim: %s: state differs at frame %d (hash %016" PRIx64 ", recorded %016" PRIx64
                 "); it last matched at frame %d\n",
                 r.o.verifyFile, f, got, want, lastGood);
    return false;
}

// --check-pool: every record accounted for, and every slot a registered behaviour
// (an unregistered one would hash alike in every build and hide a change).
void CheckPool(Run& r) {
    char slot[160];
    if (!PoolIsWhole()) {
        std::fprintf(stderr, "zorbex-sim: actor pool damaged after frame %" PRId64 "\n", r.frame);
        r.poolBroken = true;
    } else if (FindUnregisteredSlot(slot, sizeof slot)) {
        std::fprintf(stderr, "zorbex-sim: after frame %" PRId64 " %s holds a behaviour missing from the tables\n",
                     r.frame, slot);
        r.poolBroken = true;
    }
}

// A practice replay starts as its header says.
void UsePracticeOf(const Replay& h, SimOptions* o) {
    o->practice = h.practice.stage;
    o->practiceBoss = h.practice.boss;
    o->practicePower[0] = h.practice.shotLevel;
    o->practicePower[1] = h.practice.missileLevel;
    o->practicePower[2] = h.practice.arms;
    o->practicePower[3] = h.practice.bombs;
}

PracticeStart PracticeOf(const SimOptions& o) {
    PracticeStart p;
    p.stage = o.practice;
    p.boss = o.practiceBoss;
    p.shotLevel = o.practicePower[0];
    p.missileLevel = o.practicePower[1];
    p.arms = o.practicePower[2];
    p.bombs = o.practicePower[3];
    return p;
}

bool LoadFiles(Run& r) {
    std::string error;
    SimOptions& o = r.o;
    if (o.verifyFile) {
        if (!ReadReplayFile(o.verifyFile, &r.verify, &error)) {
            std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
            return false;
        }
        if (!ReplayHashesCanBeChecked(r.verify, &error)) {
            std::fprintf(stderr, "zorbex-sim: %s: %s\n", o.verifyFile, error.c_str());
            return false;
        }
        if (o.seedGiven || o.difficultyGiven || o.stageGiven || o.invincible || o.powerMax) {
            std::fprintf(stderr, "zorbex-sim: --verify takes the seed, difficulty, stage and options "
                                 "from the replay\n");
            return false;
        }
        o.seed = r.verify.seed;
        o.difficulty = r.verify.difficulty;
        o.stage = r.verify.startStage;
        o.invincible = (r.verify.options & RunInvincible) != 0;
        o.powerMax = (r.verify.options & RunPowerMax) != 0;
        if (r.verify.options & RunPractice) UsePracticeOf(r.verify, &o);
    }
    if (o.inputFile) {
        if (!ReadInputFile(o.inputFile, &r.input, &error)) {
            std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
            return false;
        }
        // a replay given as input starts where it was recorded, unless told otherwise
        if (r.input.isReplay) {
            const Replay& h = r.input.replay;
            if (!o.seedGiven) o.seed = h.seed;
            if (!o.difficultyGiven) o.difficulty = h.difficulty;
            if (!o.stageGiven) o.stage = h.startStage;
            if (h.options & RunInvincible) o.invincible = true;
            if (h.options & RunPowerMax) o.powerMax = true;
            if ((h.options & RunPractice) && !o.practice && !o.stageGiven) UsePracticeOf(h, &o);
        }
    }
    if (o.shotsDir) {
        std::error_code ec;
        std::filesystem::create_directories(o.shotsDir, ec);
        if (ec) {
            std::fprintf(stderr, "zorbex-sim: cannot create %s: %s\n", o.shotsDir, ec.message().c_str());
            return false;
        }
    }
    if (o.traceFile && !(r.trace = std::fopen(o.traceFile, "w"))) {
        std::fprintf(stderr, "zorbex-sim: cannot write %s\n", o.traceFile);
        return false;
    }
    if (o.traceActorsFile && !OpenActorTrace(o.traceActorsFile, o.traceGroups)) {
        std::fprintf(stderr, "zorbex-sim: cannot write %s\n", o.traceActorsFile);
        return false;
    }
    return true;
}

// The summary line, with what only some runs report.
void PrintRunSummary(const Run& r, double seconds) {
    char extra[384];
    int n = 0;
    extra[0] = '\0';
    auto add = [&](const char* format, auto... values) {
        n += std::snprintf(extra + n, sizeof extra - size_t(n), format, values...);
    };
    if (r.o.until != UntilEvent::None)
        add(",\"until\":\"%s\",\"reached\":%s", UntilName(r.o.until), r.reached ? "true" : "false");
    if (r.o.checkPool) add(",\"poolWhole\":%s", r.poolBroken ? "false" : "true");
    if (r.o.seek) add(",\"seek\":%" PRId64 ",\"seekMillis\":%.2f", r.frame, r.seekMillis);
    if (r.o.verifyFile)
        n += FormatReplayRunFields(r.summary, r.verify, extra + n, sizeof extra - size_t(n));
    else if (r.o.autopilot)
        add(",\"bombsUsed\":%d", r.summary.bombsUsed);
    PrintSummary(r.summary, r.frame, seconds, StateHash(), extra);
}

int Simulate(Run& r) {
    SimOptions& o = r.o;
    r.runOptions = (o.invincible ? RunInvincible : 0) | (o.powerMax ? RunPowerMax : 0) |
                   (o.practice ? RunPractice : 0);
    if (o.verifyFile) r.limit = static_cast<int64_t>(r.verify.buttons.size());
    else if (o.frames > 0) r.limit = o.frames;
    else if (o.inputFile && !o.autopilot && o.until == UntilEvent::None)
        r.limit = static_cast<int64_t>(r.input.buttons.size());
    else r.limit = kDefaultFrameLimit;
    if (o.recordFile && r.limit > kReplayMaxFrames) {
        std::fprintf(stderr, "zorbex-sim: a replay holds at most %d frames\n", kReplayMaxFrames);
        return 2;
    }
    r.record.seed = o.seed;
    r.record.difficulty = o.difficulty;
    r.record.startStage = o.practice ? o.practice : o.stage;
    r.record.options = r.runOptions;
    if (o.practice) r.record.practice = ClampedPractice(PracticeOf(o));
    // a run recorded in the game may begin with buttons already down, on the player's table
    const Replay* begun = nullptr;
    if (o.verifyFile) begun = &r.verify;
    else if (o.inputFile && r.input.isReplay && !o.stageGiven) begun = &r.input.replay;
    const uint8_t held = begun ? begun->heldAtStart : 0;
    if (begun) UseReplayTable(*begun);
    r.record.heldAtStart = held;
    TakeGameTable(&r.record);

    SetDrawingEnabled(!o.noDraw);
    if (o.practice)
        BeginPractice(o.seed, o.difficulty, PracticeOf(o), held);
    else
        BeginRun(o.seed, o.difficulty, o.stage, held);
    if (begun) UseReplayRules(*begun);
    r.record.titleMenu = begun ? begun->titleMenu : true;
    ApplyRunOptions(r.runOptions, &r.summary.counters);
    StartSummary(&r.summary);
    if (o.seek) PrepareSeek(&r.seek, o.seek, r.limit, r.summary);
    if (o.snapshotCheck) {
        PrepareSnapshotCheck(&r.check);
        ProbeFromSnapshot(&r.check, 0, r.verify.buttons, r.runOptions, r.summary.counters);
    }

    if (o.videoFile && !StartVideoOutput(o.videoFile, o.scale, o.videoFrom, o.videoTo, r.limit, o.quiet)) return 2;
    if (o.checkPool && BehaviourRegistryFault()) {
        std::fprintf(stderr, "zorbex-sim: the behaviour tables are unsound: %s\n", BehaviourRegistryFault());
        r.poolBroken = true;
    }
    bool mismatch = false;
    auto start = std::chrono::steady_clock::now();
    while (r.frame < r.limit) {
        int buttons = ButtonsFor(r);
        int32_t sceneBefore = currentScene, phaseBefore = stagePhase;
        bool warningBefore = BossWarningStarted();
        SetHeadlessPad(buttons);
        if (!RunFrame()) break;
        r.frame++;
        ApplyRunOptions(r.runOptions, &r.summary.counters);
        NoteFrameInSummary(&r.summary, r.frame, sceneBefore);
        if (o.recordFile) r.record.buttons.push_back(static_cast<uint8_t>(buttons));
        if (o.videoFile && !AddFrameToVideo(r.frame)) r.writeFailed = true;
        if (o.until != UntilEvent::None && UntilReached(r, o.until, sceneBefore, phaseBefore, warningBefore))
            r.reached = true;
        if (!CheckHash(r) || (o.snapshotCheck && !CheckAfterRestore(&r.check, r.frame, r.o.verifyFile))) {
            mismatch = true;
            break;
        }
        if (o.snapshotCheck) ProbeFromSnapshot(&r.check, r.frame, r.verify.buttons, r.runOptions, r.summary.counters);
        if (o.seek) KeepForSeek(&r.seek, r.frame, buttons, r.summary);
        if (r.trace && !WriteTraceLine(r.trace, r.frame, buttons)) r.writeFailed = true;
        WriteActorTraceLine(r.frame);
        if (o.shotsDir && !o.seek && r.frame % o.every == 0 && !SaveShot(r)) r.writeFailed = true;
        if (o.checkPool && !r.poolBroken) CheckPool(r);
        if (r.reached || r.writeFailed) break;
        // a clear after the game was given up would be another game's: the run has failed
        if (o.until == UntilEvent::Clear && r.summary.gameLost) break;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (o.seek && !mismatch) {
        // the summary straight play had there, the state the seek reached
        r.frame = SeekToTarget(&r.seek, r.runOptions, !o.noDraw || o.shotsDir, &r.seekMillis);
        r.summary = r.seek.atTarget;
        if (o.shotsDir && !r.writeFailed && !SaveShot(r)) r.writeFailed = true;
    }
    // a run that stops early still gets its hash at its last frame
    if (o.recordFile && r.frame > 0 &&
        (r.record.checkpoints.empty() || r.record.checkpoints.back().frame != r.frame))
        r.record.checkpoints.push_back({static_cast<int32_t>(r.frame), StateHash()});
    if (o.shotsDir && !o.seek && r.frame % o.every != 0 && !r.writeFailed && !SaveShot(r)) r.writeFailed = true;
    if (r.trace && !CloseTrace(r.trace, o.traceFile)) r.writeFailed = true;

    int code = 0;
    if (!CloseActorTrace()) {
        std::fprintf(stderr, "zorbex-sim: cannot write %s\n", o.traceActorsFile);
        code = 2;
    }
    if (o.recordFile) {
        std::string error;
        if (!WriteReplayFile(o.recordFile, r.record, &error)) {
            std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
            code = 2;
        }
    }
    if (mismatch) code = 1;
    if (o.verifyFile && !mismatch && r.nextCheckpoint != r.verify.checkpoints.size()) {
        std::fprintf(stderr, "zorbex-sim: %s: the run ended before every hash was checked\n", o.verifyFile);
        code = 1;
    }
    if (o.until != UntilEvent::None && !r.reached) code = code ? code : 1;
    if (r.writeFailed) code = 2;
    if (r.poolBroken) code = 3;
    if (o.videoFile && !FinishVideoOutput(code == 0, r.frame, o.quiet) && code == 0) code = 2;
    if (!o.quiet && o.verifyFile && code == 0)
        std::fprintf(stderr, "zorbex-sim: %s: %zu hashes match over %" PRId64 " frames\n", o.verifyFile,
                     r.verify.checkpoints.size(), r.frame);
    PrintRunSummary(r, seconds);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    static Run run;  // large: kept off the stack
    int code;
    if (!ParseSimOptions(argc, argv, &run.o, &code)) return code;
    if (run.o.paced) return RunPaced(run.o);
    if (run.o.watchFile) return RunWatch(run.o);
    if (run.o.submitUrl) return RunSubmit(run.o);
    if (run.o.listState) {
        ForEachStateGlobal(
            [](const char* name, bool hashed, void*) { std::printf("%s %s\n", hashed ? "hashed" : "left-out", name); },
            nullptr);
        return 0;
    }
    if (!LoadFiles(run)) return 2;

    if (!UseScratchSaveFile()) return 2;
    EnableHeadless(run.o.seed);
    // a run that never draws reads only the sizes of its pictures and sounds; a seek with
    // --shots draws the frame it finds, so its pictures are decoded
    if (run.o.noDraw && !run.o.shotsDir) SetAssetDecoding(false);
    // the video's sound is mixed frame by frame, as fast as the frames run
    if (run.o.videoFile) EnableOfflineSound(true);
    if (StartRuntime() == -1) {
        std::fprintf(stderr, "zorbex-sim: the media runtime did not start\n");
        RemoveScratchSaveFile();
        return 2;
    }
    SetUpGame();
    PrepareStateHash();
    if (run.o.dumpStage > 0) {
        code = DumpStage(run.o.dumpStage);
    } else {
        code = Simulate(run);
    }
    StopRuntime();
    RemoveScratchSaveFile();
    return code;
}
