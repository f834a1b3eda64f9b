// Kinds with ways of their own: 005 walker, 008 mine, 015/016 emitters, 028 drop, 099 carrier.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Work words of this family.
constexpr int kFireDelay = 3;   // 005
constexpr int kRed = 3;         // 008 while fading in
constexpr int kGreen = 4;
constexpr int kBlue = 5;
constexpr int kArmTick = 6;     // 008 once armed
constexpr int kToggles = 7;
constexpr int kLife = 3;        // 015, 016
constexpr int kItem = 3;        // 099
constexpr int kPattern = 4;     // 099

// 005: walks with the scenery, drops onto the floor and lobs shots at the ship.

static void UpdateEnemy005(Actor* a) {
    FollowScenery(a);
    FallOntoFloor(a);
    int32_t& delay = a->work[kFireDelay].i;
    delay -= 1;
    if (delay < 1) {
        delay = RandomUpTo(60 - rank / 30);
        float sx = a->x + 4;
        float sy = a->y + 32;
        SpawnEnemyShot002(sx, sy, AimAtPlayer(6, sx, sy), static_cast<float>(rank / 100) + 5.5f);
    }
    StepAnimation(a, 30, 2);
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawEnemy005(Actor* a) { DrawEnemyCell(a, ImgEnemy[5], a->work[kAnimFrame].i); }

void SpawnEnemy005(float x, float y) {
    Actor* a = AcquireEnemyKind(5, UpdateEnemy005, DrawEnemy005, x, y);
    if (!a) return;
    a->work[kFireDelay].i = 60;
    a->work[kAnimTick].i = 0;
    a->work[kAnimFrame].i = 0;
}

// 008: a mine that fades in from black, arms, ticks nine times and bursts into four
// blast lines; a blast line touching it sets it off early.

static void UpdateEnemy008Armed(Actor* a);
static void DrawEnemy008(Actor* a);

static void UpdateEnemy008Fading(Actor* a) {
    int32_t& red = a->work[kRed].i;
    int32_t& green = a->work[kGreen].i;
    int32_t& blue = a->work[kBlue].i;
    if (red < 255) {
        red += 6;
        if (red > 254) red = 255;
    } else {
        green += 6;
        blue += 6;
        if (green > 254) {
            green = 255;
            blue = 255;
            a->guardMode = GuardNormal;
            a->blastTag = BlastTagDetonates;
            a->draw = DrawEnemy008;
            a->update = UpdateEnemy008Armed;
        }
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void UpdateEnemy008Armed(Actor* a) {
    int32_t& tick = a->work[kArmTick].i;
    tick += 1;
    if (tick >= 25) {
        tick = 0;
        a->work[kAnimFrame].i ^= 1;
        a->work[kToggles].i += 1;
        if (a->work[kToggles].i >= 9) a->alive = 0;
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
    if (a->deathKind == DeathBlastTouch) a->alive = 0;
    // however the armed mine ends, it bursts
    if (!a->alive) {
        PlaySound(WavEnemyShot[1], 1, 1);
        for (int32_t d = 0; d < 360; d += 90) SpawnBlastSegment(a->x, a->y, d);
    }
}

static void DrawEnemy008(Actor* a) { DrawEnemyCell(a, ImgEnemy[8], a->work[kAnimFrame].i); }

static void DrawEnemy008Fading(Actor* a) {
    SetTint(a->work[kRed].i, a->work[kGreen].i, a->work[kBlue].i);
    DrawEnemy008(a);
    SetTint(255, 255, 255);
}

void SpawnEnemy008(float x, float y) {
    Actor* a = AcquireEnemyKind(8, UpdateEnemy008Fading, DrawEnemy008Fading, x, y);
    if (!a) return;
    a->work[kRed].i = 0;
    a->work[kGreen].i = 0;
    a->work[kBlue].i = 0;
    a->work[kArmTick].i = 0;
    a->work[kToggles].i = 0;
    a->work[kAnimFrame].i = 0;
}

// 015 and 016: invisible emitters outside the field that release 010 balls or 004
// flyers for a number of frames.

static void CountDownLife(Actor* a) {
    a->work[kLife].i -= 1;
    if (a->work[kLife].i <= 0) a->alive = 0;  // the rest of this update still runs
}

static void UpdateEnemy015(Actor* a) {
    CountDownLife(a);
    if (RandomUpTo(256) <= 4) {
        int32_t d = RandomUpTo(90) + 135;
        float y = static_cast<float>(RandomUpTo(736) - 128);
        SpawnEnemy010(640, y, d);
    }
    FinishEnemyFrameNoBounds(a);
}

static void UpdateEnemy016(Actor* a) {
    CountDownLife(a);
    if (RandomUpTo(256) <= 96) SpawnEnemy004(640, static_cast<float>(RandomUpTo(448)));
    FinishEnemyFrameNoBounds(a);
}

// Emitters wait outside the field, where nothing can touch them.
static void SpawnEmitter(int32_t id, ActorFn update, int32_t frames) {
    Actor* a = AcquireEnemyKind(id, update, ActorNoOp, 660, 500);
    if (!a) return;
    a->work[kLife].i = frames;
}

void SpawnEnemy015(int32_t frames) { SpawnEmitter(15, UpdateEnemy015, frames); }
void SpawnEnemy016(int32_t frames) { SpawnEmitter(16, UpdateEnemy016, frames); }

// 028: an armoured drop that falls ever faster, carried by the scenery too; it cannot
// be shot down and destroys whatever it touches.

static void UpdateEnemy028(Actor* a) {
    FollowScenery(a);
    MoveAlongDir(a);
    a->speed += 0.02f;
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawEnemy028(Actor* a) {
    DrawImage(static_cast<int>(a->x), static_cast<int>(a->y), ImgEnemy[28], 1);
}

void SpawnEnemy028(float x, float y) {
    Actor* a = AcquireEnemyKind(28, UpdateEnemy028, DrawEnemy028, x, y);
    if (!a) return;
    a->work[kDir].i = 270;
}

// 099: an item carrier; shot down it leaves its item (0 to 6) behind.

static void UpdateEnemy099(Actor* a) {
    MoveAlongDir(a);
    if (a->work[kPattern].i == 3) {
        a->speed -= 0.25f;
        if (a->speed <= 0) a->speed = 8;  // surges again
    }
    UpdateHitFlash(a);
    // its own end: the screen edge itself is the bound
    if (a->x > 640 || a->x < static_cast<float>(-a->width) || a->y > 480 ||
        a->y < static_cast<float>(-a->height)) {
        a->alive = 0;
        return;
    }
    if (a->hp <= 0) {
        AddScore(a->scoreValue);
        SpawnExplosion(CentreX(a), CentreY(a), 180, a->speed);
        a->alive = 0;
        int32_t item = a->work[kItem].i;
        if (item >= 0 && item <= 6) SpawnItem(CentreX(a), CentreY(a), item);
    } else if (a->deathKind == DeathExplode) {
        SpawnExplosion(CentreX(a), CentreY(a), 180, a->speed);
        a->alive = 0;
    }
}

static void DrawEnemy099(Actor* a) { DrawEnemyCell(a, ImgEnemy[99], a->work[kItem].i); }

void SpawnEnemy099(float x, float y, int32_t item, int32_t pattern) {
    Actor* a = AcquireEnemyKind(99, UpdateEnemy099, DrawEnemy099, x, y);
    if (!a) return;
    a->work[kItem].i = item;
    a->work[kPattern].i = pattern;
    if (pattern == 2) {
        a->work[kDir].i = 0;  // enters from the left
        a->speed = 2;
    } else if (pattern == 3) {
        a->work[kDir].i = 180;
        a->speed = 8;
    } else {
        a->work[kDir].i = 180;
        a->speed = 2;
    }
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateEnemy005),
    BEHAVIOUR(DrawEnemy005),
    BEHAVIOUR(UpdateEnemy008Fading),
    BEHAVIOUR(UpdateEnemy008Armed),
    BEHAVIOUR(DrawEnemy008),
    BEHAVIOUR(DrawEnemy008Fading),
    BEHAVIOUR(UpdateEnemy015),
    BEHAVIOUR(UpdateEnemy016),
    BEHAVIOUR(UpdateEnemy028),
    BEHAVIOUR(DrawEnemy028),
    BEHAVIOUR(UpdateEnemy099),
    BEHAVIOUR(DrawEnemy099),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
