// Music between and after the fights: SoundSelect01, SoundSelect02 (stage clear and route map)
// and Sound11 (the final clear, the tally and the ending).
#include "songs.h"
#include "voices.h"

namespace soundgen {

namespace {

// SoundSelect01: F major, 96 bpm. Stage clear and route map, stages 1 to 15: calm and hopeful.
constexpr Phrase kPhrasesSelect01[] = {
    {"a1", "a5:6 g5:2 f5:4 c5:4 | g5:6 f5:2 e5:8 | f5:4 a5:4 d6:6 c6:2 | bb5:4 a5:4 f5:8 |"},
    {"a2", "a5:6 bb5:2 c6:4 a5:4 | g5:6 a5:2 e5:8 | d5:4 f5:4 bb5:4 a5:4 | g5:12 r:4 |"},
    {"b1", "d6:6 c6:2 bb5:8 | c6:6 bb5:2 a5:4 g5:4 | a5:4 c6:4 e6:8 | d6:12 a5:4 |"},
    {"b2", "bb5:6 a5:2 g5:4 d5:4 | c6:6 bb5:2 a5:4 e5:4 | f5:4 g5:4 a5:4 bb5:4 | c6:8 e5:4 g5:4 |"},
};

// It grows as the others do: a bare intro, the theme over a light beat, the answer with
// the full kit, the theme again with its counter-melody, and a thinning close.
constexpr Section kSectionsSelect01[] = {
    {.name = "intro", .bars = 2, .chords = "F C",
     .lines = {{PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}, {PartPad, LineChords, "x---------------"}}},
    {.name = "A", .bars = 8, .chords = "F C/E Dm Bb F C Bb C",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartPad, LineChords, "x---------------"}},
     .drums = {"K.......K......."}},
    {.name = "B", .bars = 8, .chords = "Bb C Am Dm Gm Am Bb C",
     .lines = {{PartCounter, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1-----5-8-----5-"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K.........K.....", "....p.......p...", "r.r.r.r.r.r.r.r."},
     .fill = {"K.........K.....", "....p.......p.pp"}},
    {.name = "A2", .bars = 8, .chords = "F C/E Dm Bb F C Bb C",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartCounter, LineNotes, "$a1 $a2", 12},
               {PartBass, LineDegrees, "1-----5-8-----5-"}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K.........K.....", "....p.......p...", "r.r.r.r.r.r.r.r."}},
    {.name = "outro", .bars = 2, .chords = "F",
     .lines = {{PartLead, LineNotes, "f5:16 | -:16 |"}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1.5.8.5.t.8.5.3.1-------------.."}}},
};

}  // namespace

const Song kSoundSelect01 = {
    .file = "SoundSelect01.mp3", .minSeconds = 40.0f, .tempo = 96.0f, .key = "F major",
    .mood = "calm, hopeful",
    .voices = {Vary(kFlute, 0.28f, -0.1f), Vary(kBell, 0.12f, 0.3f), Vary(kBassPulse, 0.22f, 0.0f, 41),
               Vary(kPad, 0.08f, 0.0f, 53), Vary(kArpPulse, 0.07f, 0.35f, 60)},
    .kit = {.kickPitch = 63.0f, .kickDecay = 0.18f, .gain = 0.35f},
    .phrases = kPhrasesSelect01, .sections = kSectionsSelect01,
    .order = "intro A@-2 B A2 outro",
    .echoSteps = 3.0f, .echoFeedback = 0.4f,
    .loudnessLufs = -19.0f,  // calm: the route map and the clear banner
};

namespace {

// SoundSelect02: D major waltz, 88 bpm. Stage clear and route map, stages 16 to 21: warmer
// and more wistful than the first, for a run that is nearly over.
constexpr Phrase kPhrasesSelect02[] = {
    {"a1", "f#5:6 e5:2 d5:4 | e5:8 c#5:4 | d5:4 f#5:4 b5:4 | a5:8 f#5:4 |"},
    {"a2", "g5:6 f#5:2 e5:4 | f#5:6 e5:2 d5:4 | e5:4 g5:4 b5:4 | a5:12 |"},
    {"b1", "b5:6 a5:2 g5:4 | c#6:6 b5:2 a5:4 | a5:4 f#5:4 c#6:4 | d6:8 b5:4 |"},
    {"b2", "g5:4 b5:4 d6:4 | c#6:8 e6:4 | d6:12 | a5:4 f#5:4 d5:4 |"},
};

constexpr Section kSectionsSelect02[] = {
    {.name = "intro", .bars = 4, .chords = "D A/C# Bm A",
     .lines = {{PartArp, LineDegrees, "1.5.8.t.8.5."}, {PartPad, LineChords, "x-----------"},
               {PartBass, LineDegrees, "1-----------"}}},
    {.name = "A", .bars = 8, .chords = "D A/C# Bm F#m G D/F# Em A",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartBass, LineDegrees, "1-------5---"},
               {PartPad, LineChords, "....x---x---"}, {PartArp, LineDegrees, "1.5.8.t.8.5."}},
     .drums = {"K...........", "....h...h...", "........p..."}},
    {.name = "B", .bars = 8, .chords = "G A F#m Bm G A D D",
     .lines = {{PartCounter, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1-------5---"},
               {PartPad, LineChords, "x-----------"}, {PartArp, LineDegrees, "1.5.8.t.8.5."}},
     .drums = {"K...........", "....h...h...", "........p..."}},
    {.name = "A2", .bars = 8, .chords = "D A/C# Bm F#m G D/F# Em A",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartCounter, LineNotes, "$a1 $a2", -12},
               {PartBass, LineDegrees, "1-------5---"}, {PartPad, LineChords, "x-----------"},
               {PartArp, LineDegrees, "1.5.8.t.8.5."}},
     .drums = {"K.......k...", "....h...h...", "r.r.r.r.r.r."}},
    {.name = "outro", .bars = 2, .chords = "D",
     .lines = {{PartLead, LineNotes, "d6:12 | -:12 |"}, {PartPad, LineChords, "x-----------"},
               {PartBass, LineDegrees, "1-----------"}}},
};

}  // namespace

const Song kSoundSelect02 = {
    .file = "SoundSelect02.mp3", .minSeconds = 40.0f, .tempo = 88.0f, .key = "D major (3/4)",
    .mood = "warm, wistful",
    .stepsPerBar = 12,
    .voices = {Vary(kBell, 0.32f, 0.1f), Vary(kFlute, 0.22f, -0.3f), Vary(kBassPulse, 0.2f, 0.0f, 42),
               Vary(kStrings, 0.07f, 0.0f, 54), Vary(kArpPulse, 0.06f, 0.4f, 62)},
    .kit = {.kickPitch = 63.0f, .kickDecay = 0.2f, .gain = 0.3f},
    .phrases = kPhrasesSelect02, .sections = kSectionsSelect02,
    .order = "intro A B A2 outro",
    .roomSize = 0.88f,
    .loudnessLufs = -19.0f,
};

namespace {

// Sound11: C major. The final clear and the ending: a brass fanfare at 132 bpm over the clear
// banner and the tally, a turn, and the theme slowed to 84 bpm and reflective from 10.9 s on,
// when the ending's text starts to scroll (the banner and tally take 635 frames, the ship's
// exit about 50, the text's first line 13 more); the triumphant theme returns once the
// captions are done.
constexpr Phrase kPhrases11[] = {
    {"f1", "g4:3 g4:1 c5:4 e5:4 g5:4 | a5:6 g5:2 f5:8 | e5:3 e5:1 g5:4 c6:8 | b5:4 d6:4 g5:8 |"},
    {"a1", "c6:6 g5:2 e5:4 g5:4 | d6:6 b5:2 g5:8 | e6:4 d6:4 c6:4 a5:4 | f5:4 a5:4 c6:8 |"},
    {"a2", "e6:6 d6:2 c6:4 g5:4 | a5:4 c6:4 f6:8 | e6:4 d6:4 b5:4 g5:4 | c6:12 r:4 |"},
    {"b1", "a5:4 c6:4 f6:6 e6:2 | d6:4 b5:4 g5:8 | e6:4 b5:4 g5:4 b5:4 | c6:12 a5:4 |"},
    {"b2", "f6:6 e6:2 d6:4 c6:4 | b5:4 d6:4 g6:8 | e6:8 g6:8 | c7:12 r:4 |"},
    {"c1", "e5:6 d5:2 c5:8 | a4:6 c5:2 f5:8 | g5:6 e5:2 c5:8 | d5:12 r:4 |"},
    {"c2", "e5:4 a5:4 c6:8 | b5:4 a5:4 f5:8 | g5:4 d5:4 b4:4 d5:4 | g5:16 |"},
    {"d1", "a5:6 g5:2 f5:8 | b5:6 a5:2 g5:8 | g5:4 e5:4 b4:8 | c5:4 e5:4 a5:8 |"},
    {"d2", "f5:4 a5:4 d6:8 | b5:4 g5:4 d5:8 | e5:8 g5:8 | c6:16 |"},
};

constexpr Section kSections11[] = {
    {.name = "fanfare", .bars = 4, .chords = "C F/C C G",
     .lines = {{PartExtra, LineNotes, "$f1"}, {PartBass, LineDegrees, "1.1.1.1.1.1.5.5."},
               {PartPad, LineChords, "x---------------"}},
     .drums = {"K...K...K...K...", "....S.......S...", "l.......m...t..."},
     .fill = {"K...K...K...K...", "....S...SStTmMlL"},
     .crash = true},
    {.name = "A", .bars = 8, .chords = "C G Am F C F G C",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartBass, LineDegrees, "1.1.5.1.8.1.5.1."},
               {PartPad, LineChords, "x---------------"}, {PartExtra2, LineChords, "x..x..x.....x..."},
               {PartArp, LineDegrees, "1358"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.....K.K.......", "....S.......SsSS"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "F G Em Am F G C C",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartCounter, LineNotes, "$b1 $b2", -12},
               {PartBass, LineDegrees, "1.1.5.1.8.1.5.1."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t853"}},
     .drums = {"K.....k.K.k.....", "....S.......S...", "h.o.h.o.h.o.h.o."},
     .fill = {"K.......K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "turn", .bars = 2, .chords = "F G",
     .lines = {{PartLead, LineNotes, "a5:4 g5:4 f5:4 e5:4 | d5:8 g4:8 |"}, {PartBass, LineDegrees, "1.1.1.1.5.5.5.5."},
               {PartPad, LineChords, "x-------x-------"}},
     .drums = {"K.......K.......", "....S.......S..."},
     .fill = {"K...K...........", "....S.S.SSSS...."}},
    {.name = "C", .bars = 8, .chords = "Am F C G Am F G G",
     .lines = {{PartExtra3, LineNotes, "$c1 $c2"}, {PartBass, LineDegrees, "1-------5-------"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K...............", "........p.......", "r...r...r...r..."},
     .tempo = 84.0f},
    {.name = "D", .bars = 8, .chords = "F G Em Am Dm G C C",
     .lines = {{PartExtra3, LineNotes, "$d1 $d2"}, {PartCounter, LineNotes, "$d1 $d2", 12},
               {PartBass, LineDegrees, "1-------5-------"}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1.5.8.5.t.8.5.3."}},
     .drums = {"K.......K.......", "........p.......", "r.r.r.r.r.r.r.r."},
     .tempo = 84.0f},
    {.name = "outro", .bars = 2, .chords = "F C",
     .lines = {{PartExtra3, LineNotes, "a5:16 | g5:16 |"}, {PartPad, LineChords, "x---------------"},
               {PartBass, LineDegrees, "1---------------"}, {PartCounter, LineNotes, "c6:16 | e6:16 |"}},
     .tempo = 84.0f},
};

}  // namespace

const Song kSound11 = {
    .file = "Sound11.mp3", .minSeconds = 75.0f, .tempo = 132.0f, .key = "C major",
    .mood = "triumphant, then reflective",
    .voices = {Vary(kSawLead, 0.34f, 0.0f), Vary(kBell, 0.1f, 0.35f), kBassPluck, Vary(kStrings, 0.07f, 0.0f),
               Vary(kArpPulse, 0.08f, 0.4f, 60), Vary(kBrass, 0.2f, -0.1f, 55), Vary(kStab, 0.08f, -0.35f, 55),
               Vary(kFlute, 0.28f, -0.1f)},
    .kit = {.kickPitch = 60.0f, .snareTone = 200.0f, .snareDecay = 0.17f, .tomPitch = 95.0f},
    .phrases = kPhrases11, .sections = kSections11,
    .order = "fanfare turn@-1 C@-5 D@-4 A@-1 B outro@-4",
    .loudnessLufs = -18.5f,
    .tailSeconds = 4.0f,
};

}  // namespace soundgen
