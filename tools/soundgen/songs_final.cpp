// Music of the last column: Sound06 (stages 22 to 28) and Sound04 (the final bosses).
#include "songs.h"
#include "voices.h"

namespace soundgen {

namespace {

// Sound06: D minor, 160 bpm. The final stages: epic and fast, rising a tone for the last passes.
constexpr Phrase kPhrases06[] = {
    {"a1", "d5:2 f5:2 a5:4 d6:4 c6:2 a5:2 | bb5:4 a5:2 g5:2 f5:4 d5:4 |"},
    {"a2", "e5:2 g5:2 c6:4 e6:4 d6:2 c6:2 | c6:4 a5:4 e5:8 |"},
    {"a3", "d5:2 f5:2 a5:4 d6:4 e6:2 f6:2 | f6:4 e6:2 d6:2 bb5:4 d6:4 |"},
    {"a4", "d6:4 c6:2 bb5:2 a5:2 g5:2 bb5:4 | a5:8 c#6:4 e6:4 |"},
    {"h1", "a4:2 d5:2 f5:4 a5:4 a5:2 f5:2 | f5:4 f5:2 d5:2 d5:4 bb4:4 |"},
    {"h2", "c5:2 e5:2 g5:4 c6:4 g5:2 e5:2 | a5:4 e5:4 c5:8 |"},
    {"h3", "a4:2 d5:2 f5:4 a5:4 c6:2 d6:2 | d6:4 bb5:2 f5:2 f5:4 bb5:4 |"},
    {"h4", "bb5:4 g5:2 g5:2 f5:2 d5:2 g5:4 | e5:8 a5:4 c#6:4 |"},
    {"b1", "f6:8 d6:4 bb5:4 | g6:8 e6:4 c6:4 | e6:4 c6:4 a5:4 c6:4 | d6:12 a5:4 |"},
    {"b2", "bb5:4 d6:4 g6:4 f6:2 e6:2 | e6:4 g6:4 c6:8 | a5:2 c6:2 f6:4 e6:4 c6:4 | c#6:8 e6:4 a6:4 |"},
    {"c1", "g5:8 bb5:8 | a5:16 | g5:4 bb5:4 d6:4 g6:4 | f6:8 e6:4 d6:4 |"},
    {"c2", "d6:8 f6:8 | e6:8 g6:8 | e6:16 | c#6:4 e6:4 g6:4 a6:4 |"},
};

constexpr Section kSections06[] = {
    {.name = "intro", .bars = 4, .chords = "Dm Bb Gm A",
     .lines = {{PartPad, LineChords, "x---------------"}, {PartExtra2, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"l...............", "........m...t..."}},
    {.name = "intro2", .bars = 4, .chords = "Dm Bb Gm A",
     .lines = {{PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358t8531358t853"},
               {PartBass, LineDegrees, "1.1.1.1.1.1.1.1."}},
     .drums = {"K...K...K...K...", "h.h.h.h.h.h.h.h."},
     .fill = {"K...K...K...K...", "SSSSSSSSSsSsSSSS"},
     .crash = true},
    {.name = "A", .bars = 8, .chords = "Dm Bb C Am Dm Bb Gm A",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartBass, LineDegrees, "1.8.1.8.1.8.1.8."},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.....K.K.......", "....S.......SsSS", "h.h.h.h.h.h....."},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Dm Bb C Am Dm Bb Gm A",
     .lines = {{PartLead, LineNotes, "$a1 $a2 $a3 $a4"}, {PartCounter, LineNotes, "$h1 $h2 $h3 $h4"},
               {PartBass, LineDegrees, "1.8.1.8.1.8.1.8."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t8531358t853"}, {PartExtra2, LineChords, "x---------------"}},
     .drums = {"K.....k.K.k.....", "....S.......S...", "h.hhh.hhh.hhh.hh"},
     .fill = {"K.......K.......", "....S.S.TTMMLLSS"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Bb C Am Dm Gm C F A",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1.1.1.1.5.5.8.8."},
               {PartPad, LineChords, "x-------x-------"}, {PartExtra, LineChords, "x..x..x...x.x..."},
               {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"K.k.K.k.K.k.K.k.", "....S.......S...", "h.o.h.o.h.o.h.o."},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "Gm Dm Gm Dm Bb C A A7",
     .lines = {{PartCounter, LineNotes, "$c1 $c2"}, {PartExtra, LineChords, "x-----x-----x---"},
               {PartBass, LineDegrees, "1-------5-------"}, {PartPad, LineChords, "x---------------"},
               {PartExtra2, LineChords, "x---------------"}},
     .drums = {"K.........K.....", "........S.......", "h...h...h...h..."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 4, .chords = "Dm Bb A Dm",
     .lines = {{PartLead, LineNotes, "d6:16 | d6:8 f6:8 | e6:16 | d6:16! |"}, {PartBass, LineDegrees, "1.8.1.8.1.8.1.8."},
               {PartPad, LineChords, "x---------------"}, {PartExtra2, LineChords, "x---------------"},
               {PartExtra, LineChords, "x..x..x...x....."}},
     .drums = {"K.....k.K.......", "....S.......S..."},
     .fill = {"K...............", "S..............."},
     .crash = true},
};

constexpr Section kAll06[] = {kSections06[0], kSections06[1], kSections06[2], kSections06[3], kSections06[4],
                              kSections06[5], kSections06[6], Transposed(kSections06[3], "A3", 2),
                              Transposed(kSections06[4], "B3", 2), Transposed(kSections06[6], "outro3", 2)};

}  // namespace

const Song kSound06 = {
    .file = "Sound06.mp3", .minSeconds = 120.0f, .tempo = 160.0f, .key = "D minor",
    .mood = "epic, relentless",
    .voices = {Vary(kSawLead, 0.34f, 0.0f), Vary(kBrass, 0.15f, -0.2f, 55), kBassPluck, Vary(kStrings, 0.06f, 0.0f),
               Vary(kArpPulse, 0.09f, 0.4f, 62), Vary(kStab, 0.08f, 0.35f, 57), Vary(kChoir, 0.07f, 0.0f, 60)},
    .kit = {.kickPitch = 58.0f, .kickDecay = 0.24f, .snareTone = 185.0f, .snareDecay = 0.16f, .tomPitch = 100.0f},
    .phrases = kPhrases06, .sections = kAll06,
    .order = "intro@-5 intro2@-3 A A2 B C@-4 A2@-1 B C@-3 A3@1 B3@1 outro3@-1",
};

namespace {

// Sound04: E flat minor (harmonic), 148 bpm. The final bosses: choir, brass and a driving
// ostinato; a half-time climax before the theme returns a tone higher.
constexpr Phrase kPhrases04[] = {
    {"a1", "eb5:4 gb5:4 bb5:6 ab5:2 | gb5:4 f5:2 eb5:2 cb5:8 | db5:4 gb5:4 bb5:4 db6:4 | d6:8 bb5:4 f5:4 |"},
    {"a2", "eb6:4 db6:2 cb6:2 bb5:4 gb5:4 | ab5:4 gb5:2 f5:2 eb5:4 gb5:4 | cb6:4 bb5:2 ab5:2 gb5:4 f5:2 eb5:2 | d5:8 f5:4 bb5:4 |"},
    {"b1", "gb6:8 eb6:4 cb6:4 | ab6:8 f6:4 db6:4 | f6:4 db6:4 bb5:4 db6:4 | eb6:12 bb5:4 |"},
    {"b2", "cb6:4 eb6:4 ab6:4 gb6:2 f6:2 | f6:4 ab6:4 db6:8 | bb5:2 db6:2 gb6:4 f6:4 db6:4 | d6:8 f6:4 bb6:4 |"},
    {"c1", "eb6:6 cb6:2 ab5:8 | f6:6 db6:2 bb5:8 | gb6:4 f6:4 eb6:4 cb6:4 | db6:4 eb6:4 f6:8 |"},
    {"c2", "gb6:6 f6:2 eb6:8 | eb6:4 db6:4 cb6:4 gb5:4 | c6:4 eb6:4 ab6:8 | d6:16 |"},
    {"d1", "bb5:8 gb5:8 | ab5:8 f5:8 | gb5:8 eb5:8 | f5:16 |"},
    {"d2", "eb5:4 gb5:4 bb5:8 | db6:8 f6:8 | eb6:8 c6:8 | d6:8 bb5:4 f5:4 |"},
    {"e1", "bb5:16 | -:16 | cb6:16 | -:16 | db6:16 | -:16 | d6:16 | f6:16 |"},
};

// The brass riff of the intro and the climax, read against each chord it crosses.
constexpr const char* kRiff04 = "1-----1-3---2---1-----5-6-------";

constexpr Section kSections04[] = {
    {.name = "intro", .bars = 8, .chords = "Ebm Ebm Cb Cb Gb Gb Bb Bb",
     .lines = {{PartExtra2, LineChords, "x---------------"}, {PartBass, LineDegrees, "1-------1-------"},
               {PartExtra, LineDegrees, kRiff04, 12}},
     .drums = {"L.......L.......", "........m...t..."},
     .fill = {"K...K...K...K...", "l.l.m.m.t.t.SSSS"}},
    {.name = "A", .bars = 8, .chords = "Ebm Cb Gb Bb Ebm Cb Abm Bb",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartBass, LineDegrees, "1111811111118111"},
               {PartPad, LineChords, "x---------------"}, {PartArp, LineDegrees, "1358"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.h.h.h.h.h.h.h."},
     .fill = {"K.....K.K.......", "....S.......SsSS"},
     .crash = true},
    {.name = "A2", .bars = 8, .chords = "Ebm Cb Gb Bb Ebm Cb Abm Bb",
     .lines = {{PartLead, LineNotes, "$a1 $a2"}, {PartCounter, LineNotes, "$a1 $a2", -12},
               {PartBass, LineDegrees, "1111811111118111"}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358"}, {PartExtra2, LineChords, "x---------------"}},
     .drums = {"K.....k.K.k.....", "....S.......S...", "h.hhh.hhh.hhh.hh"},
     .fill = {"K.......K.......", "....S...SStTmMlL"},
     .crash = true},
    {.name = "B", .bars = 8, .chords = "Cb Db Bbm Ebm Abm Db Gb Bb",
     .lines = {{PartLead, LineNotes, "$b1 $b2"}, {PartBass, LineDegrees, "1.1.1.1.5.5.8.8."},
               {PartPad, LineChords, "x-------x-------"}, {PartExtra2, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358t8531358t853"}},
     .drums = {"K.k.K.k.K.k.K.k.", "....S.......S...", "h.o.h.o.h.o.h.o."},
     .fill = {"K.......K.......", "....S.S.S.SsSsSS"},
     .crash = true},
    {.name = "C", .bars = 8, .chords = "Abm Bbm Cb Db Ebm Cb Ab Bb",
     .lines = {{PartLead, LineNotes, "$c1 $c2"}, {PartCounter, LineNotes, "$c1 $c2", -12},
               {PartBass, LineDegrees, "1.8.1.8.1.8.1.8."}, {PartPad, LineChords, "x---------------"},
               {PartArp, LineDegrees, "1358"}},
     .drums = {"K.....k.K.......", "....S.......S...", "h.hhh.hhh.hhh.hh"},
     .fill = {"K.....K.K.......", "....S..St.t.m.mS"},
     .crash = true},
    {.name = "D", .bars = 8, .chords = "Cbmaj7 Bbm7 Abm7 Gbmaj7 Cbmaj7 Bbm Ab Bb",
     .lines = {{PartExtra3, LineNotes, "$d1 $d2"}, {PartExtra2, LineChords, "x---------------"},
               {PartPad, LineChords, "x---------------"}, {PartBass, LineDegrees, "1-------1---5---"}},
     .drums = {"K.........K.....", "........S.......", "r...r...r...r..."},
     .fill = {"K...K...K...K...", "....S...S.S.SSSS"},
     .crash = true},
    {.name = "E", .bars = 8, .chords = "Ebm Ebm Cb Cb Gb Gb Bb Bb",
     .lines = {{PartLead, LineNotes, "$e1"}, {PartExtra, LineDegrees, kRiff04},
               {PartBass, LineDegrees, "1.......1.....1."}, {PartExtra2, LineChords, "x---------------"}},
     .drums = {"K.......K.....K.", "........S.......", "h...h...h...h..."},
     .fill = {"K...K...K...K...", "l.l.m.m.t.t.SSSS"},
     .crash = true},
    {.name = "outro", .bars = 4, .chords = "Ebm Cb Bb Ebm",
     .lines = {{PartLead, LineNotes, "eb6:16 | gb6:16 | f6:16 | eb6:16! |"}, {PartBass, LineDegrees, "1111811111118111"},
               {PartPad, LineChords, "x---------------"}, {PartExtra2, LineChords, "x---------------"}},
     .drums = {"K.....k.K.......", "....S.......S..."},
     .fill = {"K...............", "S..............."},
     .crash = true},
};

constexpr Section kAll04[] = {kSections04[0], kSections04[1], kSections04[2], kSections04[3],
                              kSections04[4], kSections04[5], kSections04[6], kSections04[7],
                              Transposed(kSections04[2], "A3", 2), Transposed(kSections04[3], "B3", 2),
                              Transposed(kSections04[4], "C3", 2), Transposed(kSections04[7], "outro3", 2)};

}  // namespace

const Song kSound04 = {
    .file = "Sound04.mp3", .minSeconds = 180.0f, .tempo = 148.0f, .key = "Eb minor",
    .mood = "epic, final",
    .voices = {Vary(kSawLead, 0.34f, 0.0f), Vary(kBrass, 0.14f, -0.25f, 55), kBassFm, Vary(kStrings, 0.065f, 0.0f),
               Vary(kArpPulse, 0.08f, 0.45f, 63), Vary(kBrass, 0.17f, 0.2f, 60), Vary(kChoir, 0.09f, 0.0f, 58),
               Vary(kBell, 0.2f, 0.3f)},
    .kit = {.kickPitch = 60.0f, .kickDecay = 0.26f, .snareTone = 175.0f, .snareDecay = 0.2f, .crashDecay = 1.8f,
            .tomPitch = 85.0f},
    .phrases = kPhrases04, .sections = kAll04,
    .order = "intro@-5 A A2 B C@-3 A2 D@-4 B C E@-4 E@-2 A3@1 B3@1 C3 outro3@-1",
};

}  // namespace soundgen
