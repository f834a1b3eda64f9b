// Start and stop of the media runtime in the browser build: the page's canvas and audio,
// or nothing but files and the virtual clock when the simulator runs headless under Node.
#include <sys/stat.h>

#include <cstdio>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/web_page.h"

static uint32_t startCount = 0;  // successful starts in this process

// Nothing in the browser probes devices and chatters about it.
QuietStderr::QuietStderr() : saved_(-1) { (void)saved_; }
QuietStderr::~QuietStderr() {}

// Under Node the folder of the program's script; on a page the file system's root, where
// the data package is mounted as /data.
std::string ExecutableFolder() {
    char folder[4096];
    if (zorbex_page_script_folder(folder, int(sizeof folder)) <= 0) return "/";
    return folder;
}

int StartRuntime() {
    if (runtimeSettings.started) return 0;
    // emscripten's file system starts with a mask of 0777, which would make the player's
    // new files unreadable: the usual 022 instead
    umask(022);
    FindDataDirectory();
    missingAssets = 0;
    if (!runtimeSettings.headless) {
        if (!StartWindow()) {
            std::fprintf(stderr, "zorbex: no canvas to draw on\n");
            return -1;
        }
        StartInput();
        SeedRandomFromClock();
    }
    runtimeSettings.started = true;
    ++startCount;
    StartText();
    StartSound();
    ResetClock();
    return 0;
}

void StopRuntime() {
    if (!runtimeSettings.started) return;
    StopSound();
    StopText();
    ReleaseImages();
    if (!runtimeSettings.headless) {
        StopInput();
        StopWindow();
    }
    runtimeSettings.started = false;
    runtimeSettings.drawingEnabled = true;
    ResetDrawState();
    ResetHeadlessInput();
    TakeWindowFocusLoss();  // a loss seen by this run must not pause the next one
    ResetClock();
}

uint32_t RuntimeSession() { return runtimeSettings.started ? startCount : 0; }

int PumpWindowMessages() {
    if (!runtimeSettings.started) return 0;
    if (runtimeSettings.headless) {
        ApplyQueuedHeadlessKeys();
        return 0;
    }
    return PumpWindowEvents() ? 1 : 0;
}

void ShowMouseCursor(int show) {
    runtimeSettings.showCursor = show != 0;
    if (runtimeSettings.started && !runtimeSettings.headless) zorbex_page_show_cursor(show);
}
