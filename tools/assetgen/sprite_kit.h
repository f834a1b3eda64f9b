// Pieces every sprite family uses: lit parts, panel lines, rivets, lights, glows, blasts.
#pragma once

#include <vector>

#include "canvas.h"
#include "palette.h"

// A shaded, outlined part on a layer of the given size.
Canvas Part(int w, int h, const Mask& m, const Ramp& r, const ShadeOpts& o = {}, Rgb line = pal::kInk);
// Shades the mask and composites it over the canvas, outlined.
void AddPart(Canvas& cv, const Mask& m, const Ramp& r, const ShadeOpts& o = {}, Rgb line = pal::kInk);
// The opaque pixels of a canvas as a mask.
Mask MaskOf(const Canvas& cv);

// Multiplies an opaque pixel (panel lines, shadows); no effect on transparent pixels.
void Darken(Canvas& cv, int x, int y, float f);
void Lighten(Canvas& cv, int x, int y, float f);
// A seam on the surface: dark line with a light line below it (light from the top left).
void Seam(Canvas& cv, int x0, int y0, int x1, int y1);
void Rivet(Canvas& cv, int x, int y);
// A row of cooling slits inside a box.
void Vents(Canvas& cv, int x, int y, int w, int h, int step);

// A lit ball: radial tones of the ramp, hottest in the upper left.
void Ball(Canvas& cv, float cx, float cy, float r, const Ramp& ramp, bool outline);
// A glowing light: a hot centre fading through the ramp to its edge, hard-edged.
void GlowBall(Canvas& cv, float cx, float cy, float r, const Ramp& ramp);
// Lights opaque pixels around a point (an engine or core lighting the hull).
void Bloom(Canvas& cv, float cx, float cy, float r, Rgb c, float strength);

// An explosion of radius r at time t in [0, 1] (0 = first flash, 1 = last smoke).
void PaintBlast(Canvas& cv, float cx, float cy, float r, float t, uint32_t seed);
// Sparks flying outward from a point at time t.
void PaintSparks(Canvas& cv, float cx, float cy, float reach, float t, int count, uint32_t seed, const Ramp& ramp);

// Point list helpers for polygons.
std::vector<float> Mirrored(const std::vector<float>& xy, float axisY);
std::vector<float> Shifted(const std::vector<float>& xy, float dx, float dy);
std::vector<float> Scaled(const std::vector<float>& xy, float sx, float sy);
