// Every run played in the game is recorded as a replay: from the title's entry to the
// ranking after it ends. Written to "replays/" beside the save file: "last.replay",
// and "rankNN.replay" for a run that entered the high-score table, kept in step with it.
#pragma once

#include <cstdint>

#include "shell/practice.h"
#include "shell/replay.h"

// The longest run recorded (six hours); later frames are not, and the file says so.
constexpr int32_t kRecordedRunMaxFrames = kReplayMaxFrames;

// Off unless turned on: the game turns it on, the simulator and most tests do not.
// Turning it on sizes the buffers once, for runs of up to `maxFrames`.
void EnableRunRecording(bool enabled, int32_t maxFrames = kRecordedRunMaxFrames);
bool RunRecordingEnabled();

// The folder the replays go to: beside the current save file name, ending in '/'.
const char* ReplayFolder();

// The main loop's hooks, in frame order: before the input is sampled (with the scene
// of this frame and whether it was just entered), after it, and after the scene ran.
void RecordFrameStart(int32_t scene, bool entered);
void RecordFrameButtons();
void RecordFrameEnd(int32_t sceneBefore);

// A practice started from its menu (or again by RETRY): begun as a replay of it begins,
// and recorded with its start and power. Its end (leaving it, or RETRY) writes
// "last.replay"; a practice never touches the rank replays.
void BeginRecordedPractice(const PracticeStart& start);
void EndRecordedPractice();

// The play frame's hook for a run's end, called once the table on disk is written (and
// still locked): the rank replays follow the run's row there (9999 for none). A table
// that another game added to is taken up when the next run begins.
void RankReplaysFollowTable(int32_t row, bool othersEntries);

// A run ended from the pause menu (or the program left during it): the frames so far kept
// as "last.replay", nothing entered in the table; the recording stops until the title.
void KeepRunSoFar();
