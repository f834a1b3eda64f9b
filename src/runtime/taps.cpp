// A tap or click on the game's picture, in game pixels: the page hands it in (a finger or
// a mouse on the canvas), a headless caller too; the menus take it once per frame. Only
// the latest tap since the last take counts; the game's frames never see it.
#include "runtime/headless.h"
#include "runtime/media.h"
#include "runtime/runtime_internal.h"

namespace {

bool tapped = false;
int tapX = 0, tapY = 0;

}  // namespace

void NoteTappedPoint(int x, int y) {
    if (x < 0 || y < 0 || x >= ScreenWidth || y >= ScreenHeight) return;  // off the picture
    tapped = true;
    tapX = x;
    tapY = y;
}

void SetHeadlessTap(int x, int y) { NoteTappedPoint(x, y); }

int TakeTappedPoint(int* x, int* y) {
    if (!tapped) return 0;
    tapped = false;
    *x = tapX;
    *y = tapY;
    return 1;
}
