// The window: the finished back buffer goes up to a streaming texture and is shown
// letterboxed at a whole-number scale where it fits, with nearest filtering. A frame
// whose pixels are those already shown is not presented again: the window keeps it.
#include <SDL.h>

#include <cstring>
#include <string>

#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
bool videoSubsystem = false;
bool quitSeen = false;
Uint32 lastMouseMotion = 0;  // SDL ticks
bool cursorShown = true;

// The pixels last presented, and whether the window still shows them: an expose, a
// resize, a new texture or a change of mode asks for the next frame to go up whatever
// it holds.
uint32_t shownPixels[ScreenWidth * ScreenHeight];
bool shownValid = false;
constexpr size_t kFrameBytes = sizeof shownPixels;

void ForgetShownFrame() { shownValid = false; }

bool CreateTexture() {
    ForgetShownFrame();
    if (texture) SDL_DestroyTexture(texture);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                ScreenWidth, ScreenHeight);
    if (!texture) return false;
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    return true;
}

// Whole-number scaling only when the output holds at least one full frame; a smaller
// window still shows the whole picture, shrunk.
void UpdateIntegerScale() {
    ForgetShownFrame();
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer, &w, &h) != 0) return;
    SDL_RenderSetIntegerScale(renderer, (w >= ScreenWidth && h >= ScreenHeight) ? SDL_TRUE
                                                                                 : SDL_FALSE);
}

int chosenScale = 0;  // the player's: 0 automatic, else 1 to 4

// The largest whole multiple of 640 x 480 that fits the desktop, title bar included,
// or the player's own scale.
int WindowScale() {
    if (chosenScale > 0) return chosenScale;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    constexpr int Decoration = 40;
    int scale = usable.w / ScreenWidth;
    const int byHeight = (usable.h - Decoration) / ScreenHeight;
    if (byHeight < scale) scale = byHeight;
    return scale < 1 ? 1 : scale;
}

// Video drivers that open no visible window: never chosen unless the user asks for one.
bool IsInvisibleDriver(const char* name) {
    return SDL_strcmp(name, "offscreen") == 0 || SDL_strcmp(name, "dummy") == 0 ||
           SDL_strcmp(name, "evdev") == 0;
}

// Tries the drivers that can show a window, in SDL's order. On failure SDL_GetError()
// holds the reason the first of them gave.
bool InitVideo() {
    if (SDL_getenv("SDL_VIDEODRIVER")) return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    std::string firstError;
    const int count = SDL_GetNumVideoDrivers();
    for (int i = 0; i < count; ++i) {
        const char* name = SDL_GetVideoDriver(i);
        if (!name || IsInvisibleDriver(name)) continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, name);
        const bool ok = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (ok) return true;
        if (firstError.empty()) firstError = SDL_GetError();
    }
    SDL_SetError("%s", firstError.empty() ? "no video driver" : firstError.c_str());
    return false;
}

}  // namespace

bool MouseCursorShown(bool asked, bool fullScreen, uint32_t millisSinceMotion) {
    return asked && !fullScreen && millisSinceMotion < kCursorIdleMillis;
}

void UpdateMouseCursor() {
    if (!window) return;
    const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    const bool show =
        MouseCursorShown(runtimeSettings.showCursor, full, SDL_GetTicks() - lastMouseMotion);
    if (show == cursorShown) return;
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    cursorShown = show;
}

bool StartWindow() {
    quitSeen = false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    {
        QuietStderr quiet;  // display libraries chatter on stderr while they probe
        if (!InitVideo()) return false;
    }
    videoSubsystem = true;
    const int scale = WindowScale();
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (!runtimeSettings.windowed) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    std::string title;
    ShiftJisToUtf8(runtimeSettings.windowTitle.c_str(), &title);
    // full screen starts at the desktop's size, so that it fills the screen even where
    // no window manager resizes it
    int w = ScreenWidth * scale, h = ScreenHeight * scale;
    SDL_Rect desktop;
    if (!runtimeSettings.windowed && SDL_GetDisplayBounds(0, &desktop) == 0) {
        w = desktop.w;
        h = desktop.h;
    }
    const int at = runtimeSettings.windowed ? int(SDL_WINDOWPOS_CENTERED) : 0;
    window = SDL_CreateWindow(title.c_str(), at, at, w, h, flags);
    if (!window) return false;
    SDL_SetWindowMinimumSize(window, ScreenWidth / 2, ScreenHeight / 2);
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return false;
    if (SDL_RenderSetLogicalSize(renderer, ScreenWidth, ScreenHeight) != 0) return false;
    UpdateIntegerScale();
    if (!CreateTexture()) return false;
    // shown at first in a window, as if the mouse had just moved
    lastMouseMotion = SDL_GetTicks();
    cursorShown = SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
    UpdateMouseCursor();
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    return true;
}

void StopWindow() {
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (window) SDL_DestroyWindow(window);
    texture = nullptr;
    renderer = nullptr;
    window = nullptr;
    ForgetShownFrame();
    if (videoSubsystem) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoSubsystem = false;
    quitSeen = false;
}

bool PresentBackBuffer() {
    if (!renderer || !texture) return false;
    // a still picture (the title waiting, the ranking, the pause) goes up once
    if (shownValid && std::memcmp(shownPixels, backBuffer, kFrameBytes) == 0) return false;
    std::memcpy(shownPixels, backBuffer, kFrameBytes);
    shownValid = true;
    SDL_UpdateTexture(texture, nullptr, backBuffer, ScreenWidth * int(sizeof(uint32_t)));
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    return true;
}

void SetFullScreen(bool full) {
    if (!window) return;
    const bool now = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (now == full) return;
    SDL_Rect desktop;
    if (full && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &desktop) == 0) {
        // cover the screen first: without a window manager nobody else resizes it
        SDL_SetWindowPosition(window, desktop.x, desktop.y);
        SDL_SetWindowSize(window, desktop.w, desktop.h);
    }
    SDL_SetWindowFullscreen(window, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!full) {
        const int scale = WindowScale();
        SDL_SetWindowSize(window, ScreenWidth * scale, ScreenHeight * scale);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    UpdateIntegerScale();
}

void ToggleFullScreen() {
    if (!window) return;
    SetFullScreen((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0);
}

bool PumpWindowEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                quitSeen = true;
                break;
            case SDL_KEYDOWN:
                if (e.key.keysym.scancode == SDL_SCANCODE_RETURN && (e.key.keysym.mod & KMOD_ALT) &&
                    !e.key.repeat)
                    ToggleFullScreen();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) UpdateIntegerScale();
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
                    e.window.event == SDL_WINDOWEVENT_RESTORED)
                    ForgetShownFrame();
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                    e.window.event == SDL_WINDOWEVENT_MINIMIZED)
                    NoteWindowFocusLoss();
                break;
            case SDL_RENDER_TARGETS_RESET:
                ForgetShownFrame();
                break;
            case SDL_MOUSEMOTION:
                lastMouseMotion = SDL_GetTicks();
                break;
            case SDL_RENDER_DEVICE_RESET:
                CreateTexture();  // the old texture went with the device
                break;
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
            case SDL_JOYDEVICEADDED:
            case SDL_JOYDEVICEREMOVED:
                HandlePadDeviceEvent(e.type, e.cdevice.which);
                break;
            default:
                break;
        }
    }
    UpdateMouseCursor();
    return quitSeen;
}

void SetFullScreenNow(int full) { SetFullScreen(full != 0); }

// A window in use takes its new size at once; a full screen keeps it for later.
void SetWindowScale(int scale) {
    const int wanted = scale >= 1 && scale <= 4 ? scale : 0;
    if (wanted == chosenScale) return;
    chosenScale = wanted;
    if (!window || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) return;
    const int s = WindowScale();
    SDL_SetWindowSize(window, ScreenWidth * s, ScreenHeight * s);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    UpdateIntegerScale();
}
