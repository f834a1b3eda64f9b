// The run's books, kept from what the game's globals show between frames, and the
// summary line printed from them.
#include "run_summary.h"

#include <cinttypes>
#include <cstdio>

#include "player/player.h"
#include "probes.h"
#include "shell/game.h"

namespace {

int32_t DeathsSoFar(const RunSummary& s) { return s.counters.deaths + s.gameOvers; }

void StartStageStats(RunSummary& s, int64_t frame) {
    s.stagesPlayed.push_back(stageNumber);
    StageStats stats;
    stats.stage = stageNumber;
    s.stages.push_back(stats);
    s.stageStartFrame = frame;
    s.stageStartDeaths = DeathsSoFar(s);
    s.stageStartScore = score;
}

// The stage in play, counted up to now (bombs are counted as they happen).
void UpdateStageStats(RunSummary& s, int64_t frame) {
    if (s.stages.empty()) return;
    StageStats& stats = s.stages.back();
    stats.frames = frame - s.stageStartFrame;
    stats.deaths = DeathsSoFar(s) - s.stageStartDeaths;
    stats.scoreGained = score - s.stageStartScore;
}

void CountGameOvers(RunSummary& s) {
    bool prompt = currentScene == ScenePlay && stagePhase >= PhaseNoShipLeft;
    if (prompt && !s.gameOverSeen) s.gameOvers++;
    // the prompt gave way to play again: a continue
    if (!prompt && s.gameOverSeen && currentScene == ScenePlay) s.continuesUsed++;
    s.gameOverSeen = prompt;
}

// Stages start as the scene turns to play (the title's start, the route map's choice).
void NoteStageStarts(RunSummary& s, int64_t frame, int32_t sceneBefore) {
    if (sceneBefore == ScenePlay) UpdateStageStats(s, frame);
    if (sceneBefore != ScenePlay && currentScene == ScenePlay) StartStageStats(s, frame);
    if (sceneBefore == ScenePlay && currentScene != ScenePlay && !StageWon(sceneBefore)) s.gameLost = true;
    if (sceneBefore != SceneEnding && currentScene == SceneEnding) {
        s.ending = stageNumber;
        s.continueEnding = hasContinued != 0;
    }
    if (sceneBefore != SceneRanking && currentScene == SceneRanking) {
        s.rankingFrom = sceneBefore;
        bool runEnded = sceneBefore == ScenePlay || sceneBefore == SceneEnding;
        if (runEnded && s.runEndFrame == 0) {
            s.runEndFrame = frame;
            s.runGivenUp = sceneBefore == ScenePlay;
        }
    }
    bool bombing = bombActive != 0;
    if (bombing && !s.bombWasActive && !s.stages.empty()) {
        s.bombsUsed++;
        s.stages.back().bombsUsed++;
    }
    s.bombWasActive = bombing;
}

// The options as a replay's "options" line names them.
const char* RunOptionsText(uint32_t options) {
    if (options & RunPractice) return "practice";  // a practice takes no other option
    switch (options & (RunInvincible | RunPowerMax)) {
    case 0: return "none";
    case RunInvincible: return "invincible";
    case RunPowerMax: return "power-max";
    default: return "invincible power-max";
    }
}

}  // namespace

void StartSummary(RunSummary* s) {
    s->stagesPlayed.reserve(64);
    s->stages.reserve(64);
    if (currentScene == ScenePlay) StartStageStats(*s, 0);
}

void NoteFrameInSummary(RunSummary* s, int64_t frame, int32_t sceneBefore) {
    CountGameOvers(*s);
    NoteStageStarts(*s, frame, sceneBefore);
}

bool StageWon(int32_t sceneBefore) {
    return sceneBefore == ScenePlay && (currentScene == SceneStageSelect || currentScene == SceneEnding);
}

void PrintSummary(const RunSummary& s, int64_t frames, double seconds, uint64_t hash, const char* extra) {
    double fps = seconds > 0 ? static_cast<double>(frames) / seconds : 0;
    std::printf("{\"frames\":%" PRId64 ",\"scene\":%d,\"stage\":%d,\"stagePhase\":%d,\"score\":%d,"
                "\"lives\":%d,\"deaths\":%d,\"bossState\":%d,\"hash\":\"%016" PRIx64 "\",\"fps\":%.1f%s",
                frames, currentScene, stageNumber, stagePhase, score, lives, DeathsSoFar(s), BossStateNow(), hash,
                fps, extra);
    std::printf(",\"stagesPlayed\":[");
    for (size_t i = 0; i < s.stagesPlayed.size(); i++) std::printf("%s%d", i ? "," : "", s.stagesPlayed[i]);
    std::printf("],\"ending\":%d,\"continueEnding\":%s,\"continues\":%d,\"stages\":[", s.ending,
                s.continueEnding ? "true" : "false", s.continuesUsed);
    for (size_t i = 0; i < s.stages.size(); i++) {
        const StageStats& st = s.stages[i];
        std::printf("%s{\"stage\":%d,\"frames\":%" PRId64 ",\"deaths\":%d,\"bombsUsed\":%d,\"scoreGained\":%d}",
                    i ? "," : "", st.stage, st.frames, st.deaths, st.bombsUsed, st.scoreGained);
    }
    std::printf("]}\n");
    std::fflush(stdout);
}

int FormatReplayRunFields(const RunSummary& s, const Replay& replay, char* out, size_t room) {
    const char* runEnd = s.runEndFrame == 0 ? "none" : s.runGivenUp ? "given-up" : "ending";
    return std::snprintf(out, room,
                         ",\"bombsUsed\":%d,\"difficulty\":%d,\"startStage\":%d,\"options\":\"%s\","
                         "\"truncated\":%s,\"runEnd\":\"%s\",\"runEndFrame\":%" PRId64,
                         s.bombsUsed, replay.difficulty, replay.startStage, RunOptionsText(replay.options),
                         replay.truncated ? "true" : "false", runEnd, s.runEndFrame);
}
