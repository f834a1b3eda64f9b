// What a run may sound and the music it asked for, the same in both halves: silent while a
// replay is sought or summed up (effects start nothing, music is only noted), effects
// alone silent while the theatre plays away from 1x, and the piece the game last started
// with its count of starts, so the theatre can start it again part-way in.
#include <string>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

struct AudioNotes {
    bool silent = false;
    bool effectsSilent = false;
    std::string musicPath;  // the piece playing, or only noted while silent
    int musicPlayType = 0;
    int musicStarts = 0;    // PlayMusicFile calls with a file so far
};

AudioNotes notes;

}  // namespace

void SetAudioSilent(int silent) { notes.silent = silent != 0; }

void SetEffectsSilent(int silent) { notes.effectsSilent = silent != 0; }

bool EffectsSilenced() { return notes.silent || notes.effectsSilent; }

bool MusicOnlyNoted() { return notes.silent; }

MusicNote NotedMusic() { return MusicNote{notes.musicPath.c_str(), notes.musicPlayType, notes.musicStarts}; }

void NoteMusicStart(int playType) {
    notes.musicStarts++;
    notes.musicPlayType = playType;
}

void SetNotedMusicPath(const char* path) { notes.musicPath = path ? path : ""; }

const char* CurrentMusicFile() { return notes.musicPath.c_str(); }

bool StartMusicAt(const char* path, int playType, double seconds) {
    const int starts = notes.musicStarts;
    const bool placed = PlayMusicFrom(path, playType == 0 ? 1 : playType, seconds);
    notes.musicStarts = starts;  // the same start, heard again
    return placed;
}
