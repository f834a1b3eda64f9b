// The game's music: every track, defined in the songs_*.cpp files.
#pragma once

#include "sequencer.h"

namespace soundgen {

extern const Song kSound00, kSound01, kSound02, kSound03, kSound06, kSound07, kSound09;
extern const Song kSound04, kSound05, kSound08, kSoundWarning;
extern const Song kSoundSelect01, kSoundSelect02, kSound11;

// A section played again under another name, moved by `semitones` (a lift for a last chorus).
constexpr Section Transposed(Section s, const char* name, int semitones) {
    s.name = name;
    s.transpose = semitones;
    return s;
}

}  // namespace soundgen
