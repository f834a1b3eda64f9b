// Start and stop of the media runtime on SDL.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

QuietStderr::QuietStderr() : saved_(-1) {
    std::fflush(stderr);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    saved_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (saved_ >= 0) dup2(null, STDERR_FILENO);
    close(null);
}

QuietStderr::~QuietStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
}

// The folder of the running program, with a trailing '/', empty when unknown.
std::string ExecutableFolder() {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return std::string();
    exe[n] = '\0';
    const char* slash = std::strrchr(exe, '/');
    return slash ? std::string(exe, size_t(slash + 1 - exe)) : std::string();
}

int StartRuntime() {
    if (runtimeSettings.started) return 0;
    BeginRuntimeStart();
    // SDL must not turn Ctrl+C into a quit event that nobody reads in tools and tests.
    if (runtimeSettings.headless) SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(0) != 0) {
        std::fprintf(stderr, "zorbex: cannot start SDL: %s\n", SDL_GetError());
        return -1;
    }
    if (!runtimeSettings.headless) {
        if (!StartWindow()) {
            std::fprintf(stderr, "zorbex: cannot open a window: %s\n", SDL_GetError());
            StopWindow();
            SDL_Quit();
            return -1;
        }
    }
    FinishRuntimeStart();
    return 0;
}

void StopRuntime() {
    if (!runtimeSettings.started) return;
    BeginRuntimeStop();
    SDL_Quit();
    FinishRuntimeStop();
}

// The game asks for the cursor; the window still hides it in full screen and while the
// mouse is still (UpdateMouseCursor).
void ShowMouseCursor(int show) {
    runtimeSettings.showCursor = show != 0;
    if (runtimeSettings.started && !runtimeSettings.headless) UpdateMouseCursor();
}

// A desktop program ends when the player asks.
int CanQuit() { return 1; }
