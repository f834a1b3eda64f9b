// --video in the browser build's simulator: the video encoders are FFmpeg's, which only the
// desktop build has, so a run asked for a video is refused before it starts.
#include <cstdio>

#include "session.h"
#include "video_export.h"

const char* VideoContainerFor(const char* path) { return path ? "none" : nullptr; }

bool StartVideoOutput(const char*, int, int64_t, bool) {
    std::fprintf(stderr, "zorbex-sim: --video: this build has no video encoder; the desktop's zorbex-sim has\n");
    return false;
}

bool AddFrameToVideo(int64_t) { return false; }

bool FinishVideoOutput(bool, int64_t, bool) { return false; }
