// A replay played through for its summary, the game's own state kept aside meanwhile.
#include "shell/replay_summary.h"

#include <vector>

#include "runtime/media.h"
#include "shell/game.h"
#include "shell/state_hash.h"

void SummariseReplay(const Replay& replay, SummaryFrameRunner run, ReplaySummary* out) {
    *out = ReplaySummary{};
    std::vector<unsigned char> kept(StateSnapshotBytes());
    TakeStateSnapshot(kept.data());
    SetAudioSilent(1);
    BeginReplay(replay);
    RunCounters books;
    ApplyRunOptions(replay.options, &books);
    for (uint8_t buttons : replay.buttons) {
        const int32_t before = currentScene;
        run(buttons);
        ApplyRunOptions(replay.options, &books);
        out->frames++;
        if (before == ScenePlay) out->score = score;
        // an entry into play starts a stage
        if (previousScene == ScenePlay && sceneJustEntered && out->stageCount < 8)
            out->stages[out->stageCount++] = stageNumber;
        if (before == ScenePlay && currentScene == SceneRanking && !out->endingStage) out->givenUpStage = stageNumber;
        if (before == ScenePlay && currentScene == SceneEnding) out->endingStage = stageNumber;
        if (currentScene == ScenePlay) out->lastStage = stageNumber;
    }
    SetAudioSilent(0);
    RestoreStateSnapshot(kept.data());
}
