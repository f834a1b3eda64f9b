// The bomb attack: a large intro animation, then thirty screen-wide blasts.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "player/player.h"
#include "runtime/media.h"
#include "shell/assets.h"

uint8_t bombActive;

// Controller work words.
constexpr int kIntroTick = 1;
constexpr int kIntroFrame = 2;
constexpr int kBlastTick = 3;
constexpr int kBlastCount = 4;
// Blast work word.
constexpr int kBlastFrame = 0;

constexpr int32_t kBombCellSize = 200;
constexpr int32_t kBombCells = 16;      // cells 16 and 17 draw nothing
constexpr int32_t kIntroStretch = 150;  // each side: 200 pixels drawn as 500
constexpr int32_t kIntroLastFrame = 16;
constexpr int32_t kBlastsPerBomb = 30;
constexpr int32_t kBlastEndTick = 20;
constexpr int32_t kBlastLastFrame = 16;
constexpr int32_t kStartDamage = 1;
constexpr int32_t kBlastDamage = 10;

static void BombIntroUpdate(Actor* a);
static void DrawBombIntro(Actor* a);
static void BombBlastsUpdate(Actor* a);
static void BombBlastUpdate(Actor* a);
static void DrawBombBlast(Actor* a);

static void PlaceBombRecord(Actor* a, float cx, float cy) {
    a->x = cx - kBombCellSize / 2;
    a->y = cy - kBombCellSize / 2;
    a->width = kBombCellSize;
    a->height = kBombCellSize;
    a->attack = 1;
    a->hp = 1;
    a->speed = 1.0f;
    a->hitRectCount = 0;
    a->scoreValue = 0;
}

// The caller has already taken the bomb from the stock.
void StartBomb(float cx, float cy) {
    Actor* a = AcquireActor(BombIntroUpdate, DrawBombIntro, GroupBlast);
    if (!a) return;
    PlaceBombRecord(a, cx, cy);
    for (int i = 0; i <= kBlastCount; i++) a->work[i].i = 0;
    bombActive = 1;
    DamageGroup(kStartDamage, GroupEnemy);
    DamageGroup(kStartDamage, GroupEnemyShot);
    PlaySound(WavZorbex[1], 1, 1);
    PlaySound(WavZorbex[0], 1, 1);
}

// A cell every third frame; after cell 16 the blasts begin (51 frames).
static void BombIntroUpdate(Actor* a) {
    a->work[kIntroTick].i += 1;
    if (a->work[kIntroTick].i > 2) {
        a->work[kIntroFrame].i += 1;
        a->work[kIntroTick].i = 0;
    }
    if (a->work[kIntroFrame].i > kIntroLastFrame) {
        a->update = BombBlastsUpdate;
        a->draw = ActorNoOp;
    }
}

static void DrawBombIntro(Actor* a) {
    int32_t frame = a->work[kIntroFrame].i;
    if (frame < 0 || frame >= kBombCells) return;
    int x = static_cast<int>(a->x);
    int y = static_cast<int>(a->y);
    DrawImageStretched(x - kIntroStretch, y - kIntroStretch, x + a->width + kIntroStretch,
                       y + a->height + kIntroStretch, ImgZorbex[frame], 1);
}

// A blast every third frame, thirty in all; the attack ends 21 frames after the last.
static void BombBlastsUpdate(Actor* a) {
    a->work[kBlastTick].i += 1;
    if (a->work[kBlastTick].i > 2 && a->work[kBlastCount].i < kBlastsPerBomb) {
        int32_t ry = RandomUpTo(440);
        int32_t rx = RandomUpTo(600);
        SpawnBombBlast(static_cast<float>(rx + 20), static_cast<float>(ry + 20));
        a->work[kBlastCount].i += 1;
        a->work[kBlastTick].i = 0;
        if (a->work[kBlastCount].i % 4 == 1) PlaySound(WavZorbex[1], 1, 1);
    }
    if (a->work[kBlastTick].i > kBlastEndTick) {
        bombActive = 0;
        a->alive = 0;
    }
}

// The damage reaches every enemy and enemy shot wherever it is; the place is only seen.
void SpawnBombBlast(float cx, float cy) {
    Actor* a = AcquireActor(BombBlastUpdate, DrawBombBlast, GroupBlast);
    if (!a) return;
    PlaceBombRecord(a, cx, cy);
    a->work[kBlastFrame].i = -1;
    DamageGroup(kBlastDamage, GroupEnemy);
    DamageGroup(kBlastDamage, GroupEnemyShot);
}

static void BombBlastUpdate(Actor* a) {
    a->work[kBlastFrame].i += 1;
    if (a->work[kBlastFrame].i > kBlastLastFrame) a->alive = 0;
}

static void DrawBombBlast(Actor* a) {
    int32_t frame = a->work[kBlastFrame].i;
    if (frame < 0 || frame >= kBombCells) return;
    DrawImage(static_cast<int>(a->x), static_cast<int>(a->y), ImgZorbex[frame], 1);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(BombIntroUpdate),
    BEHAVIOUR(DrawBombIntro),
    BEHAVIOUR(BombBlastsUpdate),
    BEHAVIOUR(BombBlastUpdate),
    BEHAVIOUR(DrawBombBlast),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
