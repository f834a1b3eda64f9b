// Scripted events: the boss event's call point, the two beam hazards and the enemy streams.
#include "actors/actor.h"
#include "actors/behaviours.h"
#include "actors/spawners.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

int32_t bossEventRequested;
int32_t bossEventIndex;

void StartBossEvent(int32_t bossIndex) {
    bossEventRequested = 1;
    bossEventIndex = bossIndex;
    StartWarning(bossIndex);
}

// Work words of a beam: the sign blinks, then the band fires.
constexpr int kTick = 0;
constexpr int kSignHidden = 1;
constexpr int kBlinksLeft = 2;
constexpr int kBeamDir = 3;

constexpr int32_t kBlinkFrames = 10;
constexpr int32_t kBeamFrames = 91;  // blocks fired, one per frame
constexpr float kBlockSpeed = 128;   // one block length per frame: the blocks touch
constexpr int32_t kSignSize = 128;

static void UpdateHorizontalBeamFiring(Actor* a);
static void UpdateVerticalBeamFiring(Actor* a);

static void RunBeamWarning(Actor* a, ActorFn firing) {
    a->work[kTick].i += 1;
    if (a->work[kTick].i >= kBlinkFrames) {
        a->work[kTick].i = 0;
        a->work[kBlinksLeft].i -= 1;
        a->work[kSignHidden].i = (a->work[kSignHidden].i + 1) % 2;
    }
    if (a->work[kBlinksLeft].i <= 0) {
        a->work[kSignHidden].i = 1;
        a->work[kTick].i = 0;
        PlaySound(WavEnemyShot[3], 1, 1);
        a->update = firing;
    }
}

static void UpdateHorizontalBeamWarning(Actor* a) { RunBeamWarning(a, UpdateHorizontalBeamFiring); }
static void UpdateVerticalBeamWarning(Actor* a) { RunBeamWarning(a, UpdateVerticalBeamFiring); }

static void CountBeamFrame(Actor* a) {
    a->work[kTick].i += 1;
    if (a->work[kTick].i > kBeamFrames - 1) a->alive = 0;
}

// Each block starts one block length outside the screen, behind the sign.
static void UpdateHorizontalBeamFiring(Actor* a) {
    float cx = a->work[kBeamDir].i != 0 ? a->x + 128 + 64 : a->x - 128 + 64;
    SpawnEnemyShot005(cx, a->y + 64, a->work[kBeamDir].i, kBlockSpeed);
    CountBeamFrame(a);
}

static void UpdateVerticalBeamFiring(Actor* a) {
    float cy = a->work[kBeamDir].i == 270 ? a->y - 128 + 64 : a->y + 128 + 64;
    SpawnEnemyShot010(a->x + 64, cy, a->work[kBeamDir].i, kBlockSpeed);
    CountBeamFrame(a);
}

static void DrawSign(Actor* a, int32_t image) {
    if (a->work[kSignHidden].i != 0) return;
    DrawImageRegion(static_cast<int>(a->x), static_cast<int>(a->y), 0, 0, kSignSize, kSignSize, image,
                    1, 0);
}

static void DrawHorizontalBeam(Actor* a) { DrawSign(a, ImgEnemyShot[5]); }
static void DrawVerticalBeam(Actor* a) { DrawSign(a, ImgEnemyShot[10]); }

// An event actor never collides.
static Actor* AcquireEvent(ActorFn update, ActorFn draw, float x, float y, int32_t size) {
    Actor* a = AcquireActor(update, draw, GroupEffect);
    if (!a) return nullptr;
    a->x = x;
    a->y = y;
    a->width = size;
    a->height = size;
    a->hitRectCount = 0;
    return a;
}

static Actor* AcquireBeam(ActorFn update, ActorFn draw, float x, float y, int32_t blinks) {
    Actor* a = AcquireEvent(update, draw, x, y, kSignSize);
    if (!a) return nullptr;
    a->work[kTick].i = 0;
    a->work[kSignHidden].i = 0;
    a->work[kBlinksLeft].i = blinks;
    return a;
}

// The x argument is not used: the sign sits at the edge the band starts from.
void SpawnHorizontalBeam(int32_t, int32_t y, int32_t dirCode, int32_t blinks) {
    bool leftwards = dirCode == 4;
    float x = leftwards ? 624.0f : -112.0f;  // 16 pixels of the sign on screen
    Actor* a = AcquireBeam(UpdateHorizontalBeamWarning, DrawHorizontalBeam, x, static_cast<float>(y),
                           blinks);
    if (!a) return;
    a->work[kBeamDir].i = leftwards ? 180 : 0;
}

// The y argument is not used.
void SpawnVerticalBeam(int32_t x, int32_t, int32_t dirCode, int32_t blinks) {
    bool upwards = dirCode == 8;
    float y = upwards ? 464.0f : -112.0f;
    Actor* a = AcquireBeam(UpdateVerticalBeamWarning, DrawVerticalBeam, static_cast<float>(x), y,
                           blinks);
    if (!a) return;
    a->work[kBeamDir].i = upwards ? 90 : 270;
}

// Streams: an invisible actor outside the field releasing enemies at random for a
// number of frames. A duration of 0 or less still runs one frame.

constexpr int kFramesLeft = 0;

static void CountStreamFrame(Actor* a) {
    a->work[kFramesLeft].i -= 1;
    if (a->work[kFramesLeft].i <= 0) a->alive = 0;
}

static void UpdateStream004(Actor* a) {
    if (RandomUpTo(256) <= rank / 10 + 70) SpawnEnemy029(640, static_cast<float>(RandomUpTo(448)));
    CountStreamFrame(a);
}

static void UpdateStream005(Actor* a) {
    if (RandomUpTo(256) <= rank / 5 + 60) SpawnEnemy009(640, static_cast<float>(RandomUpTo(448)));
    CountStreamFrame(a);
}

static void UpdateStream006(Actor* a) {
    if (RandomUpTo(256) <= rank / 5 + 60) {
        int32_t side = RandomUpTo(256);
        float x = static_cast<float>(RandomUpTo(608));
        SpawnEnemy009(x, side <= 128 ? 512.0f : -64.0f);
    }
    CountStreamFrame(a);
}

// The edge is chosen in proportion to its length: 576 of 992 for top and bottom.
static void UpdateStream007(Actor* a) {
    if (RandomUpTo(256) <= rank / 10 + 20) {
        float x, y;
        if (RandomUpTo(992) <= 576) {
            x = static_cast<float>(RandomUpTo(576));
            y = RandomUpTo(256) <= 128 ? 480.0f : -64.0f;
        } else {
            y = static_cast<float>(RandomUpTo(416));
            x = RandomUpTo(256) <= 128 ? 640.0f : -64.0f;
        }
        SpawnEnemy003(x, y);
    }
    CountStreamFrame(a);
}

static void StartStream(ActorFn update, int32_t frames) {
    Actor* a = AcquireEvent(update, ActorNoOp, 660, 500, 1);
    if (!a) return;
    a->work[kFramesLeft].i = frames;
}

void StartEnemyStream004(int32_t frames) { StartStream(UpdateStream004, frames); }
void StartEnemyStream005(int32_t frames) { StartStream(UpdateStream005, frames); }
void StartEnemyStream006(int32_t frames) { StartStream(UpdateStream006, frames); }
void StartEnemyStream007(int32_t frames) { StartStream(UpdateStream007, frames); }

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateHorizontalBeamWarning),
    BEHAVIOUR(UpdateVerticalBeamWarning),
    BEHAVIOUR(UpdateHorizontalBeamFiring),
    BEHAVIOUR(UpdateVerticalBeamFiring),
    BEHAVIOUR(DrawHorizontalBeam),
    BEHAVIOUR(DrawVerticalBeam),
    BEHAVIOUR(UpdateStream004),
    BEHAVIOUR(UpdateStream005),
    BEHAVIOUR(UpdateStream006),
    BEHAVIOUR(UpdateStream007),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
