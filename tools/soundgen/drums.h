// Synthesised drum kit: each drum is rendered once per song and mixed in per hit.
#pragma once

#include <vector>

namespace soundgen {

enum DrumId { DrumKick, DrumSnare, DrumHat, DrumOpenHat, DrumCrash, DrumRide,
              DrumTomHigh, DrumTomMid, DrumTomLow, DrumClap, DrumCount };

// The tuning of a kit; songs change a few of these for their own colour.
struct DrumKit {
    float kickPitch = 58.0f;    // Hz the kick settles at, above what small speakers lose
    float kickDrop = 120.0f;    // Hz added at the hit, falling fast
    float kickDecay = 0.28f;
    float kickClick = 0.5f;
    float snareTone = 190.0f;
    float snareNoise = 0.8f;
    float snareDecay = 0.15f;
    float snareBright = 7000.0f;
    float hatDecay = 0.035f;
    float openDecay = 0.25f;
    float crashDecay = 1.3f;
    float tomPitch = 110.0f;
    float gain = 0.5f;
};

struct DrumSamples {
    std::vector<float> drum[DrumCount];
    float pan[DrumCount];
    float reverb[DrumCount];
};

void RenderDrumKit(const DrumKit& kit, DrumSamples& out);

// The drum of a pattern letter ('k', 's', 'h' ... case-insensitive), -1 for none.
int DrumForLetter(char c);

}  // namespace soundgen
