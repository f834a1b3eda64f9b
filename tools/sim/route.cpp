// Steering the route map and the game-over prompt for --route and --continues.
#include "route.h"

#include "runtime/media.h"
#include "scenes/scenes.h"

bool ParseRoute(const char* text, char route[kRouteMaps + 1]) {
    if (!text) return false;
    for (int i = 0; i < kRouteMaps; i++) {
        if (text[i] != 'U' && text[i] != 'D') return false;
        route[i] = text[i];
    }
    route[kRouteMaps] = 0;
    return text[kRouteMaps] == 0;
}

int RouteMapButtons(const char* route, int32_t mapIndex, int64_t frame) {
    if (frame % 2 != 0) return 0;
    if (mapIndex < 0 || mapIndex >= kRouteMaps) return PadButton1;  // past the route: just confirm
    int32_t wanted = route[mapIndex] == 'D' ? 1 : 0;
    return selectChoice == wanted ? PadButton1 : PadDown;
}

int ContinueButtons(int64_t frame) { return frame % 2 == 0 ? PadButton3 : 0; }
