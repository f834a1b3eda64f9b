// What a pause outside the game's frames needs from the machine, in both builds: the window's
// focus losses and a dimmed copy of the last frame, kept to draw menus over.
#include <algorithm>
#include <iterator>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

static bool focusLost = false;

void NoteWindowFocusLoss() { focusLost = true; }
void SimulateWindowFocusLoss() { focusLost = true; }

int TakeWindowFocusLoss() {
    const bool lost = focusLost;
    focusLost = false;
    return lost ? 1 : 0;
}

void DimBackBuffer(int keep) {
    if (!runtimeSettings.drawingEnabled) return;
    const uint32_t k = uint32_t(keep < 0 ? 0 : keep > 255 ? 255 : keep);
    for (uint32_t& p : backBuffer) {
        const uint32_t r = ((p >> 16) & 0xFF) * k / 255;
        const uint32_t g = ((p >> 8) & 0xFF) * k / 255;
        const uint32_t b = (p & 0xFF) * k / 255;
        p = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

static uint32_t keptBuffer[ScreenWidth * ScreenHeight];

void KeepBackBuffer(int keep) {
    if (!runtimeSettings.drawingEnabled) return;
    DimBackBuffer(keep);
    std::copy(std::begin(backBuffer), std::end(backBuffer), keptBuffer);
}

void DrawKeptBackBuffer() {
    if (!runtimeSettings.drawingEnabled) return;
    std::copy(std::begin(keptBuffer), std::end(keptBuffer), backBuffer);
}
