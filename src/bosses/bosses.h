// What the rest of the game calls in the boss and event subsystem.
#pragma once

#include <cstdint>

#include "actors/actor.h"

// Event 000 of a stage script: the boss sequence of the stage begins with the
// warning for boss `bossIndex`.
void StartWarning(int32_t bossIndex);

// Event 000 as the script runs it: notes the request and starts the warning.
void StartBossEvent(int32_t bossIndex);
// How many bosses there are: indexes run from 0 to BossCount() - 1.
int32_t BossCount();
extern int32_t bossEventRequested;  // 1 once the current stage's boss event has run
extern int32_t bossEventIndex;      // the boss index it named

// Scripted hazards: a beam announced by a blinking sign. Direction codes follow the
// numeric keypad (4 left, 6 right, 8 up, 2 down); `blinks` counts the sign's blinks.
void SpawnHorizontalBeam(int32_t x, int32_t y, int32_t dirCode, int32_t blinks);
void SpawnVerticalBeam(int32_t x, int32_t y, int32_t dirCode, int32_t blinks);

// Scripted enemy streams, each running for `frames` frames.
void StartEnemyStream004(int32_t frames);  // kind 029 from the right edge
void StartEnemyStream005(int32_t frames);  // kind 009 from the right edge
void StartEnemyStream006(int32_t frames);  // kind 009 from above or below
void StartEnemyStream007(int32_t frames);  // kind 003 from any edge

// The boss fight's invisible clock: floods the screen with pressure enemies once
// `seconds` have passed.
void StartBossTimeLimit(int32_t seconds);
void SpawnPressureEnemy(float x, float y, int32_t dir);
// An armoured, invisible hit box riding at an offset from the boss body.
void SpawnBossShield(float offsetX, float offsetY, int32_t w, int32_t h);
// The body's update from the frame its last life ran out. The set variant makes the
// ship untouchable at once; the add variant lifts bossState by 5000.
void BossDeathUpdateSet(Actor* body);
void BossDeathUpdateAdd(Actor* body);
// The blinking banner after a boss, and the bonus tally of the final stages.
void SpawnStageClear();
void SpawnFinalTally();

// Boss set-ups, called by the warning when it ends.
void SpawnBoss00();
void SpawnBoss01();
void SpawnBoss02();
void SpawnBoss03();
void SpawnBoss04();
void SpawnBoss05();
void SpawnBoss06();
void SpawnBoss07();
void SpawnBoss08();
void SpawnBoss09();
void SpawnBoss10();
void SpawnBoss11();
void SpawnBoss12();
void SpawnBoss13();
void SpawnBoss14();
void SpawnBoss15();
void SpawnBoss16();
