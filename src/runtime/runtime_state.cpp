// The media runtime's settings and headless switches, and where the data folder is:
// the same on every platform.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

RuntimeSettings runtimeSettings;
int missingAssets = 0;

static uint32_t startCount = 0;  // successful starts in this process
static int64_t presentedFrames = 0;  // frames that went up to the window or the canvas
static std::string dataDirectory = "data/";
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

// data/ beside the executable (a build folder), else ../share/zorbex/data beside it (an
// installed tree, wherever it was unpacked), else data/ in the working directory.
void FindDataDirectory() {
    const std::string exeDirectory = ExecutableFolder();
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

// Without decoded pixels there is nothing to draw from.
void SetDrawingEnabled(bool enabled) {
    runtimeSettings.drawingEnabled = enabled && runtimeSettings.decodeAssets;
}

void SetAssetDecoding(bool decode) {
    runtimeSettings.decodeAssets = decode;
    if (!decode) runtimeSettings.drawingEnabled = false;
}
bool DrawingEnabled() { return runtimeSettings.drawingEnabled; }

void RestartHeadlessSession(uint32_t seed) {
    if (!runtimeSettings.started || !runtimeSettings.headless) return;
    runtimeSettings.drawingEnabled = runtimeSettings.decodeAssets;
    ResetDrawState();
    ResetTextState();
    ResetSoundPlayback();
    ResetHeadlessInput();
    TakeWindowFocusLoss();
    EnableHeadless(seed);
}

int MixerVolume(int volume) {
    constexpr int kMixerFull = 128;
    const double amplitude = std::sqrt(std::clamp(volume, 0, 255) / 255.0);
    return int(std::lround(amplitude * kMixerFull));
}

// A start: this, then the platform's own and its window (none when headless), then
// FinishRuntimeStart, which starts input, text and sound.
void BeginRuntimeStart() {
    FindDataDirectory();
    missingAssets = 0;
}

void FinishRuntimeStart() {
    if (!runtimeSettings.headless) {
        StartInput();
        SeedRandomFromClock();
    }
    runtimeSettings.started = true;
    ++startCount;
    StartText();
    StartSound();
    ResetClock();
}

// A stop: this (the window and input go too), then the platform's own, then FinishRuntimeStop.
void BeginRuntimeStop() {
    StopSound();
    StopText();
    ReleaseImages();
    if (!runtimeSettings.headless) {
        StopInput();
        StopWindow();
    }
}

void FinishRuntimeStop() {
    runtimeSettings.started = false;
    runtimeSettings.drawingEnabled = true;
    runtimeSettings.decodeAssets = true;
    ResetDrawState();
    ResetHeadlessInput();
    TakeWindowFocusLoss();  // a loss seen by this run must not pause the next one
    ResetClock();
}

uint32_t RuntimeSession() { return runtimeSettings.started ? startCount : 0; }

void PresentFrame() {
    if (!runtimeSettings.drawingEnabled || !runtimeSettings.started || runtimeSettings.headless)
        return;
    if (PresentBackBuffer()) presentedFrames++;
}

int64_t PresentedFrameCount() { return presentedFrames; }

bool BufferStillSounds(bool started, bool looping, int32_t startMillis, int lengthMillis) {
    if (!started) return false;
    if (looping) return true;
    const int32_t elapsed = int32_t(uint32_t(PeekMillis()) - uint32_t(startMillis));
    return elapsed >= 0 && elapsed < lengthMillis;
}

int PumpWindowMessages() {
    if (!runtimeSettings.started) return 0;
    if (runtimeSettings.headless) {
        ApplyQueuedHeadlessKeys();
        return 0;
    }
    return PumpWindowEvents() ? 1 : 0;
}
