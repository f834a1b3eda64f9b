// The replay theatre's playing and seeking: one silent pass over the whole replay keeps
// snapshots, the stages' starts and the music; a seek restores the nearest snapshot
// before its frame and plays on from it unseen and unheard, then starts the run's music
// where the run is. Away from 1x the effects are silent and the music plays on.
#include "scenes/theatre.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "runtime/media.h"
#include "shell/game.h"
#include "shell/snapshot.h"
#include "shell/state_hash.h"

namespace {

constexpr int32_t kSpeedQuarters[] = {1, 2, 4, 8, 16, 32};  // 1/4x to 8x
constexpr int32_t kNormalSpeed = 2;
constexpr int64_t kSeekFrames = 625;         // ten seconds of 16 ms frames
constexpr int64_t kStageStartGrace = 90;     // "previous stage" just after a start goes one further
constexpr double kFrameSeconds = 0.016;

struct StageStart {
    int64_t frame;  // the stage's first frame
    int32_t stage;
};

struct Theatre {
    Replay replay;
    bool checkHashes = false;
    TheatreFrameRunner run = nullptr;
    SnapshotStore store;
    std::vector<RunCounters> counters;  // the run options' books at each snapshot's frame
    std::vector<StageStart> stages;
    RunCounters books;
    SnapshotMusic music;   // what plays at the current frame
    int lastMusicStarts = 0;
    int64_t frame = 0;
    size_t nextCheck = 0;
    int32_t differsAt = 0;
    int32_t speed = kNormalSpeed;
    int32_t quarters = 0;  // toward the next frame at speeds under 1x
    bool paused = false;
    bool open = false;
};

Theatre theatre;

// Effects are heard at 1x only; the music at every speed, and never while paused.
bool EffectsHeard() { return theatre.speed == kNormalSpeed && !theatre.paused; }

// The music as it stands after the frame just played: a new start, or a stop.
void FollowMusic() {
    const MusicNote note = NotedMusic();
    if (note.starts != theatre.lastMusicStarts) {
        theatre.lastMusicStarts = note.starts;
        std::snprintf(theatre.music.file, sizeof theatre.music.file, "%s", note.file);
        theatre.music.playType = note.playType;
        theatre.music.startedAfter = theatre.frame - 1;
    } else if (!note.file[0]) {
        theatre.music.file[0] = '\0';
    }
}

// Hashes are checked on every pass, so a replay that differs says where even after seeks.
void CheckHash() {
    if (!theatre.checkHashes) return;
    const std::vector<ReplayCheckpoint>& c = theatre.replay.checkpoints;
    while (theatre.nextCheck < c.size() && c[theatre.nextCheck].frame < theatre.frame) theatre.nextCheck++;
    if (theatre.nextCheck >= c.size() || c[theatre.nextCheck].frame != theatre.frame) return;
    if (c[theatre.nextCheck].hash != StateHash() && (!theatre.differsAt || theatre.frame < theatre.differsAt))
        theatre.differsAt = static_cast<int32_t>(theatre.frame);
    theatre.nextCheck++;
}

void PlayOne(bool shown) {
    theatre.run(theatre.replay.buttons[static_cast<size_t>(theatre.frame)], shown);
    theatre.frame++;
    ApplyRunOptions(theatre.replay.options, &theatre.books);
    FollowMusic();
    CheckHash();
}

// The music the run has at this frame, heard from where it would be.
void StartHeardMusic() {
    SetAudioSilent(0);
    SetEffectsSilent(EffectsHeard() ? 0 : 1);
    StopMusicFile();
    if (!theatre.music.file[0]) return;
    const double seconds = static_cast<double>(theatre.frame - 1 - theatre.music.startedAfter) * kFrameSeconds;
    StartMusicAt(theatre.music.file, theatre.music.playType, seconds);
    theatre.lastMusicStarts = NotedMusic().starts;
}

void Silence() {
    StopMusicFile();
    SetAudioSilent(1);
    // the noted music is the run's again, so that FollowMusic sees only what comes next
    if (theatre.music.file[0]) PlayMusicFile(theatre.music.file, theatre.music.playType);
    theatre.lastMusicStarts = NotedMusic().starts;
}

void NoteStageStart() {
    // a frame that entered play began a stage (a continue stays in play)
    if (previousScene != ScenePlay || !sceneJustEntered) return;
    theatre.stages.push_back({theatre.frame, stageNumber});
}

}  // namespace

void OpenTheatre(const Replay& replay, bool checkHashes, TheatreFrameRunner run) {
    theatre.replay = replay;
    theatre.checkHashes = checkHashes;
    theatre.run = run;
    theatre.stages.clear();
    theatre.differsAt = 0;
    theatre.speed = kNormalSpeed;
    theatre.quarters = 0;
    theatre.paused = false;
    PrepareSnapshotStore(&theatre.store, kWatchSnapshots, kWatchSnapshotSpacing);
    const size_t length = replay.buttons.size();
    theatre.counters.assign(length / static_cast<size_t>(kWatchSnapshotSpacing) + 1, RunCounters{});
    theatre.stages.reserve(64);

    SetAudioSilent(1);
    StopMusicFile();
    BeginReplay(theatre.replay);
    theatre.books = RunCounters{};
    ApplyRunOptions(replay.options, &theatre.books);
    theatre.counters[0] = theatre.books;
    theatre.music = SnapshotMusic{};
    theatre.lastMusicStarts = NotedMusic().starts;
    theatre.frame = 0;
    theatre.nextCheck = 0;
    KeepSnapshotIfDue(&theatre.store, 0, theatre.music);
    while (theatre.frame < static_cast<int64_t>(length)) {
        PlayOne(false);
        NoteStageStart();
        if (theatre.frame % kWatchSnapshotSpacing == 0)
            theatre.counters[static_cast<size_t>(theatre.frame / kWatchSnapshotSpacing)] = theatre.books;
        KeepSnapshotIfDue(&theatre.store, theatre.frame, theatre.music);
    }
    theatre.open = true;
    // back to the start: the first frame is played and shown by the first TheatreFrame
    RestoreSnapshot(theatre.store, 0);
    theatre.books = theatre.counters[0];
    theatre.music = theatre.store.music[0];
    theatre.frame = 0;
    theatre.nextCheck = 0;
    StopMusicFile();
    SetAudioSilent(0);
    SetEffectsSilent(0);
    theatre.lastMusicStarts = NotedMusic().starts;
}

void SeekTheatre(int64_t target) {
    const int64_t length = static_cast<int64_t>(theatre.replay.buttons.size());
    if (!theatre.open || length == 0) return;
    if (target < 1) target = 1;  // frame 1 is the first there is to show
    if (target > length) target = length;
    // forward within reach is played on; anything else starts from a snapshot
    const int index = SnapshotBefore(theatre.store, target);
    if (target <= theatre.frame || index < 0 || theatre.store.frames[size_t(index)] > theatre.frame) {
        theatre.frame = RestoreSnapshot(theatre.store, index < 0 ? 0 : index);
        theatre.books = theatre.counters[static_cast<size_t>(theatre.frame / kWatchSnapshotSpacing)];
        theatre.music = theatre.store.music[size_t(index < 0 ? 0 : index)];
        theatre.nextCheck = 0;
    }
    Silence();
    while (theatre.frame < target) PlayOne(theatre.frame + 1 == target);
    theatre.quarters = 0;
    if (!theatre.paused) StartHeardMusic();
}

bool TheatreFrame(TheatreCommand command) {
    const int64_t length = static_cast<int64_t>(theatre.replay.buttons.size());
    if (!theatre.open) return false;
    const bool wasPaused = theatre.paused;
    const int32_t wasSpeed = theatre.speed;
    switch (command) {
    case TheatrePause: theatre.paused = !theatre.paused; break;
    case TheatreSlower: if (theatre.speed > 0) theatre.speed--; break;
    case TheatreFaster: if (theatre.speed < 5) theatre.speed++; break;
    case TheatreBack: SeekTheatre(theatre.frame - kSeekFrames); return true;
    case TheatreForward: SeekTheatre(theatre.frame + kSeekFrames); return true;
    case TheatrePreviousStage: {
        int64_t to = 1;
        for (const StageStart& s : theatre.stages)
            if (s.frame + kStageStartGrace < theatre.frame) to = s.frame;
        SeekTheatre(to);
        return true;
    }
    case TheatreNextStage:
        for (const StageStart& s : theatre.stages) {
            if (s.frame <= theatre.frame) continue;
            SeekTheatre(s.frame);
            break;
        }
        return true;
    case TheatreStep:
        if (theatre.paused && theatre.frame < length) {
            Silence();
            PlayOne(true);
        }
        return true;
    default: break;
    }
    if (theatre.paused != wasPaused || theatre.speed != wasSpeed) {
        if (theatre.paused)
            Silence();  // the music waits where the run is
        else if (wasPaused || theatre.speed == kNormalSpeed)
            StartHeardMusic();  // and is placed where the run is again
        else
            SetEffectsSilent(1);  // away from 1x the music plays on, the effects are not heard
    }
    if (theatre.paused) return true;
    if (theatre.frame >= length) return false;
    theatre.quarters += kSpeedQuarters[theatre.speed];
    int64_t frames = theatre.quarters / 4;
    theatre.quarters %= 4;
    if (frames > length - theatre.frame) frames = length - theatre.frame;
    for (int64_t i = 0; i < frames; i++) PlayOne(i + 1 == frames);
    return true;
}

void CloseTheatre() {
    theatre.open = false;
    StopMusicFile();
    SetAudioSilent(0);
    SetEffectsSilent(0);
    theatre.replay = Replay{};
    theatre.store = SnapshotStore{};
}

int64_t TheatrePosition() { return theatre.frame; }
int64_t TheatreLength() { return static_cast<int64_t>(theatre.replay.buttons.size()); }
int32_t TheatreDiffersAt() { return theatre.differsAt; }
bool TheatrePaused() { return theatre.paused; }
int32_t TheatreSpeedQuarters() { return kSpeedQuarters[theatre.speed]; }
int TheatreStageCount() { return static_cast<int>(theatre.stages.size()); }
int64_t TheatreStageFrame(int index) { return theatre.stages[static_cast<size_t>(index)].frame; }
