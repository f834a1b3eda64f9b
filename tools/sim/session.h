// Pieces of the simulator's run shared by its files.
#pragma once

#include <cstdint>
#include <cstdio>

#include "options.h"

// The run's high-score file lives in a scratch folder; false if it cannot be made.
bool UseScratchSaveFile();
void RemoveScratchSaveFile();
// A file of the run's own that a stop by signal removes too ("" for none); the path is copied.
void RemoveOnStopSignal(const char* path);

// --dump-stage: prints the stage's level data as the program holds it; the exit code.
int DumpStage(int32_t stage);

// --paced: the title on the real clock; prints CPU use and frame-start jitter; the exit code.
int RunPaced(const SimOptions& options);

// One JSON line of --trace for the frame just run; false once the file has failed.
bool WriteTraceLine(std::FILE* f, int64_t frame, int buttons);
// Closes the trace; false after naming the file when any of it was not written.
bool CloseTrace(std::FILE* f, const char* path);

// --video: starts the file (false after saying why), adds the picture and sound of the
// frame just run, and finishes it; with `keep` false the file is not written. Only the
// frames from `from` to `to` (0: the run's end) go in; the others are still heard by the
// mixer, so that the sound stays in step with the pictures.
bool StartVideoOutput(const char* path, int scale, int64_t from, int64_t to, int64_t plannedFrames, bool quiet);
bool AddFrameToVideo(int64_t frame);
bool FinishVideoOutput(bool keep, int64_t frames, bool quiet);

// --watch: the replay played in a real window with sound, on the real clock; the exit code.
int RunWatch(const SimOptions& options);

// --submit: the replay uploaded to a score board, then its verdict awaited; the exit code.
int RunSubmit(const SimOptions& options);
