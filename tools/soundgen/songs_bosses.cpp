// Boss music: SoundWarning (the alarm before every boss), Sound08 (boss 0), Sound05 (the bosses
// of stages 2 to 21).
#include "songs.h"
#include "voices.h"

namespace soundgen {

namespace {

// SoundWarning: A, tritone siren, 150 bpm, three bars. Ends before the boss arrives (330 frames).
constexpr Section kSectionsWarning[] = {
    {.name = "alarm", .bars = 2, .chords = "A5 Bb5",
     .lines = {{PartLead, LineNotes, "a5:4 ~d#6:4 a5:4 ~d#6:4 | a5:4 ~d#6:4 a5:4 ~d#6:4 |"},
               {PartBass, LineDegrees, "1.1.1.1.1.1.1.1."}, {PartExtra, LineChords, "x...x...x...x..."},
               {PartCounter, LineNotes, "a4:16 | bb4:16 |"}},
     .drums = {"K...K...K...K...", "l.......l...m.m."},
     .crash = true},
    {.name = "hit", .bars = 1, .chords = "A5:2 Eb5:2",
     .lines = {{PartLead, LineNotes, "a5:4 ~d#6:4 a5:2 a5:2 d#6:4! |"}, {PartBass, LineDegrees, "1.1.1.1.1.1.1---"},
               {PartExtra, LineChords, "x.x.x.x.x.x.x---"}, {PartCounter, LineNotes, "a4:8 eb5:8 |"}},
     .drums = {"K.K.K.K.K.K.K...", "SsSsSsSsSSSSSSSS", "............C..."}},
};

}  // namespace

const Song kSoundWarning = {
    .file = "SoundWarning.mp3", .minSeconds = 5.0f, .maxSeconds = 6.0f, .tempo = 150.0f, .key = "A (tritone)",
    .mood = "alarm",
    .voices = {Vary(SquareLead(), 0.22f, 0.0f), Vary(kBrass, 0.14f, -0.3f, 45), Vary(kBassPulse, 0.3f, 0.0f),
               kPad, kArpPulse, Vary(kStab, 0.1f, 0.3f, 52)},
    .kit = {.kickPitch = 53.0f, .kickDecay = 0.3f, .snareDecay = 0.12f, .tomPitch = 80.0f, .gain = 0.36f},
    .phrases = {}, .sections = kSectionsWarning,
    .order = "alarm@-3 hit@1",
    .tailSeconds = 0.8f,
};

namespace {

// Sound08: C sharp minor, 156 bpm. Boss 0: a stabbing riff over a pounding bass, the flat
// second (D) pressing on the tonic.
constexpr Phrase kPhrases08[] = {
    {"a1", "c#5:2 c#5:1 c#5:1 e5:2 c#5:2 g#5:3 f#5:1 e5:2 d#5:2 | d5:2 d5:1 d5:1 f#5:2 d5:2 a5:4 f#5:4 |"},
    {"a2", "c#5:2 c#5:1 c#5:1 e5:2 c#5:2 g#5:3 a5:1 b5:2 c#6:2 | d6:4 c#6:2 a5:2 f#5:8 |"},
    {"a3", "e5:2 a5:2 c#6:4 b5:2 a5:2 e5:4 | f#5:2 b5:2 d#6:4 c#6:2 b5:2 f#5:4 |"},
    {"a4", "g#5:4 e5:4 c#5:4 e5:4 | b#5:4 g#5:4 d#5:4 b#4:4 |"},
    {"b1", "c#6:8 b5:4 a5:4 | d#6:8 c#6:4 b5:4 | b5:4 g#5:4 d#5:4 g#5:4 | e5:12 r:4 |"},
    {"b2", "a5:4 c#6:4 f#6:8 | d#6:8 b5:8 | e6:4 d#6:4 b5:4 g#5:4 | f#5:8 b#5:8 |"},
    {"d1", "g#5:8 e5:8 | f#5:8 a5:8 |"},
    {"c1", "c#5:16 | ~d5:16 | c#5:8 e5:8 | g#5:16 | a5:16 | ~g#5:16 | b#5:8 g#5:8 | d#5:16 |"},
};

constexpr Section kSections08[] = {
    {.name = "intro", .bars = 4, .chords = "C#m D C#m G#",
     .lines = {{PartBass, LineDegrees, "1111111111111111"}, {PartExtra, LineChords, "x..x..x...x..x.."}},
     .drums = {"K...K...K...K...", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "....S...SSSSSSSS"}},
    {.name = "A", .bars = 8, .chords = "C#m D C#m D A B C#m G#",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1111111181111111"},
               {PartExtra, LineChords, "x..x..x...x..x.."}, {PartPad, LineChords, "x---------------"}},
     .drums = {"K.K...K.K.K...K.", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.K...K.K.......", "....S.......SSSS"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "A B G#m C#m F#m B E G#7",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1.1.1.1.8.8.5.5."},
               {PartPad, LineChords, "x-------x-------"}, {PartArp, LineDegrees, "1358t853"}},
     .drums = {"K.k.K.k.K.k.K.k.", "....S.......S...", "h.o.h.o.h.o.h.o."},
     .fill = {"K.......K.......", "....S.S.SSS.lLlL"},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "C#m D C#m D A B C#m G#",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$a1 $a2 $a3 $a4", -12},
               {PartBass, LineDegrees, "1111111181111111"}, {PartExtra, LineChords, "x..x..x...x..x.."},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358t853"}},
     .drums = {"K.K...K.K.K...K.", "....S.......S...", "hhhhhhhhhhhhhhhh"},
     .fill = {"K.K...K.K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "C#m D C#m C#m D C#m G# G#",
     .lines = {{PartCounter, LineNotes, "$c1"}, {PartBass, LineDegrees, "1.11.11.1.11.11."},
               {PartArp, LineDegrees, "1358t8531358t853"}, {PartPad, LineChords, "x---------------"}},
     .drums = {"K...K...K...K...", "..l...m...l...m.", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "SSSSSSSSSSSSSSSS"},
     .crash = true},
    {.name = "D", .bars = 8, .chords = "C#m D C#m D C#m D G# G#",
     .lines = {{PartBass, LineDegrees, "1111111181111111"}, {PartExtra, LineChords, "x..x..x...x..x.."},
               {PartCounter, LineNotes, "$d1 $d1 $d1 g#5:8 b#5:8 | d#6:8 b#5:8 |", -12}},
     .drums = {"K.K.K.K.K.K.K.K.", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "l.l.m.m.t.t.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "C#m",
     .lines = {{PartLead, LineNotes, "g#5:2 c#6:14! | r:16 |"}, {PartBass, LineDegrees, "1---------------"},
               {PartPad, LineChords, "x---------------"}, {PartExtra, LineChords, "x---------------"}},
     .drums = {"K..............."},
     .crash = true},
};

}  // namespace

const Song kSound08 = {
    .file = "Sound08.mp3", .minSeconds = 90.0f, .tempo = 156.0f, .key = "C# minor",
    .mood = "tense, pounding",
    .voices = {Vary(SquareLead(), 0.2f, 0.0f), Vary(kSawLead, 0.13f, -0.3f), Vary(kBassPulse, 0.21f, 0.0f, 37),
               Vary(kStrings, 0.06f, 0.0f), Vary(kArpPulse, 0.09f, 0.45f, 61), Vary(kStab, 0.09f, -0.35f, 55)},
    .kit = {.kickPitch = 55.0f, .kickDecay = 0.25f, .snareTone = 195.0f, .snareDecay = 0.15f, .tomPitch = 90.0f,
            .gain = 0.34f},
    .phrases = kPhrases08, .sections = kSections08,
    .order = "intro@-4 A B A2 C@-4 D@-2 A2 B@1 outro@-2",
};

namespace {

// Sound05: B minor, 172 bpm. The boss fights of stages 2 to 21: fast and driving, with a
// half-time brass riff, climbing a semitone for the last passes.
constexpr Phrase kPhrases05[] = {
    {"a1", "b4:2 d5:2 f#5:2 b5:4 a5:2 f#5:2 d5:2 | g5:4 f#5:2 e5:2 d5:4 b4:4 |"},
    {"a2", "c#5:2 e5:2 a5:2 c#6:4 b5:2 a5:2 e5:2 | f#5:4 a#5:4 c#6:8 |"},
    {"a3", "b5:2 a5:2 b5:2 d6:4 c#6:2 b5:2 f#5:2 | g5:2 f#5:2 g5:2 b5:4 a5:2 g5:2 d5:2 |"},
    {"a4", "e5:2 f#5:2 g5:2 b5:2 e6:4 d6:2 c#6:2 | c#6:4 a#5:4 f#5:4 c#5:4 |"},
    {"b1", "d6:6 b5:2 g5:8 | e6:6 c#6:2 a5:8 | f#6:4 e6:4 d6:4 b5:4 | f#5:12 r:4 |"},
    {"b2", "g5:4 b5:4 e6:4 g6:4 | f#6:4 e6:2 c#6:2 a#5:8 | b5:4 d6:4 g6:4 f#6:2 e6:2 | f#6:8 e6:4 c#6:4 |"},
    {"c1", "e5:4 g5:4 b5:4 e6:4 | f#6:8 c#6:8 | d6:4 b5:4 g5:4 b5:4 | c#6:8 e6:8 |"},
    {"c2", "f#6:4 d6:4 b5:4 d6:4 | e6:8 g#5:8 | f#6:4 e6:4 d6:4 a5:4 | a#5:16 |"},
    {"d1", "f#5:8 a5:8 | e5:16 | f#5:4 a5:4 d6:8 | c#6:16 | b5:8 g5:8 | d6:8 b5:8 | e5:8 g5:8 | f#5:16 |"},
};

// The half-time brass riff, read against each chord it crosses.
constexpr const char* kRiff05 = "1--1--1-3-2-6---1--1--1-5-4-3---";

constexpr Section kSections05[] = {
    {.name = "intro", .bars = 4, .chords = "Bm G A F#",
     .lines = {{PartBass, LineDegrees, "1.1.8.1.1.1.8.1."}, {PartExtra, LineDegrees, kRiff05},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K...K...K...K...", "....S.......S..."},
     .fill = {"K...K...K...K...", "....S...SStTmMlL"}},
    {.name = "A", .bars = 8, .chords = "Bm G A F# Bm G Em F#",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1.1.8.1.1.1.8.1."},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.....K.K.......", "....S.......SsSS"},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Bm G A F# Bm G Em F#",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$a1 $a2 $a3 $a4", 12},
               {PartBass, LineDegrees, "1.1.8.1.1.1.8.1."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t853"}, {PartExtra2, LineChords, "x..x..x...x..x.."}},
     .drums = {"K.....k.K.k.....", "....S.......S...", "hhhhhhhhhhhhhhhh"},
     .fill = {"K.......K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "G A Bm Bm Em F# G F#7",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1.1.1.1.5.5.8.8."},
               {PartPad, LineChords, "x-------x-------"}, {PartArp, LineDegrees, "1358t8531358t853"},
               {PartExtra2, LineChords, "x..x..x...x..x.."}},
     .drums = {"K.k.K.k.K.k.K.k.", "....S.......S...", "h.o.h.o.h.o.h.o."},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "Em F#m G A Bm C#m D F#",
     .lines = {{PartLead, LineNotes, "$c1 $c2"}, {PartCounter, LineNotes, "$c1 $c2", -12},
               {PartBass, LineDegrees, "1.8.1.8.1.8.1.8."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.hhh.hhh.hhh.hh"},
     .fill = {"K.....K.K.......", "....S...ttmmSSSS"},
     .crash = true},
    {.name = "D", .bars = 8, .chords = "D A Bm F#m G D Em F#",
     .lines = {{PartCounter, LineNotes, "$d1"}, {PartBass, LineDegrees, "1-------5-------"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"K.........K.....", "........S.......", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "E", .bars = 8, .chords = "Bm Bm G G A A F# F#",
     .lines = {{PartExtra, LineDegrees, kRiff05}, {PartBass, LineDegrees, "1.......1.....1."},
               {PartPad, LineChords, "x---------------"}, {PartExtra2, LineChords, "x.......x.....x."}},
     .drums = {"K.......K.....K.", "........S.......", "h...h...h...h..."},
     .fill = {"K...K...K...K...", "l.l.m.m.t.t.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 4, .chords = "Bm G F# Bm",
     .lines = {{PartLead, LineNotes, "f#5:16 | g5:16 | a#5:16 | b5:16! |"}, {PartBass, LineDegrees, "1.1.8.1.1.1.8.1."},
               {PartPad, LineChords, "x---------------"}, {PartExtra2, LineChords, "x..x..x...x....."}},
     .drums = {"K.....k.K.......", "....S.......S..."},
     .fill = {"K...............", "S..............."},
     .crash = true},
};

constexpr Section kAll05[] = {kSections05[0], kSections05[1], kSections05[2], kSections05[3],
                              kSections05[4], kSections05[5], kSections05[6], kSections05[7],
                              Transposed(kSections05[2], "A3", 1), Transposed(kSections05[3], "B3", 1),
                              Transposed(kSections05[4], "C3", 1), Transposed(kSections05[7], "outro3", 1)};

}  // namespace

const Song kSound05 = {
    .file = "Sound05.mp3", .minSeconds = 150.0f, .tempo = 172.0f, .key = "B minor",
    .mood = "fast, tense",
    .voices = {Vary(kPulseLead, 0.21f, 0.0f), Vary(kSawLead, 0.12f, 0.3f), kBassFm, Vary(kStrings, 0.06f, 0.0f),
               Vary(kArpPulse, 0.09f, -0.4f, 59), Vary(kBrass, 0.18f, -0.15f, 66), Vary(kStab, 0.08f, 0.4f, 54)},
    .kit = {.kickPitch = 60.0f, .kickDecay = 0.2f, .snareTone = 205.0f, .snareDecay = 0.13f, .hatDecay = 0.028f},
    .phrases = kPhrases05, .sections = kAll05,
    .order = "intro@-4 A A2 B C@-4 E@-2 A2 B D@-3 A E@-1 A3@1 B3@1 C3 outro3@-1",
};

}  // namespace soundgen
