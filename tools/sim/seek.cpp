// --snapshot-check and --seek over the game's own frame function.
#include "seek.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>

#include "runtime/headless.h"
#include "shell/game.h"
#include "shell/state_hash.h"

namespace {

void PlayFrame(int buttons, uint32_t options, RunCounters* counters) {
    SetHeadlessPad(buttons);
    RunFrame();
    ApplyRunOptions(options, counters);
}

}  // namespace

void PrepareSnapshotCheck(SnapshotCheck* c) {
    c->record.assign(StateSnapshotBytes(), 0);
    c->hashes.assign(static_cast<size_t>(kCheckFrames), 0);
}

void ProbeFromSnapshot(SnapshotCheck* c, int64_t frame, const std::vector<uint8_t>& buttons,
                       uint32_t options, RunCounters counters) {
    if (frame % kCheckSpacing != 0) return;
    const int64_t left = static_cast<int64_t>(buttons.size()) - frame;
    c->count = left < kCheckFrames ? left : kCheckFrames;
    if (c->count <= 0) return;
    TakeStateSnapshot(c->record.data());
    for (int64_t i = 0; i < c->count; i++) {
        PlayFrame(buttons[static_cast<size_t>(frame + i)], options, &counters);
        c->hashes[static_cast<size_t>(i)] = StateHash();
    }
    RestoreStateSnapshot(c->record.data());
    c->from = frame;
}

bool CheckAfterRestore(SnapshotCheck* c, int64_t frame, const char* file) {
    if (c->from < 0 || frame <= c->from || frame > c->from + c->count) return true;
    const uint64_t first = c->hashes[static_cast<size_t>(frame - c->from - 1)];
    const uint64_t again = StateHash();
    if (first == again) return true;
    std::fprintf(stderr,
                 "zorbex-sim: %s: played again from the snapshot of frame %" PRId64 ", the state differs at frame %" PRId64
                 " (hash %016" PRIx64 ", the first time %016" PRIx64 ")\n",
                 file, c->from, frame, again, first);
    return false;
}

void PrepareSeek(SeekRun* s, int64_t target, int64_t plannedFrames, const RunSummary& summary) {
    PrepareSnapshotStore(&s->store, kWatchSnapshots, kWatchSnapshotSpacing);
    s->buttons.reserve(static_cast<size_t>(plannedFrames));
    s->counters.assign(static_cast<size_t>(plannedFrames / kWatchSnapshotSpacing + 1), RunCounters{});
    s->counters[0] = summary.counters;
    s->target = target;
    KeepSnapshotIfDue(&s->store, 0, SnapshotMusic{});
}

void KeepForSeek(SeekRun* s, int64_t frame, int buttons, const RunSummary& summary) {
    s->buttons.push_back(static_cast<uint8_t>(buttons));
    if (frame == s->target) s->atTarget = summary;
    const size_t slot = static_cast<size_t>(frame / kWatchSnapshotSpacing);
    if (frame % kWatchSnapshotSpacing == 0 && slot < s->counters.size()) s->counters[slot] = summary.counters;
    KeepSnapshotIfDue(&s->store, frame, SnapshotMusic{});
}

int64_t SeekToTarget(SeekRun* s, uint32_t options, bool draw, double* millis) {
    const auto start = std::chrono::steady_clock::now();
    int64_t target = s->target;
    if (target > static_cast<int64_t>(s->buttons.size())) target = static_cast<int64_t>(s->buttons.size());
    const int index = SnapshotBefore(s->store, target);
    int64_t frame = RestoreSnapshot(s->store, index);
    RunCounters counters = s->counters[static_cast<size_t>(frame / kWatchSnapshotSpacing)];
    SetDrawingEnabled(false);
    while (frame < target) {
        if (frame + 1 == target) SetDrawingEnabled(draw);
        PlayFrame(s->buttons[static_cast<size_t>(frame)], options, &counters);
        frame++;
    }
    SetDrawingEnabled(draw);
    *millis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return frame;
}
