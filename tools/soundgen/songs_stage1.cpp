// Music of the first stages: Sound03 (stage 1 and the middle column), Sound01 (stages 2, 3).
#include "songs.h"
#include "voices.h"

namespace soundgen {

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
               Vary(kArpPulse, 0.1f, 0.4f, 64), Vary(kSawLead, 0.32f, 0.05f)},
    .kit = {},
    .phrases = kPhrases03, .sections = kSections03,
    .order = "intro@-4 A A2 B bridge@-4 A2@-1 B A@1 outro@-2",
};


namespace {

// Sound01: A minor (Dorian), 138 bpm. Stages 2 and 3: a syncopated, funky run over FM bass.
constexpr Phrase kPhrases01[] = {
    {"a1", "r:2 a4:2 c5:2 d5:2 e5:3 d5:1 c5:2 a4:2 | f#5:3 e5:1 d5:2 c5:2 a4:4 r:4 |"},
    {"a2", "r:2 a4:2 c5:2 d5:2 e5:3 g5:1 a5:2 g5:2 | f#5:4 d5:2 e5:10 |"},
    {"a3", "a5:3 g5:1 f5:2 e5:2 c5:4 e5:2 f5:2 | g5:3 f5:1 e5:2 d5:2 b4:4 d5:2 g5:2 |"},
    {"a4", "a5:3 g5:1 e5:2 c5:2 d5:2 e5:2 c5:2 a4:2 | b4:4 g#4:4 e4:4 r:4 |"},
    {"b1", "c6:6 a5:2 e5:8 | d6:6 b5:2 g5:8 | b5:4 a5:2 g5:2 e5:4 g5:4 | a5:12 r:4 |"},
    {"b2", "f5:4 a5:4 c6:4 a5:4 | b5:4 d6:4 g5:8 | e5:2 g5:2 c6:4 b5:2 c6:2 e6:4 | d6:4 b5:4 g#5:4 e5:4 |"},
    {"c1", "d5:2 f5:2 a5:2 c6:2 a5:4 f5:4 | e5:2 g5:2 b5:2 d6:2 b5:4 g5:4 |"},
    {"c2", "f5:2 a5:2 c6:2 e6:2 c6:4 a5:4 | g5:2 b5:2 d6:2 f6:2 d6:8 |"},
    {"c3", "f5:2 a5:2 c6:2 e6:2 c6:4 a5:4 | g#5:2 b5:2 d6:2 e6:2 d6:4 b5:4 |"},
};

constexpr Section kSections01[] = {
    {.name = "intro", .bars = 4, .chords = "Am7 D7 Am7 E7",
     .lines = {{PartBass, LineDegrees, "1..8..1.1.7.8.5."}, {PartPad, LineChords, "..x-..x-..x-..x-"}},
     .drums = {"K..k..k...K..k..", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K..k..k...K.....", "....S.......S.SS", "h.h.h.h.h.h....."}},
    {.name = "A", .bars = 8, .chords = "Am7 D7 Am7 D7 Fmaj7 G Am7 E7",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1..8..1.1.7.8.5."},
               {PartPad, LineChords, "..x-..x-..x-..x-"}},
     .drums = {"K..k..k...K..k..", "....S..g.g..S..g", "HhhhHhhhHhhhHhoh"},
     .fill = {"K..k..k...K..k..", "....S..g.g..SSSS", "HhhhHhhhHhhh...."},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Am7 D7 Am7 D7 Fmaj7 G Am7 E7",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$a1 $a2 $a3 $a4", 12},
               {PartBass, LineDegrees, "1..8..1.1.7.8.5."}, {PartPad, LineChords, "..x-..x-..x-..x-"},
               {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K..k..k...K..k..", "....S..g.g..S..g", "HhhhHhhhHhhhHhoh"},
     .fill = {"K.....K.K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Fmaj7 G Em7 Am7 Dm7 G C E7",
     .lines = {{PartExtra, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1.1.5.1.8.1.5.3."},
               {PartPad, LineChords, "x-------x-------"}, {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K.......K.K.....", "....S.......S...", "h.hhh.hhh.hhh.ho"},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "bridge", .bars = 8, .chords = "Dm7 Em7 Fmaj7 G Dm7 Em7 Fmaj7 E7",
     .lines = {{PartCounter, LineNotes, "$c1 $c2 $c1 $c3"}, {PartBass, LineDegrees, "1---.--15---5-8-"},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K.........K.....", "........P.......", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "Am7",
     .lines = {{PartLead, LineNotes, "e5:2 g5:2 a5:12! | r:16 |"}, {PartBass, LineDegrees, "1---------------"},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K..............."},
     .crash = true},
};

}  // namespace

const Song kSound01 = {
    .file = "Sound01.mp3", .minSeconds = 100.0f, .tempo = 138.0f, .key = "A minor",
    .mood = "funky, syncopated",
    .voices = {Vary(kPulseLead, 0.2f, -0.05f), Vary(kBell, 0.12f, 0.3f), kBassFm, Vary(kOrgan, 0.09f, -0.25f),
               Vary(kArpPulse, 0.09f, 0.4f, 60), Vary(kSawLead, 0.32f, 0.0f)},
    .kit = {.kickPitch = 63.0f, .kickDecay = 0.22f, .snareTone = 210.0f, .snareDecay = 0.12f},
    .phrases = kPhrases01, .sections = kSections01,
    .order = "intro@-4 A A2 B bridge@-5 A@-2 B A2@1 outro@-2",
};

}  // namespace soundgen
