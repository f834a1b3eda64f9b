// The shape every boss shares: body end step, parts riding on the body, death words.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// Work words of the death sequence, kept clear of the kinds' own words and the
// hit flash words of the enemy framework.
constexpr int kBossDeathTick = 17;
constexpr int kBossDeathCount = 18;
// A part's offset from the body (float).
constexpr int kPartOffsetX = 3;
constexpr int kPartOffsetY = 4;

// A boss body or part: a GroupEnemy record at (x, y) with attack 10000 and clear
// death words; nullptr when the pool is full.
Actor* AcquireBossActor(ActorFn update, ActorFn draw, float x, float y, int32_t w, int32_t h);

// The body's common end of a phase frame: hit flash, then either the last life runs
// out (score, death sequence `death`) or an explosion order is obeyed.
void FinishBossBodyFrame(Actor* body, ActorFn death);

// A part's first step: ride on the body at its offset.
void FollowBossBody(Actor* part);

// Draws cell 0 of the actor's picture, from the flash row in a flash frame.
void DrawBossCell(Actor* a, int32_t image);
