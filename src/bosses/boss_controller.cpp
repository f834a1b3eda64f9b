// The boss sequence: the warning, the time limit and its pressure enemies, shields,
// and the body's death.
#include <iterator>

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

struct BossEntry {
    void (*spawn)();  // the set-up, called once
    const char* music;
    int32_t seconds;
};

// By boss index: set-up, music, time limit.
static const BossEntry kBossTable[] = {
    {SpawnBoss00, "data/Sound08.mp3", 60},
    {SpawnBoss01, "data/Sound05.mp3", 90},
    {SpawnBoss02, "data/Sound05.mp3", 90},
    {SpawnBoss03, "data/Sound05.mp3", 90},
    {SpawnBoss04, "data/Sound05.mp3", 90},
    {SpawnBoss05, "data/Sound05.mp3", 90},
    {SpawnBoss06, "data/Sound05.mp3", 120},
    {SpawnBoss07, "data/Sound05.mp3", 90},
    {SpawnBoss08, "data/Sound04.mp3", 120},
    {SpawnBoss09, "data/Sound05.mp3", 120},
    {SpawnBoss10, "data/Sound04.mp3", 120},
    {SpawnBoss11, "data/Sound04.mp3", 120},
    {SpawnBoss12, "data/Sound05.mp3", 90},
    {SpawnBoss13, "data/Sound04.mp3", 150},
    {SpawnBoss14, "data/Sound04.mp3", 120},
    {SpawnBoss15, "data/Sound04.mp3", 120},
    {SpawnBoss16, "data/Sound04.mp3", 150},
};

constexpr int32_t kBossCount = static_cast<int32_t>(std::size(kBossTable));

int32_t BossCount() { return kBossCount; }

// ---- warning ----------------------------------------------------------------

constexpr int kWarnBoss = 0;
constexpr int kWarnTick = 1;
constexpr int kWarnHidden = 2;
constexpr int kWarnBlinks = 3;
constexpr int32_t kWarnBlinkFrames = 30;
constexpr int32_t kWarnBlinkCount = 10;  // the boss comes in update 330

static void StartBoss(int32_t index) {
    if (index < 0 || index >= kBossCount) {
        SpawnBoss00();  // an unknown index: boss 0, silent and without a clock
        return;
    }
    const BossEntry& entry = kBossTable[index];
    PlayMusicFile(entry.music, 1);
    if (entry.spawn) entry.spawn();
    StartBossTimeLimit(entry.seconds);
}

static void UpdateWarning(Actor* a) {
    a->work[kWarnTick].i += 1;
    if (a->work[kWarnTick].i >= kWarnBlinkFrames) {
        a->work[kWarnTick].i = 0;
        a->work[kWarnBlinks].i += 1;
        a->work[kWarnHidden].i = (a->work[kWarnHidden].i + 1) % 2;
    }
    if (a->work[kWarnBlinks].i > kWarnBlinkCount) {
        a->alive = 0;
        StartBoss(a->work[kWarnBoss].i);
    }
}

static void DrawWarning(Actor* a) {
    if (a->work[kWarnHidden].i != 0) return;
    int32_t index = a->work[kWarnBoss].i;
    DrawImage(160, 120, ImgWarningBack, 1);
    if (index >= 0 && index < kBossCount) DrawImage(160, 232, ImgWarning[index], 1);
}

void StartWarning(int32_t bossIndex) {
    Actor* a = AcquireActor(UpdateWarning, DrawWarning, GroupEffect);
    if (!a) return;  // no record: the boss never comes
    a->work[kWarnBoss].i = bossIndex;
    a->work[kWarnTick].i = 0;
    a->work[kWarnHidden].i = 0;
    a->work[kWarnBlinks].i = 0;
    StopMusicFile();
    PlayMusicFile("data/SoundWarning.mp3", 1);
}

// ---- time limit ---------------------------------------------------------------

constexpr int kLimitCounter = 3;
constexpr int kLimitFrames = 4;
constexpr int kLimitReleases = 5;
constexpr int kLimitStage = 6;

// Flood stages 1 to 4: interval (released when the counter passes it) and how many
// releases end the stage; stage 5 releases every 8 frames for ever.
struct FloodStage {
    int32_t interval;
    int32_t releases;
};
static const FloodStage kFlood[5] = {{0, 0}, {120, 10}, {60, 20}, {30, 40}, {15, 80}};
constexpr int32_t kFinalFloodInterval = 7;

static void UpdateTimeLimit(Actor* a) {
    int32_t& counter = a->work[kLimitCounter].i;
    int32_t& count = a->work[kLimitReleases].i;
    int32_t& stage = a->work[kLimitStage].i;
    counter += 1;
    if (stage == 0 && counter > a->work[kLimitFrames].i) {
        counter = 0;
        stage = 1;
    }
    // each stage is tested once, in order, so a change shows from the next frame
    for (int s = 1; s <= 4; s++) {
        if (stage != s || counter <= kFlood[s].interval) continue;
        count += 1;
        counter = 0;
        if (count > kFlood[s].releases) {
            count = 0;
            stage = s + 1;
        }
    }
    if (stage == 5 && counter > kFinalFloodInterval) counter = 0;
    if (counter == 0) {
        int32_t y = RandomUpTo(448);
        int32_t dir = 135 + RandomUpTo(90);
        SpawnPressureEnemy(640, static_cast<float>(y), dir);
    }
    FinishEnemyFrameNoBounds(a);
}

void StartBossTimeLimit(int32_t seconds) {
    Actor* a = AcquireEnemy(UpdateTimeLimit, ActorNoOp, 660, 500);
    if (!a) return;
    a->guardMode = GuardIntangible;  // never hit: lives until the boss's death clears it
    StartHp(a, 1);
    a->scoreValue = 0;
    a->speed = 0;
    a->work[kLimitCounter].i = 0;
    a->work[kLimitFrames].i = seconds * 60;
    a->work[kLimitReleases].i = 0;
    a->work[kLimitStage].i = 0;
}

// ---- pressure enemy --------------------------------------------------------------

constexpr int kPressureShotTimer = 3;

static int32_t PressureReload() { return RandomUpTo(60 - rank / 30); }

static void UpdatePressureEnemy(Actor* a) {
    MoveAlongDir(a);
    a->work[kPressureShotTimer].i -= 1;
    if (a->work[kPressureShotTimer].i < 1) {
        a->work[kPressureShotTimer].i = PressureReload();
        int32_t dir = AimAtPlayer(10, a->x + 16, a->y + 16);
        SpawnEnemyShot000(a->x + 16, a->y + 16, dir, static_cast<float>(rank / 100) + 5.5f);
    }
    UpdateHitFlash(a);
    FinishEnemyFrame(a);
}

static void DrawPressureEnemy(Actor* a) { DrawEnemyCell(a, ImgEnemy[13], 0); }

void SpawnPressureEnemy(float x, float y, int32_t dir) {
    Actor* a = AcquireEnemy(UpdatePressureEnemy, DrawPressureEnemy, x, y);
    if (!a) return;
    a->width = 32;
    a->height = 32;
    SetHitRect(a, 0, 4, 28, 3, 30);
    a->attack = 1;
    StartHp(a, 1);
    a->speed = 2.3f;
    a->work[kDir].i = dir;
    a->scoreValue = -100;  // shooting the flood costs points
    a->work[kPressureShotTimer].i = PressureReload();
}

// ---- shield ------------------------------------------------------------------------

constexpr int kShieldOffsetX = 0;
constexpr int kShieldOffsetY = 1;

static void UpdateBossShield(Actor* a) {
    a->x = a->work[kShieldOffsetX].f + bossX;
    a->y = a->work[kShieldOffsetY].f + bossY;
    FinishEnemyFrameNoBounds(a);
}

void SpawnBossShield(float offsetX, float offsetY, int32_t w, int32_t h) {
    Actor* a = AcquireEnemy(UpdateBossShield, ActorNoOp, 640, 480);
    if (!a) return;
    a->guardMode = GuardArmoured;
    a->attack = 10000;
    StartHp(a, 9999);
    a->speed = 0;
    a->scoreValue = 0;
    a->width = w;
    a->height = h;
    SetHitRect(a, 0, 0, static_cast<float>(w), 0, static_cast<float>(h));
    a->work[kShieldOffsetX].f = offsetX;
    a->work[kShieldOffsetY].f = offsetY;
}

// ---- death ---------------------------------------------------------------------------

constexpr int32_t kDeathBlastFrames = 6;
constexpr int32_t kDeathBlasts = 20;  // 21 scattered explosions, the last with the centre one

static void RunBossDeath(Actor* a) {
    a->work[kBossDeathTick].i += 1;
    if (a->work[kBossDeathTick].i < kDeathBlastFrames) return;
    a->work[kBossDeathTick].i = 0;
    a->work[kBossDeathCount].i += 1;
    int32_t rx = RandomUpTo(a->width);
    int32_t ry = RandomUpTo(a->height);
    SpawnExplosion(a->x + static_cast<float>(rx), a->y + static_cast<float>(ry), 0, 0);
    if (a->work[kBossDeathCount].i > kDeathBlasts) {
        SpawnExplosion(CentreX(a), CentreY(a), 0, a->speed);
        a->alive = 0;
        SpawnStageClear();
    }
}

static void ClearTheField() {
    KillGroup(GroupEnemy);
    KillGroup(GroupEnemyShot);
    StopMusicFile();
}

void BossDeathUpdateSet(Actor* a) {
    if (bossState < BossStateDestroyed) {
        bossState = BossStateDestroyed;
        ClearTheField();
    }
    RunBossDeath(a);
}

void BossDeathUpdateAdd(Actor* a) {
    if (bossState < BossStateDestroyed) {
        bossState += 5000;
        ClearTheField();
    }
    RunBossDeath(a);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateWarning),
    BEHAVIOUR(DrawWarning),
    BEHAVIOUR(UpdateTimeLimit),
    BEHAVIOUR(UpdatePressureEnemy),
    BEHAVIOUR(DrawPressureEnemy),
    BEHAVIOUR(UpdateBossShield),
    BEHAVIOUR(BossDeathUpdateSet),
    BEHAVIOUR(BossDeathUpdateAdd),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
