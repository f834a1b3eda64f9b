// Bosses 12 and 15, the dashing cruisers: one hull that dashes in a random direction,
// slows to a stop and dashes again without straying off the screen, fires three-way
// needles from its bow and calls in large armoured flyers. The later cruiser dashes at
// half speed, fires once per dash and adds a fixed cycle of flyer formations.
#include "actors/behaviours.h"
#include "actors/collision.h"
#include "actors/spawners.h"
#include "bosses/boss_common.h"
#include "bosses/boss_state.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

// Body work words
constexpr int kFlyerTimer = kBossOwnWords;
constexpr int kFormationTimer = kBossOwnWords + 1;
constexpr int kVolleyTimers = kBossOwnWords + 2;  // three words
constexpr int kVolleyTimerCount = 3;

constexpr int32_t kBodyWidth = 308;
constexpr int32_t kBodyHeight = 225;
constexpr float kFirstSpeed = 3.0f;  // the first move: a glide to the left
constexpr float kDashDrag = 0.15f;
constexpr int32_t kVolleyDelays[kVolleyTimerCount] = {3, 6, 9};
constexpr int32_t kNeedleOffsets[3] = {0, -30, 30};  // 180, 150 and 210 from the bow
constexpr int32_t kFormationGap = 120;
constexpr int32_t kFormationCount = 11;

// How the two cruisers differ.
struct Cruiser {
    int32_t image;
    int32_t scoreValue;
    float dashSpeed;
    bool volleyPerDash;  // one volley when a dash begins, instead of three timed ones
    bool formations;
};
constexpr Cruiser kCruiser12 = {320, 170000, 6.0f, false, false};
constexpr Cruiser kCruiser15 = {350, 250000, 3.0f, true, true};

struct Flyer {
    int16_t x, y, dir;
};
struct Formation {
    int32_t count;
    Flyer flyers[7];
};
// The later cruiser's eleven formations, one every 120 frames.
constexpr Formation kFormations[kFormationCount] = {
    {1, {{640, 191, 180}}},
    {2, {{640, 91, 190}, {640, 291, 170}}},
    {2, {{640, -9, 230}, {640, 391, 130}}},
    {1, {{640, 41, 180}}},
    {1, {{640, 341, 180}}},
    {3, {{640, 191, 180}, {640, 191, 170}, {640, 191, 190}}},
    {5, {{640, 191, 180}, {660, 191, 180}, {680, 191, 180}, {700, 191, 180}, {720, 191, 180}}},
    {3, {{640, 191, 180}, {640, 51, 180}, {640, 331, 180}}},
    {3, {{680, 480, 135}, {480, 480, 135}, {280, 480, 135}}},
    {3, {{680, -98, 225}, {480, -98, 225}, {280, -98, 225}}},
    {7,
     {{640, 0, 188},
      {680, 76, 213},
      {640, 220, 162},
      {640, 380, 186},
      {600, 480, 110},
      {427, 540, 135},
      {-98, 120, 305}}},
};

// A dash may not head further out of the screen than the margins allow.
static bool CruiserDirectionRejected(float x, float y, int32_t width, int32_t height, int32_t dir) {
    if (x <= 180 && dir >= 90 && dir <= 270) return true;
    if (x > static_cast<float>(660 - width) && (dir <= 90 || dir >= 270)) return true;
    if (y > static_cast<float>(500 - height) && dir >= 180) return true;
    if (y <= 0 && dir <= 180) return true;
    return false;
}

static void FireNeedleVolley(const Actor* a) {
    FireFan(SpawnNeedleShot, a->x + 4, a->y + 43, 180, kNeedleOffsets, 3,
            static_cast<float>(rank / 80) + 4.2f);
}

static void LaunchFormation(int32_t index) {
    const Formation& f = kFormations[index];
    for (int32_t i = 0; i < f.count; i++)
        SpawnEnemy012WithDir(f.flyers[i].x, f.flyers[i].y, f.flyers[i].dir);
}

static void StartDash(Actor* a, const Cruiser& c) {
    a->speed = c.dashSpeed;
    int32_t dir = RandomUpTo(359);
    while (CruiserDirectionRejected(a->x, a->y, a->width, a->height, dir)) dir = RandomUpTo(359);
    a->work[kDir].i = dir;
    if (c.volleyPerDash) {
        FireNeedleVolley(a);
    } else {
        for (int i = 0; i < kVolleyTimerCount; i++) a->work[kVolleyTimers + i].i = kVolleyDelays[i];
    }
}

static void RunTimedVolleys(Actor* a) {
    for (int i = 0; i < kVolleyTimerCount; i++) {
        int32_t& timer = a->work[kVolleyTimers + i].i;
        if (timer <= 0) continue;
        timer -= 1;
        if (timer == 0) FireNeedleVolley(a);
    }
}

static void CallFlyer(Actor* a) {
    a->work[kFlyerTimer].i -= 1;
    if (a->work[kFlyerTimer].i > 0) return;
    a->work[kFlyerTimer].i = RandomUpTo(60) + 180;
    int32_t y = RandomUpTo(382);
    SpawnEnemy012WithDir(640, static_cast<float>(y), 180);
}

static void RunFormations(Actor* a) {
    a->work[kFormationTimer].i -= 1;
    if (a->work[kFormationTimer].i > 0) return;
    a->work[kFormationTimer].i = kFormationGap;
    LaunchFormation(bossState);
    bossState += 1;
    if (bossState >= kFormationCount) bossState = 0;
}

static void UpdateCruiser(Actor* a, const Cruiser& c) {
    MoveAlongDir(a);
    PublishBossPosition(a);
    a->speed -= kDashDrag;
    if (a->speed <= 0) StartDash(a, c);
    if (!c.volleyPerDash) RunTimedVolleys(a);
    CallFlyer(a);
    if (c.formations) RunFormations(a);
    FinishBossBodyFrame(a, BossDeathUpdateAdd);
}

static void UpdateCruiser12(Actor* a) { UpdateCruiser(a, kCruiser12); }
static void UpdateCruiser15(Actor* a) { UpdateCruiser(a, kCruiser15); }
static void DrawCruiser12(Actor* a) { DrawBossCell(a, ImgEnemy[kCruiser12.image]); }
static void DrawCruiser15(Actor* a) { DrawBossCell(a, ImgEnemy[kCruiser15.image]); }

static Actor* SpawnCruiser(ActorFn update, ActorFn draw, const Cruiser& c, int32_t hp) {
    Actor* body = AcquireBossActor(update, draw, 704, 255, kBodyWidth, kBodyHeight);
    if (!body) return nullptr;
    bossState = 0;
    ClearBossScratch();
    body->speed = kFirstSpeed;
    body->work[kDir].i = 180;
    StartHp(body, hp);
    SetHitRect(body, 0, 34, 113, 17, 185);
    SetHitRect(body, 1, 114, 231, 111, 185);
    SetHitRect(body, 2, 58, 209, 185, 212);
    SetHitRect(body, 3, 223, 276, 109, 134);
    SetHitRect(body, 4, 7, 30, 35, 47);
    body->scoreValue = c.scoreValue;
    body->work[kFlyerTimer].i = RandomUpTo(60) + 180;
    body->work[kFormationTimer].i = 0;
    for (int i = 0; i < kVolleyTimerCount; i++) body->work[kVolleyTimers + i].i = 0;
    return body;
}

void SpawnBoss12() { SpawnCruiser(UpdateCruiser12, DrawCruiser12, kCruiser12, (rank * 5 + 2500) * 2); }

void SpawnBoss15() { SpawnCruiser(UpdateCruiser15, DrawCruiser15, kCruiser15, rank * 100 + 5000); }

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateCruiser12),
    BEHAVIOUR(UpdateCruiser15),
    BEHAVIOUR(DrawCruiser12),
    BEHAVIOUR(DrawCruiser15),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
