// Sound effects and music in the browser build, through the page's Web Audio: effects
// decoded by the browser from the same WAV files (or their Ogg Vorbis twins, which the page's
// package holds instead), music streamed from the same MP3 files
// when first needed, at the desktop's volumes, the sum through a limiter. The buffer rules
// are kept here, on the runtime's clock, as on the desktop: each sound has its buffers in
// turn, and a buffer still sounding is restarted only when asked to start from the start.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/web/page.h"

extern "C" {
void zorbex_page_sound_load(int handle, const uint8_t* wav, int size);
void zorbex_page_sound_volume(int handle, double gain);
void zorbex_page_sound_play(int handle, int buffer, int loop);
void zorbex_page_sound_stop_all();
void zorbex_page_music_play(const char* path, int loop, double seconds);
void zorbex_page_music_stop();
void zorbex_page_music_volume(double gain);
void zorbex_page_audio_pause(int paused);
void zorbex_page_audio_close();
}

namespace {

constexpr int MaxBuffers = 8;
constexpr size_t kMaxWavBytes = size_t(64) << 20;
constexpr int kMixerFull = 128;

struct Buffer {
    int starts = 0;
    int32_t startMillis = 0;
    bool started = false;
    bool looping = false;
};

struct Sound {
    int lengthMillis = 0;
    int bufferCount = 1;
    int next = 0;
    Buffer buffers[MaxBuffers];
    int volume = 255;  // as the game set it, before the player's effects volume
};

std::vector<Sound> sounds;  // handle h is sounds[h - 1]
bool musicPlaying = false;  // on the page: StopMusicFile has something to stop
bool audioPaused = false;
int32_t pausedAtMillis = 0;

bool OnPage() { return runtimeSettings.started && !runtimeSettings.headless; }

Sound* FindSound(int handle) {
    if (handle <= 0 || size_t(handle) > sounds.size()) return nullptr;
    return &sounds[size_t(handle) - 1];
}

bool BufferSounds(const Sound& s, const Buffer& b) {
    return BufferStillSounds(b.started, b.looping, b.startMillis, s.lengthMillis);
}

uint32_t Little(const std::string& d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | uint8_t(d[at + size_t(i)]);
    return v;
}

// The length of a RIFF WAVE file's sound, from its format and the size of its data.
bool WavMillis(const std::string& d, int* millis) {
    if (d.size() < 12 || d.compare(0, 4, "RIFF") != 0 || d.compare(8, 4, "WAVE") != 0) return false;
    uint64_t bytesPerSecond = 0;
    for (size_t at = 12; at + 8 <= d.size();) {
        const uint32_t size = Little(d, at + 4, 4);
        if (d.compare(at, 4, "fmt ") == 0 && size >= 16 && at + 24 <= d.size()) {
            const uint32_t channels = Little(d, at + 10, 2), rate = Little(d, at + 12, 4);
            const uint32_t bits = Little(d, at + 22, 2);
            bytesPerSecond = uint64_t(rate) * channels * (bits / 8);
        } else if (d.compare(at, 4, "data") == 0) {
            if (bytesPerSecond == 0) return false;
            const uint64_t length = std::min<uint64_t>(size, d.size() - at - 8);
            *millis = int(length * 1000 / bytesPerSecond);
            return true;
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

// The length of an Ogg Vorbis effect: the WAV's count of samples, which the build wrote in
// its comments (the sound goes on in silence after them, for decoders that stop short), and
// the rate, so the length comes out as WavMillis gives it for the WAV.
bool VorbisMillis(const std::string& d, int* millis) {
    static const char kSamples[] = "ZORBEX_SAMPLES=";
    const size_t ident = d.find("\x01vorbis");
    const size_t tag = d.substr(0, 4096).find(kSamples);  // in the comment header, near the start
    if (ident == std::string::npos || ident + 16 > d.size() || tag == std::string::npos) return false;
    const uint32_t rate = Little(d, ident + 12, 4);
    uint64_t samples = 0;
    size_t at = tag + sizeof kSamples - 1;
    for (; at < d.size() && d[at] >= '0' && d[at] <= '9' && samples < uint64_t(1) << 40; ++at)
        samples = samples * 10 + uint64_t(d[at] - '0');
    if (rate == 0 || at == tag + sizeof kSamples - 1 || samples >= uint64_t(1) << 40) return false;
    *millis = int(samples * 1000 / rate);
    return true;
}

// A sound's file and its length: the WAV named, else its Ogg Vorbis twin.
bool ReadEffect(const char* path, std::string* bytes, int* millis) {
    std::string error;
    if (ReadWholeFile(ResolveDataPath(path).c_str(), kMaxWavBytes, bytes, &error)) return WavMillis(*bytes, millis);
    std::string twin = path;
    if (twin.size() < 4 || twin.compare(twin.size() - 4, 4, ".wav") != 0) return false;
    twin.replace(twin.size() - 4, 4, ".ogg");
    return ReadWholeFile(ResolveDataPath(twin.c_str()).c_str(), kMaxWavBytes, bytes, &error) &&
           VorbisMillis(*bytes, millis);
}

// Plays out a blocking sound: the page goes on drawing and sounding meanwhile.
void WaitForBuffer(const Sound& s) { SleepMillis(s.lengthMillis); }

}  // namespace

void StartSound() {
    sounds.clear();
    musicPlaying = false;
    SetNotedMusicPath(nullptr);
    audioPaused = false;
}

void StopSound() {
    StopMusicFile();
    if (OnPage()) zorbex_page_audio_close();
    sounds.clear();
    audioPaused = false;
}

void EnableOfflineSound(bool) {}  // offline mixing is the desktop's, for its video export

// Held sounds keep their place; their buffers' start times move on by the pause, so
// the buffer rules still see them sounding for their remaining length.
void PauseAudio(int paused) {
    if ((paused != 0) == audioPaused) return;
    audioPaused = paused != 0;
    if (OnPage()) zorbex_page_audio_pause(audioPaused ? 1 : 0);
    if (audioPaused) {
        pausedAtMillis = PeekMillis();
        return;
    }
    const uint32_t held = uint32_t(PeekMillis()) - uint32_t(pausedAtMillis);
    for (Sound& s : sounds)
        for (int i = 0; i < s.bufferCount; ++i)
            s.buffers[i].startMillis = int32_t(uint32_t(s.buffers[i].startMillis) + held);
}

bool AudioPaused() { return audioPaused; }

void ResetSoundPlayback() {
    StopMusicFile();
    if (OnPage()) zorbex_page_sound_stop_all();
    for (Sound& s : sounds) s = Sound{s.lengthMillis, s.bufferCount, 0, {}, s.volume};
}

int LoadSound(const char* path, int buffers, int) {
    std::string wav;
    Sound s;
    if (!path || !ReadEffect(path, &wav, &s.lengthMillis)) {
        ++missingAssets;
        return -1;
    }
    s.bufferCount = std::clamp(buffers, 1, MaxBuffers);
    sounds.push_back(s);
    const int handle = int(sounds.size());
    if (OnPage()) zorbex_page_sound_load(handle, reinterpret_cast<const uint8_t*>(wav.data()), int(wav.size()));
    return handle;
}

// the player's effects volume, 0 to 10, over each sound's own
int effectsSteps = 10;

void SetSoundVolume(int volume, int handle) {
    Sound* s = FindSound(handle);
    if (!s) return;
    s->volume = volume;
    if (OnPage()) zorbex_page_sound_volume(handle, double(MixerVolume(volume)) / kMixerFull * effectsSteps / 10.0);
}

// Web Audio: the effects by each sound's gain, the music by the page's music gain.
void SetAudioVolumes(int music, int effects) {
    effectsSteps = std::clamp(effects, 0, 10);
    for (size_t i = 0; i < sounds.size(); ++i) SetSoundVolume(sounds[i].volume, int(i) + 1);
    if (OnPage()) zorbex_page_music_volume(std::clamp(music, 0, 10) / 10.0);
}

int PlaySound(int handle, int playType, int fromStart) {
    Sound* s = FindSound(handle);
    if (!s) return -1;
    if (EffectsSilenced()) return 0;
    const int index = s->next;
    Buffer& b = s->buffers[index];
    s->next = (s->next + 1) % s->bufferCount;
    if (BufferSounds(*s, b) && !fromStart) return 0;
    const bool loop = playType == 3;
    if (OnPage()) zorbex_page_sound_play(handle, index, loop ? 1 : 0);
    b.started = true;
    b.looping = loop;
    b.startMillis = PeekMillis();
    ++b.starts;
    if (playType == 0) WaitForBuffer(*s);
    return 0;
}

// The page fetches the file itself, from beside the page; a file it cannot play stays silent.
// The page places it `seconds` in once it knows the file's length.
bool PlayMusicFrom(const char* path, int playType, double seconds) {
    StopMusicFile();
    if (path) NoteMusicStart(playType);
    if (path && MusicOnlyNoted()) {
        SetNotedMusicPath(path);
        return true;
    }
    if (!path || !runtimeSettings.started) return false;
    struct stat st;
    if (!OnPage() && stat(ResolveDataPath(path).c_str(), &st) != 0) return false;
    if (OnPage()) zorbex_page_music_play(path, playType == 3 ? 1 : 0, seconds > 0.0 ? seconds : 0.0);
    SetNotedMusicPath(path);
    musicPlaying = true;
    return true;
}

int PlayMusicFile(const char* path, int playType) { return PlayMusicFrom(path, playType, 0.0) ? 0 : -1; }

void StopMusicFile() {
    if (musicPlaying && OnPage()) zorbex_page_music_stop();
    musicPlaying = false;
    SetNotedMusicPath(nullptr);
}
