// Route map between stages: the cleared stages, and a cursor on one of the two next ones.
#include "runtime/media.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"

int32_t stageCleared[kRouteNodes];
int32_t nextNode[kRouteNodes][2];
int32_t nodeX[kRouteNodes];
int32_t nodeY[kRouteNodes];
int32_t selectChoice;
int32_t selectedNode;
int32_t selectBlinkPhase;
int32_t selectBlinkTimer;
int32_t selectConfirmTimer;
int32_t selectConfirmed;

constexpr int32_t kMapX = 47;
constexpr int32_t kMapY = 203;
constexpr int32_t kColumnStep = 80;
constexpr int32_t kRowStep = 36;
constexpr int32_t kColumnRise = 18;  // each column starts half a row higher
constexpr int32_t kFirstColumnY = 108;
constexpr int32_t kMarkWidth = 48;
constexpr int32_t kMarkHeight = 32;
constexpr int32_t kCursorDX = -29;
constexpr int32_t kCursorDY = 2;

constexpr int32_t kSlowBlink = 30;
constexpr int32_t kFastBlink = 3;
constexpr int32_t kSteadyBlink = 1000;    // longer than the rest of the scene: no blink
constexpr int32_t kFastBlinkFrames = 60;  // after confirming, then steady
constexpr int32_t kConfirmFrames = 90;    // the chosen stage starts in the frame after these
constexpr int32_t kLastChoosingNode = 20; // stage 21: the last stage that has successors

void ResetStageSelect() {
    for (int32_t c = 0; c < kRouteColumns; c++) {
        int32_t first = c * (c + 1) / 2;
        for (int32_t r = 0; r <= c; r++) {
            int32_t n = first + r;
            nodeX[n] = kColumnStep * c;
            nodeY[n] = kRowStep * r - kColumnRise * c + kFirstColumnY;
            nextNode[n][0] = n + c + 1;
            nextNode[n][1] = n + c + 2;
        }
    }
    selectedNode = 0;
    selectChoice = 0;
    for (int32_t& cleared : stageCleared) cleared = 0;
}

void MarkStageCleared(int32_t stage) {
    if (stage >= 1 && stage <= kRouteNodes) stageCleared[stage - 1] = 1;
}

static void DrawRouteMap() {
    DrawImage(kMapX, kMapY, ImgStageSelect, 1);
    for (int32_t n = 0; n < kRouteNodes; n++) {
        if (!stageCleared[n]) continue;
        DrawImageRegion(kMapX + nodeX[n], kMapY + nodeY[n], nodeX[n], nodeY[n], kMarkWidth,
                        kMarkHeight, ImgStageSelect2, 1, 0);
    }
}

void RunStageSelect() {
    if (stagePhase < PhaseRouteDisplayOnly) DrawImage(0, 0, ImgStageSelectBack, 0);
    DrawRouteMap();
    if (stagePhase >= PhaseRouteDisplayOnly) return;

    selectBlinkTimer += 1;
    // only stages 1 to 21 have successors; anything else would read past the tables
    int32_t from = stageNumber - 1;
    if (from < 0) from = 0;
    if (from > kLastChoosingNode) from = kLastChoosingNode;
    // read before the switch below, so the cursor moves one frame after up or down
    selectedNode = nextNode[from][selectChoice];

    int32_t blinkPeriod = kSlowBlink;
    if (!selectConfirmed) {
        if (upPressed || downPressed) {
            selectChoice = 1 - selectChoice;
            selectBlinkPhase = 0;  // the cursor restarts visible on its new node
            selectBlinkTimer = 0;
        }
        if (firePressed) selectConfirmed = 1;
    }
    if (selectConfirmed) {
        selectConfirmTimer += 1;
        blinkPeriod = kFastBlink;
        if (selectConfirmTimer > kFastBlinkFrames) {
            blinkPeriod = kSteadyBlink;
            selectBlinkPhase = 0;
        }
        if (selectConfirmTimer > kConfirmFrames) {
            stageNumber = selectedNode + 1;
            stagePhase = PhaseStartChosenStage;
        }
    }
    if (selectBlinkTimer >= blinkPeriod) {
        selectBlinkTimer = 0;
        selectBlinkPhase = 1 - selectBlinkPhase;
    }
    if (selectBlinkPhase == 0) {
        DrawImage(kMapX + nodeX[selectedNode] + kCursorDX, kMapY + nodeY[selectedNode] + kCursorDY,
                  ImgStageSelectAllow, 1);
    }
}
