// The fortress hull that bosses 0 and 14 share: one body with a core at its lower
// front, a turret, a gun and an armoured shield, gliding to a height and hovering in
// turn. Each boss gives its own numbers and its own fire.
#pragma once

#include <cstdint>

#include "actors/actor.h"

struct FortressHull {
    float startX;         // the body drops in from y = -240
    float speed;          // drift of the last explosion
    int32_t guardMode;    // at creation
    int32_t scoreValue;
    int32_t glideFloor;   // glide targets are RandomUpTo(glideFloor - height)
};

// The body, 202 x 200, with its core rectangle and glide set towards 480 - height;
// nullptr when the pool is full. Sets bossState = 0.
Actor* SpawnFortressBody(const FortressHull& hull, ActorFn glide, ActorFn draw, int32_t hp);
// The turret at (0, 25) and the gun at (28, 89) from the body; nullptr when the pool
// is full.
Actor* SpawnFortressTurret(const Actor* body, ActorFn update, ActorFn draw, int32_t hp);
Actor* SpawnFortressGun(const Actor* body, ActorFn update, ActorFn draw, int32_t hp);
// The armoured cover over all of the body but its core.
void SpawnFortressShield();

// One glide frame: ease to the target height, and on arrival start `hover` with
// bossState = 1; then move and publish the position. True in the frame of arrival.
bool GlideFortress(Actor* body, ActorFn hover);
// One hover frame: after 91 frames bossState = 0, a new target height and `glide`.
// True in the frame the glide starts.
bool HoverFortress(Actor* body, const FortressHull& hull, ActorFn glide);
