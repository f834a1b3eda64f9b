// Contact between actors, group damage, the map-wall test and aiming helpers.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// One contact check of `hitter` against the live actors of `group`: at most one
// hit is exchanged, with the earliest-created overlapping target.
void HitTestGroup(Actor* hitter, int32_t group);
// The kind (work[0]) of the first item touched, or -1; the item loses the picker's attack.
int32_t PickUpItem(Actor* picker);
// Marks the first touched actor whose blastTag is 8 with deathKind 8.
void BlastSegmentTest(Actor* segment);
// amount off the hp of every actor of `group` that is not intangible, alive or not.
void DamageGroup(int32_t amount, int32_t group);
// Orders every actor of `group` removed: silently when intangible or armoured, else exploding.
void KillGroup(int32_t group);
// Ends every armoured actor of any group at once.
void RemoveArmoured();
// The map character under screen point (px, py) minus 'a': 0..25 for solid tiles.
int32_t MapCellAt(float px, float py);
// 9999 off hp, once, when a corner of a hit rectangle lies in a solid map cell.
void MapWallTest(Actor* a);
// Direction in whole degrees (0 right, 90 up) from point 1 to point 2, 0..359.
int32_t AngleBetween(float x1, float y1, float x2, float y2);
// Direction from (x, y) to the ship's centre with a random deviation of about spread.
int32_t AimAtPlayer(int32_t spread, float x, float y);

// Whether rectangle i of a and rectangle j of b overlap; touching edges do not.
bool HitRectsOverlap(const Actor* a, int i, const Actor* b, int j);
