// The game's sound effects, each a short mono sound made from a few synthesised layers.
#pragma once

#include <cmath>
#include <span>
#include <vector>

namespace soundgen {

constexpr float kEffectCeilingDb = -1.5f;  // dBTP of every effect file

struct Effect {
    const char* file;
    int volume;                    // the volume the game plays it at, 0 to 255
    float heardLufs;               // its loudest 400 ms as heard at that volume
    std::vector<float> (*make)();  // unscaled sound
    // loudness the file itself needs for that
    float FileLufs() const { return heardLufs - 10.0f * std::log10((float)volume / 255.0f); }
};

std::span<const Effect> AllEffects();

}  // namespace soundgen
