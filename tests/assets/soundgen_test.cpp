// The sound generator's parts: the song notation, chords and voicings, drums and fills, the
// oscillators, the limiter and echo, the WAV writer, and the song table as a whole.
// The generator is a build tool outside the game library: its core is the soundgen_core
// library, in namespace soundgen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"

#include "audio_files.h"
#include "drums.h"
#include "effects.h"
#include "loudness.h"
#include "mixer.h"
#include "sequencer.h"
#include "sequencer_parts.h"
#include "songs.h"
#include "synth.h"
#include "voices.h"

namespace {

using namespace soundgen;

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
    EXPECT_LE(lv.peakDb, kCeilingDb + 0.05f);
    EXPECT_NEAR(lv.lufs, song.loudnessLufs, 1.0);
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
    EXPECT_NEAR(IntegratedLufs(s), -15.0f, 0.5f);
    MasterSong(spiky, -15.0f, -2.4f, 0.5f);
    EXPECT_LE(MeasureLevels(spiky).peakDb, -2.4f + 0.05f);
    // limiting after the gain can only take loudness away, never add it
    EXPECT_LT(IntegratedLufs(spiky), -15.0f + 0.5f);
    EXPECT_GT(IntegratedLufs(spiky), -15.0f - 10.0f);
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

namespace {

const std::string DataDir = ZORBEX_BINARY_DIR "/data/";

std::string TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("zorbex-" + std::to_string(getpid()) + "-" + name);
}

struct Ebur128 {
    double integrated = -999.0, truePeak = -999.0, range = -999.0;
};

// Runs ffmpeg's ebur128 filter over `input` (ffmpeg arguments); its decoded samples, when
// asked for, come back as interleaved stereo floats.
Ebur128 RunEbur128(const std::string& input, std::vector<float>* decoded = nullptr) {
    const std::string report = TempPath("ebur128.txt"), raw = TempPath("decoded.f32");
    const std::string output = decoded ? "-f f32le -ac 2 -ar 44100 " + raw : std::string("-f null -");
    const std::string command = "ffmpeg -nostdin -hide_banner -nostats -y " + input +
                                " -af ebur128=peak=true " + output + " 2> " + report;
    Ebur128 r;
    if (std::system(command.c_str()) != 0) return r;
    std::ifstream in(report);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const size_t summary = text.rfind("Summary:");
    auto number = [&](const char* label) {
        const size_t at = text.find(label, summary);
        return at == std::string::npos ? -999.0 : std::atof(text.c_str() + at + std::strlen(label));
    };
    if (summary != std::string::npos) r = {number("I:"), number("Peak:"), number("LRA:")};
    if (decoded) {
        std::ifstream f(raw, std::ios::binary | std::ios::ate);
        decoded->resize(size_t(f.tellg()) / sizeof(float));
        f.seekg(0);
        f.read(reinterpret_cast<char*>(decoded->data()), std::streamsize(decoded->size() * sizeof(float)));
    }
    std::remove(report.c_str());
    std::remove(raw.c_str());
    return r;
}

Stereo Deinterleave(const std::vector<float>& v) {
    Stereo s;
    s.Resize(int(v.size() / 2));
    for (int i = 0; i < s.Length(); ++i) s.l[i] = v[2 * i], s.r[i] = v[2 * i + 1];
    return s;
}

Ebur128 MeasureWithFfmpeg(const Stereo& s) {
    const std::string path = TempPath("signal.f32");
    std::vector<float> v(size_t(s.Length()) * 2);
    for (int i = 0; i < s.Length(); ++i) v[2 * i] = s.l[i], v[2 * i + 1] = s.r[i];
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(v.data()), std::streamsize(v.size() * 4));
    const Ebur128 r = RunEbur128("-f f32le -ar 44100 -ac 2 -i " + path);
    std::remove(path.c_str());
    return r;
}

const Song* const AllSongs[] = {&kSound00, &kSound01, &kSound02, &kSound03, &kSound04, &kSound05, &kSound06,
                                &kSound07, &kSound08, &kSound09, &kSoundWarning, &kSoundSelect01,
                                &kSoundSelect02, &kSound11};

std::vector<SectionSpan> SpansOf(const Song& song) {
    Builder b{song, {}, {}, {}};
    double length = 0.0;
    std::vector<SectionSpan> spans;
    EXPECT_TRUE(Arrange(b, length, &spans)) << b.error;
    return spans;
}

struct Passage {
    std::string file;
    double seconds = 0.0, lufs = -200.0;
};

// Every track decoded once: its loudness and peak as ffmpeg measures them, and its sections'.
struct DecodedTrack {
    Ebur128 measured;
    std::vector<double> sectionLufs;
    std::vector<SectionSpan> spans;
};

const std::vector<DecodedTrack>& DecodedTracks() {
    static const std::vector<DecodedTrack> tracks = [] {
        std::vector<DecodedTrack> out;
        for (const Song* song : AllSongs) {
            DecodedTrack t;
            std::vector<float> decoded;
            t.measured = RunEbur128("-i " + DataDir + song->file, &decoded);
            const Stereo audio = Deinterleave(decoded);
            t.spans = SpansOf(*song);
            for (const SectionSpan& span : t.spans)
                t.sectionLufs.push_back(IntegratedLufs(audio, span.start, std::min(span.end, audio.Length())));
            out.push_back(t);
        }
        return out;
    }();
    return tracks;
}

// The loudest section of all the music.
Passage LoudestPassage() {
    Passage best;
    for (size_t k = 0; k < DecodedTracks().size(); ++k) {
        const DecodedTrack& t = DecodedTracks()[k];
        for (size_t i = 0; i < t.spans.size(); ++i)
            if (t.sectionLufs[i] > best.lufs) best = {AllSongs[k]->file, t.spans[i].start / double(kRate), t.sectionLufs[i]};
    }
    return best;
}

std::vector<float> MasteredEffect(const char* file) {
    for (const Effect& e : AllEffects()) {
        if (std::string(e.file) != file) continue;
        std::vector<float> v = e.make();
        MasterEffect(v, e.FileLufs(), kEffectCeilingDb);
        return v;
    }
    ADD_FAILURE() << "no effect " << file;
    return {};
}

double HeardLufs(const char* file) {
    for (const Effect& e : AllEffects())
        if (std::string(e.file) == file) return MomentaryMaxLufs(MasteredEffect(file)) + 10.0 * std::log10(e.volume / 255.0);
    return -999.0;
}

// Energy in octave bands from 63 Hz to 8 kHz, in dB relative to the whole sound.
std::vector<double> OctaveProfile(const std::vector<float>& v) {
    std::vector<double> bands;
    double total = 0.0;
    for (float x : v) total += double(x) * x;
    for (float hz = 63.0f; hz < 9000.0f; hz *= 2.0f) {
        Svf f;
        f.Set(hz, 0.6f);
        double sum = 0.0;
        for (float x : v) {
            const float y = f.Band(x);
            sum += double(y) * y;
        }
        bands.push_back(10.0 * std::log10(sum / total + 1e-12));
    }
    return bands;
}

}  // namespace

TEST(Loudness, AgreesWithFfmpegsEbur128) {
    Noise noise;
    Stereo gated;  // noise at three levels with a silent gap: both gates come into play
    gated.Resize(kRate * 12);
    for (int i = 0; i < gated.Length(); ++i) {
        const int second = i / kRate;
        const float level = second < 4 ? 0.3f : second < 6 ? 0.0f : second < 9 ? 0.05f : 0.6f;
        gated.l[i] = level * noise.Next();
        gated.r[i] = level * 0.5f * noise.Next();
    }
    static const Section sections[] = {
        {.name = "a", .bars = 2, .chords = "Am F",
         .lines = {{0, LineNotes, "a4:4 c5 e5 a5 | g5:16 |"}, {1, LineDegrees, "1.8."}, {2, LineChords, "x---"}},
         .drums = {"K...S...K...S...", "h.h.h.h.h.h.h.h."}, .crash = true},
    };
    Song song = SongOf(sections);
    song.order = "a a@-8 a";
    Stereo music;
    std::string error;
    ASSERT_TRUE(RenderSong(song, music, error)) << error;
    for (const Stereo* s : {&gated, &music}) {
        const Ebur128 reference = MeasureWithFfmpeg(*s);
        ASSERT_GT(reference.integrated, -70.0) << "ffmpeg did not measure";
        EXPECT_NEAR(IntegratedLufs(*s), reference.integrated, 0.5);
        EXPECT_NEAR(TruePeakDb(*s), reference.truePeak, 0.5);
    }
    // a mono effect counts as one channel, as ffmpeg reads a mono file
    const std::string wav = TempPath("effect.wav");
    const std::vector<float> blast = MasteredEffect("WavMyBomb.wav");
    ASSERT_TRUE(WriteWav(wav, blast));
    const Ebur128 reference = RunEbur128("-i " + wav);
    std::remove(wav.c_str());
    EXPECT_NEAR(IntegratedLufs(blast), reference.integrated, 0.5);
}

TEST(GeneratedMusic, EveryTrackMeetsItsLoudnessPeakAndArc) {
    for (size_t k = 0; k < DecodedTracks().size(); ++k) {
        SCOPED_TRACE(AllSongs[k]->file);
        const DecodedTrack& t = DecodedTracks()[k];
        // mastered by loudness, and no intersample over after encoding
        EXPECT_NEAR(t.measured.integrated, AllSongs[k]->loudnessLufs, 0.7);
        EXPECT_LE(t.measured.truePeak, -1.0);
        // the loudest section at least 4 LU over the quietest
        ASSERT_FALSE(t.sectionLufs.empty());
        const auto [quietest, loudest] = std::minmax_element(t.sectionLufs.begin(), t.sectionLufs.end());
        EXPECT_GE(*loudest - *quietest, 4.0);
    }
    // calm scenes sit well under the stages and fights, and breathe: a loudness range of 4
    // LU at least, as the stage tracks have
    for (size_t k = 0; k < DecodedTracks().size(); ++k) {
        if (AllSongs[k]->loudnessLufs > -18.0f) continue;
        EXPECT_GE(DecodedTracks()[k].measured.range, 4.0) << AllSongs[k]->file;
    }
    EXPECT_LE(kSoundSelect01.loudnessLufs, -18.0f);
    EXPECT_LE(kSound11.loudnessLufs, -18.0f);
    EXPECT_NEAR(kSound05.loudnessLufs, -16.0f, 0.5f);
}

TEST(SongTable, TheEndingTurnsReflectiveAsItsTextScrolls) {
    // the clear banner and tally take 635 frames, the ship's exit 11 to 63, the text 14 more
    const double earliest = (635 + 11 + 14) * 0.016, latest = (635 + 63 + 14) * 0.016;
    const std::vector<SectionSpan> spans = SpansOf(kSound11);
    auto reflective = std::find_if(spans.begin(), spans.end(),
                                   [](const SectionSpan& s) { return std::string(s.name) == "C"; });
    ASSERT_NE(reflective, spans.end());
    EXPECT_GE(reflective->start / double(kRate), earliest);
    EXPECT_LE(reflective->start / double(kRate), latest);
    // and it lasts while the text scrolls (1930 frames)
    EXPECT_GE((reflective + 1)->end / double(kRate), latest + 1930 * 0.016);
}

TEST(Effects, CleanOnsetsNoDcAndNoOvers) {
    for (const Effect& e : AllEffects()) {
        SCOPED_TRACE(e.file);
        const std::vector<float> v = MasteredEffect(e.file);
        double sum = 0.0, square = 0.0;
        for (float x : v) sum += x, square += double(x) * x;
        const double mean = sum / v.size();
        EXPECT_LT(mean * mean / (square / v.size()), 1e-3);  // under 0.1 % of the energy at DC
        EXPECT_LE(TruePeakDb(v.data(), (int)v.size()), kEffectCeilingDb + 0.05f);
        // the first millisecond rises gently from silence
        float early = 0.0f, body = 0.0f;
        for (int i = 0; i < kRate / 2000; ++i) early = std::max(early, std::fabs(v[i]));
        for (float x : v) body = std::max(body, std::fabs(x));
        EXPECT_LT(early, 0.5f * body);
        EXPECT_LT(std::fabs(v[0]), 1e-3f);
    }
}

TEST(Effects, ExplosionsAreFourSoundsInTheOrderAPlayerExpects) {
    const char* family[] = {"WavMyBomb.wav", "WavZorbex01.wav", "WavEnemyBomb00.wav", "WavEnemyShot01.wav"};
    // ship death, then a bomb blast, then an explosion; an item blip about 6 dB under that
    EXPECT_GT(HeardLufs(family[0]), HeardLufs(family[1]) + 0.5);
    EXPECT_GT(HeardLufs(family[1]), HeardLufs(family[2]) + 0.5);
    EXPECT_NEAR(HeardLufs("WavItemGet00.wav"), HeardLufs(family[2]) - 6.0, 1.5);
    std::vector<std::vector<double>> profiles;
    for (const char* file : family) {
        SCOPED_TRACE(file);
        profiles.push_back(OctaveProfile(MasteredEffect(file)));
        const std::vector<double>& p = profiles.back();
        // weight in the low mids (125 to 250 Hz) or the crack at 1 to 4 kHz, not all in the sub
        EXPECT_GT(std::max({p[1], p[2], p[4], p[5], p[6]}), p[0]);
    }
    // the body of an explosion and the crack over it, both clearly there
    EXPECT_GT(std::max(profiles[2][1], profiles[2][2]), -12.0);
    EXPECT_GT(std::max(profiles[2][4], profiles[2][5]), -12.0);
    for (size_t a = 0; a < profiles.size(); ++a) {
        for (size_t b = a + 1; b < profiles.size(); ++b) {
            double apart = 0.0;
            for (size_t k = 0; k < profiles[a].size(); ++k) apart = std::max(apart, std::fabs(profiles[a][k] - profiles[b][k]));
            EXPECT_GT(apart, 3.0) << family[a] << " and " << family[b] << " sound alike";
        }
    }
}

TEST(OutputMix, LoudestMusicWithEveryVoiceOfEveryEffectStaysUnderFullScale) {
    const Passage loud = LoudestPassage();
    ASSERT_FALSE(loud.file.empty());
    EnableHeadless(1);
    ASSERT_EQ(StartRuntime(), 0);
    std::vector<int> handles;
    for (const Effect& e : AllEffects()) {
        const int h = LoadSound((DataDir + e.file).c_str(), 3, -1);
        ASSERT_GT(h, 0) << e.file;
        SetSoundVolume(e.volume, h);
        handles.push_back(h);
    }
    ASSERT_EQ(PlayMusicFile((DataDir + loud.file).c_str(), 1), 0);
    ASSERT_TRUE(SetMusicPosition(loud.seconds));
    TakeMixPeaks();
    for (int h : handles)
        for (int voice = 0; voice < 3; ++voice) PlaySound(h, 1, 1);
    // the silent driver mixes in real time: let a second of it through the limiter
    MixPeaks seen;
    for (int wait = 0; wait < 100 && seen.frames < kRate; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const MixPeaks p = TakeMixPeaks();
        seen.in = std::max(seen.in, p.in);
        seen.out = std::max(seen.out, p.out);
        seen.frames += p.frames;
    }
    StopMusicFile();
    StopRuntime();
    std::printf("worst-case mix, %s at %.1f s (%.1f LUFS) with all %zu effects x 3 voices: %+.1f dBFS into the "
                "limiter, %+.2f dBFS out\n",
                loud.file.c_str(), loud.seconds, loud.lufs, handles.size(), 20.0 * std::log10(seen.in),
                20.0 * std::log10(seen.out));
    ASSERT_GE(seen.frames, kRate);
    EXPECT_GT(seen.in, 1.0f);  // the sum itself is far over full scale,
    EXPECT_LT(seen.out, 1.0f);  // what leaves the mixer never is
}
