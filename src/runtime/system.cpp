// Start and stop of the media runtime, its settings, and where the data folder is.
#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

RuntimeSettings runtimeSettings;
int missingAssets = 0;

static uint32_t startCount = 0;  // successful starts in this process

static std::string dataDirectory = "data/";
static std::string exeDirectory;  // with a trailing '/', empty when unknown
static bool dataInstalled = false;
static const char* const kInstalledData = "../share/zorbex/data";

static bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static bool IsFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

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

// data/ beside the executable (a build folder), else ../share/zorbex/data beside it (an
// installed tree, wherever it was unpacked), else data/ in the working directory.
void FindDataDirectory() {
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    exeDirectory.clear();
    if (n > 0) {
        exe[n] = '\0';
        char* slash = std::strrchr(exe, '/');
        if (slash) exeDirectory.assign(exe, slash + 1);
    }
    dataInstalled = false;
    if (!exeDirectory.empty() && IsDirectory(exeDirectory + "data")) {
        dataDirectory = exeDirectory + "data/";
    } else if (!exeDirectory.empty() && IsDirectory(exeDirectory + kInstalledData)) {
        dataDirectory = exeDirectory + kInstalledData + "/";
        dataInstalled = true;
    } else {
        dataDirectory = "data/";
    }
}

// A file missing from the folder found is still looked for in the working directory.
std::string ResolveDataPath(const char* path) {
    if (!path) return std::string();
    if (std::strncmp(path, "data/", 5) == 0 && dataDirectory != "data/") {
        std::string found = dataDirectory + (path + 5);
        if (IsFile(found)) return found;
    }
    return std::string(path);
}

const char* DataDirectory() {
    if (!runtimeSettings.started) FindDataDirectory();
    return dataDirectory.c_str();
}

bool DataFolderInstalled() {
    if (!runtimeSettings.started) FindDataDirectory();
    return dataInstalled;
}

int MissingAssetCount() { return missingAssets; }

void SetWindowTitle(const char* text) { runtimeSettings.windowTitle = text ? text : ""; }
void SetWindowedMode(int windowed) {
    runtimeSettings.windowed = windowed != 0;
    if (runtimeSettings.started && !runtimeSettings.headless) SetFullScreen(windowed == 0);
}
void SetLogFileEnabled(int) {}       // the runtime never writes a log
void SetScreenMode(int, int, int, int) {}  // always 640 x 480, drawn in 32 bits
void SetRenderTarget(int) {}         // the game only ever draws into the back buffer

void EnableHeadless(uint32_t seed) {
    runtimeSettings.headless = true;
    SeedRandom(seed);
    ResetClock();
}

bool IsHeadless() { return runtimeSettings.headless; }

void SetDrawingEnabled(bool enabled) { runtimeSettings.drawingEnabled = enabled; }

int StartRuntime() {
    if (runtimeSettings.started) return 0;
    FindDataDirectory();
    missingAssets = 0;
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
    SDL_Quit();
    runtimeSettings.started = false;
    runtimeSettings.drawingEnabled = true;
    ResetDrawState();
    ResetHeadlessInput();
    TakeWindowFocusLoss();  // a loss seen by this run must not pause the next one
    ResetClock();
}

uint32_t RuntimeSession() { return runtimeSettings.started ? startCount : 0; }

void RestartHeadlessSession(uint32_t seed) {
    if (!runtimeSettings.started || !runtimeSettings.headless) return;
    runtimeSettings.drawingEnabled = true;
    ResetDrawState();
    ResetTextState();
    ResetSoundPlayback();
    ResetHeadlessInput();
    TakeWindowFocusLoss();
    EnableHeadless(seed);
}

int PumpWindowMessages() {
    if (!runtimeSettings.started) return 0;
    if (runtimeSettings.headless) {
        ApplyQueuedHeadlessKeys();
        return 0;
    }
    return PumpWindowEvents() ? 1 : 0;
}

// The game asks for the cursor; the window still hides it in full screen and while the
// mouse is still (UpdateMouseCursor).
void ShowMouseCursor(int show) {
    runtimeSettings.showCursor = show != 0;
    if (runtimeSettings.started && !runtimeSettings.headless) UpdateMouseCursor();
}
