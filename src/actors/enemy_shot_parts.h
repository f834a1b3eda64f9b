// Pieces shared by the enemy-shot files: creation from a shape and the blink step.
#pragma once

#include <cstdint>

#include "actors/actor.h"
#include "runtime/media.h"
#include "shell/assets.h"

struct EnemyShotShape {
    int32_t width, height;
    int32_t hp;
    HitRect rect;
};

// Takes a record of GroupEnemyShot with its top-left at (x, y), attack 1, the shape's
// size, hp and one hit rectangle, dir and speed, and animation counters at 0.
Actor* AcquireEnemyShot(ActorFn update, ActorFn draw, const EnemyShotShape& shape, float x,
                        float y, int32_t dir, float speed);

// Directions outside 0..359 are brought into range; -1 (no motion) stays.
int32_t WrapDir(int32_t dir);

// Toggles between the first two cells, each shown for 16 frames.
void BlinkShot(Actor* shot);

// The cell a beam block shows in this frame (cell 0 of a beam picture is its warning sign).
int32_t BeamShimmerCell();

// Draws the current cell of enemy-shot picture n; beam blocks shimmer.
template <int N>
void DrawEnemyShotCell(Actor* a) {
    int32_t cell = a->work[kAnimFrame].i;
    if constexpr (N == 5 || N == 10) cell = BeamShimmerCell();
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y), a->width * cell, 0, a->width,
                    a->height, ImgEnemyShot[N], 1, 0);
}
