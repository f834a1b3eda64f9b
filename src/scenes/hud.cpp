// Header strip during play: score, stage, ships and bombs in reserve, item gauges.
#include "runtime/media.h"
#include "scenes/digits.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"

constexpr int32_t kStageNumberX = 599;
constexpr int32_t kStageNumberY = 14;
constexpr int32_t kStageRowWidth = 34;
constexpr int32_t kStageRowHeight = 24;
constexpr int32_t kScoreOnesX = 200;
constexpr int32_t kScoreY = 15;
constexpr int32_t kSmallDigitStep = 12;
constexpr int32_t kScoreDigits = 10;
constexpr int32_t kLivesX = 268;
constexpr int32_t kBombsX = 565;
constexpr int32_t kReserveY = 11;
constexpr int32_t kShotGaugeX = 340;
constexpr int32_t kMissileGaugeX = 414;
constexpr int32_t kArmGaugeX = 488;
constexpr int32_t kGaugeBottomY = 26;
constexpr int32_t kGaugeStep = 9;
constexpr int32_t kGaugeMax = 3;  // a fourth item raises the level and empties the gauge

static void DrawGauge(int32_t x, int32_t items) {
    if (items > kGaugeMax) items = kGaugeMax;
    for (int32_t k = 0; k < items; k++) DrawImage(x, kGaugeBottomY - kGaugeStep * k, ImgPowerGauge, 1);
}

void DrawHud() {
    DrawImage(0, 0, ImgHeader, 1);
    if (stageNumber >= 1 && stageNumber <= kRouteNodes) {
        DrawImageRegion(kStageNumberX, kStageNumberY, 0, (stageNumber - 1) * kStageRowHeight,
                        kStageRowWidth, kStageRowHeight, ImgStageNumber, 1, 0);
    }
    int32_t v = score;
    for (int32_t j = 0; j < kScoreDigits; j++) {
        DrawImage(kScoreOnesX - kSmallDigitStep * j, kScoreY, ImgNumberSmall[LowestDigit(v)], 1);
        v /= 10;
    }
    // the strip has one cell per digit: ten ships or more show as 9
    DrawImage(kLivesX, kReserveY, ImgNumberMiddle[CountDigit(lives)], 1);
    DrawImage(kBombsX, kReserveY, ImgNumberMiddle[CountDigit(bombs)], 1);
    DrawGauge(kShotGaugeX, shotGauge);
    DrawGauge(kMissileGaugeX, missileGauge);
    DrawGauge(kArmGaugeX, armGauge);
}
