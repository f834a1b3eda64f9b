// Shared state of the media runtime's own files; nothing outside src/runtime/ includes this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

// The back buffer, 0xAARRGGBB with alpha always 0xFF. It exists before StartRuntime
// so that early drawing has somewhere harmless to go.
extern uint32_t backBuffer[ScreenWidth * ScreenHeight];

// Settings and switches that live across StartRuntime/StopRuntime.
struct RuntimeSettings {
    std::string windowTitle = "Zorbex";
    bool windowed = true;
    bool headless = false;
    bool started = false;
    bool drawingEnabled = true;
    bool showCursor = true;
    // false for runs that never draw or sound: pictures and sounds are measured, not decoded
    bool decodeAssets = true;
};
extern RuntimeSettings runtimeSettings;

// Picture and sound loaders count the files they could not read.
extern int missingAssets;

// "data/..." resolves beside the executable first, then in the working directory.
std::string ResolveDataPath(const char* path);
void FindDataDirectory();
// The folder of the running program, with a trailing '/', empty when unknown.
std::string ExecutableFolder();

// Silences stderr while system libraries probe for displays and sound cards, which
// print their failures there; the runtime reports its own failures in one line.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_;
};

// A tap on the game's picture at (x, y) in game pixels, kept for TakeTappedPoint.
void NoteTappedPoint(int x, int y);

// Clock and random numbers.
void ResetClock();
// The virtual clock of headless runs (virtual_clock.cpp): what GetMillis, SleepMillis and
// WaitUntilMillis do on it.
void ResetVirtualClock();
int32_t ReadVirtualMillis();
void SleepVirtualMillis(int ms);
void WaitForVirtualMillis(int32_t millis);
void SeedRandomFromClock();
int32_t PeekMillis();  // the clock without advancing the virtual one

// What every start and stop does around the platform's own devices (runtime_state.cpp):
// Begin, the devices, Finish.
void BeginRuntimeStart();
void FinishRuntimeStart();
void BeginRuntimeStop();
void FinishRuntimeStop();

// Each file's part of start and stop. Start functions return false on failure.
bool StartWindow();  // prints nothing: the caller reports SDL_GetError()
void StopWindow();
bool PresentBackBuffer();  // true when the frame went up
bool PumpWindowEvents();  // true once quit was seen
void SetFullScreen(bool full);
void NoteWindowFocusLoss();  // the window lost focus or was minimised
void ToggleFullScreen();
// Shows or hides the mouse cursor by MouseCursorShown (headless.h); every pump calls it.
void UpdateMouseCursor();

void StartInput();
void StopInput();
void HandlePadDeviceEvent(uint32_t type, int32_t which);
void ResetHeadlessInput();
void ApplyQueuedHeadlessKeys();
// What a headless caller supplied: keys, the pad's bits and its Start button, and whether
// a run in a real window or page plays the supplied pad bits.
bool HeadlessKeyDown(int scanCode);
int HeadlessPad();
bool HeadlessPadStart();
bool SuppliedButtonsOn();

// A picture handle as the blitters see it: a cell of one stored picture, whose
// transparent pixels have alpha 0 (their colour kept for opaque drawing).
struct ImageView {
    const uint32_t* pixels;  // top-left pixel of the cell
    int stride;              // pixels per row of the stored picture
    int width;
    int height;
    bool opaque;       // no transparent pixel in the whole picture: keying changes nothing
    bool uniform;      // every pixel of the whole picture is `colour`
    uint32_t colour;
};
bool GetImageView(int handle, ImageView* view);
uint32_t ColorKeyRgb();  // the key applied to pictures as they load, 0x00RRGGBB

// Mixes straight-alpha 0xAARRGGBB pixels (rendered text) onto the back buffer.
void BlendPixelsOnto(int x, int y, const uint32_t* pixels, int stride, int width, int height);

void ReleaseImages();
void ResetDrawState();

// PNG files. Larger pictures than this are taken as damaged rather than decoded into gigabytes.
constexpr int kMaxPictureSide = 4096;
// A PNG's size from its header alone, refused as the decoder refuses a missing file, one
// that is not a regular file, no PNG or too large a picture.
bool ReadPngSize(const std::string& path, int* width, int* height);
// A WAV's length in milliseconds from its header alone; false when missing or no WAV.
bool ReadWavMillis(const std::string& path, int* millis);
// Decodes a PNG into 0xAARRGGBB pixels; false when the file is missing, not a regular
// file, damaged or too large.
bool DecodePngFile(const std::string& path, std::vector<uint32_t>* pixels, int* width, int* height);
// Writes 0xAARRGGBB pixels with their alpha, or as plain RGB; true when written.
bool EncodePngFile(const char* path, int width, int height, const uint32_t* pixels, bool withAlpha);

void ShiftJisToUtf8(const char* text, std::string* out);
void StartText();
void StopText();
void ResetTextState();  // settings back to their start values, the line cache emptied

void StartSound();
void StopSound();
// The buffer rule of both platforms: a buffer started at `startMillis` on the runtime's
// clock sounds while it loops, or for the sound's length.
bool BufferStillSounds(bool started, bool looping, int32_t startMillis, int lengthMillis);
// A sound's volume (0 to 255, 10 log10(v / 255) dB) as the mixer's 0 to 128 scale: an
// amplitude of sqrt(v / 255), rounded to the mixer's steps on every platform alike.
int MixerVolume(int volume);
void ResetSoundPlayback();  // music and every buffer stopped, start counts back to 0

// The output limiter's state between buffers: the look-ahead delay line, the gain each
// delayed frame needs, and the smoothed gains of the last LimitLook frames with their sum.
constexpr int LimitLook = 64;  // frames (1.5 ms) the gain falls ahead of a peak
struct Limiter {
    float delay[LimitLook][2] = {};
    float need[LimitLook] = {};
    float held[LimitLook] = {};
    double heldSum = LimitLook;
    float gain = 1.0f;
    int pos = 0;
    int overCeiling = 0;  // frames in the look-ahead that need less than full gain
    Limiter();
};
// Limits `count` stereo float frames in place, raising *peakIn and *peakOut to the levels seen.
void Limit(Limiter& st, float* frames, int count, float* peakIn, float* peakOut);
// What TakeMixPeaks reports: the levels into and out of the limiter, and frames mixed.
void NoteMixPeaks(float in, float out, int count);

// The offline mixer (offline_sound.cpp). Once StartOfflineSound has found it usable,
// sound.cpp hands it what it would otherwise hand SDL_mixer's channels and music.
struct Mix_Chunk;
bool StartOfflineSound();  // after the mixer opened; true when offline mixing is on
void StopOfflineSound();   // before the effects' chunks are freed
bool OfflineSoundOn();
void SetOfflineChannelCount(int channels);  // at load time, so mixing never allocates
void PlayOfflineChannel(int channel, const Mix_Chunk* chunk, bool loop);
void HaltOfflineSound();  // every channel and the music stopped, the limiter anew
void PauseOfflineSound(bool paused);
bool PlayOfflineMusic(const char* path, bool loop);  // false when it cannot be decoded
void StopOfflineMusic();
bool SetOfflineMusicPosition(double seconds);

// What a run may sound and the music it asked for (audio_notes.cpp), shared by both halves.
void NoteMusicStart(int playType);  // a PlayMusicFile call of the game with a file
void SetNotedMusicPath(const char* path);  // the piece now playing or noted; nullptr for none
// Each half: `path` started `seconds` in (from its top when 0 or less) as PlayMusicFile
// starts it; false when it cannot play or cannot be placed there.
bool PlayMusicFrom(const char* path, int playType, double seconds);
