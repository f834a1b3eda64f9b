// Machine parts for the bosses: armour with panel lines, weak cores, barrels, engines, lights.
#pragma once

#include "sprite_kit.h"

// Armour: shaded, outlined, with panel seams, rivets and small surface details.
void Armor(Canvas& cv, const Mask& m, const Ramp& r, uint32_t seed, float bevel = 4.0f, int seamStep = 22);
// The visible weak point inside the rectangle (left, right, top, bottom): a dark
// socket rimmed in metal with a glowing eye.
void WeakCore(Canvas& cv, float left, float right, float top, float bottom, const Ramp& glow);
// A gun barrel from (x0, y0) to the muzzle at (x1, y1).
void Barrel(Canvas& cv, float x0, float y0, float x1, float y1, float r, const Ramp& ramp);
// An engine nozzle on the right-hand side of a hull, flame pointing right.
void Engine(Canvas& cv, float x, float y, float h);
// A row of small lights.
void Lights(Canvas& cv, int x0, int y, int x1, int step, const Ramp& ramp);
// Slits of a vent grille across a box.
void Grille(Canvas& cv, int x, int y, int w, int h);
// A dark recess (a hatch, a socket, a bay) with a lit lower and right edge.
void Recess(Canvas& cv, const Mask& m, float depth);
// A small steering nozzle pointing along (dx, dy), with a pale flame.
void Nozzle(Canvas& cv, float x, float y, float dx, float dy, float r);
// Glass windows in a row: dark panes with a bright top-left corner.
void Windows(Canvas& cv, int x0, int y, int x1, int step, int w, int h);
// A gun port: a steel collar round a dark bore with a glow deep inside.
void Port(Canvas& cv, float x, float y, float r, const Ramp& glow);
// A downward thruster bell with its flame (for bodies that rise or hover).
void DownThruster(Canvas& cv, float x, float y, float w);
// A polygon mask the size of the canvas.
Mask PolyMask(const Canvas& cv, const std::vector<float>& xy);

// Glow ramps shared by the cores.
extern const Ramp kCoreRed;
extern const Ramp kCoreBlue;
extern const Ramp kCoreGreen;
