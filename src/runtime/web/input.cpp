// Keyboard and first pad in the browser build: the page reports keys by physical position
// (KeyboardEvent.code, turned into the DirectInput scan codes the game uses) and the pad
// through the Gamepad API; a test may script the pad bits of whole frames instead.
#include <vector>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/web/page.h"

namespace {

bool keys[256];
int padBits = 0;      // as polled at the last pump
bool padStart = false;

// The test hooks: frames held, and the pad bits of scripted frames.
bool framesHeld = false;
bool scriptOn = false;
std::vector<uint8_t> script;
size_t scriptNext = 0;
int scriptButtons = 0;  // of the frame under way

void PollPad() {
    const int bits = zorbex_page_poll_pad();
    padBits = bits < 0 ? 0 : bits;
    padStart = bits >= 0 && zorbex_page_pad_start() != 0;
}

}  // namespace

void StartInput() {
    WebAllKeysUp();
    zorbex_page_start_input();
}
void StopInput() {
    WebAllKeysUp();
    zorbex_page_stop_input();
}

void PumpInputEvents() {
    if (!runtimeSettings.started) return;
    if (runtimeSettings.headless)
        ApplyQueuedHeadlessKeys();
    else
        PollPad();  // the keys arrive as the page's events, between frames
}

int IsKeyDown(int scanCode) {
    if (scanCode < 0 || scanCode >= 256) return 0;
    if (runtimeSettings.headless) return HeadlessKeyDown(scanCode) ? 1 : 0;
    // the watcher (or the test's script) may still stop or pause the run, but never steer it
    if ((SuppliedButtonsOn() || scriptOn) && scanCode != KeyEscape && scanCode != KeyP) return 0;
    if (!runtimeSettings.started) return 0;
    return keys[scanCode] ? 1 : 0;
}

int GetPadState(int pad) {
    if (pad != 1) return 0;
    if (runtimeSettings.headless || SuppliedButtonsOn()) return HeadlessPad();
    if (scriptOn) return scriptButtons;
    if (!runtimeSettings.started) return 0;
    return padBits;
}

// Start is no game button: it only pauses, so it stays out of GetPadState's bits. The pause
// asks between frames, where nothing else polls the pad: it is read afresh, so Start resumes.
int IsPadStartDown() {
    if (runtimeSettings.headless) return HeadlessPadStart() ? 1 : 0;
    if (!runtimeSettings.started) return 0;
    PollPad();
    return padStart ? 1 : 0;
}

extern "C" {

void WebKeyChanged(int scanCode, int down) {
    if (scanCode >= 0 && scanCode < 256) keys[scanCode] = down != 0;
}

// A page that loses focus never hears the keys go up: they are let go at once.
void WebAllKeysUp() {
    for (bool& k : keys) k = false;
}

// For the menus only: the game's frames never see a tap.
void WebTapped(int x, int y) { NoteTappedPoint(x, y); }

void WebFocusLost() {
    WebAllKeysUp();
    NoteWindowFocusLoss();
}

void WebHoldFrames(int hold) {
    framesHeld = hold != 0;
    if (!framesHeld) scriptOn = false;  // the player's keys and pad count again
}

void WebPlayButtons(const uint8_t* buttons, int count) {
    script.assign(buttons, buttons + (count > 0 ? count : 0));
    scriptNext = 0;
    scriptOn = true;
    framesHeld = false;
}

int WebScriptedFramesLeft() { return scriptOn ? int(script.size() - scriptNext) : 0; }

}  // extern "C"

// A script played to its end holds the game before the frame after it.
bool WebFramesHeld() { return framesHeld || (scriptOn && scriptNext >= script.size()); }

void KeepScriptedFrame() {
    WebUncountFrame();
    if (scriptOn && scriptNext > 0) scriptNext--;
}

void WebAdvanceScript() {
    if (scriptOn && scriptNext < script.size()) scriptButtons = script[scriptNext++];
}
