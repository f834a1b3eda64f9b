// The pause: no frame runs while it lasts, so the game's state, its random numbers and
// any replay are exactly as they were; only the picture and the audio know of it.
#include "shell/pause.h"

#include "runtime/media.h"
#include "shell/game.h"

// the last frame stays on screen at this brightness (of 255) under the word
constexpr int kPauseDimKeep = 96;
constexpr int kPauseTextSize = 48;
constexpr int kPauseShadowOffset = 3;
// the paused loop wakes this often to read the keys and keep the window drawn
constexpr int kPauseSleepMillis = 20;
static const char kPauseText[] = "PAUSE";

static bool pauseActive = false;
static bool pauseButtonHeld = false;  // P or Start as read at the previous call

bool GamePaused() { return pauseActive; }

void ResetPause() {
    if (pauseActive) PauseAudio(0);
    pauseActive = false;
    pauseButtonHeld = false;
}

static bool PauseButtonPressed() {
    const bool held = IsKeyDown(KeyP) != 0 || IsPadStartDown() != 0;
    const bool pressed = held && !pauseButtonHeld;
    pauseButtonHeld = held;
    return pressed;
}

// The back buffer still holds the frame just presented: it is dimmed in place.
static void DrawPauseScreen() {
    DimBackBuffer(kPauseDimKeep);
    SetTextSize(kPauseTextSize);
    SetTextWeight(7);
    const int width = MeasureText(kPauseText, sizeof kPauseText - 1, 0);
    const int x = (640 - width) / 2;
    const int y = (480 - kPauseTextSize) / 2;
    DrawText(x + kPauseShadowOffset, y + kPauseShadowOffset, kPauseText, MakeColor(0, 0, 0), 0);
    DrawText(x, y, kPauseText, MakeColor(255, 255, 255), 0);
    PresentFrame();
}

static void EnterPause() {
    pauseActive = true;
    PauseAudio(1);
    DrawPauseScreen();
}

static void LeavePause() {
    pauseActive = false;
    PauseAudio(0);
}

bool HoldForPause() {
    const bool pressed = PauseButtonPressed();
    const bool focusLost = TakeWindowFocusLoss() != 0;
    if (!pauseActive) {
        // the title, route map, ranking and ending lose nothing by running on
        if (currentScene != ScenePlay || !(pressed || focusLost)) return false;
        EnterPause();
        return true;
    }
    if (pressed) {
        LeavePause();
        return false;  // play resumes with this very frame
    }
    PresentFrame();  // keeps the picture up through exposes and resizes
    SleepMillis(kPauseSleepMillis);
    return true;
}
