// The game's sound effects, each a short mono sound made from a few synthesised layers.
#pragma once

#include <span>
#include <vector>

struct Effect {
    const char* file;
    float peakDb;                  // level of the loudest sample, set against its playing volume
    std::vector<float> (*make)();  // unscaled sound
};

std::span<const Effect> AllEffects();
