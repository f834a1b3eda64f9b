// The page's canvas: the finished back buffer goes up as RGBA pixels; the page scales it
// by whole numbers with nearest filtering and letterboxes it, full screen on request.
#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"
#include "runtime/web/page.h"

namespace {

// The back buffer in the byte order of the canvas's image data.
uint32_t canvasPixels[ScreenWidth * ScreenHeight];
bool windowOpen = false;

}  // namespace

bool StartWindow() {
    // a black frame first: it also tells whether there is a canvas at all
    for (uint32_t& p : canvasPixels) p = 0xFF000000u;
    windowOpen = zorbex_page_present(reinterpret_cast<const uint8_t*>(canvasPixels), ScreenWidth,
                                     ScreenHeight);
    return windowOpen;
}

void StopWindow() { windowOpen = false; }

// 0xAARRGGBB words, stored little-endian as B G R A, become R G B A bytes.
bool PresentBackBuffer() {
    if (!windowOpen) return false;
    for (int i = 0; i < ScreenWidth * ScreenHeight; ++i) {
        const uint32_t p = backBuffer[i];
        canvasPixels[i] = 0xFF000000u | (p & 0x00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    }
    zorbex_page_present(reinterpret_cast<const uint8_t*>(canvasPixels), ScreenWidth, ScreenHeight);
    return true;
}

void SetFullScreen(bool full) {
    if (windowOpen) zorbex_page_set_full_screen(full ? 1 : 0);
}

void ToggleFullScreen() { SetFullScreen(zorbex_page_full_screen() == 0); }

// The page handles its own events (Alt+Enter included); the game is never asked to quit.
bool PumpWindowEvents() { return false; }

void SetFullScreenNow(int full) { SetFullScreen(full != 0); }
void SetWindowScale(int) {}  // the page sizes its canvas itself
