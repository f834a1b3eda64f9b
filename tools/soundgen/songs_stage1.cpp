// Music of the first stages: Sound03 (stage 1 and the middle column), Sound01 (stages 2, 3).
#include "songs.h"
#include "voices.h"

namespace {

// Sound03: E minor, 152 bpm. The opening flight: a heroic pulse theme over octave bass.
constexpr Phrase kPhrases03[] = {
    {"a1", "e5:4 b4:2 e5:2 g5:4 f#5:2 e5:2 | d5:2 e5:2 c5:4 -:4 r:2 b4:2 |"},
    {"a2", "d5:4 b4:2 d5:2 g5:4 a5:2 b5:2 | a5:6 f#5:2 d5:8 |"},
    {"a3", "e5:4 b4:2 e5:2 g5:4 f#5:2 e5:2 | g5:2 a5:2 b5:4 c6:4 b5:2 a5:2 |"},
    {"a4", "b5:4 a5:2 g5:2 f#5:4 e5:2 f#5:2 | d#5:8 r:4 b4:2 d#5:2 |"},
    {"h1", "g4:4 e4:2 g4:2 b4:4 a4:2 g4:2 | g4:2 g4:2 e4:4 -:4 r:2 g4:2 |"},
    {"h2", "b4:4 g4:2 b4:2 d5:4 d5:2 d5:2 | f#5:6 d5:2 a4:8 |"},
    {"h3", "g4:4 e4:2 g4:2 b4:4 a4:2 g4:2 | e5:2 f#5:2 g5:4 a5:4 g5:2 f#5:2 |"},
    {"h4", "g5:4 f#5:2 e5:2 d5:4 c5:2 d5:2 | b4:8 r:4 f#4:2 b4:2 |"},
    {"b1", "g5:6 e5:2 c5:4 e5:4 | f#5:6 d5:2 a4:4 d5:4 | f#5:4 e5:2 d5:2 b4:4 d5:2 f#5:2 | g5:8 e5:4 r:4 |"},
    {"b2", "a5:6 g5:2 e5:4 a5:4 | f#5:4 a5:2 f#5:2 d5:4 f#5:4 | g5:4 f#5:2 g5:2 b5:4 a5:2 g5:2 | f#5:8 d#5:4 b4:4 |"},
    {"c1", "a4:4 c5:4 e5:4 a5:4 | g5:4 e5:4 b4:8 | a4:4 c5:4 e5:4 g5:2 a5:2 | f#5:8 d#5:8 |"},
    {"c2", "e5:2 g5:2 c6:4 b5:2 g5:2 e5:4 | d5:2 g5:2 b5:4 a5:2 g5:2 d5:4 | f#5:2 a5:2 d6:4 c6:2 a5:2 f#5:4 | b5:4 a5:4 g5:4 f#5:4 |"},
};

constexpr Section kSections03[] = {
    {.name = "intro", .bars = 4, .chords = "Em C D B",
     .lines = {{PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358"},
               {PartBass, LineDegrees, "1-------1-------"}},
     .drums = {"h.h.h.h.h.h.h.h."},
     .fill = {"K.....K.........", "....S...SStTmMlL"}},
    {.name = "A", .bars = 8, .chords = "Em C G D Em C D B",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1.8.1.8.1.8.5.8."},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.h.h.h.h.h.h.o."},
     .fill = {"K.....K.K.......", "....S.......SsSS", "h.h.h.h.h.h....."},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Em C G D Em C D B",
     .lines = {{PartExtra, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$h1 $h2 $h3 $h4"},
               {PartBass, LineDegrees, "1.8.1.8.1.8.5.8."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t853"}},
     .drums = {"K.....k.K.k.....", "....S.......S...", "h.hhh.h.h.hhh.h."},
     .fill = {"K.....K.........", "....S...SStTmMlL"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "C D Bm Em Am D G B",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1---1-5-8---5-1-"},
               {PartPad, LineChords, "x-----x---x-----"}, {PartArp, LineDegrees, "1-5-8-5-"}},
     .drums = {"K.......K.K.....", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "bridge", .bars = 8, .chords = "Am Em Am B C G D B",
     .lines = {{PartCounter, LineNotes, "$c1 $c2"}, {PartBass, LineDegrees, "1-------5-------"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "13581358t8531358"}},
     .drums = {"K.........K.....", "........S.......", "h...h...h...h..."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "Em",
     .lines = {{PartLead, LineNotes, "e5:8! b4:4 g4:4 | e4:16 |"}, {PartBass, LineDegrees, "1---------------"},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K..............."},
     .crash = true},
};

}  // namespace

const Song kSound03 = {
    .file = "Sound03.mp3", .minSeconds = 85.0f, .tempo = 152.0f, .key = "E minor",
    .mood = "heroic, driving",
    .voices = {kPulseLead, Vary(kFlute, 0.2f, -0.3f), kBassPluck, kPad,
               Vary(kArpPulse, 0.1f, 0.4f, 64), Vary(kSawLead, 0.19f, 0.05f)},
    .kit = {},
    .phrases = kPhrases03, .sections = kSections03,
    .order = "intro A A2 B bridge A2 B A outro",
};

// Placeholders while the other tracks are written.
const Song kSound01 = [] { Song s = kSound03; s.file = "Sound01.mp3"; s.minSeconds = 85; return s; }();
const Song kSound07 = [] { Song s = kSound03; s.file = "Sound07.mp3"; s.minSeconds = 45; return s; }();
const Song kSound02 = [] { Song s = kSound03; s.file = "Sound02.mp3"; s.minSeconds = 85; return s; }();
const Song kSound00 = [] { Song s = kSound03; s.file = "Sound00.mp3"; s.minSeconds = 85; return s; }();
const Song kSound09 = [] { Song s = kSound03; s.file = "Sound09.mp3"; s.minSeconds = 85; return s; }();
const Song kSound06 = [] { Song s = kSound03; s.file = "Sound06.mp3"; s.minSeconds = 85; return s; }();
const Song kSound08 = [] { Song s = kSound03; s.file = "Sound08.mp3"; s.minSeconds = 85; return s; }();
const Song kSound05 = [] { Song s = kSound03; s.file = "Sound05.mp3"; s.minSeconds = 85; return s; }();
const Song kSound04 = [] { Song s = kSound03; s.file = "Sound04.mp3"; s.minSeconds = 85; return s; }();
const Song kSoundWarning = [] { Song s = kSound03; s.file = "SoundWarning.mp3"; s.minSeconds = 5; return s; }();
const Song kSoundSelect01 = [] { Song s = kSound03; s.file = "SoundSelect01.mp3"; s.minSeconds = 40; return s; }();
const Song kSoundSelect02 = [] { Song s = kSound03; s.file = "SoundSelect02.mp3"; s.minSeconds = 40; return s; }();
const Song kSound11 = [] { Song s = kSound03; s.file = "Sound11.mp3"; s.minSeconds = 75; return s; }();
