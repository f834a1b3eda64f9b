// Music of the later stages: Sound00 (stages 11, 12, 14, 15), Sound09 (stage 13).
#include "songs.h"
#include "voices.h"

namespace soundgen {

namespace {

// Sound00: G minor, 144 bpm. The fortress stages: a dotted march that climbs a tone at the end.
constexpr Phrase kPhrases00[] = {
    {"a1", "g4:3 g4:1 d5:4 bb5:3 a5:1 g5:4 | g5:3 f5:1 eb5:4 bb4:8 |"},
    {"a2", "c5:3 c5:1 f5:4 a5:3 g5:1 f5:4 | a5:3 g5:1 f5:4 d5:8 |"},
    {"a3", "g4:3 g4:1 d5:4 bb5:3 c6:1 d6:4 | eb6:3 d6:1 c6:4 bb5:4 g5:4 |"},
    {"a4", "c6:3 bb5:1 a5:2 g5:2 eb5:4 c5:4 | d5:8 f#5:4 a5:4 |"},
    {"h1", "d4:3 d4:1 bb4:4 g5:3 f5:1 d5:4 | eb5:3 d5:1 bb4:4 g4:8 |"},
    {"h2", "a4:3 a4:1 c5:4 f5:3 e5:1 c5:4 | f5:3 e5:1 d5:4 a4:8 |"},
    {"h3", "d4:3 d4:1 bb4:4 g5:3 a5:1 bb5:4 | c6:3 bb5:1 g5:4 g5:4 eb5:4 |"},
    {"h4", "g5:3 g5:1 f#5:2 eb5:2 c5:4 g4:4 | a4:8 d5:4 f#5:4 |"},
    {"b1", "bb5:8 g5:4 eb5:4 | c6:8 a5:4 f5:4 | d6:4 c6:4 a5:4 f5:4 | g5:12 d5:4 |"},
    {"b2", "eb5:4 g5:4 c6:4 eb6:4 | d6:4 c6:4 a5:4 f5:4 | bb5:4 d6:4 f6:4 d6:4 | f#5:8 a5:4 d6:4 |"},
    {"c1", "c5:8 eb5:8 | d5:16 | c5:4 eb5:4 g5:4 c6:4 | bb5:8 a5:4 g5:4 |"},
    {"c2", "g5:8 bb5:8 | a5:8 c6:8 | d6:16 | c6:8 a5:4 f#5:4 |"},
};

constexpr Section kSections00[] = {
    {.name = "intro", .bars = 4, .chords = "Gm Eb Cm D",
     .lines = {{PartBass, LineDegrees, "1..1..1.1..1.5.5"}, {PartPad, LineChords, "x---------------"},
               {PartExtra, LineChords, "x..x..x.........", 0}},
     .drums = {"K..K..K.K.......", "S...............", "....h...h...h..."},
     .fill = {"K..K..K.K.......", "S.......SStTmMlL"}},
    {.name = "A", .bars = 8, .chords = "Gm Eb F Dm Gm Eb Cm D",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1..1..1.1..1.5.5"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1.5.8.5.1.5.8.5."}},
     .drums = {"K..K..K.K..K..K.", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K..K..K.K.......", "....S.......SsSS"},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Gm Eb F Dm Gm Eb Cm D",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$h1 $h2 $h3 $h4"},
               {PartBass, LineDegrees, "1..1..1.1..1.5.5"}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1.5.8.5.1.5.8.5."}, {PartExtra, LineChords, "x..x..x.........", 0}},
     .drums = {"K..K..K.K..K..K.", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.......K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Eb F Dm Gm Cm F Bb D",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1.1.1.1.5.5.8.8."},
               {PartPad, LineChords, "x-------x-------"}, {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"K.......K.K.....", "....S.......S...", "h.hhh.hhh.hhh.ho"},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "Cm Gm Cm Gm Eb F D D7",
     .lines = {{PartExtra2, LineNotes, "$c1 $c2"}, {PartBass, LineDegrees, "1-------5-------"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K.........K.....", "........S.......", "l...m...t...m..."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "Gm",
     .lines = {{PartLead, LineNotes, "d5:4 g5:12! | r:16 |"}, {PartBass, LineDegrees, "1---------------"},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K..............."},
     .crash = true},
};

// The last passes of the theme, a tone higher.
constexpr Section kLift00[] = {
    {.name = "A3", .bars = 8, .chords = "Gm Eb F Dm Gm Eb Cm D",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$h1 $h2 $h3 $h4"},
               {PartBass, LineDegrees, "1..1..1.1..1.5.5"}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t8531358t853"}, {PartExtra, LineChords, "x..x..x.........", 0}},
     .drums = {"K..K..K.K..K..K.", "....S.......S...", "h.hhh.hhh.hhh.hh"},
     .fill = {"K.......K.......", "S.S.S.SSSSSSTTLL"},
     .transpose = 2, .crash = true},
};

constexpr Section kAll00[] = {kSections00[0], kSections00[1], kSections00[2], kSections00[3],
                              kSections00[4], kSections00[5], kLift00[0],
                              Transposed(kSections00[3], "B3", 2), Transposed(kSections00[5], "outro3", 2)};

}  // namespace

const Song kSound00 = {
    .file = "Sound00.mp3", .minSeconds = 110.0f, .tempo = 144.0f, .key = "G minor",
    .mood = "determined march",
    .voices = {Vary(kBrass, 0.34f, 0.0f, 55), Vary(kPulseLead, 0.12f, 0.35f), kBassPluck, Vary(kStrings, 0.07f, 0.0f),
               Vary(kArpPulse, 0.09f, 0.45f, 62), Vary(kStab, 0.08f, -0.4f, 55), Vary(kSawLead, 0.2f, 0.1f)},
    .kit = {.kickPitch = 60.0f, .kickDecay = 0.22f, .snareTone = 200.0f, .snareDecay = 0.17f, .tomPitch = 95.0f,
            .gain = 0.42f},
    .phrases = kPhrases00, .sections = kAll00,
    .order = "intro@-4 A A2 B C@-4 A2 B A3@1 B3@1 outro3@-1",
};

namespace {

// Sound09: B Phrygian in 7/8, 100 bpm. Stage 13, the strange one: bells, a wavering choir,
// whole-tone turns and gliding lines over a limping drum.
constexpr Phrase kPhrases09[] = {
    {"a1", "b4:4 c5:4 f#5:6 | e5:4 c5:4 g4:6 | b4:4 d5:4 f#5:4 g5:2 | f#5:4 e5:4 c5:6 |"},
    {"a2", "b4:4 e5:4 g5:6 | f#5:4 a5:4 d6:6 | c6:4 b5:4 g5:6 | a#5:4 f#5:4 c#5:6 |"},
    {"b1", "d6:6 b5:4 f#5:4 | c6:6 a5:4 e5:4 | b5:4 d6:4 f#6:6 | e6:14 |"},
    {"b2", "g5:4 b5:4 d6:6 | f5:4 a5:4 c6:6 | b5:4 g5:4 e5:6 | c#6:7 b5:7 |"},
    {"c1", "b5:7 ~f5:7 | e5:7 ~a#4:7 | b4:4 c#5:4 d#5:6 | f5:4 g5:4 a5:6 |"},
    {"c2", "b5:4 a5:4 g5:6 | f5:4 d#5:4 c#5:6 | b4:14 | r:14 |"},
};

constexpr Section kSections09[] = {
    {.name = "intro", .bars = 4, .chords = "Bm C Bm C",
     .lines = {{PartPad, LineChords, "x-------------"}, {PartArp, LineDegrees, "1.5.8.1.5.8.9."},
               {PartBass, LineDegrees, "1-------------"}},
     .drums = {"K...K.........", "..........t.m."}},
    {.name = "A", .bars = 8, .chords = "Bm C Bm C Em D C F#",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartBass, LineDegrees, "1...1...5.8.5."},
               {PartPad, LineChords, "x-------------"}, {PartArp, LineDegrees, "1.5.8.1.5.8.9."}},
     .drums = {"K...K...k.....", "........S.....", "h.h.h.h.h.h.h."},
     .fill = {"K...K...K.....", "........S.t.ml"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Gmaj7 Fmaj7 Gmaj7 Fmaj7 Em7 Dm7 Cmaj7 F#7sus4",
     .lines = {{PartCounter, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1-----5-----8-"},
               {PartPad, LineChords, "x-------------"}, {PartArp, LineDegrees, "8.5.3.1.3.5.7."}},
     .drums = {"K.......K.....", "....p.......p.", "r.r.r.r.r.r.r."},
     .fill = {"K...K...K.....", "....p...S.SSSS"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "B7sus4 Caug B7sus4 Caug Gaug Caug Bm F#",
     .lines = {{PartLead, LineNotes, "$c1 $c2"}, {PartBass, LineDegrees, "1-------------"},
               {PartPad, LineChords, "x-------------"}, {PartExtra, LineDegrees, "..8...5...3..."}},
     .drums = {"K.............", "......l...m...", "h...h...h.h.h."},
     .fill = {"K...K...K.....", "......t.t.m.ml"},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Bm C Bm C Em D C F#",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartCounter, LineNotes, "$a1 $a2", 12},
               {PartBass, LineDegrees, "1...1...5.8.5."}, {PartPad, LineChords, "x-------------"},
               {PartArp, LineDegrees, "1.5.8.1.5.8.9."}},
     .drums = {"K...K...k.....", "........S.....", "h.h.h.h.h.hhh."},
     .fill = {"K...K...K.....", "........S.t.ml"},
     .crash = true},
    {.name = "outro", .bars = 2, .chords = "Bm",
     .lines = {{PartCounter, LineNotes, "f#5:7 b5:7 | b4:14 |"}, {PartPad, LineChords, "x-------------"},
               {PartBass, LineDegrees, "1-------------"}},
     .drums = {"K............."},
     .crash = true},
};

}  // namespace

const Song kSound09 = {
    .file = "Sound09.mp3", .minSeconds = 85.0f, .tempo = 100.0f, .key = "B Phrygian (7/8)",
    .mood = "strange, floating",
    .stepsPerBar = 14,
    .voices = {Vary(kPulseLead, 0.18f, -0.1f), Vary(kBell, 0.2f, 0.25f), kBassFm, Vary(kChoir, 0.1f, 0.0f),
               Vary(kBell, 0.1f, 0.45f, 66), Vary(kFlute, 0.18f, -0.4f, 60)},
    .kit = {.kickPitch = 50.0f, .kickDecay = 0.35f, .snareTone = 240.0f, .snareDecay = 0.2f, .tomPitch = 130.0f},
    .phrases = kPhrases09, .sections = kSections09,
    .order = "intro@-4 A B C@-4 A2 B@1 outro@-2",
    .echoSteps = 3.0f, .echoFeedback = 0.5f, .echoMix = 0.75f,
    .roomSize = 0.9f, .damping = 0.25f,
};

}  // namespace soundgen
