// Parsing of the simulator's options; every value is checked before anything runs.
#include "options.h"

#include "route.h"
#include "shell/language.h"
#include "trace_actors.h"
#include "video_export.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* kUsage =
    "usage: zorbex-sim [options]\n"
    "Runs the game headless, frame by frame, through the game's own frame function.\n"
    "  --stage N            start a new game directly on stage N (1-28) instead of the title\n"
    "  --frames N           stop after N frames\n"
    "  --until EVENT        stop at clear, gameover, ending, ranking or boss; exit 1 if the frame\n"
    "                       limit comes first (default limit 36000 frames); ranking: the ranking\n"
    "                       after an ending or a give-up\n"
    "  --seed S             random seed (default 1)\n"
    "  --difficulty D       as config.dat's difficulty (default 2)\n"
    "  --language L         en or ja: the language of the endings' text (default ja)\n"
    "  --autopilot          let the built-in pilot play\n"
    "  --invincible         top lives back up after each lost ship (deaths are counted)\n"
    "  --power max          start with the top shot, missile and arm levels\n"
    "  --input FILE         buttons to play: a replay, or lines \"[COUNT] BUTTONS\" where\n"
    "                       BUTTONS is fire+bomb+continue+up+down+left+right, '-' or hex bits\n"
    "  --record FILE        write the run as a replay\n"
    "  --verify FILE        play a replay; exit 1 at the first state hash that differs\n"
    "  --shots DIR          save the screen as PNG every K frames and at the end\n"
    "  --every K            (with --shots; default 60)\n"
    "  --no-draw            simulate without drawing\n"
    "  --trace FILE         one JSON object per frame\n"
    "  --route CHOICES      six letters U or D, one per route map: the upper successor (same\n"
    "                       row) or the lower one; the run starts on the title\n"
    "  --continues N        answer the first N game-over prompts with C (continue)\n"
    "  --trace-actors FILE  per frame, one JSON object listing every live actor\n"
    "  --trace-groups LIST  (with --trace-actors) only these groups, e.g. 3,4 (0-7; default all)\n"
    "  --check-pool         check after every frame that every actor record is accounted for\n"
    "  --dump-stage N       print stage N's script, layout, view and music, then exit\n"
    "  --list-state         print what the state hash covers and what it leaves out, then exit\n"
    "  --paced              run the title on the real clock and report CPU use and jitter\n"
    "  --video FILE         also render the run to FILE.webm (VP9 and Opus) or FILE.mp4 (H.264\n"
    "                       and AAC) with its sound, at 62.5 frames a second; kept only when\n"
    "                       the run succeeds (exit 0)\n"
    "  --scale N            (with --video) 1 for 640x480 (default), 2 for 1280x960\n"
    "  --video-from FRAME   (with --video) the video starts at this frame of the run (the\n"
    "                       first frame run is 1); the run itself still plays from its start\n"
    "  --video-to FRAME     (with --video) and ends after this one\n"
    "  --watch FILE         play a replay in a window with sound, at the game's speed; Escape\n"
    "                       stops it, P pauses; exit 1 if the run differs from the recording\n"
    "  --submit URL FILE    upload a replay to the score board at URL and wait for its\n"
    "                       verdict; exit 0 verified, 1 rejected (with --name NAME)\n"
    "  --snapshot-check     (with --verify) after every 600th frame take a snapshot, play 300\n"
    "                       frames, restore it and play them again; exit 1 at the first frame\n"
    "                       whose state hash differs from the first time\n"
    "  --seek FRAME         (with --input) play the whole input keeping snapshots as the watcher\n"
    "                       does, then seek back to FRAME; the summary is that frame's, with\n"
    "                       the seek's milliseconds as seekMillis\n"
    "  --practice N         a practice of stage N (1-28) with the power of --practice-power;\n"
    "                       recorded with --record as the game records one\n"
    "  --boss               (with --practice) from the boss's warning, no enemy left over\n"
    "  --practice-power S,M,A,B  shot level 0-14, missile level 0-11, arms 0-3, bombs 0-9\n"
    "                       (default 0,0,0,3)\n"
    "  --quiet              print only the final JSON line\n"
    "The last line printed is a JSON summary of the run.\n"
    "Exit status: 0 done; 1 --until not reached or --verify found a difference;\n"
    "2 bad options or files; 3 the actor pool lost track of a record.\n";

bool Number(const char* text, int64_t lo, int64_t hi, int64_t* out) {
    if (!text || !*text) return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    *out = v;
    return true;
}

bool Fail(const char* option, const char* why) {
    std::fprintf(stderr, "zorbex-sim: %s: %s\n", option, why);
    return false;
}

// "S,M,A,B": four levels within their ranges.
bool PracticePower(const char* text, int32_t out[4]) {
    static const int32_t kTop[4] = {14, 11, 3, 9};
    if (!text) return false;
    char buf[64];
    if (std::strlen(text) >= sizeof buf) return false;
    std::strcpy(buf, text);
    char* save = nullptr;
    char* part = strtok_r(buf, ",", &save);
    for (int i = 0; i < 4; i++, part = strtok_r(nullptr, ",", &save)) {
        int64_t v;
        if (!Number(part, 0, kTop[i], &v)) return false;
        out[i] = static_cast<int32_t>(v);
    }
    return part == nullptr;
}

}  // namespace

const char* UntilName(UntilEvent e) {
    switch (e) {
    case UntilEvent::Clear: return "clear";
    case UntilEvent::GameOver: return "gameover";
    case UntilEvent::Ending: return "ending";
    case UntilEvent::Ranking: return "ranking";
    case UntilEvent::Boss: return "boss";
    default: return "none";
    }
}

bool ParseSimOptions(int argc, char** argv, SimOptions* o, int* exitCode) {
    *exitCode = 2;
    for (int i = 1; i < argc; i++) {
        const char* opt = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        int64_t n;
        if (!std::strcmp(opt, "--help") || !std::strcmp(opt, "-h")) {
            std::fputs(kUsage, stdout);
            *exitCode = 0;
            return false;
        } else if (!std::strcmp(opt, "--stage")) {
            if (!Number(value(), 1, 28, &n)) return Fail(opt, "needs a stage from 1 to 28");
            o->stage = static_cast<int32_t>(n);
            o->stageGiven = true;
        } else if (!std::strcmp(opt, "--frames")) {
            if (!Number(value(), 1, 2'000'000'000, &n)) return Fail(opt, "needs a positive number");
            o->frames = n;
        } else if (!std::strcmp(opt, "--until")) {
            const char* v = value();
            if (!v) return Fail(opt, "needs clear, gameover, ending, ranking or boss");
            if (!std::strcmp(v, "clear")) o->until = UntilEvent::Clear;
            else if (!std::strcmp(v, "gameover")) o->until = UntilEvent::GameOver;
            else if (!std::strcmp(v, "ending")) o->until = UntilEvent::Ending;
            else if (!std::strcmp(v, "ranking")) o->until = UntilEvent::Ranking;
            else if (!std::strcmp(v, "boss")) o->until = UntilEvent::Boss;
            else return Fail(opt, "needs clear, gameover, ending, ranking or boss");
        } else if (!std::strcmp(opt, "--seed")) {
            if (!Number(value(), 0, UINT32_MAX, &n)) return Fail(opt, "needs a number from 0 to 4294967295");
            o->seed = static_cast<uint32_t>(n);
            o->seedGiven = true;
        } else if (!std::strcmp(opt, "--difficulty")) {
            if (!Number(value(), INT32_MIN, INT32_MAX, &n)) return Fail(opt, "needs a number");
            o->difficulty = static_cast<int32_t>(n);
            o->difficultyGiven = true;
        } else if (!std::strcmp(opt, "--language")) {
            // the words drawn, never the run: replays and hashes are the same in any language
            if (!SetLanguage(value())) return Fail(opt, "needs en or ja");
            o->languageGiven = true;
        } else if (!std::strcmp(opt, "--autopilot")) {
            o->autopilot = true;
        } else if (!std::strcmp(opt, "--invincible")) {
            o->invincible = true;
        } else if (!std::strcmp(opt, "--power")) {
            const char* v = value();
            if (!v || std::strcmp(v, "max") != 0) return Fail(opt, "the only level is \"max\"");
            o->powerMax = true;
        } else if (!std::strcmp(opt, "--input")) {
            if (!(o->inputFile = value())) return Fail(opt, "needs a file");
        } else if (!std::strcmp(opt, "--record")) {
            if (!(o->recordFile = value())) return Fail(opt, "needs a file");
        } else if (!std::strcmp(opt, "--verify")) {
            if (!(o->verifyFile = value())) return Fail(opt, "needs a file");
        } else if (!std::strcmp(opt, "--shots")) {
            if (!(o->shotsDir = value())) return Fail(opt, "needs a directory");
        } else if (!std::strcmp(opt, "--every")) {
            if (!Number(value(), 1, INT32_MAX, &n)) return Fail(opt, "needs a positive number");
            o->every = static_cast<int32_t>(n);
        } else if (!std::strcmp(opt, "--no-draw")) {
            o->noDraw = true;
        } else if (!std::strcmp(opt, "--trace")) {
            if (!(o->traceFile = value())) return Fail(opt, "needs a file");
        } else if (!std::strcmp(opt, "--trace-actors")) {
            if (!(o->traceActorsFile = value())) return Fail(opt, "needs a file");
        } else if (!std::strcmp(opt, "--trace-groups")) {
            if (!ParseTraceGroups(value(), &o->traceGroups))
                return Fail(opt, "needs group numbers from 0 to 7, separated by commas");
            o->traceGroupsGiven = true;
        } else if (!std::strcmp(opt, "--dump-stage")) {
            if (!Number(value(), 1, 28, &n)) return Fail(opt, "needs a stage from 1 to 28");
            o->dumpStage = static_cast<int32_t>(n);
        } else if (!std::strcmp(opt, "--list-state")) {
            o->listState = true;
        } else if (!std::strcmp(opt, "--paced")) {
            o->paced = true;
        } else if (!std::strcmp(opt, "--check-pool")) {
            o->checkPool = true;
        } else if (!std::strcmp(opt, "--route")) {
            if (!ParseRoute(value(), o->route)) return Fail(opt, "needs six letters U or D, one per route map");
        } else if (!std::strcmp(opt, "--continues")) {
            if (!Number(value(), 0, 1000, &n)) return Fail(opt, "needs a number from 0 to 1000");
            o->continues = static_cast<int32_t>(n);
        } else if (!std::strcmp(opt, "--video")) {
            if (!(o->videoFile = value())) return Fail(opt, "needs a file");
            if (!VideoContainerFor(o->videoFile)) return Fail(opt, "the file's name must end in .webm or .mp4");
        } else if (!std::strcmp(opt, "--scale")) {
            if (!Number(value(), 1, 2, &n)) return Fail(opt, "is 1 or 2");
            o->scale = static_cast<int32_t>(n);
        } else if (!std::strcmp(opt, "--video-from")) {
            if (!Number(value(), 1, 2'000'000'000, &n)) return Fail(opt, "needs a frame number from 1");
            o->videoFrom = n;
        } else if (!std::strcmp(opt, "--video-to")) {
            if (!Number(value(), 1, 2'000'000'000, &n)) return Fail(opt, "needs a frame number from 1");
            o->videoTo = n;
        } else if (!std::strcmp(opt, "--watch")) {
            if (!(o->watchFile = value())) return Fail(opt, "needs a replay");
        } else if (!std::strcmp(opt, "--submit")) {
            o->submitUrl = value();
            if (!o->submitUrl || !(o->submitFile = value())) return Fail(opt, "needs the board's URL and a replay");
        } else if (!std::strcmp(opt, "--name")) {
            if (!(o->submitName = value()) || !*o->submitName) return Fail(opt, "needs the player's name");
        } else if (!std::strcmp(opt, "--snapshot-check")) {
            o->snapshotCheck = true;
        } else if (!std::strcmp(opt, "--seek")) {
            if (!Number(value(), 1, INT32_MAX, &o->seek)) return Fail(opt, "needs a frame of 1 or more");
        } else if (!std::strcmp(opt, "--practice")) {
            if (!Number(value(), 1, 28, &n)) return Fail(opt, "needs a stage from 1 to 28");
            o->practice = static_cast<int32_t>(n);
        } else if (!std::strcmp(opt, "--boss")) {
            o->practiceBoss = true;
        } else if (!std::strcmp(opt, "--practice-power")) {
            if (!PracticePower(value(), o->practicePower))
                return Fail(opt, "needs S,M,A,B: shot 0-14, missile 0-11, arms 0-3, bombs 0-9");
        } else if (!std::strcmp(opt, "--quiet")) {
            o->quiet = true;
        } else {
            std::fprintf(stderr, "zorbex-sim: unknown option %s (see --help)\n", opt);
            return false;
        }
    }
    if (o->every > 0 && !o->shotsDir) return Fail("--every", "goes with --shots");
    if (o->shotsDir && o->every == 0) o->every = 60;
    if (o->traceGroupsGiven && !o->traceActorsFile) return Fail("--trace-groups", "goes with --trace-actors");
    if (o->verifyFile && (o->inputFile || o->recordFile || o->autopilot))
        return Fail("--verify", "plays the replay's own buttons; it takes no --input, --record or --autopilot");
    // a seek draws the frame it reaches whatever the run before it did
    if (o->shotsDir && o->noDraw && !o->seek) return Fail("--shots", "needs drawing; drop --no-draw");
    if (o->scale && !o->videoFile) return Fail("--scale", "goes with --video");
    if (o->videoFile && o->noDraw) return Fail("--video", "needs drawing; drop --no-draw");
    if ((o->videoFrom || o->videoTo) && !o->videoFile)
        return Fail(o->videoFrom ? "--video-from" : "--video-to", "goes with --video");
    if (o->videoFrom && o->videoTo && o->videoTo < o->videoFrom)
        return Fail("--video-to", "comes before --video-from");
    if (!o->scale) o->scale = 1;
    if (o->submitName && !o->submitUrl) return Fail("--name", "goes with --submit");
    if (o->submitUrl && !o->submitName) return Fail("--submit", "needs --name NAME, the player's name on the board");
    if (o->submitUrl && argc - 1 > (o->quiet ? 6 : 5))
        return Fail("--submit", "only sends a replay; it takes no option but --name and --quiet");
    if (!o->videoFrom) o->videoFrom = 1;
    if (o->snapshotCheck && !o->verifyFile) return Fail("--snapshot-check", "goes with --verify");
    if (o->seek && (!o->inputFile || o->verifyFile))
        return Fail("--seek", "goes with --input, whose frames it plays whole");
    if (o->practiceBoss && !o->practice) return Fail("--boss", "goes with --practice");
    if (o->practice && (o->stageGiven || o->verifyFile || o->invincible || o->powerMax))
        return Fail("--practice", "starts its own stage with its own power; it takes no --stage, "
                                  "--verify, --invincible or --power");
    // only --quiet and the words' --language may go with it: the replay says how the run
    // starts and plays
    if (o->watchFile && argc - 1 > 2 + (o->quiet ? 1 : 0) + (o->languageGiven ? 2 : 0))
        return Fail("--watch", "plays the replay as it was recorded; it takes no other options but --quiet "
                               "and --language");
    return true;
}
