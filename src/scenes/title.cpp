// Title: the logo on black, a white flash over the title picture, then waiting.
#include "runtime/media.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"

int32_t titleFade;

constexpr int32_t kTitleDark = 0;
constexpr int32_t kTitleFlashFading = 1;
constexpr int32_t kTitleShown = 2;
constexpr int32_t kDarkFrames = 60;      // logo alone before the flash brightens
constexpr int32_t kFadeStep = 8;
constexpr int32_t kIdleFramesBeforeRanking = 300;

void RunTitleScene() {
    if (sceneJustEntered) {
        stagePhase = kTitleDark;
        ResetNewGame();
        titleFade = 0;
        sceneTimer = 0;
    }
    sceneTimer += 1;
    if (stagePhase > kTitleDark) DrawImage(0, 0, ImgTitleBack, 1);
    // a phase change made here keeps the brightening step below from running this frame
    if (stagePhase == kTitleFlashFading) {
        titleFade -= kFadeStep;
        if (titleFade <= 0) {
            titleFade = 0;
            stagePhase = kTitleShown;
            sceneTimer = 0;
        }
        SetBlend(1, titleFade);
        DrawImageStretched(0, 0, 640, 480, ImgWhite, 1);
        SetBlend(0, 0);
    }
    if (stagePhase == kTitleDark && sceneTimer > kDarkFrames) {
        titleFade += kFadeStep;
        if (titleFade >= 255) {
            titleFade = 255;
            stagePhase = kTitleFlashFading;
            sceneTimer = 0;
        }
        SetTint(titleFade, titleFade, titleFade);
        DrawImageStretched(0, 0, 640, 480, ImgWhite, 1);
        SetTint(255, 255, 255);
    }
    DrawImage(0, 0, ImgTitleFront, 1);
    if (stagePhase == kTitleShown && sceneTimer > kIdleFramesBeforeRanking) {
        stagePhase = 0;
        sceneTimer = 0;
        currentScene = SceneRanking;
    }
    // fire is checked last, so it wins over the switch to the ranking
    if (firePressed) {
        StopMusicFile();
        PlaySound(WavStart, 0, 1);
        currentScene = ScenePlay;
        StartStage();
    }
}
