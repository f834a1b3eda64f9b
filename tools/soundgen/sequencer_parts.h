// The sequencer's parts below RenderSong, for its tests: chords, where a section sits, the
// builder the lines and drum rows are turned into events with.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "sequencer.h"

namespace soundgen {

constexpr float kCeilingDb = -1.8f;  // dBTP: leaves room for the small overshoot of MP3 encoding
constexpr float kGate = 0.92f;       // fraction of its length a plain note sounds
constexpr float kStaccato = 0.45f;

struct Chord {
    int root = 0;      // pitch class
    int bass = -1;     // pitch class of a slash bass, -1 for none
    int third = 4;     // semitones above the root
    int fifth = 7;
    int seventh = -1;  // -1 for none
};

// Where a section instance sits in the song.
struct Placement {
    const Section* section;
    double start;        // sample
    double stepSamples;
    double swing;        // samples the odd steps are late
    int steps;
    int SampleAt(int step) const {
        double t = start + step * stepSamples + ((step & 1) && step < steps ? swing : 0.0);
        return (int)std::lround(t);
    }
};

struct DrumHit {
    int sample;
    int drum;
    float velocity;
};

struct Builder {
    const Song& song;
    std::vector<NoteEvent> notes[kMaxVoices];
    std::vector<DrumHit> hits;
    std::string error;

    bool Fail(const Placement& p, const std::string& what) {
        error = std::string(song.file) + ", section " + p.section->name + ": " + what;
        return false;
    }
};

// A chord symbol ("Am7", "F#/C#", "G:2" for two beats); false when it is not one.
bool ParseChord(std::string_view tok, Chord& c, int& beats);
// The chord sounding at each step of the section.
bool ChordsOfSection(Builder& b, const Placement& p, std::vector<Chord>& perStep);
// The pitch of scale degree `d` over chord `c`, at or above `floor`; -1 for no degree.
int DegreePitch(const Chord& c, char d, int floor);
// One line of notes, or of cells over the chords, turned into events.
bool NoteLine(Builder& b, const Placement& p, const Line& line);
bool CellLine(Builder& b, const Placement& p, const Line& line, const std::vector<Chord>& chords);
bool DrumRows(Builder& b, const Placement& p);
// Lays the sections end to end and turns every line and drum row into events.
bool Arrange(Builder& b, double& length, std::vector<SectionSpan>* spans = nullptr);

}  // namespace soundgen
