// The instrument palette the songs draw on; a song copies one and changes what it needs.
#pragma once

#include "synth.h"

namespace soundgen {

// Part slots, the same in every song so the section tables read alike.
enum Part { PartLead, PartCounter, PartBass, PartPad, PartArp, PartExtra, PartExtra2, PartExtra3 };

constexpr Instrument kPulseLead = {
    .wave = WavePulse, .width = 0.25f, .pwmDepth = 0.12f, .pwmRate = 0.7f,
    .attack = 0.005f, .decay = 0.25f, .sustain = 0.65f, .release = 0.12f, .gain = 0.22f,
    .cutoff = 5200.0f, .resonance = 0.1f, .filterEnv = 1.0f, .filterDecay = 0.2f,
    .vibDepth = 0.16f, .vibRate = 5.6f, .vibDelay = 0.2f,
    .pan = 0.0f, .echo = 0.22f, .reverb = 0.2f};

constexpr Instrument kSawLead = {
    .wave = WaveSaw, .attack = 0.008f, .decay = 0.3f, .sustain = 0.7f, .release = 0.15f, .gain = 0.2f,
    .cutoff = 3400.0f, .resonance = 0.15f, .filterEnv = 1.2f, .filterDecay = 0.18f,
    .vibDepth = 0.18f, .vibRate = 5.4f, .vibDelay = 0.22f,
    .unison = 2, .detune = 12.0f, .pan = 0.0f, .echo = 0.2f, .reverb = 0.22f};

// A hollow square lead, brighter and plainer than the pulse lead.
constexpr Instrument SquareLead() {
    Instrument i = kPulseLead;
    i.width = 0.5f;
    i.pwmDepth = 0.0f;
    i.cutoff = 4000.0f;
    i.vibDepth = 0.12f;
    i.echo = 0.15f;
    return i;
}

constexpr Instrument kBrass = {
    .wave = WaveSaw, .attack = 0.035f, .decay = 0.4f, .sustain = 0.75f, .release = 0.18f, .gain = 0.17f,
    .cutoff = 1400.0f, .resonance = 0.1f, .filterEnv = 1.6f, .filterDecay = 0.25f,
    .vibDepth = 0.12f, .vibRate = 5.0f, .vibDelay = 0.3f,
    .unison = 3, .detune = 9.0f, .floorNote = 55, .pan = -0.15f, .echo = 0.0f, .reverb = 0.3f};

constexpr Instrument kBell = {
    .wave = WaveFm, .attack = 0.002f, .decay = 0.45f, .sustain = 0.0f, .release = 0.5f, .gain = 0.22f,
    .fmRatio = 3.5f, .fmIndex = 0.6f, .fmAttackIndex = 2.5f, .fmDecay = 0.15f,
    .pan = 0.25f, .echo = 0.35f, .reverb = 0.35f};

constexpr Instrument kFlute = {
    .wave = WaveTriangle, .attack = 0.03f, .decay = 0.3f, .sustain = 0.85f, .release = 0.15f, .gain = 0.3f,
    .vibDepth = 0.2f, .vibRate = 5.0f, .vibDelay = 0.15f, .pan = -0.1f, .echo = 0.25f, .reverb = 0.3f};

constexpr Instrument kBassPluck = {
    .wave = WaveSaw, .attack = 0.002f, .decay = 0.2f, .sustain = 0.75f, .release = 0.05f, .gain = 0.34f,
    .cutoff = 380.0f, .resonance = 0.35f, .filterEnv = 2.6f, .filterDecay = 0.09f,
    .floorNote = 40, .pan = 0.0f, .echo = 0.0f, .reverb = 0.02f};

constexpr Instrument kBassFm = {
    .wave = WaveFm, .attack = 0.002f, .decay = 0.25f, .sustain = 0.8f, .release = 0.05f, .gain = 0.4f,
    .fmRatio = 1.0f, .fmIndex = 0.9f, .fmAttackIndex = 2.5f, .fmDecay = 0.06f,
    .floorNote = 40, .pan = 0.0f, .echo = 0.0f, .reverb = 0.02f};

constexpr Instrument kBassPulse = {
    .wave = WavePulse, .width = 0.5f, .attack = 0.002f, .decay = 0.3f, .sustain = 0.8f, .release = 0.04f,
    .gain = 0.28f, .cutoff = 900.0f, .filterEnv = 1.5f, .filterDecay = 0.08f,
    .floorNote = 43, .pan = 0.0f, .echo = 0.0f, .reverb = 0.02f};

constexpr Instrument kPad = {
    .wave = WaveSaw, .attack = 0.25f, .decay = 1.0f, .sustain = 0.8f, .release = 0.6f, .gain = 0.1f,
    .cutoff = 1600.0f, .resonance = 0.05f, .vibDepth = 0.04f, .vibRate = 4.0f, .vibDelay = 0.3f,
    .unison = 2, .detune = 14.0f, .floorNote = 52, .pan = 0.0f, .echo = 0.0f, .reverb = 0.45f};

constexpr Instrument kStrings = {
    .wave = WaveSaw, .attack = 0.4f, .decay = 1.2f, .sustain = 0.85f, .release = 0.8f, .gain = 0.065f,
    .cutoff = 2300.0f, .vibDepth = 0.06f, .vibRate = 5.0f, .vibDelay = 0.25f,
    .unison = 3, .detune = 18.0f, .floorNote = 55, .pan = 0.0f, .echo = 0.0f, .reverb = 0.55f};

constexpr Instrument kChoir = {
    .wave = WaveTriangle, .attack = 0.35f, .decay = 1.0f, .sustain = 0.9f, .release = 0.7f, .gain = 0.11f,
    .vibDepth = 0.1f, .vibRate = 4.6f, .vibDelay = 0.1f,
    .unison = 3, .detune = 22.0f, .floorNote = 57, .pan = 0.0f, .echo = 0.0f, .reverb = 0.6f};

constexpr Instrument kArpPulse = {
    .wave = WavePulse, .width = 0.125f, .attack = 0.002f, .decay = 0.07f, .sustain = 0.2f, .release = 0.05f,
    .gain = 0.12f, .cutoff = 4200.0f, .floorNote = 64, .pan = 0.35f, .echo = 0.4f, .reverb = 0.15f};

constexpr Instrument kStab = {
    .wave = WavePulse, .width = 0.35f, .attack = 0.002f, .decay = 0.12f, .sustain = 0.3f, .release = 0.08f,
    .gain = 0.07f, .cutoff = 2600.0f, .filterEnv = 1.0f, .filterDecay = 0.08f,
    .unison = 2, .detune = 10.0f, .floorNote = 55, .pan = -0.3f, .echo = 0.15f, .reverb = 0.2f};

constexpr Instrument kOrgan = {
    .wave = WaveFm, .attack = 0.01f, .decay = 1.0f, .sustain = 0.9f, .release = 0.2f, .gain = 0.08f,
    .fmRatio = 2.0f, .fmIndex = 0.5f, .floorNote = 55, .pan = -0.2f, .echo = 0.0f, .reverb = 0.35f};

// A copy of `base` with another gain, pan and register: the common changes.
constexpr Instrument Vary(Instrument base, float gain, float pan, int floorNote = -1) {
    base.gain = gain;
    base.pan = pan;
    if (floorNote >= 0) base.floorNote = floorNote;
    return base;
}

}  // namespace soundgen
