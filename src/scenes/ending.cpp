// Ending: the run's epilogue scrolling up through a window, the route taken, and captions.
#include <cstring>

#include "runtime/media.h"
#include "scenes/ending_texts.h"
#include "scenes/scenes.h"
#include "shell/assets.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/language.h"
#include "stages/level_texts.h"

char endingText[kEndingLines][kEndingLineBytes];
char shownEndingText[kEndingLines][kEndingLineBytes];
float endingScrollY;

constexpr float kScrollStartY = 192.0f;  // line 0 starts just below the window
constexpr float kScrollStep = 0.25f;
constexpr float kScrollFloorY = -1000.0f;  // every line far above the window
constexpr int32_t kLineStep = 28;
constexpr int32_t kLineVisibleTop = -31;
constexpr int32_t kLineVisibleBottom = 479;
constexpr int32_t kShadowOffset = 3;
// the text shows only inside the window's frame: rows 63 to 188, columns 20 to 619
constexpr int32_t kWindowTop = 63;
constexpr int32_t kWindowBottom = 189;
constexpr int32_t kWindowLeft = 20;
constexpr int32_t kWindowRight = 620;
constexpr int32_t kCaptionX = 42;
constexpr int32_t kCaptionY = 399;
constexpr int32_t kCaptionWidth = 330;
constexpr int32_t kCaptionHeight = 28;
constexpr int32_t kFinalCaption = 4;
constexpr int32_t kFinalCaptionFrame = 1900;
constexpr int32_t kEndingFinal = 9999;  // sceneTimer once the last caption is reached

struct CaptionWindow {
    int32_t first, last;
};
constexpr CaptionWindow kCaptionWindows[] = {{60, 300}, {360, 600}, {660, 900}, {960, 1200}};

// "MS ゴシック" in Shift-JIS; the runtime falls back to a Japanese Gothic face it has.
constexpr const char* kTextFace = "MS \x83\x53\x83\x56\x83\x62\x83\x4e";

// Widths of the shown lines in the ending's text settings, measured once on entry.
static int32_t lineWidths[kEndingLines];

// The epilogues laid out once at set-up as the game was written (the run's state hashes
// them, whatever the player reads), and in the player's language, laid out again after the
// language changed; entering the ending converts nothing.
constexpr const char* kWrittenLanguage = "ja";
static char writtenEpilogues[kEpilogueCount][kEndingLines][kEndingLineBytes];
static char shownEpilogues[kEpilogueCount][kEndingLines][kEndingLineBytes];
static bool epiloguesLaidOut;
static uint32_t laidOutForChange;  // LanguageChanges() when they were laid out

static void UseEndingTextSettings() {
    SetTextSize(14);
    SetTextWeight(5);
    SetTextFace(kTextFace, -1);
    SetTextStyle(2);
}

static int32_t MeasureEndingLine(const char* line, void*) {
    return MeasureText(line, static_cast<int32_t>(std::strlen(line)), 0);
}

static void LayOutEpilogues(int32_t language, char out[kEpilogueCount][kEndingLines][kEndingLineBytes]) {
    for (int32_t e = 0; e < kEpilogueCount; e++) {
        int32_t lineCount;
        LayOutEpilogue(language, kEpilogueFiles[e], FindLevelText(kEpilogueFiles[e]), MeasureEndingLine,
                       nullptr, out[e], &lineCount);
    }
}

void PrepareEndingTexts() {
    UseEndingTextSettings();
    LayOutEpilogues(FindLanguageCode(kWrittenLanguage), writtenEpilogues);
    LayOutEpilogues(CurrentLanguage(), shownEpilogues);
    epiloguesLaidOut = true;
    laidOutForChange = LanguageChanges();
}

static void FillShownEndingText() {
    if (!epiloguesLaidOut) PrepareEndingTexts();
    if (laidOutForChange != LanguageChanges()) {
        UseEndingTextSettings();
        LayOutEpilogues(CurrentLanguage(), shownEpilogues);
        laidOutForChange = LanguageChanges();
    }
    std::memset(shownEndingText, 0, sizeof shownEndingText);
    int32_t e = EpilogueIndex(hasContinued, stageNumber);
    if (e >= 0) std::memcpy(shownEndingText, shownEpilogues[e], sizeof shownEndingText);
}

void FillEndingText() {
    FillShownEndingText();
    std::memset(endingText, 0, sizeof endingText);
    int32_t e = EpilogueIndex(hasContinued, stageNumber);
    if (e >= 0) std::memcpy(endingText, writtenEpilogues[e], sizeof endingText);
}

static void MeasureEndingText() {
    for (int32_t k = 0; k < kEndingLines; k++)
        lineWidths[k] = shownEndingText[k][0] ? MeasureEndingLine(shownEndingText[k], nullptr) : 0;
}

static void DrawEpilogue() {
    int32_t top = static_cast<int32_t>(endingScrollY);
    for (int32_t k = 0; k < kEndingLines; k++) {
        int32_t y = top + kLineStep * k;
        if (y < kLineVisibleTop || y > kLineVisibleBottom) continue;
        const char* line = shownEndingText[k];
        if (line[0] == '\0') continue;  // a blank line draws nothing
        int32_t x = (640 - lineWidths[k]) / 2;
        DrawText(x + kShadowOffset, y + kShadowOffset, line, MakeColor(0, 0, 0), 0);
        DrawText(x, y, line, MakeColor(255, 255, 255), 0);
    }
    // the picture around the window covers the text again
    DrawImageRegion(0, 0, 0, 0, 640, kWindowTop, ImgEnding, 0, 0);
    DrawImageRegion(0, kWindowBottom, 0, kWindowBottom, 640, 480 - kWindowBottom, ImgEnding, 0, 0);
    DrawImageRegion(0, kWindowTop, 0, kWindowTop, kWindowLeft, kWindowBottom - kWindowTop, ImgEnding,
                    0, 0);
    DrawImageRegion(kWindowRight, kWindowTop, kWindowRight, kWindowTop, 640 - kWindowRight,
                    kWindowBottom - kWindowTop, ImgEnding, 0, 0);
}

static void DrawCaption(int32_t k) {
    DrawImageRegion(kCaptionX, kCaptionY, 0, kCaptionHeight * k, kCaptionWidth, kCaptionHeight,
                    ImgEndingTxt, 1, 0);
}

void RunEndingScene() {
    if (sceneJustEntered) {
        FillEndingText();
        endingScrollY = kScrollStartY;
        stagePhase = PhaseRouteDisplayOnly;
        sceneTimer = 0;
        // the settings stay as they are for the whole scene, and so do the widths
        UseEndingTextSettings();
        MeasureEndingText();
    } else if (laidOutForChange != LanguageChanges()) {
        // the player chose another language: the same epilogue in it, where it has scrolled to
        FillShownEndingText();
        UseEndingTextSettings();
        MeasureEndingText();
    }
    DrawImage(0, 0, ImgEnding, 0);
    sceneTimer += 1;
    endingScrollY -= kScrollStep;
    if (endingScrollY < kScrollFloorY) endingScrollY = kScrollFloorY;
    DrawEpilogue();
    RunStageSelect();  // the route of this run, without background and cursor

    for (int32_t k = 0; k < kFinalCaption; k++) {
        if (sceneTimer >= kCaptionWindows[k].first && sceneTimer <= kCaptionWindows[k].last)
            DrawCaption(k);
    }
    if (sceneTimer >= kFinalCaptionFrame) {
        DrawCaption(kFinalCaption);
        sceneTimer = kEndingFinal;
    }
    // the first press skips to the last caption; only a second, separate press leaves
    if (firePressed) {
        if (sceneTimer < kEndingFinal) {
            sceneTimer = kEndingFinal;
            endingScrollY = kScrollFloorY;
        } else {
            StopMusicFile();
            stagePhase = 0;
            currentScene = SceneRanking;
        }
    }
}
