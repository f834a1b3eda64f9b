// After the boss: the blinking stage-clear banner and the final stages' bonus tally.
#include "actors/actor.h"
#include "actors/behaviours.h"
#include "bosses/bosses.h"
#include "runtime/media.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "stages/enemies.h"

constexpr int kBannerTick = 0;
constexpr int kBannerHidden = 1;
constexpr int kBannerBlinks = 2;
constexpr int32_t kBannerBlinkFrames = 25;
constexpr int32_t kBannerBlinkCount = 10;  // 275 frames in all
constexpr int32_t kFirstFinalStage = 22;

static void UpdateStageClear(Actor* a) {
    a->work[kBannerTick].i += 1;
    if (a->work[kBannerTick].i >= kBannerBlinkFrames) {
        a->work[kBannerTick].i = 0;
        a->work[kBannerHidden].i = (a->work[kBannerHidden].i + 1) % 2;
        a->work[kBannerBlinks].i += 1;
    }
    if (a->work[kBannerBlinks].i > kBannerBlinkCount) {
        if (stageNumber >= kFirstFinalStage) {
            SpawnFinalTally();
        } else {
            stagePhase = PhaseStageWon;
        }
        a->alive = 0;
    }
}

static void DrawStageClear(Actor* a) {
    if (a->work[kBannerHidden].i != 0) return;
    DrawImage(160, 229, ImgClearBack, 1);
    DrawImageRegion(210, 228, 0, stageNumber * 24 - 24, 34, 24, ImgStageNumber, 1, 0);
}

static const char* ClearMusic() {
    if (stageNumber >= kFirstFinalStage) return "data/Sound11.mp3";
    if (stageNumber >= 16) return "data/SoundSelect02.mp3";
    return "data/SoundSelect01.mp3";
}

void SpawnStageClear() {
    Actor* a = AcquireActor(UpdateStageClear, DrawStageClear, GroupEffect);
    if (!a) return;  // no record: the stage never ends
    a->work[kBannerTick].i = 0;
    a->work[kBannerHidden].i = 0;
    a->work[kBannerBlinks].i = 0;
    PlayMusicFile(ClearMusic(), 1);
}

// ---- final tally ----------------------------------------------------------------

constexpr int kTallyFrames = 0;
constexpr int kTallyLives = 3;
constexpr int kTallyBombs = 4;
constexpr int kTallySecret = 5;
constexpr int kTallyLifeBonus = 6;
constexpr int kTallyBombBonus = 7;
constexpr int kTallySecretBonus = 8;
constexpr int kTallyTotal = 9;
constexpr int32_t kTallyDuration = 360;

constexpr int32_t kLifeBonus = 1000000;
constexpr int32_t kBombBonus = 300000;
constexpr int32_t kSecretBonus = 3000000;

static void UpdateFinalTally(Actor* a) {
    a->work[kTallyFrames].i += 1;
    if (a->work[kTallyFrames].i >= kTallyDuration) {
        a->work[kTallyFrames].i = 0;
        stagePhase = PhaseStageWon;
        a->alive = 0;
    }
}

// Seven small digits from x = 196 leftwards, units first, leading zeros kept;
// a larger total shows its last seven digits.
static void DrawSevenDigits(int32_t value, int y) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 7; i++) {
        DrawImage(196 - 12 * i, y, ImgNumberSmall[v % 10], 1);
        v /= 10;
    }
}

// A count above nine shows its last digit, as the strip holds only 0 to 9.
static void DrawCountDigit(int x, int y, int32_t count) {
    DrawImage(x, y, ImgNumberSmall[static_cast<uint32_t>(count) % 10], 1);
}

static void DrawFinalTally(Actor* a) {
    DrawImage(0, 0, ImgClearBack2, 1);
    DrawCountDigit(220, 204, a->work[kTallyLives].i);
    DrawSevenDigits(a->work[kTallyLifeBonus].i, 224);
    DrawCountDigit(236, 262, a->work[kTallyBombs].i);
    DrawSevenDigits(a->work[kTallyBombBonus].i, 282);
    DrawCountDigit(148, 320, a->work[kTallySecret].i);
    DrawSevenDigits(a->work[kTallySecretBonus].i, 340);
    DrawSevenDigits(a->work[kTallyTotal].i, 398);
}

void SpawnFinalTally() {
    Actor* a = AcquireActor(UpdateFinalTally, DrawFinalTally, GroupEffect);
    if (!a) return;
    a->work[kTallyFrames].i = 0;
    a->work[1].i = 0;
    a->work[2].i = 0;
    a->work[kTallySecret].i = 0;
    if (hasContinued) {
        a->work[kTallyLives].i = 0;  // a continued run earns no bonus at all
        a->work[kTallyBombs].i = 0;
    } else {
        a->work[kTallyLives].i = lives;
        a->work[kTallyBombs].i = bombs;
        if (kind110Destroyed) a->work[kTallySecret].i = 1;
    }
    int32_t lifeBonus = a->work[kTallyLives].i * kLifeBonus;
    int32_t bombBonus = a->work[kTallyBombs].i * kBombBonus;
    int32_t secretBonus = a->work[kTallySecret].i * kSecretBonus;
    int32_t total = lifeBonus + bombBonus + secretBonus;
    a->work[kTallyLifeBonus].i = lifeBonus;
    a->work[kTallyBombBonus].i = bombBonus;
    a->work[kTallySecretBonus].i = secretBonus;
    a->work[kTallyTotal].i = total;
    AddScore(total);
}

// This file's behaviours, by the names the state hash and the traces know them by.
namespace {
const BehaviourName kBehaviours[] = {
    BEHAVIOUR(UpdateStageClear),
    BEHAVIOUR(DrawStageClear),
    BEHAVIOUR(UpdateFinalTally),
    BEHAVIOUR(DrawFinalTally),
};
BehaviourList behaviours(kBehaviours);
}  // namespace
