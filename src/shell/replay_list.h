// The replays a player can watch: "last.replay", "rank01.replay" to "rank10.replay" and the
// kept ones in "replays/saved/", each read and summed up. Anything that is not a replay this
// build reads is listed as damaged and never stops the list. Summaries are remembered by
// file name, size and modification time, so a list opened again plays nothing it played.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "shell/replay.h"
#include "shell/replay_summary.h"

struct ListedReplay {
    std::string path;
    std::string label;  // shown as it is: a file name, or a msgid when `labelIsMsgid`
    bool labelIsMsgid = false;
    bool readable = false;
    Replay replay;
    time_t written = 0;     // the file's modification time: when the run was recorded
    int64_t bytes = 0;
    int64_t writtenNanos = 0;  // with `bytes`, what tells a rewritten file from the one summed up
    bool summarised = false;
    ReplaySummary summary;
};

constexpr size_t kMaxListedReplays = 64;

// The replays of `folder` (ending in '/'), in the list's order; summaries already known are
// filled in.
void ListReplayFiles(const std::string& folder, std::vector<ListedReplay>* out);

// Sums up a listed replay by playing up to `frames` more of it (the game's state put back
// after), through `run`, which the caller starts afresh whenever the list is read again.
// Remembered, once whole, for the next listing. True once summed up or unreadable.
bool SummariseListed(ListedReplay* listed, SummaryRun* run, SummaryFrameRunner frame, int64_t frames);

// Forgets every remembered summary (tests, and a build that plays differently).
void ForgetReplaySummaries();

// KEEP: copies a listed replay into `folder`saved/ as "2026-12-09_22-10-05.replay" after
// its own date (then "-2", "-3" ... for other runs of that second), its date kept. A
// replay already kept there under such a name is not copied again. The name it is kept
// as in *keptAs; false when it could not be kept.
bool KeepListedReplay(const std::string& folder, const ListedReplay& listed, std::string* keptAs);
