// Headless mode for tests and tools: no window and no audio device, the same
// software rendering, a fixed seed, a virtual clock and caller-supplied buttons.
// The game itself never calls these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Switch before StartRuntime. Seeds RandomUpTo with `seed` instead of the clock.
void EnableHeadless(uint32_t seed);
bool IsHeadless();

// A fixture that keeps one runtime, and what was loaded into it, for many tests:
// 0 while the runtime is stopped, else a number of its own for every start.
uint32_t RuntimeSession();
// Puts a started headless runtime back as a fresh start leaves it (seed, clock, buttons,
// drawing and text state, sound playback, music), keeping every loaded picture and sound.
void RestartHeadlessSession(uint32_t seed);

// Reseed the random generator (headless runs start every scenario from a known state).
void SeedRandom(uint32_t seed);
// Numbers drawn since the generator was last seeded; with the seed, its whole state.
uint64_t RandomDrawCount();
// The generator's whole state as bytes, for snapshots of the game state.
constexpr size_t kRandomStateBytes = 5120;
void SaveRandomState(unsigned char* bytes);
void RestoreRandomState(const unsigned char* bytes);

// With drawing off, every drawing operation returns at once; the game code still runs.
void SetDrawingEnabled(bool enabled);
// Before StartRuntime: false loads pictures and sounds by their sizes only, decoding no
// pixels or samples and opening no mixer, for runs that never draw or sound (a no-draw
// verification). Drawing stays off in such a run. StopRuntime turns decoding back on.
void SetAssetDecoding(bool decode);
bool DrawingEnabled();

// The buttons of the next frames, as GetPadState bits (PadDown .. PadButton3),
// and single keys (for Escape). In headless mode the real keyboard and pad are never read.
void SetHeadlessPad(int padBits);
void SetHeadlessKey(int scanCode, bool down);
// A tap at (x, y) in game pixels, as the page hands one in: the next TakeTappedPoint's.
void SetHeadlessTap(int x, int y);
// A run in a real window played from SetHeadlessPad's buttons (a replay watched): the pad
// and the keyboard give nothing else, except Escape, P and the pad's Start.
void UseSuppliedButtons(bool enabled);
// The frame just begun runs no game frame after all (the pause opened): a page's scripted
// buttons for it wait for the next game frame, so a script plays alike with or without a
// pause. Nothing to keep on the desktop.
void KeepScriptedFrame();

// A key that goes down or up at virtual time `atMillis`, as an event would: IsKeyDown
// shows it from the first PumpWindowMessages or PumpInputEvents at or after that time.
void QueueHeadlessKeyEvent(int scanCode, bool down, int32_t atMillis);

// Frame pacing on the real clock, for measuring tools: when the last WaitUntilMillis
// returned (CLOCK_MONOTONIC nanoseconds), and how late its sleeps woke (nine in ten of the
// last 64 within it; the pacing sleeps and never spins).
uint64_t LastFrameStartNanos();
int32_t PacingMarginMicros();
// Frames that went up to the window; a frame whose pixels are those already shown does not.
int64_t PresentedFrameCount();

// The virtual clock: GetMillis in headless mode. SleepMillis advances it; so does
// every GetMillis call, by one millisecond, so that busy waits end.
int32_t VirtualMillis();

// Whether the mouse cursor shows over the game's window: never in full screen, and in
// a window only while the game asks for it and the mouse moved less than
// kCursorIdleMillis ago.
constexpr uint32_t kCursorIdleMillis = 2000;
bool MouseCursorShown(bool asked, bool fullScreen, uint32_t millisSinceMotion);

// The back buffer: 640 x 480, 0xAARRGGBB. Valid after StartRuntime.
uint32_t ReadBackBufferPixel(int x, int y);
const uint32_t* BackBufferPixels();  // row by row, 640 to a row
bool SaveBackBufferPng(const char* path);  // true when the file was written

// What the loaders found. Size of a picture handle (false for a bad handle).
bool GetImageSize(int handle, int* width, int* height);
int MissingAssetCount();
const char* DataDirectory();  // the data folder the runtime searched, ending in '/'

// Sound playback as the runtime tracks it, for tests of the buffer rules.
// Buffer `buffer` of `handle`: how many times it was (re)started, and whether it sounds now.
int SoundStartCount(int handle, int buffer);
bool SoundBufferPlaying(int handle, int buffer);
int SoundLengthMillis(int handle);
// Length in seconds of a music file as decoded by the runtime, -1 when it cannot be opened.
double MusicFileSeconds(const char* path);
// The music file last started and not stopped since, "" for none.
const char* CurrentMusicFile();
// What the game's sounds do now (SetAudioSilent, SetEffectsSilent): effects start nothing;
// music is only noted, never heard.
bool EffectsSilenced();
bool MusicOnlyNoted();

// Sets the virtual clock, e.g. just below the 32-bit wrap.
void SetVirtualMillis(int32_t millis);
// Writes 0xAARRGGBB pixels as a PNG (test fixtures, tool output). True when written.
bool SavePixelsPng(const char* path, int width, int height, const uint32_t* pixels);
// The mixer volume (0..128) SetSoundVolume gave a sound, -1 without a mixer or handle.
int SoundMixerVolume(int handle);
// The font files tried at the next start, in order, instead of the system's; nullptr
// restores the system's.
void SetFontCandidates(const char* const* paths, int count);
// The straight-alpha 0xAARRGGBB pixels DrawText blends for `text` (Shift-JIS) in the
// current text settings and `colour`, for tools that keep rendered lines; false when the
// line renders nothing.
bool RenderTextLine(const char* text, int colour, std::vector<uint32_t>* pixels, int* width,
                    int* height);

// The mixed output as it leaves the limiter for the device: the highest level of its input
// and its output (1.0 = full scale) and the frames mixed since the last call.
struct MixPeaks {
    float in = 0.0f, out = 0.0f;
    long frames = 0;
};
MixPeaks TakeMixPeaks();
// Moves the playing music to `seconds` from its start; false without music.
bool SetMusicPosition(double seconds);
// The output limiter alone, on a state of its own (`fresh` starts it anew): `count` stereo
// float frames in place, each leaving LimiterDelayFrames() frames late.
void LimitStereoFrames(float* frames, int count, bool fresh);
int LimiterDelayFrames();
// The pause's inputs and audio as a test sees them: the pad's Start button, a focus loss
// as the window would report it, and whether music and effects are held.
void SetHeadlessPadStart(bool down);
void SimulateWindowFocusLoss();
bool AudioPaused();

// Offline sound, for exports that run faster than real time: switched on before StartRuntime in
// headless mode, the mixer sounds nothing on its own; what the game starts and stops is mixed only
// when asked, at the same volumes and through the same output limiter.
void EnableOfflineSound(bool enabled);
constexpr int OfflineSoundRate = 44100;  // stereo frames per second
// The next `count` stereo float frames of the mix (interleaved L R, after the limiter), continuing
// from the last call. Sounds started since the last call begin at the first of these frames.
void MixOfflineSound(float* frames, int count);
