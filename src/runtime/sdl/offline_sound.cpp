// Offline sound for exports that run faster than real time: the same chunks, volumes and
// limiter as SDL_mixer's own mix, but summed only when the caller asks for the next frames.
// The mixer stays open on the silent driver (it decodes and converts every file to its own
// float stereo format), yet nothing is ever started on its channels, so the device thread
// only mixes idle silence and moves nothing the export depends on.
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/headless.h"
#include "runtime/runtime_internal.h"

namespace {

constexpr int MusicKept = 16;                         // more than the game has tracks
constexpr size_t MusicKeptBytes = size_t(192) << 20;  // 9 minutes of decoded music

// What one mixer channel (or the music) is playing: the chunk and the next float sample.
struct Voice {
    const Mix_Chunk* chunk = nullptr;
    Uint32 at = 0;
    bool looping = false;
    bool paused = false;
};

// A music file decoded whole, kept so that a track heard again is not decoded again.
struct DecodedMusic {
    std::string path;
    Mix_Chunk* chunk = nullptr;
    uint64_t lastUse = 0;
};

bool requested = false;
bool active = false;
std::vector<Voice> voices;  // one per mixer channel
Voice musicVoice;
DecodedMusic decoded[MusicKept];
uint64_t musicUses = 0;
Limiter limiter;

size_t FloatSamples(const Mix_Chunk* chunk) { return chunk->alen / sizeof(float); }

// Adds a voice's next samples as SDL_mixer does: sample * volume / 128, summed in float
// without clipping (the limiter comes after), going back to the start when it loops.
void MixVoice(Voice& v, int volume, float* out, int samples) {
    if (!v.chunk || v.paused) return;
    const float* source = reinterpret_cast<const float*>(v.chunk->abuf);
    const Uint32 length = Uint32(FloatSamples(v.chunk));
    const float gain = float(volume);
    int done = 0;
    while (done < samples) {
        if (v.at >= length) {
            if (!v.looping || length == 0) {
                v = Voice();
                return;
            }
            v.at = 0;
        }
        const int n = int(std::min(Uint32(samples - done), length - v.at));
        const float* from = source + v.at;
        for (int i = 0; i < n; ++i) out[done + i] += from[i] * gain * (1.0f / MIX_MAX_VOLUME);
        v.at += Uint32(n);
        done += n;
    }
}

void ForgetDecodedMusic(DecodedMusic& d) {
    if (d.chunk) Mix_FreeChunk(d.chunk);
    d = DecodedMusic();
}

// Frees the least recently heard tracks until `incoming` more bytes fit the budget.
void MakeRoomForMusic(size_t incoming) {
    for (;;) {
        size_t kept = 0;
        DecodedMusic* oldest = nullptr;
        for (DecodedMusic& d : decoded) {
            if (!d.chunk) continue;
            kept += d.chunk->alen;
            if (!oldest || d.lastUse < oldest->lastUse) oldest = &d;
        }
        bool slotFree = false;
        for (const DecodedMusic& d : decoded) slotFree = slotFree || !d.chunk;
        if (!oldest || (slotFree && kept + incoming <= MusicKeptBytes)) return;
        ForgetDecodedMusic(*oldest);
    }
}

// SDL_mixer decodes music formats into a chunk too, with the same decoder Mix_LoadMUS
// streams from, converted to the device format: the samples the game's music plays.
const Mix_Chunk* DecodeMusic(const char* path) {
    for (DecodedMusic& d : decoded) {
        if (d.chunk && d.path == path) {
            d.lastUse = ++musicUses;
            return d.chunk;
        }
    }
    Mix_Chunk* chunk = nullptr;
    // the file is closed here: SDL_mixer leaks it when it cannot read the format
    if (SDL_RWops* rw = SDL_RWFromFile(ResolveDataPath(path).c_str(), "rb")) {
        chunk = Mix_LoadWAV_RW(rw, 0);
        SDL_RWclose(rw);
    }
    if (!chunk) return nullptr;
    MakeRoomForMusic(chunk->alen);
    for (DecodedMusic& d : decoded) {
        if (d.chunk) continue;
        d.path = path;
        d.chunk = chunk;
        d.lastUse = ++musicUses;
        return chunk;
    }
    Mix_FreeChunk(chunk);  // unreachable: MakeRoomForMusic always leaves a slot
    return nullptr;
}

}  // namespace

void EnableOfflineSound(bool enabled) { requested = enabled; }

bool StartOfflineSound() {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    // the mix below reads chunks as float stereo at OfflineSoundRate: only that device will do
    active = requested && runtimeSettings.headless && Mix_QuerySpec(&rate, &format, &channels) &&
             rate == OfflineSoundRate && format == AUDIO_F32SYS && channels == 2;
    HaltOfflineSound();
    return active;
}

void StopOfflineSound() {
    HaltOfflineSound();
    voices.clear();
    for (DecodedMusic& d : decoded) ForgetDecodedMusic(d);
    active = false;
}

bool OfflineSoundOn() { return active; }

void SetOfflineChannelCount(int channels) {
    if (active) voices.resize(size_t(std::max(channels, 0)));
}

// As Mix_PlayChannel: what played on the channel gives way, and a paused channel plays.
void PlayOfflineChannel(int channel, const Mix_Chunk* chunk, bool loop) {
    if (!active || channel < 0 || size_t(channel) >= voices.size()) return;
    Voice& v = voices[size_t(channel)];
    v = Voice();
    v.chunk = chunk;
    v.looping = loop;
}

void HaltOfflineSound() {
    std::fill(voices.begin(), voices.end(), Voice());
    musicVoice = Voice();
    limiter = Limiter();
}

void PauseOfflineSound(bool paused) {
    for (Voice& v : voices) v.paused = paused && v.chunk;
    musicVoice.paused = paused && musicVoice.chunk;
}

bool PlayOfflineMusic(const char* path, bool loop) {
    musicVoice = Voice();
    if (!active || !path) return false;
    musicVoice.chunk = DecodeMusic(path);
    musicVoice.looping = loop;
    return musicVoice.chunk != nullptr;
}

void StopOfflineMusic() { musicVoice = Voice(); }

bool SetOfflineMusicPosition(double seconds) {
    if (!musicVoice.chunk) return false;
    const double frames = std::max(seconds, 0.0) * OfflineSoundRate;
    const size_t length = FloatSamples(musicVoice.chunk);
    musicVoice.at = Uint32(std::min(size_t(frames) * 2, length));
    return true;
}

void MixOfflineSound(float* frames, int count) {
    if (!frames || count <= 0) return;
    const int samples = 2 * count;
    std::fill(frames, frames + samples, 0.0f);
    if (!active) return;
    // the music first, then the channels in order, as SDL_mixer sums them
    MixVoice(musicVoice, Mix_VolumeMusic(-1), frames, samples);
    for (Voice& v : voices) MixVoice(v, v.chunk ? v.chunk->volume : 0, frames, samples);
    float in = 0.0f, out = 0.0f;
    Limit(limiter, frames, count, &in, &out);
    NoteMixPeaks(in, out, count);
}
