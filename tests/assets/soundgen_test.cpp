// The sound generator's parts: the song notation, chords and voicings, drums and fills, the
// oscillators, the limiter and echo, the WAV writer, and the song table as a whole.
// The generator is a build tool outside the game library, so its sources are compiled here,
// in a namespace of their own; the standard headers they use come first so they stay global.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sg {
#include "../../tools/soundgen/synth.cpp"
#include "../../tools/soundgen/drums.cpp"
#include "../../tools/soundgen/mixer.cpp"
#include "../../tools/soundgen/sequencer.cpp"
#include "../../tools/soundgen/wav_writer.cpp"
#include "../../tools/soundgen/effects.cpp"
#include "../../tools/soundgen/songs_stage1.cpp"
#include "../../tools/soundgen/songs_stage2.cpp"
#include "../../tools/soundgen/songs_stage3.cpp"
#include "../../tools/soundgen/songs_final.cpp"
#include "../../tools/soundgen/songs_bosses.cpp"
#include "../../tools/soundgen/songs_scenes.cpp"
}  // namespace sg

namespace {

using namespace sg;

constexpr double Step = 1000.0;  // samples per step in the hand-made placements below

// A one-section song whose voices all sit at `floor`.
Song SongOf(std::span<const Section> sections, int floor = 48, std::span<const Phrase> phrases = {}) {
    Song song;
    song.file = "test.mp3";
    for (Instrument& i : song.voices) i.floorNote = floor;
    song.sections = sections;
    song.phrases = phrases;
    return song;
}

Placement PlaceAtZero(const Song& song, const Section& s, double swing = 0.0) {
    return Placement{&s, 0.0, Step, swing, s.bars * song.stepsPerBar};
}

struct Line1 {
    bool ok;
    std::string error;
    std::vector<NoteEvent> notes;
};

// Reads one line of a one-bar section with the given chords.
Line1 ReadLine(const char* chords, Line line, int bars = 1, std::span<const Phrase> phrases = {}, int transpose = 0) {
    Section s{.name = "s", .bars = bars, .chords = chords};
    s.transpose = transpose;
    const Song song = SongOf(std::span<const Section>(&s, 1), 48, phrases);
    Builder b{song, {}, {}, {}};
    const Placement p = PlaceAtZero(song, s);
    std::vector<Chord> perStep;
    bool ok = ChordsOfSection(b, p, perStep);
    line.voice = 0;
    if (ok) ok = line.kind == LineNotes ? NoteLine(b, p, line) : CellLine(b, p, line, perStep);
    return {ok, b.error, b.notes[0]};
}

std::vector<float> Pitches(const std::vector<NoteEvent>& notes) {
    std::vector<float> out;
    for (const NoteEvent& n : notes) out.push_back(n.pitch);
    return out;
}

std::vector<int> Starts(const std::vector<NoteEvent>& notes) {
    std::vector<int> out;
    for (const NoteEvent& n : notes) out.push_back(n.start);
    return out;
}

}  // namespace

TEST(SongNotation, NotesKeepTheirLengthsThroughRestsAndHolds) {
    const Line1 r = ReadLine("C", {0, LineNotes, "c4:4 e4 r:2 g4:2 -:4 |"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Pitches(r.notes), (std::vector<float>{60, 64, 67}));
    EXPECT_EQ(Starts(r.notes), (std::vector<int>{0, 4000, 10000}));
    EXPECT_EQ(r.notes[0].length, 3680);  // four steps, sounding 92 % of them
    EXPECT_EQ(r.notes[2].length, 5520);  // two steps held four more
}

TEST(SongNotation, AccentStaccatoGlideAndAccidentals) {
    const Line1 r = ReadLine("C", {0, LineNotes, "c#4:4! db4. ~cb4 e#4 |"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Pitches(r.notes), (std::vector<float>{61, 61, 59, 65}));
    EXPECT_FLOAT_EQ(r.notes[0].velocity, 1.0f);
    EXPECT_LT(r.notes[1].velocity, 1.0f);
    EXPECT_EQ(r.notes[1].length, 1800);  // staccato
    EXPECT_FLOAT_EQ(r.notes[2].glideFrom, 61.0f);
    EXPECT_LT(r.notes[3].glideFrom, 0.0f);
}

TEST(SongNotation, ShiftAndTransposeMoveEveryNote) {
    const Line1 r = ReadLine("C", {0, LineNotes, "c4:16", 12}, 1, {}, 2);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Pitches(r.notes), (std::vector<float>{74}));
}

TEST(SongNotation, ShortLinesLoopAndUnevenOrMisbarredOnesAreRefused) {
    const Line1 loops = ReadLine("C", {0, LineNotes, "c4:4"}, 2);
    ASSERT_TRUE(loops.ok) << loops.error;
    EXPECT_EQ(loops.notes.size(), 8u);
    EXPECT_EQ(loops.notes.back().start, 28000);

    const Line1 uneven = ReadLine("C", {0, LineNotes, "c4:3"});
    EXPECT_FALSE(uneven.ok);
    EXPECT_NE(uneven.error.find("does not fill"), std::string::npos);

    const Line1 misbarred = ReadLine("C", {0, LineNotes, "c4:4 | d4:12"});
    EXPECT_FALSE(misbarred.ok);
    EXPECT_NE(misbarred.error.find("bar line"), std::string::npos);

    EXPECT_FALSE(ReadLine("C", {0, LineNotes, "h4:16"}).ok);
    EXPECT_FALSE(ReadLine("C", {0, LineNotes, "c:16"}).ok);
    EXPECT_FALSE(ReadLine("C", {0, LineNotes, "-:4 c4:12"}).ok);
    EXPECT_FALSE(ReadLine("C", {0, LineNotes, "c4:8 ~ c4:8"}).ok);
}

TEST(SongNotation, PhrasesExpandWhereTheyAreNamed) {
    static const Phrase phrases[] = {{"m", "c4:2 d4:2"}, {"n", "$m $m"}};
    const Line1 r = ReadLine("C", {0, LineNotes, "$n e4:8 |"}, 1, phrases);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(Pitches(r.notes), (std::vector<float>{60, 62, 60, 62, 64}));
    const Line1 unknown = ReadLine("C", {0, LineNotes, "$nope c4:16"}, 1, phrases);
    EXPECT_FALSE(unknown.ok);
    EXPECT_NE(unknown.error.find("$nope"), std::string::npos);
}

TEST(SongChords, DegreesReadEachChordAboveTheFloor) {
    Chord c;
    int beats = 0;
    ASSERT_TRUE(ParseChord("C", c, beats));
    const char degrees[] = "0123456789tf";
    const int expected[] = {36, 48, 50, 52, 53, 55, 43, 60, 60, 62, 64, 67};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(DegreePitch(c, degrees[i], 48), expected[i]) << degrees[i];

    ASSERT_TRUE(ParseChord("Am/E:2", c, beats));
    EXPECT_EQ(beats, 2);
    EXPECT_EQ(DegreePitch(c, '1', 48), 52);  // the slash bass
    EXPECT_EQ(DegreePitch(c, '3', 48), 60);
    ASSERT_TRUE(ParseChord("G7", c, beats));
    EXPECT_EQ(DegreePitch(c, '7', 48), 65);
    ASSERT_TRUE(ParseChord("Bbmaj7", c, beats));
    EXPECT_EQ(DegreePitch(c, '7', 48), 69);
    ASSERT_TRUE(ParseChord("F#m7b5", c, beats));
    EXPECT_EQ(DegreePitch(c, '5', 48), 60);
    ASSERT_TRUE(ParseChord("Dsus4", c, beats));
    EXPECT_EQ(DegreePitch(c, '3', 48), 55);

    EXPECT_FALSE(ParseChord("H", c, beats));
    EXPECT_FALSE(ParseChord("Cxyz", c, beats));
    EXPECT_FALSE(ParseChord("Am/Q", c, beats));
}

TEST(SongChords, HeldNotesAndChordsFollowAChordChange) {
    const Line1 bass = ReadLine("C:2 F:2", {0, LineDegrees, "1---------------"});
    ASSERT_TRUE(bass.ok) << bass.error;
    EXPECT_EQ(Pitches(bass.notes), (std::vector<float>{48, 53}));
    EXPECT_EQ(Starts(bass.notes), (std::vector<int>{0, 8000}));

    const Line1 pad = ReadLine("C:2 F:2", {0, LineChords, "x---------------"});
    ASSERT_TRUE(pad.ok) << pad.error;
    ASSERT_EQ(pad.notes.size(), 6u);
    for (const NoteEvent& n : pad.notes) {
        EXPECT_GE(n.pitch, 48.0f);  // every voicing stays in the octave above the floor
        EXPECT_LT(n.pitch, 60.0f);
    }
    EXPECT_EQ(pad.notes[3].start, 8000);

    const Line1 rests = ReadLine("C", {0, LineDegrees, "1.5-"});
    ASSERT_TRUE(rests.ok) << rests.error;
    EXPECT_EQ(rests.notes.size(), 8u);
    EXPECT_EQ(rests.notes[1].length, (int)(2000 * 0.92f));

    EXPECT_FALSE(ReadLine("C", {0, LineDegrees, "1x1x"}).ok);
    EXPECT_FALSE(ReadLine("C", {0, LineChords, "x-1-"}).ok);
    EXPECT_FALSE(ReadLine("C Q", {0, LineDegrees, "1111"}).ok);
    EXPECT_FALSE(ReadLine("C:3", {0, LineDegrees, "1111"}).ok);  // chords must fill the section evenly
}

TEST(SongDrums, FillsReplaceOnlyTheLastBarAndCapitalsAccent) {
    Section s{.name = "d", .bars = 2, .drums = {"K.......k......."}, .fill = {"s.g............."}, .crash = true};
    const Song song = SongOf(std::span<const Section>(&s, 1));
    Builder b{song, {}, {}, {}};
    ASSERT_TRUE(DrumRows(b, PlaceAtZero(song, s))) << b.error;
    ASSERT_EQ(b.hits.size(), 5u);
    EXPECT_EQ(b.hits[0].drum, DrumKick);
    EXPECT_FLOAT_EQ(b.hits[0].velocity, 1.0f);
    EXPECT_EQ(b.hits[1].sample, 8000);
    EXPECT_FLOAT_EQ(b.hits[1].velocity, 0.72f);
    EXPECT_EQ(b.hits[2].drum, DrumSnare);
    EXPECT_EQ(b.hits[2].sample, 16000);  // no kick in the fill bar
    EXPECT_FLOAT_EQ(b.hits[3].velocity, 0.3f);  // ghost
    EXPECT_EQ(b.hits[4].drum, DrumCrash);

    Section bad{.name = "d", .bars = 1, .drums = {"k..z"}};
    const Song badSong = SongOf(std::span<const Section>(&bad, 1));
    Builder b2{badSong, {}, {}, {}};
    EXPECT_FALSE(DrumRows(b2, PlaceAtZero(badSong, bad)));
}

TEST(SongTiming, SwingDelaysOnlyTheOffSteps) {
    Section s{.name = "t", .bars = 1};
    const Song song = SongOf(std::span<const Section>(&s, 1));
    const Placement p = PlaceAtZero(song, s, 200.0);
    EXPECT_EQ(p.SampleAt(0), 0);
    EXPECT_EQ(p.SampleAt(1), 1200);
    EXPECT_EQ(p.SampleAt(2), 2000);
    EXPECT_EQ(p.SampleAt(16), 16000);  // the section's end is never swung
}

TEST(SongRender, ASmallSongRendersToItsLengthWithinTheCeiling) {
    static const Section sections[] = {
        {.name = "a", .bars = 2, .chords = "Am F",
         .lines = {{0, LineNotes, "a4:4 c5 e5 a5 | g5:16 |"}, {1, LineDegrees, "1.8."}, {2, LineChords, "x---"}},
         .drums = {"K...S...K...S..."}, .crash = true},
        {.name = "b", .bars = 1, .chords = "E7", .lines = {{0, LineNotes, "g#4:16"}}, .tempo = 60.0f},
    };
    Song song = SongOf(sections);
    song.tempo = 120.0f;
    song.order = "a b a";
    song.tailSeconds = 1.0f;
    song.voices[1].floorNote = 33;
    Stereo first, second;
    std::string error;
    ASSERT_TRUE(RenderSong(song, first, error)) << error;
    // two bars of two seconds, one bar of four at the slower tempo, two bars again, the tail
    EXPECT_EQ(first.Length(), 13 * kRate);
    const Levels lv = MeasureLevels(first);
    EXPECT_LE(lv.peakDb, kCeilingDb + 0.01f);
    EXPECT_NEAR(lv.rmsDb, song.loudnessDb, 2.0);
    EXPECT_EQ(first.l.back(), 0.0f);  // faded out
    ASSERT_TRUE(RenderSong(song, second, error));
    EXPECT_TRUE(first.l == second.l && first.r == second.r);

    song.order = "a nowhere";
    EXPECT_FALSE(RenderSong(song, first, error));
    EXPECT_NE(error.find("nowhere"), std::string::npos);
}

TEST(Synth, NotesSoundAtTheirPitchInEveryWave) {
    for (Wave w : {WavePulse, WaveSaw, WaveTriangle, WaveSine, WaveFm}) {
        Instrument inst;
        inst.wave = w;
        inst.fmIndex = 0.5f;
        inst.fmRatio = 1.0f;
        std::vector<float> out(kRate, 0.0f);
        Noise noise;
        RenderNote(inst, NoteEvent{0, kRate / 2, 69.0f, 1.0f, -1.0f}, out.data(), (int)out.size(), noise);
        int rising = 0;
        for (int i = kRate / 10; i < kRate * 4 / 10; ++i) rising += out[i - 1] < 0.0f && out[i] >= 0.0f;
        EXPECT_NEAR(rising, 132, 2) << "wave " << (int)w;  // 440 Hz over 0.3 s
    }
}

TEST(Synth, NotesFallSilentAfterTheirReleaseAndStopAtTheBufferEnd) {
    Instrument inst;
    inst.release = 0.05f;
    std::vector<float> out(kRate, 0.0f);
    Noise noise;
    const NoteEvent note{1000, 4410, 60.0f, 1.0f, -1.0f};
    RenderNote(inst, note, out.data(), (int)out.size(), noise);
    const int end = note.start + NoteSpan(inst, note);
    for (int i = end; i < (int)out.size(); ++i) ASSERT_EQ(out[i], 0.0f) << i;
    float tail = 0.0f, body = 0.0f;
    for (int i = end - 100; i < end; ++i) tail = std::max(tail, std::fabs(out[i]));
    for (int i = 2000; i < 5000; ++i) body = std::max(body, std::fabs(out[i]));
    EXPECT_LT(tail, body * 0.01f);
    // a note that runs past the end of the buffer is cut there, not written beyond it
    std::vector<float> shortBuffer(3000, 0.0f);
    RenderNote(inst, note, shortBuffer.data(), (int)shortBuffer.size(), noise);
    EXPECT_NE(shortBuffer.back(), 0.0f);
}

TEST(Mixer, LimiterHoldsTheCeilingAndQuietSongsReachTheTarget) {
    Stereo s;
    s.Resize(kRate * 4);
    for (int i = 0; i < s.Length(); ++i) {
        s.l[i] = 0.01f * std::sin(i * 0.05f);
        s.r[i] = 0.01f * std::sin(i * 0.031f);
    }
    Stereo spiky = s;
    for (int i = 0; i < spiky.Length(); i += kRate / 3) spiky.l[i] = 0.9f;
    MasterSong(s, -15.0f, -2.4f, 0.0f);
    EXPECT_NEAR(LoudnessDb(s), -15.0f, 0.5f);
    MasterSong(spiky, -15.0f, -2.4f, 0.5f);
    EXPECT_LE(MeasureLevels(spiky).peakDb, -2.4f + 0.001f);
    // limiting after the gain can only take loudness away, never add it
    EXPECT_LT(LoudnessDb(spiky), -15.0f + 0.5f);
    EXPECT_GT(LoudnessDb(spiky), -15.0f - 10.0f);
    EXPECT_EQ(spiky.r.back(), 0.0f);
}

TEST(Mixer, PingPongEchoAnswersLeftThenRight) {
    std::vector<float> send(1000, 0.0f);
    send[0] = 1.0f;
    Stereo out;
    out.Resize(1000);
    AddPingPongEcho(send, 100, 0.5f, 1.0f, out);
    auto loudest = [](const std::vector<float>& v, int from, int to) {
        return (int)(std::max_element(v.begin() + from, v.begin() + to,
                                      [](float a, float b) { return std::fabs(a) < std::fabs(b); }) - v.begin());
    };
    EXPECT_EQ(loudest(out.l, 0, 150), 100);
    EXPECT_EQ(loudest(out.r, 0, 250), 200);
    EXPECT_EQ(out.r[150], 0.0f);
}

TEST(Writers, WavHoldsTheSamplesRoundedAndClamped) {
    const std::string path = std::filesystem::temp_directory_path() / ("zorbex-wav-" + std::to_string(getpid()) + ".wav");
    ASSERT_TRUE(WriteWav(path, {0.0f, 0.5f, -0.5f, 2.0f, -2.0f}));
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    std::remove(path.c_str());
    ASSERT_EQ(b.size(), 44u + 10u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    auto sample = [&](int k) { return (int16_t)(b[44 + 2 * k] | (b[45 + 2 * k] << 8)); };
    EXPECT_EQ(sample(0), 0);
    EXPECT_EQ(sample(1), 16384);
    EXPECT_EQ(sample(2), -16384);
    EXPECT_EQ(sample(3), 32767);
    EXPECT_EQ(sample(4), -32767);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST(Effects, EachIsTheSameEveryTimeItIsMade) {
    for (const Effect& e : AllEffects()) EXPECT_TRUE(e.make() == e.make()) << e.file;
}

TEST(SongTable, EveryTrackArrangesLongEnoughAndNoTwoAreAlike) {
    const Song* songs[] = {&kSound00, &kSound01, &kSound02, &kSound03, &kSound04, &kSound05, &kSound06,
                           &kSound07, &kSound08, &kSound09, &kSoundWarning, &kSoundSelect01, &kSoundSelect02,
                           &kSound11};
    std::set<std::string> files, keys;
    std::set<float> tempos;
    for (const Song* s : songs) {
        SCOPED_TRACE(s->file);
        Builder b{*s, {}, {}, {}};
        double length = 0.0;
        ASSERT_TRUE(Arrange(b, length)) << b.error;
        EXPECT_GE(length / kRate + s->tailSeconds, s->minSeconds);
        int parts = 0;
        for (const auto& notes : b.notes) parts += !notes.empty();
        EXPECT_GE(parts, 3);       // melody, bass and harmony at least
        EXPECT_FALSE(b.hits.empty());  // and drums
        files.insert(s->file);
        keys.insert(s->key);
        tempos.insert(s->tempo);
    }
    EXPECT_EQ(files.size(), 14u);
    EXPECT_EQ(keys.size(), 14u);
    EXPECT_EQ(tempos.size(), 14u);
}
