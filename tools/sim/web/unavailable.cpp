// What the browser build's simulator cannot do: the video encoders are FFmpeg's and the
// score board is reached through libcurl, both the desktop build's only. A run that asks
// for either is refused before it starts.
#include <cstdio>

#include "session.h"
#include "video_export.h"

const char* VideoContainerFor(const char* path) { return path ? "none" : nullptr; }

bool StartVideoOutput(const char*, int, int64_t, int64_t, int64_t, bool) {
    std::fprintf(stderr, "zorbex-sim: --video: this build has no video encoder; the desktop's zorbex-sim has\n");
    return false;
}

bool AddFrameToVideo(int64_t) { return false; }

bool FinishVideoOutput(bool, int64_t, bool) { return false; }

int RunSubmit(const SimOptions&) {
    std::fprintf(stderr, "zorbex-sim: --submit: this build cannot reach a score board; the desktop's zorbex-sim can\n");
    return 2;
}
