// High-score table: ten rows of place, score and stage reached, the new row marked.
#include "runtime/media.h"
#include "scenes/digits.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/save_files.h"

constexpr int32_t kRows = 10;
constexpr int32_t kFirstRowY = 90;
constexpr int32_t kRowStep = 30;
constexpr int32_t kScoreOnesX = 420;
constexpr int32_t kDigitStep = 24;
constexpr int32_t kScoreDigits = 10;
constexpr int32_t kPlaceOnesX = 140;
constexpr int32_t kPlaceTensX = 120;
constexpr int32_t kStageX = 480;
constexpr int32_t kStageDY = -2;
constexpr int32_t kStageRowWidth = 34;
constexpr int32_t kStageRowHeight = 24;
constexpr int32_t kMarkerX = 520;
constexpr int32_t kMarkerDY = -5;
constexpr int32_t kMarkerCell = 4;

void RunRankingScene() {
    DrawImage(0, 0, ImgRankingBack, 0);  // heading, column labels and frame behind the table
    for (int32_t i = 0; i < kRows; i++) {
        int32_t y = kFirstRowY + kRowStep * i;
        int32_t v = highScores[i];
        for (int32_t j = 0; j < kScoreDigits; j++) {
            DrawImage(kScoreOnesX - kDigitStep * j, y, ImgNumberMiddle[LowestDigit(v)], 1);
            v /= 10;
        }
        int32_t place = i + 1;
        DrawImage(kPlaceOnesX, y, ImgNumberMiddle[place % 10], 1);
        if (place >= 10) DrawImage(kPlaceTensX, y, ImgNumberMiddle[place / 10], 1);
        // a damaged save may hold a stage with no row in the picture: its cell stays empty
        int32_t stage = highScoreStages[i];
        if (stage >= 1 && stage <= kRouteNodes) {
            DrawImageRegion(kStageX, y + kStageDY, 0, (stage - 1) * kStageRowHeight, kStageRowWidth,
                            kStageRowHeight, ImgStageNumber, 1, 0);
        }
        if (i == newRankIndex) DrawImage(kMarkerX, y + kMarkerDY, ImgItem[kMarkerCell], 1);
    }
}
