// Level playtest: each stage from its start to its boss warning under the pilot, with
// lost ships topped up; prints frames, enemies destroyed, deaths and items per stage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "actors/actor.h"
#include "autopilot.h"
#include "probes.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/replay.h"

constexpr int kFrameLimit = 12000;

struct StageReport {
    int frames = 0;
    int destroyed = 0;
    int deaths = 0;
    int items[7] = {};
    bool reached = false;
};

// Records alive in GroupEnemy or GroupItem before a frame, to tell after it which ended and how.
static std::vector<char> wasEnemy, wasItem;

static void Snapshot() {
    for (int i = 0; i < kActorPoolSize + 2; i++) {
        const Actor& a = actorPool[i];
        wasEnemy[i] = a.alive && a.group == GroupEnemy;
        wasItem[i] = a.alive && a.group == GroupItem;
    }
}

static void CountEnded(StageReport* r) {
    for (int i = 0; i < kActorPoolSize + 2; i++) {
        const Actor& a = actorPool[i];
        if (a.alive) continue;
        if (wasEnemy[i] && a.hp <= 0) r->destroyed++;
        if (wasItem[i] && a.hp <= 0 && a.work[0].i >= 0 && a.work[0].i <= 6) r->items[a.work[0].i]++;
    }
}

static StageReport PlayStage(int stage, const char* shotDir, int every) {
    StageReport r;
    BeginRun(1, 2, stage);
    RunCounters counters;
    for (int frame = 0; frame < kFrameLimit; frame++) {
        SetHeadlessPad(AutopilotButtons());
        Snapshot();
        RunFrame();
        ApplyRunOptions(RunInvincible, &counters);
        CountEnded(&r);
        if (shotDir && frame % every == every - 1) {
            char path[512];
            std::snprintf(path, sizeof path, "%s/stage%02d_%05d.png", shotDir, stage, frame + 1);
            SaveBackBufferPng(path);
        }
        if (BossWarningStarted()) {
            r.frames = frame + 1;
            r.reached = true;
            break;
        }
    }
    r.deaths = counters.deaths;
    return r;
}

int main(int argc, char** argv) {
    int first = 1, last = 28, every = 600;
    const char* shotDir = nullptr;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--stage") && i + 1 < argc) first = last = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--shots") && i + 1 < argc) shotDir = argv[++i];
        else if (!std::strcmp(argv[i], "--every") && i + 1 < argc) every = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: zorbex-levelrun [--stage N] [--shots DIR [--every K]]\n");
            return 2;
        }
    }
    EnableHeadless(1);
    if (StartRuntime() != 0) return 2;
    SetUpGame();
    SetDrawingEnabled(shotDir != nullptr);
    wasEnemy.assign(kActorPoolSize + 2, 0);
    wasItem.assign(kActorPoolSize + 2, 0);
    std::printf("stage frames destroyed deaths items(0 1 2 3 4 5 6)\n");
    bool all = true;
    for (int stage = first; stage <= last; stage++) {
        StageReport r = PlayStage(stage, shotDir, every);
        all &= r.reached;
        std::printf("%5d %6d %9d %6d   %d %d %d %d %d %d %d%s\n", stage, r.frames, r.destroyed, r.deaths,
                    r.items[0], r.items[1], r.items[2], r.items[3], r.items[4], r.items[5], r.items[6],
                    r.reached ? "" : "  (no warning)");
        std::fflush(stdout);
    }
    StopRuntime();
    return all ? 0 : 1;
}
