// Songs as data: sections of chords, note lines and drum rows, arranged and rendered to stereo.
//
// Notation, per step of a sixteenth note:
//   note lines   "e5:2 g5 a5:4! ~b5:2 r:4 -:2 | $motif"  pitch, ':' length in steps (kept
//                until changed), '!' accent, '.' staccato, '~' glide from the previous note,
//                'r' rest, '-' holds the previous note longer, '|' must fall on a bar line,
//                '$name' inserts a phrase of the song.
//   degree lines "1.1.8.1.5-3-" one character per step, read against the chord of that
//                step: 0 root below, 1 root, 2 second, 3 third, 4 fourth, 5 fifth, 6 fifth
//                below, 7 seventh, 8 root above, 9 ninth, t third above, f fifth above;
//                '-' holds, '.' is silence.
//   chord lines  "x---..x-" strikes the whole chord ('x'), holds ('-') or rests ('.').
//   drum rows    "k...s...k.k.s..." k kick, s snare, g ghost snare, h hat, o open hat,
//                c crash, r ride, t m l toms, p clap; capitals are accented.
//   chords       "Am F C/E G7:2 Dsus4:2" one bar each unless ':' gives beats.
// Every line loops to fill its section and must divide it evenly.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "drums.h"
#include "mixer.h"
#include "synth.h"

namespace soundgen {

enum LineKind : unsigned char { LineNotes, LineDegrees, LineChords };

struct Line {
    int voice = -1;  // index into Song::voices, -1 for an unused slot
    LineKind kind = LineNotes;
    const char* pattern = nullptr;
    int shift = 0;   // semitones
};

constexpr int kMaxLines = 8;
constexpr int kMaxVoices = 8;
constexpr int kDrumRows = 4;

struct Section {
    const char* name = "";
    int bars = 4;
    const char* chords = "";
    Line lines[kMaxLines] = {};
    const char* drums[kDrumRows] = {};
    const char* fill[kDrumRows] = {};  // replaces the drums of the section's last bar
    int transpose = 0;
    bool crash = false;                // a crash cymbal on the first beat
    float tempo = 0.0f;                // beats per minute, 0 for the song's tempo
    float level = 0.0f;                // dB: the section's place in the song's loudness arc
};

struct Phrase {
    const char* name;
    const char* notes;
};

struct Song {
    const char* file = "";
    float minSeconds = 0.0f;  // the scene it covers: it must not end sooner
    float maxSeconds = 0.0f;  // 0 for no upper bound
    float tempo = 120.0f;
    const char* key = "";
    const char* mood = "";
    int stepsPerBar = 16;
    float swing = 0.0f;  // fraction of a step the off sixteenths are late
    Instrument voices[kMaxVoices] = {};
    DrumKit kit = {};
    std::span<const Phrase> phrases;
    std::span<const Section> sections;
    const char* order = "";  // section names in playing order; "A@-3" plays A 3 dB down
    float echoSteps = 3.0f;
    float echoFeedback = 0.35f;
    float echoMix = 0.6f;
    float roomSize = 0.82f;
    float damping = 0.35f;
    float reverbMix = 1.0f;
    float loudnessLufs = -16.0f;  // integrated, as mastered
    float tailSeconds = 3.0f;
};

// Where one section of the song's order sounds, in samples.
struct SectionSpan {
    const char* name;
    int start, end;
};

// Renders a song, mastered. On a notation error, returns false with `error` set.
// `spans`, when given, receives where each section of the order sounds.
bool RenderSong(const Song& song, Stereo& out, std::string& error, std::vector<SectionSpan>* spans = nullptr);

}  // namespace soundgen
