// Music of the middle stages: Sound07 (stages 4 to 6), Sound02 (stages 7 to 10).
#include "songs.h"
#include "voices.h"

namespace soundgen {

namespace {

// Sound07: C minor, 168 bpm. Short, urgent stages: galloping bass and fast saw runs.
constexpr Phrase kPhrases07[] = {
    {"a1", "c5:2 eb5:2 g5:2 c6:4 bb5:2 g5:2 eb5:2 | f5:2 g5:2 ab5:4 g5:2 f5:2 eb5:4 |"},
    {"a2", "g5:2 bb5:2 eb6:4 d6:2 bb5:2 g5:4 | f5:4 d5:4 bb4:4 d5:4 |"},
    {"a3", "c5:2 eb5:2 g5:2 c6:4 d6:2 eb6:2 d6:2 | c6:4 ab5:2 f5:2 ab5:4 c6:4 |"},
    {"a4", "ab5:2 g5:2 f5:2 ab5:2 c6:4 f6:4 | d6:4 b5:4 g5:4 r:4 |"},
    {"b1", "eb6:8 c6:4 ab5:4 | d6:8 bb5:4 f5:4 | g5:4 bb5:4 d6:4 bb5:4 | c6:12 r:4 |"},
    {"b2", "ab5:4 c6:4 f6:4 eb6:2 c6:2 | d6:4 f6:4 bb5:8 | g5:2 bb5:2 eb6:4 d6:2 eb6:2 g6:4 | f6:4 d6:4 b5:4 g5:4 |"},
    {"s1", "c6:2 c6:2 r:4 c6:2 bb5:2 g5:4 | ab5:2 ab5:2 r:4 ab5:2 g5:2 f5:4 |"},
    {"s2", "bb5:2 bb5:2 r:4 bb5:2 ab5:2 g5:4 | g5:4 b5:4 d6:4 g6:4 |"},
    {"s3", "bb5:2 bb5:2 r:4 bb5:2 ab5:2 g5:4 | g5:4 c6:4 eb6:4 g6:4 |"},
};

constexpr Section kSections07[] = {
    {.name = "intro", .bars = 4, .chords = "Cm Cm Ab G",
     .lines = {{PartBass, LineDegrees, "1.111.111.111.15"}, {PartArp, LineDegrees, "158t"}},
     .drums = {"K...K...K...K...", "hhhhhhhhhhhhhhhh"},
     .fill = {"K...K...K.K.K.K.", "....S...SSSSSSSS"}},
    {.name = "A", .bars = 8, .chords = "Cm Ab Eb Bb Cm Ab Fm G",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1.111.111.111.15"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "158t"},
               {PartExtra, LineChords, "x..x..x.....x..."}},
     .drums = {"K...K...K...K...", "....S.......S...", "hhhhhhhhhhhhhhhh"},
     .fill = {"K...K...K...K...", "....S...S.SsSSSS"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Ab Bb Gm Cm Fm Bb Eb G",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartCounter, LineNotes, "$s1 $s3 $s1 $s2", -12},
               {PartBass, LineDegrees, "1.1.1.1.8.8.5.5."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "158t"}},
     .drums = {"K.k.K.k.K.k.K.k.", "....S.......S...", "h.o.h.o.h.o.h.o."},
     .fill = {"K.......K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "break", .bars = 4, .chords = "Cm Cm Ab G",
     .lines = {{PartBass, LineDegrees, "1.111.111.111.15"}, {PartArp, LineDegrees, "158t8t51"},
               {PartExtra, LineChords, "x.....x.....x..."}},
     .drums = {"K..K..K.K..K..K.", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "SSSSSSSSSSSSSSSS"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "Cm",
     .lines = {{PartLead, LineNotes, "g5:2 c6:14! | r:16 |"}, {PartBass, LineDegrees, "1---------------"},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K..............."},
     .crash = true},
};

}  // namespace

// Stages 4 to 6 call their boss at most 2561 frames (41 s) in; the track runs 30 s past that.
const Song kSound07 = {
    .file = "Sound07.mp3", .minSeconds = 72.0f, .tempo = 168.0f, .key = "C minor",
    .mood = "urgent, galloping",
    .voices = {Vary(kSawLead, 0.34f, 0.0f), Vary(kPulseLead, 0.15f, -0.3f), Vary(kBassPulse, 0.22f, 0.0f), Vary(kStrings, 0.06f, 0.0f),
               Vary(kArpPulse, 0.1f, 0.4f, 67), Vary(kStab, 0.08f, -0.35f, 55)},
    .kit = {.kickPitch = 56.0f, .kickDecay = 0.2f, .snareTone = 180.0f, .snareDecay = 0.14f, .hatDecay = 0.025f},
    .phrases = kPhrases07, .sections = kSections07,
    .order = "intro@-4 A B@-1 break@-6 A@1 B@-2 break@-5 A@1 outro@-2",
    .echoSteps = 2.0f,
};

namespace {

// Sound02: F sharp minor, 128 bpm. The mechanical stages: wide and moody, echoing arpeggios.
constexpr Phrase kPhrases02[] = {
    {"a1", "c#5:6 e5:2 f#5:8 | a5:6 f#5:2 e5:4 c#5:4 | b4:4 e5:4 g#5:8 | g#5:6 f#5:2 e5:8 |"},
    {"a2", "c#5:6 e5:2 f#5:4 a5:4 | c#6:8 b5:4 a5:4 | b5:4 a5:4 f#5:4 d5:4 | e#5:8 c#5:8 |"},
    {"b1", "d5:2 f#5:2 a5:2 b5:2 a5:4 f#5:4 | e5:2 g#5:2 b5:2 c#6:2 b5:4 g#5:4 |"},
    {"b2", "f#5:2 a5:2 c#6:2 e6:2 c#6:4 a5:4 | b5:8 g#5:8 |"},
    {"b3", "d6:4 c#6:4 b5:4 a5:4 | g#5:4 b5:4 e6:8 | f#6:6 e6:2 d6:4 a5:4 | g#5:8 e#5:8 |"},
    {"c1", "a5:8 f#5:8 | g#5:8 b5:8 | c#6:16 | r:8 c#6:2 b5:2 a5:2 g#5:2 |"},
    {"c2", "a5:8 f#5:4 a5:4 | b5:8 e6:8 | e#6:8 c#6:8 | g#5:16 |"},
};

constexpr Section kSections02[] = {
    {.name = "intro", .bars = 4, .chords = "F#m7 Dmaj7 Bm7 C#7",
     .lines = {{PartArp, LineDegrees, "1581581581581581"}, {PartPad, LineChords, "x---------------"}},
     .drums = {"h.h.h.h.h.h.h.h."},
     .fill = {"K..k..K...K..k..", "....S.......SsSS"}},
    {.name = "A", .bars = 8, .chords = "F#m7 Dmaj7 E C#m7 F#m7 Dmaj7 Bm7 C#7",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartBass, LineDegrees, "1...1.1.1...1.8."},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1581581581581581"}},
     .drums = {"K..k..K...K..k..", "....S.......S...", "hhohhhohhhohhhoh"},
     .fill = {"K..k..K...K.....", "....S.......SsSS"},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "F#m7 Dmaj7 E C#m7 F#m7 Dmaj7 Bm7 C#7",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartCounter, LineNotes, "$a1 $a2", -12},
               {PartBass, LineDegrees, "1..1..1.1..1..5."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1581581581581581"}, {PartExtra, LineDegrees, "....8.......5..."}},
     .drums = {"K..k..K...K..k..", "....S.......S...", "hhohhhohhhohhhoh"},
     .fill = {"K.......K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Bm7 C#m7 Dmaj7 E Bm7 C#m7 D C#7",
     .lines = {{PartLead, LineNotes, "$b1 $b2 $b3"}, {PartBass, LineDegrees, "1..1..1.1..1..5."},
               {PartPad, LineChords, "x-------x-------"}, {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"K.......K.K.....", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "Dmaj7 E F#m F#m Dmaj7 E C#7 C#7",
     .lines = {{PartCounter, LineNotes, "$c1 $c2"}, {PartExtra, LineDegrees, "8...5...t...5..."},
               {PartBass, LineDegrees, "1-------1---5---"}, {PartPad, LineChords, "x---------------"}},
     .drums = {"K.........K.....", "........S.......", "r...r...r...r..."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "F#m7",
     .lines = {{PartLead, LineNotes, "c#5:4 f#5:12! | r:16 |"}, {PartArp, LineDegrees, "1581581581581581"},
               {PartPad, LineChords, "x---------------"}, {PartBass, LineDegrees, "1---------------"}},
     .drums = {"K..............."},
     .crash = true},
};

}  // namespace

const Song kSound02 = {
    .file = "Sound02.mp3", .minSeconds = 95.0f, .tempo = 128.0f, .key = "F# minor",
    .mood = "moody, mechanical",
    .voices = {Vary(kPulseLead, 0.21f, 0.0f), Vary(kFlute, 0.22f, -0.3f), kBassFm, kPad,
               Vary(kArpPulse, 0.11f, 0.45f, 61), Vary(kBell, 0.1f, -0.4f, 72)},
    .kit = {.kickPitch = 53.0f, .kickDecay = 0.3f, .snareTone = 160.0f, .snareDecay = 0.2f, .hatDecay = 0.03f},
    .phrases = kPhrases02, .sections = kSections02,
    .order = "intro@-4 A A2 B C@-4 A2@-1 B@1 outro@-2",
    .echoSteps = 3.0f, .echoFeedback = 0.45f, .echoMix = 0.7f,
    .roomSize = 0.86f,
};

}  // namespace soundgen
