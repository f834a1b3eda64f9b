// --route and --continues: the simulator steers the route map and the game-over
// prompt the way a player would, on top of the pilot's or the input file's buttons.
#pragma once

#include <cstdint>

constexpr int kRouteMaps = 6;  // one route map after each stage of columns 1 to 6

// Six letters, U (the upper successor) or D (the lower); false for anything else.
bool ParseRoute(const char* text, char route[kRouteMaps + 1]);

// The buttons for this frame on the route map `mapIndex` (0 for the first): the
// cursor is switched until it rests on the route's choice, then fire confirms.
// Presses alternate with frames of nothing held, so each is a fresh press.
int RouteMapButtons(const char* route, int32_t mapIndex, int64_t frame);

// The buttons at the game-over prompt while continues are left: C, as a fresh press.
int ContinueButtons(int64_t frame);
