// A replay played through for its summary, a slice at a time, the game's own state and
// its title rule kept aside meanwhile.
#include "shell/replay_summary.h"

#include <vector>

#include "runtime/media.h"
#include "scenes/scenes.h"
#include "shell/game.h"
#include "shell/state_hash.h"

void BeginSummary(SummaryRun* s, const Replay& replay) {
    s->replay = &replay;
    s->begun = false;
    s->books = RunCounters{};
    s->summary = ReplaySummary{};
}

// One frame of the replayed game, and what it tells of the run.
static void SummariseFrame(SummaryRun* s, SummaryFrameRunner run, uint8_t buttons) {
    ReplaySummary* out = &s->summary;
    const int32_t before = currentScene;
    run(buttons);
    ApplyRunOptions(s->replay->options, &s->books);
    out->frames++;
    if (before == ScenePlay) out->score = score;
    // an entry into play starts a stage
    if (previousScene == ScenePlay && sceneJustEntered && out->stageCount < 8)
        out->stages[out->stageCount++] = stageNumber;
    if (before == ScenePlay && currentScene == SceneRanking && !out->endingStage) out->givenUpStage = stageNumber;
    if (before == ScenePlay && currentScene == SceneEnding) out->endingStage = stageNumber;
    if (currentScene == ScenePlay) out->lastStage = stageNumber;
}

bool SummariseSome(SummaryRun* s, SummaryFrameRunner run, int64_t frames) {
    const Replay& replay = *s->replay;
    const size_t length = replay.buttons.size();
    if (s->begun && static_cast<size_t>(s->summary.frames) >= length) return true;
    std::vector<unsigned char> kept(StateSnapshotBytes());
    TakeStateSnapshot(kept.data());
    const bool titleRule = titleIdleRestartsOnMove;  // the game's own, not the replay's
    SetAudioSilent(1);
    if (!s->begun) {
        s->state.resize(kept.size());
        BeginReplay(replay);
        ApplyRunOptions(replay.options, &s->books);
        s->begun = true;
    } else {
        RestoreStateSnapshot(s->state.data());
        UseReplayRules(replay);
    }
    for (int64_t i = 0; i < frames && static_cast<size_t>(s->summary.frames) < length; i++)
        SummariseFrame(s, run, replay.buttons[static_cast<size_t>(s->summary.frames)]);
    TakeStateSnapshot(s->state.data());
    SetAudioSilent(0);
    titleIdleRestartsOnMove = titleRule;
    RestoreStateSnapshot(kept.data());
    return static_cast<size_t>(s->summary.frames) >= length;
}

void SummariseReplay(const Replay& replay, SummaryFrameRunner run, ReplaySummary* out) {
    SummaryRun s;
    BeginSummary(&s, replay);
    SummariseSome(&s, run, INT64_MAX);
    *out = s.summary;
}
