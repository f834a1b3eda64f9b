// The game's own runs, recorded frame by frame into buffers sized once, and written
// out as replays when a run ends. A replay that cannot be written is simply missing:
// the save file and the game never depend on it.
#include "shell/run_recorder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/files.h"
#include "runtime/media.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/practice.h"
#include "shell/replay.h"
#include "shell/save_files.h"
#include "shell/state_hash.h"

constexpr int32_t kTableRows = 10;
constexpr int32_t kNoRow = 9999;
constexpr size_t kFolderSize = 4096;
constexpr int32_t kSeedRange = 0x7FFFFFFF;

// The recorder's own state: it watches the game and never steers it.
struct RunRecording {
    bool enabled = false;
    int32_t limit = kRecordedRunMaxFrames;
    bool recording = false;       // a run is being recorded (the title was entered)
    int32_t shiftedRow = kNoRow;  // the table row the run took, its files moved down
    bool tableOnDiskGrew = false;  // another game's entries are in the file: the next run takes them
    Replay replay;
    char folder[kFolderSize] = {};
};

static RunRecording runRecording;

void EnableRunRecording(bool enabled, int32_t maxFrames) {
    runRecording.enabled = enabled;
    runRecording.recording = false;
    runRecording.shiftedRow = kNoRow;
    if (!enabled) return;
    runRecording.limit = std::clamp(maxFrames, 1, kRecordedRunMaxFrames);
    runRecording.replay.buttons.reserve(static_cast<size_t>(runRecording.limit));
    runRecording.replay.checkpoints.reserve(static_cast<size_t>(runRecording.limit / kReplayHashInterval + 2));
    PrepareStateHash();  // it allocates: before play
}

bool RunRecordingEnabled() { return runRecording.enabled; }

const char* ReplayFolder() {
    const char* slash = std::strrchr(saveFileName, '/');
    const size_t dirLength = slash ? static_cast<size_t>(slash - saveFileName) + 1 : 0;
    if (dirLength + sizeof "replays/" > sizeof runRecording.folder) {
        runRecording.folder[0] = '\0';
        return runRecording.folder;
    }
    std::memcpy(runRecording.folder, saveFileName, dirLength);
    std::memcpy(runRecording.folder + dirLength, "replays/", sizeof "replays/");
    return runRecording.folder;
}

// A run starts on the title's entry (every entry resets the game for a new run),
// from the same state a replay starts from, with a fresh seed.
static void WriteRecordedRun();

static void StartRecording() {
    if (runRecording.tableOnDiskGrew) TakeUpSavedTable();  // before the replay notes the table
    runRecording.tableOnDiskGrew = false;
    const uint32_t seed = static_cast<uint32_t>(RandomUpTo(kSeedRange));
    PrepareRunStart(seed, difficultySetting);
    runRecording.replay.seed = seed;
    runRecording.replay.difficulty = difficultySetting;
    runRecording.replay.startStage = 0;
    runRecording.replay.options = 0;
    runRecording.replay.heldAtStart = static_cast<uint8_t>(HeldButtons());
    runRecording.replay.truncated = false;
    TakeGameTable(&runRecording.replay);
    runRecording.replay.buttons.clear();
    runRecording.replay.checkpoints.clear();
    runRecording.recording = true;
    runRecording.shiftedRow = kNoRow;
}

void RecordFrameStart(int32_t scene, bool entered) {
    if (!runRecording.enabled) return;
    if (entered && scene == SceneTitle) StartRecording();
    // every entry into play is a stage's start (a continue stays in play)
    if (entered && scene == ScenePlay && !practiceRun) NoteStageReached(stageNumber);
}

void BeginRecordedPractice(const PracticeStart& start) {
    const PracticeStart p = ClampedPractice(start);
    const uint32_t seed = static_cast<uint32_t>(RandomUpTo(kSeedRange));
    const uint8_t held = static_cast<uint8_t>(HeldButtons());
    // as a replay begins it: a new game on the stage, then the practice's own start
    PrepareRunStart(seed, difficultySetting);
    SetHeldButtons(held);
    stageNumber = p.stage;
    StartStage();
    PreparePractice(p);
    if (!runRecording.enabled) return;
    Replay& r = runRecording.replay;
    r.seed = seed;
    r.difficulty = difficultySetting;
    r.startStage = p.stage;
    r.options = RunPractice;
    r.practice = p;
    r.heldAtStart = held;
    r.truncated = false;
    TakeGameTable(&r);
    r.buttons.clear();
    r.checkpoints.clear();
    runRecording.recording = true;
    runRecording.shiftedRow = kNoRow;
}

void EndRecordedPractice() {
    if (!runRecording.recording || !(runRecording.replay.options & RunPractice)) return;
    WriteRecordedRun();
    runRecording.recording = false;
}

void RecordFrameButtons() {
    if (!runRecording.recording) return;
    if (runRecording.replay.buttons.size() >= static_cast<size_t>(runRecording.limit)) {
        runRecording.replay.truncated = true;  // the game goes on; the replay ends here
        return;
    }
    runRecording.replay.buttons.push_back(static_cast<uint8_t>(HeldButtons()));
}

static std::string ReplayPath(const char* folder, const char* name) { return std::string(folder) + name; }

static std::string RankPath(const char* folder, int32_t row) {
    char name[32];
    std::snprintf(name, sizeof name, "rank%02d.replay", row + 1);
    return ReplayPath(folder, name);
}

static bool MakeReplayFolder(const char* folder) {
    if (!folder[0]) return false;
    if (mkdir(folder, 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
    return stat(folder, &st) == 0 && S_ISDIR(st.st_mode);
}

// A rank replay may be moved or dropped only where it is a file (or a link to one):
// a folder or anything else of such a name stays, and the replays stay as they are.
static bool RankNamesAreFiles(const char* folder, int32_t row) {
    for (int32_t r = row; r < kTableRows; r++) {
        const std::string name = RankPath(folder, r);
        struct stat st;
        if (lstat(name.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) continue;
        std::fprintf(stderr, "zorbex: the rank replays stay as they are: %s is not a regular file\n", name.c_str());
        return false;
    }
    return true;
}

// The table's rows `row` to 8 moved down one and row 9 dropped off: their replays follow.
static bool ShiftRankReplays(int32_t row) {
    const char* folder = ReplayFolder();
    if (!MakeReplayFolder(folder) || !RankNamesAreFiles(folder, row)) return false;
    unlink(RankPath(folder, kTableRows - 1).c_str());
    for (int32_t from = kTableRows - 2; from >= row; from--) {
        const std::string source = RankPath(folder, from);
        const std::string target = RankPath(folder, from + 1);
        // a row without a replay (the default table's) leaves none below it either
        if (std::rename(source.c_str(), target.c_str()) != 0) unlink(target.c_str());
    }
    unlink(RankPath(folder, row).c_str());
    return true;
}

void RankReplaysFollowTable(int32_t row, bool othersEntries) {
    if (!runRecording.recording) return;
    runRecording.tableOnDiskGrew = othersEntries;
    if (row >= 0 && row < kTableRows && ShiftRankReplays(row)) runRecording.shiftedRow = row;
}

// The run's own rank replay, written into the row it took unless another game's run,
// ended meanwhile, has moved a replay into that place.
static void WriteRankReplay(const char* folder, std::string* error) {
    const int lock = LockFileFolder(saveFileName);
    const std::string name = RankPath(folder, runRecording.shiftedRow);
    struct stat st;
    if (lstat(name.c_str(), &st) != 0 && !WriteReplayFile(name.c_str(), runRecording.replay, error))
        std::fprintf(stderr, "zorbex: %s\n", error->c_str());
    UnlockFileFolder(lock);
}

static void WriteRecordedRun() {
    const char* folder = ReplayFolder();
    if (!MakeReplayFolder(folder)) {
        std::fprintf(stderr, "zorbex: cannot make the replay folder %s\n", folder);
        return;
    }
    const int32_t frames = static_cast<int32_t>(runRecording.replay.buttons.size());
    if (frames == 0) return;
    // a cut recording got its last hash as its last frame ended
    if (!runRecording.replay.truncated && (runRecording.replay.checkpoints.empty() || runRecording.replay.checkpoints.back().frame != frames))
        runRecording.replay.checkpoints.push_back({frames, StateHash()});
    std::string error;
    if (!WriteReplayFile(ReplayPath(folder, "last.replay").c_str(), runRecording.replay, &error))
        std::fprintf(stderr, "zorbex: %s\n", error.c_str());
    if (runRecording.shiftedRow != kNoRow) WriteRankReplay(folder, &error);
}

void RecordFrameEnd(int32_t sceneBefore) {
    if (!runRecording.recording) return;
    const int32_t frames = static_cast<int32_t>(runRecording.replay.buttons.size());
    // a hash only for a frame whose buttons were recorded
    const bool due = frames % kReplayHashInterval == 0 || frames == runRecording.limit;
    if (!runRecording.replay.truncated && frames > 0 && due &&
        (runRecording.replay.checkpoints.empty() || runRecording.replay.checkpoints.back().frame != frames))
        runRecording.replay.checkpoints.push_back({frames, StateHash()});
    // the ranking after a run (the idle title's visit is no run's end)
    if (currentScene == SceneRanking && (sceneBefore == ScenePlay || sceneBefore == SceneEnding)) {
        WriteRecordedRun();
        runRecording.recording = false;
    }
}

void KeepRunSoFar() {
    if (!runRecording.recording) return;
    // a run left on the title never began: nothing to keep
    if (currentScene != SceneTitle) WriteRecordedRun();
    runRecording.recording = false;
}
