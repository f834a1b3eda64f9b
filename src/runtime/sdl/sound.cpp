// Sound effects with round-robin playback buffers, and streamed music, on SDL_mixer.
// Whether a buffer still sounds is judged from its start time and the sound's length on
// the runtime's clock, so the buffer rules behave alike with a device, the dummy
// driver or the virtual clock of headless runs.
// The mixer works in float, so music and effects sum without clipping, and its output passes
// a look-ahead limiter on the post-mix hook before the device turns it into 16 bits: no mix
// of any loudness reaches full scale. Headless runs open the same mixer on the silent
// driver, so they mix and limit the same samples as a real device; with offline sound on
// they hand every start and stop to offline_sound.cpp instead, which mixes on request.
#include <SDL.h>
#include <SDL_mixer.h>
#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

constexpr int MaxBuffers = 8;
constexpr int MixRate = OfflineSoundRate;  // the offline mix reads chunks at this rate too
constexpr int MixSamples = 1024;           // per device buffer, headless or not
constexpr float LimitCeiling = 0.944f;     // -0.5 dBFS
constexpr float LimitReleaseSeconds = 0.1f;

struct Buffer {
    int channel = -1;
    int starts = 0;
    int32_t startMillis = 0;
    bool started = false;
    bool looping = false;
};

struct Sound {
    Mix_Chunk* chunk = nullptr;  // null when no mixer could be opened
    int lengthMillis = 0;
    int bufferCount = 1;
    int next = 0;
    Buffer buffers[MaxBuffers];
};

std::vector<Sound> sounds;  // handle h is sounds[h - 1]
bool audioOpen = false;
bool audioSubsystem = false;
int channelsAllocated = 0;
Mix_Music* music = nullptr;
bool audioPaused = false;
int32_t pausedAtMillis = 0;
// the player's volumes on the mixer's 0 to 128 scale, over each sound's own volume
int musicLevel = MIX_MAX_VOLUME;
int effectsLevel = MIX_MAX_VOLUME;

// A forked child (a test's player run as another user) has no mixing thread, and the
// mixer's lock may have gone with that thread held: the child's sounds keep their
// buffers and clock, as a headless run's do, but never call into the device again.
bool deviceGone = false;
bool DeviceOpen() { return audioOpen && !deviceGone; }
void ForgetDeviceInChild() { deviceGone = true; }

Limiter outputLimiter;  // touched only by the audio thread once the device runs
std::atomic<float> mixPeakIn{0.0f}, mixPeakOut{0.0f};
std::atomic<long> mixFrames{0};

void RaisePeak(std::atomic<float>& peak, float value) {
    float seen = peak.load();
    while (value > seen && !peak.compare_exchange_weak(seen, value)) {}
}

void LimitMix(void*, Uint8* stream, int bytes) {
    float in = 0.0f, out = 0.0f;
    const int count = bytes / int(2 * sizeof(float));
    Limit(outputLimiter, reinterpret_cast<float*>(stream), count, &in, &out);
    NoteMixPeaks(in, out, count);
}

Sound* FindSound(int handle) {
    if (handle <= 0 || size_t(handle) > sounds.size()) return nullptr;
    return &sounds[size_t(handle) - 1];
}

bool BufferSounds(const Sound& s, const Buffer& b) {
    return BufferStillSounds(b.started, b.looping, b.startMillis, s.lengthMillis);
}

bool OpenMixer() {
    QuietStderr quiet;  // sound libraries report a missing card on stderr
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // float mixing: SDL converts to whatever the device takes, after the limiter
    if (Mix_OpenAudio(MixRate, AUDIO_F32SYS, 2, MixSamples) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

int ChunkMillis(const Mix_Chunk* chunk) {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&freq, &format, &channels)) return 0;
    const int64_t bytesPerSecond = int64_t(freq) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
    return bytesPerSecond > 0 ? int(int64_t(chunk->alen) * 1000 / bytesPerSecond) : 0;
}

// Without any mixer the file is still read, so its length and presence are known.
bool MeasureWavFile(const std::string& path, int* millis) {
    SDL_AudioSpec format;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &format, &data, &length)) return false;
    const int64_t bytesPerSecond =
        int64_t(format.freq) * format.channels * (SDL_AUDIO_BITSIZE(format.format) / 8);
    *millis = bytesPerSecond > 0 ? int(int64_t(length) * 1000 / bytesPerSecond) : 0;
    SDL_FreeWAV(data);
    return true;
}

// Plays out a blocking sound: window messages keep being handled while it sounds.
void WaitForBuffer(const Sound& s, const Buffer& b) {
    if (runtimeSettings.headless) {
        SleepMillis(s.lengthMillis);  // the virtual clock moves on as if it had played
        return;
    }
    while (BufferSounds(s, b) || (DeviceOpen() && Mix_Playing(b.channel))) {
        if (PumpWindowEvents()) return;  // the window was closed: stop waiting
        SleepMillis(4);
    }
}

}  // namespace

Limiter::Limiter() {
    std::fill(need, need + LimitLook, 1.0f);
    std::fill(held, held + LimitLook, 1.0f);
}

// Each output frame is the input of LimitLook - 1 frames before, times the mean of the last
// LimitLook smoothed gains; each of those is at most the least any frame in its look-ahead
// window needs, so every frame leaves at or under the ceiling. Frame by frame, so the output
// is the same whatever size the buffers are.
void Limit(Limiter& st, float* frames, int count, float* peakIn, float* peakOut) {
    const float recover = 1.0f - std::exp(-1.0f / (LimitReleaseSeconds * MixRate));
    for (int i = 0; i < count; ++i) {
        float* f = frames + 2 * i;
        const float level = std::max(std::fabs(f[0]), std::fabs(f[1]));
        *peakIn = std::max(*peakIn, level);
        const int at = st.pos;
        st.pos = (st.pos + 1) % LimitLook;
        st.delay[at][0] = f[0];
        st.delay[at][1] = f[1];
        const float need = level > LimitCeiling ? LimitCeiling / level : 1.0f;
        st.overCeiling += int(need < 1.0f) - int(st.need[at] < 1.0f);
        st.need[at] = need;
        // music under the ceiling needs full gain throughout: no window to search
        const float least = st.overCeiling > 0 ? *std::min_element(st.need, st.need + LimitLook) : 1.0f;
        st.gain = std::min(least, st.gain + (1.0f - st.gain) * recover);
        st.heldSum += st.gain - st.held[at];
        st.held[at] = st.gain;
        const float g = float(st.heldSum / LimitLook);
        const float* oldest = st.delay[st.pos];
        for (int c = 0; c < 2; ++c) f[c] = std::clamp(oldest[c] * g, -LimitCeiling, LimitCeiling);
        *peakOut = std::max({*peakOut, std::fabs(f[0]), std::fabs(f[1])});
    }
}

void StartSound() {
    // headless runs never touch a real device; a window falls back to silence
    if (runtimeSettings.headless)
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    // a run that never sounds measures its sounds and needs no mixer
    audioOpen = runtimeSettings.decodeAssets && OpenMixer();
    if (!audioOpen && !runtimeSettings.headless && runtimeSettings.decodeAssets) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        audioOpen = OpenMixer();
    }
    audioSubsystem = audioOpen;
    static const bool childrenWatched = pthread_atfork(nullptr, nullptr, ForgetDeviceInChild) == 0;
    (void)childrenWatched;
    if (audioOpen) {
        Mix_Init(MIX_INIT_MP3);
        Mix_AllocateChannels(0);
        outputLimiter = Limiter();
        // mixed offline, the device only ever hears idle channels: nothing of it is measured
        if (!StartOfflineSound()) Mix_SetPostMix(LimitMix, nullptr);
    }
    channelsAllocated = 0;
}

void StopSound() {
    StopMusicFile();
    if (DeviceOpen()) Mix_HaltChannel(-1);
    StopOfflineSound();
    for (Sound& s : sounds)
        if (s.chunk && !deviceGone) Mix_FreeChunk(s.chunk);
    sounds.clear();
    if (DeviceOpen()) {
        Mix_SetPostMix(nullptr, nullptr);
        Mix_CloseAudio();
        Mix_Quit();
    }
    if (audioSubsystem && !deviceGone) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen = audioSubsystem = false;
    channelsAllocated = 0;
    audioPaused = false;
}

// Held sounds keep their place; their buffers' start times move on by the pause, so
// the buffer rules still see them sounding for their remaining length.
void PauseAudio(int paused) {
    if ((paused != 0) == audioPaused) return;
    audioPaused = paused != 0;
    if (audioPaused) {
        pausedAtMillis = PeekMillis();
        PauseOfflineSound(true);
        if (DeviceOpen()) {
            Mix_Pause(-1);
            Mix_PauseMusic();
        }
        return;
    }
    const uint32_t held = uint32_t(PeekMillis()) - uint32_t(pausedAtMillis);
    for (Sound& s : sounds)
        for (int i = 0; i < s.bufferCount; ++i)
            s.buffers[i].startMillis = int32_t(uint32_t(s.buffers[i].startMillis) + held);
    PauseOfflineSound(false);
    if (DeviceOpen()) {
        Mix_Resume(-1);
        Mix_ResumeMusic();
    }
}

bool AudioPaused() { return audioPaused; }

void ResetSoundPlayback() {
    StopMusicFile();
    if (DeviceOpen()) Mix_HaltChannel(-1);
    HaltOfflineSound();
    for (Sound& s : sounds) {
        s.next = 0;
        for (Buffer& b : s.buffers) {
            const int channel = b.channel;
            b = Buffer();
            b.channel = channel;
        }
    }
}

int LoadSound(const char* path, int buffers, int) {
    if (!path) {
        ++missingAssets;
        return -1;
    }
    const std::string file = ResolveDataPath(path);
    Sound s;
    if (audioOpen) {
        // the file is closed here: SDL_mixer leaks it when it cannot read the format
        if (SDL_RWops* rw = SDL_RWFromFile(file.c_str(), "rb")) {
            s.chunk = Mix_LoadWAV_RW(rw, 0);
            SDL_RWclose(rw);
        }
        if (!s.chunk) {
            ++missingAssets;
            return -1;
        }
        s.lengthMillis = ChunkMillis(s.chunk);
    } else if (!runtimeSettings.decodeAssets ? !ReadWavMillis(file, &s.lengthMillis)
                                             : !MeasureWavFile(file, &s.lengthMillis)) {
        ++missingAssets;
        return -1;
    }
    s.bufferCount = std::clamp(buffers, 1, MaxBuffers);
    for (int i = 0; i < s.bufferCount; ++i) s.buffers[i].channel = channelsAllocated + i;
    channelsAllocated += s.bufferCount;
    if (DeviceOpen()) Mix_AllocateChannels(channelsAllocated);
    SetOfflineChannelCount(channelsAllocated);
    sounds.push_back(s);
    return int(sounds.size());
}

void SetSoundVolume(int volume, int handle) {
    Sound* s = FindSound(handle);
    if (!s || !s->chunk) return;
    Mix_VolumeChunk(s->chunk, MixerVolume(volume));
}

int PlaySound(int handle, int playType, int fromStart) {
    Sound* s = FindSound(handle);
    if (!s) return -1;
    if (EffectsSilenced()) return 0;
    Buffer& b = s->buffers[s->next];
    s->next = (s->next + 1) % s->bufferCount;
    if (BufferSounds(*s, b) && !fromStart) return 0;
    const bool loop = playType == 3;
    if (audioOpen && s->chunk) {
        if (OfflineSoundOn())
            PlayOfflineChannel(b.channel, s->chunk, loop);
        else if (!deviceGone) {
            Mix_Volume(b.channel, effectsLevel);
            Mix_PlayChannel(b.channel, s->chunk, loop ? -1 : 0);
        }
    }
    b.started = true;
    b.looping = loop;
    b.startMillis = PeekMillis();
    ++b.starts;
    if (playType == 0) WaitForBuffer(*s, b);
    return 0;
}

int PlayMusicFile(const char* path, int playType) {
    StopMusicFile();
    if (path) NoteMusicStart(playType);
    // never heard, but known as the game asked for it
    if (path && (!runtimeSettings.decodeAssets || MusicOnlyNoted())) {
        SetNotedMusicPath(path);
        return 0;
    }
    if (!path || !audioOpen) return -1;
    if (OfflineSoundOn()) {
        if (!PlayOfflineMusic(path, playType == 3)) return -1;
        SetNotedMusicPath(path);
        return 0;
    }
    if (deviceGone) {
        SetNotedMusicPath(path);
        return 0;
    }
    music = Mix_LoadMUS(ResolveDataPath(path).c_str());
    if (!music) return -1;
    if (Mix_PlayMusic(music, playType == 3 ? -1 : 0) != 0) {
        Mix_FreeMusic(music);
        music = nullptr;
        return -1;
    }
    SetNotedMusicPath(path);
    Mix_VolumeMusic(musicLevel);
    if (playType == 0 && !runtimeSettings.headless) {
        while (Mix_PlayingMusic()) {
            if (PumpWindowEvents()) break;
            SleepMillis(4);
        }
    }
    return 0;
}

void StopMusicFile() {
    if (music && !deviceGone) {
        Mix_HaltMusic();
        Mix_FreeMusic(music);
    }
    music = nullptr;
    StopOfflineMusic();
    SetNotedMusicPath(nullptr);
}

int SoundStartCount(int handle, int buffer) {
    const Sound* s = FindSound(handle);
    if (!s || buffer < 0 || buffer >= s->bufferCount) return 0;
    return s->buffers[buffer].starts;
}

bool SoundBufferPlaying(int handle, int buffer) {
    const Sound* s = FindSound(handle);
    if (!s || buffer < 0 || buffer >= s->bufferCount) return false;
    return BufferSounds(*s, s->buffers[buffer]);
}

int SoundLengthMillis(int handle) {
    const Sound* s = FindSound(handle);
    return s ? s->lengthMillis : 0;
}

int SoundMixerVolume(int handle) {
    const Sound* s = FindSound(handle);
    if (!s || !s->chunk) return -1;
    return Mix_VolumeChunk(s->chunk, -1);
}

double MusicFileSeconds(const char* path) {
    if (!path) return -1.0;
    // tools may ask before any runtime exists: open a silent mixer just for the measure
    const bool temporary = !audioOpen;
    if (temporary) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (!OpenMixer()) return -1.0;
        Mix_Init(MIX_INIT_MP3);
    }
    double seconds = -1.0;
    if (Mix_Music* m = Mix_LoadMUS(ResolveDataPath(path).c_str())) {
        seconds = Mix_MusicDuration(m);
        Mix_FreeMusic(m);
    }
    if (temporary) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    return seconds;
}

bool PlayMusicFrom(const char* path, int playType, double seconds) {
    if (PlayMusicFile(path, playType) != 0) return false;
    if (seconds <= 0.0) return true;
    // a looping piece is placed round its length
    if (music && playType == 3) {
        const double length = Mix_MusicDuration(music);
        if (length > 0.0) seconds = std::fmod(seconds, length);
    }
    return SetMusicPosition(seconds);
}

bool SetMusicPosition(double seconds) {
    if (OfflineSoundOn()) return SetOfflineMusicPosition(seconds);
    return music && Mix_SetMusicPosition(seconds) == 0;
}

void NoteMixPeaks(float in, float out, int count) {
    RaisePeak(mixPeakIn, in);
    RaisePeak(mixPeakOut, out);
    mixFrames += count;
}

MixPeaks TakeMixPeaks() {
    MixPeaks p;
    p.in = mixPeakIn.exchange(0.0f);
    p.out = mixPeakOut.exchange(0.0f);
    p.frames = mixFrames.exchange(0);
    return p;
}

void LimitStereoFrames(float* frames, int count, bool fresh) {
    static Limiter state;
    if (fresh) state = Limiter();
    float in = 0.0f, out = 0.0f;
    Limit(state, frames, count, &in, &out);
}

int LimiterDelayFrames() { return LimitLook - 1; }

// Ten steps of amplitude, 10 the mix as it is made.
void SetAudioVolumes(int musicVolume, int effectsVolume) {
    musicLevel = std::clamp(musicVolume, 0, 10) * MIX_MAX_VOLUME / 10;
    effectsLevel = std::clamp(effectsVolume, 0, 10) * MIX_MAX_VOLUME / 10;
    if (!DeviceOpen() || OfflineSoundOn()) return;
    Mix_Volume(-1, effectsLevel);
    Mix_VolumeMusic(musicLevel);
}
