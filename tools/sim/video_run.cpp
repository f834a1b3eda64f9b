// --video: the run as a video file. After every frame its picture goes in with its 16 ms
// of the game's own sound, mixed offline, and a progress bar shows on the terminal.
// --video-from and --video-to cut one stretch out of the run: the frames before it are
// mixed and their sound dropped, so that the cut sounds as that stretch of the run did.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "runtime/headless.h"
#include "session.h"
#include "shell/game.h"
#include "video_export.h"

namespace {

constexpr int64_t kFrameMillis = 16;
constexpr int kBarWidth = 40;
constexpr double kBarRedrawSeconds = 0.1;

using Clock = std::chrono::steady_clock;
static_assert(OfflineSoundRate == kVideoSoundRate, "the mix goes into the video as it comes");

struct VideoRun {
    VideoExport* video = nullptr;
    const char* path = nullptr;
    int scale = 1;
    int64_t from = 1, to = 0;  // the run's frames that go in (to 0: up to its end)
    int64_t slots = 0;        // 16 ms pictures written so far
    int64_t mixedSlots = 0;   // 16 ms of sound mixed so far, in the video or not
    int64_t lastFrame = 0;    // the last frame of the run seen
    int64_t plannedFrames = 0;
    bool bar = false;
    Clock::time_point start, lastBar;
    float sound[2 * 1024];
};
VideoRun run;

// Sound frames in the first `slots` pictures, rounded as they add up: 705 or 706 each.
int64_t SoundFramesBefore(int64_t slots) {
    return (slots * kFrameMillis * kVideoSoundRate + 500) / 1000;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

void DrawBar(int64_t frame, bool last) {
    if (!run.bar) return;
    if (!last && Seconds(run.lastBar) < kBarRedrawSeconds) return;
    run.lastBar = Clock::now();
    // counted from the first frame of the video: what comes before runs much faster
    const int64_t first = run.from - 1;
    const int64_t planned = run.to > 0 ? std::min(run.to, run.plannedFrames) : run.plannedFrames;
    const int64_t total = planned > first ? planned - first : 1;
    const int64_t done = std::clamp<int64_t>(frame - first, 0, total);
    const int filled = int(done * kBarWidth / total);
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; i++) bar[i] = i < filled ? '#' : '-';
    bar[kBarWidth] = '\0';
    const double seconds = Seconds(run.start);
    std::fprintf(stderr, "\r[%s] %3d%% %" PRId64 "/%" PRId64 " frames, %.0f fps%s", bar, int(done * 100 / total),
                 done, total, seconds > 0 ? double(frame) / seconds : 0.0, last ? "\n" : "");
    std::fflush(stderr);
}

// One 16 ms slot of sound mixed, and with `keep` written with the picture.
bool AddSlot(bool keep) {
    const int count = int(SoundFramesBefore(run.mixedSlots + 1) - SoundFramesBefore(run.mixedSlots));
    run.mixedSlots++;
    MixOfflineSound(run.sound, count);
    if (!keep) return true;
    std::string error;
    if (!AddVideoFrame(run.video, BackBufferPixels(), run.sound, count, &error)) {
        std::fprintf(stderr, "%szorbex-sim: %s\n", run.bar ? "\n" : "", error.c_str());
        return false;
    }
    run.slots++;
    return true;
}

}  // namespace

bool StartVideoOutput(const char* path, int scale, int64_t from, int64_t to, int64_t plannedFrames, bool quiet) {
    std::string error;
    run.path = path;
    run.scale = scale;
    run.from = from;
    run.to = to;
    run.plannedFrames = plannedFrames;
    run.video = StartVideo(path, scale, &error);
    if (!run.video) {
        std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
        return false;
    }
    RemoveOnStopSignal(VideoTemporaryPath(run.video));
    run.bar = !quiet && isatty(STDERR_FILENO);
    run.start = run.lastBar = Clock::now();
    return true;
}

bool AddFrameToVideo(int64_t frame) {
    run.lastFrame = frame;
    if (run.to > 0 && frame > run.to) return true;  // past the cut: nothing more to hear
    // a sound played to its end inside the frame (the title's start) held the picture
    // that long: the picture stays for as many frames, and the sound goes on under it
    const int64_t held = int64_t(uint32_t(VirtualMillis()) - uint32_t(lastFrameMillis));
    const int64_t slots = std::max<int64_t>(1, (held + kFrameMillis / 2) / kFrameMillis);
    for (int64_t i = 0; i < slots; i++)
        if (!AddSlot(frame >= run.from)) return false;
    DrawBar(frame, false);
    return true;
}

bool FinishVideoOutput(bool keep, int64_t frames, bool quiet) {
    DrawBar(frames, true);
    RemoveOnStopSignal("");
    if (!keep) {
        AbandonVideo(run.video);
        run.video = nullptr;
        std::fprintf(stderr, "zorbex-sim: %s not written: the run failed\n", run.path);
        return false;
    }
    if (run.slots == 0) {
        AbandonVideo(run.video);
        run.video = nullptr;
        std::fprintf(stderr, "zorbex-sim: %s not written: the run ended at frame %" PRId64 ", before --video-from %" PRId64 "\n",
                     run.path, run.lastFrame, run.from);
        return false;
    }
    std::string error;
    const bool ok = FinishVideo(run.video, &error);
    run.video = nullptr;
    if (!ok) {
        std::fprintf(stderr, "zorbex-sim: %s\n", error.c_str());
        return false;
    }
    const double seconds = Seconds(run.start);
    if (!quiet)
        std::fprintf(stderr, "zorbex-sim: wrote %s: %" PRId64 " frames of %dx%d, %.3f s, exported at %.1f fps\n",
                     run.path, run.slots, kVideoSourceWidth * run.scale, kVideoSourceHeight * run.scale,
                     double(run.slots * kFrameMillis) / 1000.0, seconds > 0 ? double(run.slots) / seconds : 0.0);
    return true;
}
