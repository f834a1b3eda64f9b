// Start and stop of the media runtime in the browser build: the page's canvas and audio,
// or nothing but files and the virtual clock when the simulator runs headless under Node.
#include <sys/stat.h>

#include <cstdio>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/web/page.h"

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
    BeginRuntimeStart();
    if (!runtimeSettings.headless) {
        if (!StartWindow()) {
            std::fprintf(stderr, "zorbex: no canvas to draw on\n");
            return -1;
        }
    }
    FinishRuntimeStart();
    return 0;
}

void StopRuntime() {
    if (!runtimeSettings.started) return;
    BeginRuntimeStop();
    FinishRuntimeStop();
}

void ShowMouseCursor(int show) {
    runtimeSettings.showCursor = show != 0;
    if (runtimeSettings.started && !runtimeSettings.headless) zorbex_page_show_cursor(show);
}

// A page cannot end itself: the player closes the tab.
int CanQuit() { return 0; }

// The page forwards the pad as game bits only: its buttons cannot be chosen by name here.
int IsPadButtonDown(int) { return 0; }
