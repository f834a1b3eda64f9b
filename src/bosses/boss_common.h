// The shape every boss shares: creation, the motion rules, fans of shots, the body's
// end step and lives, and parts that ride on the body.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// ---- work words -------------------------------------------------------------------
// Body words the toolkit moves by; a boss names its own words from kBossOwnWords up.
// (kDir, word 0, is the direction of travel; words 17 to 20 belong to the death
// sequence and the hit flash.)
constexpr int kBossVy = 3;       // vertical velocity (float)
constexpr int kBossTick = 4;     // the phase tick
constexpr int kBossTargetY = 5;  // movement target, whole pixels
constexpr int kBossVx = 6;       // horizontal velocity (float)
constexpr int kBossTargetX = 7;  // movement target, whole pixels
constexpr int kBossOwnWords = 8;
// Work words of the death sequence, kept clear of the kinds' own words and the
// hit flash words of the enemy framework.
constexpr int kBossDeathTick = 17;
constexpr int kBossDeathCount = 18;
// A part's offset from the body (float) and its fire tick; a part names its own
// words from kPartOwnWords up.
constexpr int kPartOffsetX = 3;
constexpr int kPartOffsetY = 4;
constexpr int kPartFireTick = 5;
constexpr int kPartOwnWords = 6;

// bossScratch word 3 is the laser bolt's sound latch (shotSoundLatch).
constexpr int kScratchShotSoundLatch = 3;

// ---- creation ---------------------------------------------------------------------

// A boss body or part: a GroupEnemy record at (x, y) with attack 10000 and clear
// death words; nullptr when the pool is full.
Actor* AcquireBossActor(ActorFn update, ActorFn draw, float x, float y, int32_t w, int32_t h);

// A part created at the body's position, riding at (offsetX, offsetY) from its first
// update on; hp taken with StartHp, fire tick 0. The caller adds hit rectangles.
Actor* SpawnBossPart(const Actor* body, ActorFn update, ActorFn draw, int32_t w, int32_t h,
                     int32_t hp, int32_t scoreValue, float offsetX, float offsetY);

// The set-ups of bosses 10 to 16 clear every bossScratch word together, which also
// re-arms the laser bolt's sound.
void ClearBossScratch();

// ---- motion rules -----------------------------------------------------------------

// Each velocity component (kBossVx, kBossVy) steps 0.1 towards the inside of the box
// when the position is outside it, is clamped to -4..4, then moves the body.
void HoverInBox(Actor* a, float left, float right, float top, float bottom);
// One velocity component's step of the hover rule, for bosses that swing on one axis.
float SwingTowardsBand(float v, float position, float low, float high, float limit);

// vy = (target y - y) x 0.25 clamped to -6..6 while the whole-pixel y is more than 1
// from the target; true (vy untouched) once it is within 1. The caller adds vy.
bool EaseToHeight(Actor* a, int32_t targetY);

// One step of `speed` along the direction from (x, y) to the target.
void TravelTowards(Actor* a, float targetX, float targetY);
// Both whole-pixel coordinates within `tolerance` of the target.
bool IsNearTarget(const Actor* a, int32_t targetX, int32_t targetY, int32_t tolerance);

// 1 pixel a frame towards kBossTargetX; a new target 640 - width - RandomUpTo(k) is
// drawn in the frame it is reached (vx keeps its sign then).
void WalkSideways(Actor* a, int32_t k);

// Random targets keep the body on the right part of the screen.
int32_t RandomTargetX(const Actor* a, int32_t k);  // 640 - width - RandomUpTo(k)
int32_t RandomTargetY(const Actor* a);             // RandomUpTo(480 - height)

// The body's position for its parts and shields.
void PublishBossPosition(const Actor* body);

// ---- fire -------------------------------------------------------------------------

// The enemy-shot spawners that take (centre, direction, speed).
using ShotSpawner = void (*)(float cx, float cy, int32_t dir, float speed);
// The needle spawner in that shape.
void SpawnNeedleShot(float cx, float cy, int32_t dir, float speed);

// A direction plus an offset, wrapped into 0..359.
int32_t WrapDegrees(int32_t dir);
// One shot per offset, from one point, at (baseDir + offset) mod 360.
void FireFan(ShotSpawner spawn, float cx, float cy, int32_t baseDir, const int32_t* offsets,
             int32_t count, float speed);
// `count` shots at firstDir, firstDir + step, ... (mod 360).
void FireRing(ShotSpawner spawn, float cx, float cy, int32_t firstDir, int32_t step,
              int32_t count, float speed);

// ---- the end of a frame -----------------------------------------------------------

// The body's common end of a phase frame: hit flash, then either the last life runs
// out (score, death sequence `death`) or an explosion order is obeyed.
void FinishBossBodyFrame(Actor* body, ActorFn death);
// The same for a life that is not the last: when hp runs out the body takes
// `nextHp`, turns armoured and starts `transition` (no score); true in that frame,
// so the caller can set the transition's velocity.
bool FinishBossLifeFrame(Actor* body, int32_t nextHp, ActorFn transition);

// A part's first step: ride on the body at its offset.
void FollowBossBody(Actor* part);
// A part's last step: hit flash and the enemy framework's end; true when that
// released the part (destroyed, or cleared by the body's death), for bosses that
// count their lost parts.
bool FinishBossPartFrame(Actor* part);

// Draws cell 0 of the actor's picture, from the flash row in a flash frame.
void DrawBossCell(Actor* a, int32_t image);

// ---- laser bolts ------------------------------------------------------------------

// One laser bolt with the boss's own shot sound: the bolt is created silent, so its
// latched sound does not swallow the sound of every bolt after the first.
void FireLaserBolt(float cx, float cy, int32_t dir, float speed);

// ---- velocity limits ----------------------------------------------------------------

// A velocity component held within -limit..limit.
float ClampVelocity(float v, float limit);

// ---- stops and random speeds ------------------------------------------------------

// A travel stop that counts only from above or level: the whole-pixel x within
// `tolerance` of the target on either side, the whole-pixel y from target - tolerance
// to the target.
bool IsStopReachedFromAbove(const Actor* a, int32_t targetX, int32_t targetY, int32_t tolerance);

// The random part of many boss shot speeds: RandomUpTo(20) / 10, 0.0 to 2.0 in tenths.
float RandomSpeedTenths();
