// The sequencer: reads the song notation, lays sections end to end, renders every part and
// the drums, adds echo and reverb, and masters the result.
#include "sequencer.h"
#include "sequencer_parts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace soundgen {

namespace {

int PitchClass(char letter) {
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7};  // a to g
    char c = (char)(letter | 0x20);
    return c >= 'a' && c <= 'g' ? classes[c - 'a'] : -1;
}

}  // namespace

bool ParseChord(std::string_view tok, Chord& c, int& beats) {
    size_t colon = tok.find(':');
    if (colon != std::string_view::npos) {
        beats = std::atoi(std::string(tok.substr(colon + 1)).c_str());
        tok = tok.substr(0, colon);
    }
    if (tok.empty() || (c.root = PitchClass(tok[0])) < 0 || tok[0] > 'G') return false;
    size_t i = 1;
    if (i < tok.size() && tok[i] == '#') c.root = (c.root + 1) % 12, ++i;
    else if (i < tok.size() && tok[i] == 'b') c.root = (c.root + 11) % 12, ++i;
    std::string_view quality = tok.substr(i);
    size_t slash = quality.find('/');
    if (slash != std::string_view::npos) {
        std::string_view bass = quality.substr(slash + 1);
        quality = quality.substr(0, slash);
        if (bass.empty() || (c.bass = PitchClass(bass[0])) < 0) return false;
        if (bass.size() > 1 && bass[1] == '#') c.bass = (c.bass + 1) % 12;
        if (bass.size() > 1 && bass[1] == 'b') c.bass = (c.bass + 11) % 12;
    }
    struct Quality { const char* name; int third, fifth, seventh; };
    static const Quality qualities[] = {
        {"", 4, 7, -1},     {"m", 3, 7, -1},     {"7", 4, 7, 10},     {"m7", 3, 7, 10},
        {"maj7", 4, 7, 11}, {"6", 4, 7, 9},      {"m6", 3, 7, 9},     {"sus2", 2, 7, -1},
        {"sus4", 5, 7, -1}, {"7sus4", 5, 7, 10}, {"dim", 3, 6, -1},   {"dim7", 3, 6, 9},
        {"m7b5", 3, 6, 10}, {"aug", 4, 8, -1},   {"5", 7, 7, -1},     {"add9", 4, 7, 14},
        {"madd9", 3, 7, 14}, {"mmaj7", 3, 7, 11},
    };
    for (const Quality& q : qualities) {
        if (quality == q.name) {
            c.third = q.third;
            c.fifth = q.fifth;
            c.seventh = q.seventh;
            return true;
        }
    }
    return false;
}

namespace {

std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t j = i;
        while (j < text.size() && text[j] != ' ') ++j;
        if (j > i) out.push_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

// The chord sounding at each step of the section.
}  // namespace

bool ChordsOfSection(Builder& b, const Placement& p, std::vector<Chord>& perStep) {
    const Song& song = b.song;
    std::vector<Chord> chords;
    std::vector<int> lengths;
    for (std::string_view tok : Split(p.section->chords)) {
        Chord c;
        int beats = 0;  // none given: the whole bar
        if (!ParseChord(tok, c, beats) || beats < 0) return b.Fail(p, "bad chord " + std::string(tok));
        c.root = (c.root + p.section->transpose % 12 + 12) % 12;
        if (c.bass >= 0) c.bass = (c.bass + p.section->transpose % 12 + 12) % 12;
        chords.push_back(c);
        lengths.push_back(beats > 0 ? beats * 4 : song.stepsPerBar);
    }
    if (chords.empty()) {
        chords.push_back(Chord{});
        lengths.push_back(p.steps);
    }
    int cycle = 0;
    for (int l : lengths) cycle += l;
    if (p.steps % cycle != 0) return b.Fail(p, "chords do not fill the section evenly");
    perStep.clear();
    while ((int)perStep.size() < p.steps)
        for (size_t i = 0; i < chords.size(); ++i) perStep.insert(perStep.end(), lengths[i], chords[i]);
    return true;
}

namespace {

bool SameChord(const Chord& a, const Chord& b) {
    return a.root == b.root && a.bass == b.bass && a.third == b.third && a.fifth == b.fifth &&
           a.seventh == b.seventh;
}

// Places pitch class `pc` at or above `floor`, within an octave.
int Above(int floor, int pc) { return floor + ((pc - floor) % 12 + 12) % 12; }

}  // namespace

int DegreePitch(const Chord& c, char d, int floor) {
    const int r = Above(floor, c.root);
    switch (d) {
        case '0': return r - 12;
        case '1': return c.bass >= 0 ? Above(floor, c.bass) : r;
        case '2': return r + 2;
        case '3': return r + c.third;
        case '4': return r + 5;
        case '5': return r + c.fifth;
        case '6': return r + c.fifth - 12;
        case '7': return c.seventh >= 0 ? r + c.seventh : r + 12;
        case '8': return r + 12;
        case '9': return r + 14;
        case 't': return r + c.third + 12;
        case 'f': return r + c.fifth + 12;
        default: return -1;
    }
}

namespace {

float MetricVelocity(int step) { return step % 4 == 0 ? 0.95f : (step % 2 == 0 ? 0.85f : 0.78f); }

void AddNote(Builder& b, int voice, const Placement& p, int step, int endStep, float pitch,
             float velocity, float gate, float glideFrom) {
    NoteEvent n;
    n.start = p.SampleAt(step);
    n.length = std::max(1, (int)((p.SampleAt(endStep) - n.start) * gate));
    n.pitch = pitch;
    n.velocity = velocity;
    n.glideFrom = glideFrom;
    b.notes[voice].push_back(n);
}

bool ExpandPhrases(Builder& b, const Placement& p, std::string_view text, int depth,
                   std::vector<std::string_view>& out) {
    if (depth > 8) return b.Fail(p, "phrases nest too deep");
    for (std::string_view tok : Split(text)) {
        if (tok[0] != '$') {
            out.push_back(tok);
            continue;
        }
        const Phrase* found = nullptr;
        for (const Phrase& ph : b.song.phrases)
            if (tok.substr(1) == ph.name) found = &ph;
        if (!found) return b.Fail(p, "unknown phrase " + std::string(tok));
        if (!ExpandPhrases(b, p, found->notes, depth + 1, out)) return false;
    }
    return true;
}

struct Written {
    int step, length, pitch;
    bool accent, staccato, glide, rest;
};

}  // namespace

bool NoteLine(Builder& b, const Placement& p, const Line& line) {
    std::vector<std::string_view> tokens;
    if (!ExpandPhrases(b, p, line.pattern, 0, tokens)) return false;
    std::vector<Written> written;
    int step = 0, duration = 2;
    for (std::string_view tok : tokens) {
        if (tok == "|") {
            if (step % b.song.stepsPerBar != 0)
                return b.Fail(p, "bar line at step " + std::to_string(step) + " of a line");
            continue;
        }
        Written w{step, 0, 0, false, false, false, false};
        size_t i = 0;
        if (tok[i] == '~') w.glide = true, ++i;
        if (i >= tok.size()) return b.Fail(p, "a glide to nothing");
        const bool hold = tok[i] == '-';
        if (tok[i] == 'r' || hold) {
            w.rest = true;
            ++i;
        } else {
            int pc = PitchClass(tok[i]);
            if (pc < 0) return b.Fail(p, "bad note " + std::string(tok));
            ++i;
            if (i < tok.size() && tok[i] == '#') ++pc, ++i;
            else if (i < tok.size() && tok[i] == 'b') --pc, ++i;
            if (i >= tok.size() || tok[i] < '0' || tok[i] > '8') return b.Fail(p, "no octave in " + std::string(tok));
            w.pitch = 12 * (tok[i] - '0' + 1) + pc;
            ++i;
        }
        while (i < tok.size()) {
            char c = tok[i++];
            if (c == '!') w.accent = true;
            else if (c == '.') w.staccato = true;
            else if (c == ':') {
                duration = 0;
                while (i < tok.size() && tok[i] >= '0' && tok[i] <= '9') duration = duration * 10 + (tok[i++] - '0');
                if (duration <= 0) return b.Fail(p, "bad length in " + std::string(tok));
            } else return b.Fail(p, "bad note " + std::string(tok));
        }
        w.length = duration;
        step += duration;
        if (hold) {
            if (written.empty()) return b.Fail(p, "'-' with nothing to hold");
            written.back().length += duration;
        } else {
            written.push_back(w);
        }
    }
    if (step <= 0 || p.steps % step != 0)
        return b.Fail(p, "note line of " + std::to_string(step) + " steps does not fill the section evenly");
    const int offset = line.shift + p.section->transpose;
    float previous = -1.0f;
    for (int loop = 0; loop < p.steps; loop += step) {
        for (size_t k = 0; k < written.size(); ++k) {
            const Written& w = written[k];
            if (w.rest) continue;
            const float pitch = (float)(w.pitch + offset);
            const bool tiedOn = k + 1 < written.size() && written[k + 1].glide && !written[k + 1].rest;
            const float gate = w.staccato ? kStaccato : (tiedOn ? 1.0f : kGate);
            const float velocity = w.accent ? 1.0f : MetricVelocity(w.step) * 0.92f;
            AddNote(b, line.voice, p, loop + w.step, loop + w.step + w.length, pitch, velocity, gate,
                    w.glide ? previous : -1.0f);
            previous = pitch;
        }
    }
    return true;
}

namespace {

std::string Cells(Builder& b, const Placement& p, const char* pattern, bool& ok) {
    std::string cells;
    for (const char* c = pattern; *c; ++c) {
        if (*c == ' ') continue;
        if (*c == '|') {
            if (cells.size() % b.song.stepsPerBar != 0) ok = b.Fail(p, "bar line off the bar in " + std::string(pattern));
            continue;
        }
        cells.push_back(*c);
    }
    if (cells.empty() || p.steps % (int)cells.size() != 0)
        ok = b.Fail(p, "pattern does not fill the section evenly: " + std::string(pattern));
    return cells;
}

// Degree and chord lines: one cell per step, read against the chord of the step.
}  // namespace

bool CellLine(Builder& b, const Placement& p, const Line& line, const std::vector<Chord>& chords) {
    bool ok = true;
    const std::string cells = Cells(b, p, line.pattern, ok);
    if (!ok) return false;
    const int floor = b.song.voices[line.voice].floorNote;
    int noteStart = -1;  // step of the sounding note, -1 for none
    char noteCell = 0;
    auto finish = [&](int endStep) {
        if (noteStart < 0) return;
        const Chord& c = chords[noteStart];
        const float velocity = MetricVelocity(noteStart);
        if (line.kind == LineChords) {
            int pcs[4] = {c.root, c.root + c.third, c.root + c.fifth, c.seventh >= 0 ? c.root + c.seventh : -1};
            int used[4], count = 0;
            for (int pc : pcs) {
                if (pc < 0) continue;
                int pitch = Above(floor, pc % 12);
                if (std::find(used, used + count, pitch) == used + count) used[count++] = pitch;
            }
            for (int k = 0; k < count; ++k)
                AddNote(b, line.voice, p, noteStart, endStep, (float)(used[k] + line.shift),
                        velocity * 0.8f, 1.0f, -1.0f);
        } else {
            const int pitch = DegreePitch(c, noteCell, floor);
            AddNote(b, line.voice, p, noteStart, endStep, (float)(pitch + line.shift), velocity, kGate, -1.0f);
        }
        noteStart = -1;
    };
    for (int s = 0; s < p.steps; ++s) {
        const char c = cells[s % cells.size()];
        if (c == '-') {
            if (noteStart >= 0 && !SameChord(chords[noteStart], chords[s])) {
                finish(s);
                noteStart = s;  // the held note follows the new chord
            }
            continue;
        }
        finish(s);
        if (c == '.') continue;
        if (line.kind == LineChords ? c != 'x' : DegreePitch(Chord{}, c, 0) == -1)
            return b.Fail(p, std::string("bad cell '") + c + "' in " + line.pattern);
        noteStart = s;
        noteCell = c;
    }
    finish(p.steps);
    return true;
}

bool DrumRows(Builder& b, const Placement& p) {
    const Section& sec = *p.section;
    const int lastBar = p.steps - b.song.stepsPerBar;
    const bool hasFill = sec.fill[0] != nullptr;
    for (int pass = 0; pass < 2; ++pass) {
        const char* const* rows = pass == 0 ? sec.drums : sec.fill;
        for (int r = 0; r < kDrumRows; ++r) {
            if (!rows[r]) continue;
            bool ok = true;
            const std::string cells = Cells(b, p, rows[r], ok);
            if (!ok) return false;
            if (pass == 1 && (int)cells.size() != b.song.stepsPerBar) return b.Fail(p, "a fill must be one bar");
            const int from = pass == 0 ? 0 : lastBar;
            const int to = pass == 0 && hasFill ? lastBar : p.steps;
            for (int s = from; s < to; ++s) {
                const char c = cells[(s - from) % cells.size()];
                if (c == '.') continue;
                const int drum = DrumForLetter(c);
                if (drum < 0) return b.Fail(p, std::string("bad drum '") + c + "'");
                float velocity = (c >= 'A' && c <= 'Z') ? 1.0f : 0.72f;
                if ((c | 0x20) == 'g') velocity = 0.3f;
                b.hits.push_back({p.SampleAt(s), drum, velocity});
            }
        }
    }
    if (sec.crash) b.hits.push_back({p.SampleAt(0), DrumCrash, 0.9f});
    return true;
}

namespace {

void MixDrums(std::vector<DrumHit>& hits, const DrumKit& kit, Stereo& out, std::vector<float>& reverb) {
    DrumSamples samples;
    RenderDrumKit(kit, samples);
    std::stable_sort(hits.begin(), hits.end(), [](const DrumHit& a, const DrumHit& b) { return a.sample < b.sample; });
    const int n = out.Length();
    for (size_t h = 0; h < hits.size(); ++h) {
        const DrumHit& hit = hits[h];
        const std::vector<float>& v = samples.drum[hit.drum];
        int length = (int)v.size();
        if (hit.drum == DrumOpenHat) {
            // the next hat closes an open one
            for (size_t k = h + 1; k < hits.size(); ++k) {
                if (hits[k].drum == DrumHat || (hits[k].drum == DrumOpenHat && hits[k].sample > hit.sample)) {
                    length = std::min(length, hits[k].sample - hit.sample + 200);
                    break;
                }
            }
        }
        const float angle = (samples.pan[hit.drum] + 1.0f) * 0.25f * 3.14159265f;
        const float gl = std::cos(angle) * 1.41421356f * hit.velocity;
        const float gr = std::sin(angle) * 1.41421356f * hit.velocity;
        const float gv = samples.reverb[hit.drum] * hit.velocity;
        const int end = std::min(n - hit.sample, length);
        for (int i = 0; i < end; ++i) {
            float fade = i > length - 200 ? (float)(length - i) / 200.0f : 1.0f;
            float x = v[i] * fade;
            out.l[hit.sample + i] += x * gl;
            out.r[hit.sample + i] += x * gr;
            reverb[hit.sample + i] += x * gv;
        }
    }
}

// Reads "A" or "A@-3" (the section, and a level in dB for this time through it).
std::string_view OrderEntry(std::string_view token, float& levelDb) {
    const size_t at = token.find('@');
    levelDb = at == std::string_view::npos ? 0.0f : (float)std::atof(std::string(token.substr(at + 1)).c_str());
    return token.substr(0, at);
}

// Lays the sections end to end and turns every line and drum row into events; `length` is
// where the last section ends, in samples. Each section's notes and hits are scaled by its
// level, so the song rises and falls section by section.
}  // namespace

bool Arrange(Builder& b, double& length, std::vector<SectionSpan>* spans) {
    const Song& song = b.song;
    std::vector<Placement> placements;
    std::vector<float> gains;
    double at = 0.0;
    for (std::string_view token : Split(song.order)) {
        float levelDb = 0.0f;
        const std::string_view name = OrderEntry(token, levelDb);
        const Section* found = nullptr;
        for (const Section& s : song.sections)
            if (name == s.name) found = &s;
        if (!found) {
            b.error = std::string(song.file) + ": unknown section " + std::string(name);
            return false;
        }
        const double tempo = found->tempo > 0.0f ? found->tempo : song.tempo;
        const double stepSamples = kRate * 60.0 / (tempo * 4.0);
        placements.push_back({found, at, stepSamples, stepSamples * song.swing, found->bars * song.stepsPerBar});
        gains.push_back(DbToGain(found->level + levelDb));
        at += stepSamples * placements.back().steps;
    }
    std::vector<Chord> chords;
    for (size_t k = 0; k < placements.size(); ++k) {
        const Placement& p = placements[k];
        size_t before[kMaxVoices];
        for (int v = 0; v < kMaxVoices; ++v) before[v] = b.notes[v].size();
        const size_t hitsBefore = b.hits.size();
        if (!ChordsOfSection(b, p, chords) || !DrumRows(b, p)) return false;
        for (const Line& line : p.section->lines) {
            if (line.voice < 0 || !line.pattern) continue;
            if (line.voice >= kMaxVoices) return b.Fail(p, "voice out of range");
            if (!(line.kind == LineNotes ? NoteLine(b, p, line) : CellLine(b, p, line, chords))) return false;
        }
        for (int v = 0; v < kMaxVoices; ++v)
            for (size_t i = before[v]; i < b.notes[v].size(); ++i) b.notes[v][i].velocity *= gains[k];
        for (size_t i = hitsBefore; i < b.hits.size(); ++i) b.hits[i].velocity *= gains[k];
        if (spans) spans->push_back({p.section->name, (int)p.start, (int)(p.start + p.stepSamples * p.steps)});
    }
    length = at;
    return true;
}

bool RenderSong(const Song& song, Stereo& out, std::string& error, std::vector<SectionSpan>* spans) {
    Builder b{song, {}, {}, {}};
    double at = 0.0;
    if (!Arrange(b, at, spans)) {
        error = b.error;
        return false;
    }

    const int total = (int)std::ceil(at + song.tailSeconds * kRate);
    out.Resize(total);
    std::vector<float> mono(total), echoSend(total, 0.0f), reverbSend(total, 0.0f);
    Noise noise;
    for (int v = 0; v < kMaxVoices; ++v) {
        if (b.notes[v].empty()) continue;
        std::fill(mono.begin(), mono.end(), 0.0f);
        const Instrument& inst = song.voices[v];
        for (const NoteEvent& n : b.notes[v]) RenderNote(inst, n, mono.data(), total, noise);
        MixMono(mono.data(), total, 1.0f, inst.pan, out, echoSend.data(), inst.echo, reverbSend.data(), inst.reverb);
    }
    MixDrums(b.hits, song.kit, out, reverbSend);
    const int echoDelay = (int)std::lround(song.echoSteps * kRate * 60.0 / (song.tempo * 4.0));
    AddPingPongEcho(echoSend, echoDelay, song.echoFeedback, song.echoMix, out);
    AddReverb(reverbSend, song.roomSize, song.damping, song.reverbMix, out);
    MasterSong(out, song.loudnessLufs, kCeilingDb, std::min(0.6f, song.tailSeconds));
    return true;
}

}  // namespace soundgen
