// The camera over the stage map, the tiles it shows and the cells it passes.
#include "actors/actor.h"
#include "shell/game.h"
#include "stages/enemies.h"
#include "stages/map_tiles.h"
#include "stages/stage_map.h"

constexpr float kSpeedStep = 0.01f;
constexpr int kViewColumns = 21;  // the 21st column sits at or just beyond the right edge
constexpr int kViewRows = 16;
constexpr int32_t kJumpColumns = 10;
constexpr int32_t kBandRows = 15;
constexpr int32_t kBandRestartColumn = 370;

// The speed moves towards its target by one step per frame. Float steps of 0.01 never
// land on the target exactly, so the last step, which leaves less than half a step,
// snaps onto it: a change of 1 takes exactly 100 frames and the speed then holds.
static void RampSpeed() {
    if (scrollSpeed < scrollTargetSpeed) {
        scrollSpeed += kSpeedStep;
        if (scrollTargetSpeed - scrollSpeed < kSpeedStep / 2) scrollSpeed = scrollTargetSpeed;
    } else if (scrollSpeed > scrollTargetSpeed) {
        scrollSpeed -= kSpeedStep;
        if (scrollSpeed - scrollTargetSpeed < kSpeedStep / 2) scrollSpeed = scrollTargetSpeed;
    }
}

// Moves the view; returns the step taken so that a direction cell can take it back.
static void MoveCamera(float* stepX, float* stepY) {
    // braking overrides the target speed, or the two would cancel and the camera never stop
    if (!scrollStopping) RampSpeed();
    *stepX = scrollSpeed * cosTable[scrollDir];
    *stepY = scrollSpeed * sinTable[scrollDir];
    mapSubX += *stepX;
    mapSubY -= *stepY;
    if (mapSubX > 32) {
        mapLeftColumn += 1;
        mapSubX -= 32;
    }
    if (mapSubX < 0) {
        mapLeftColumn -= 1;
        mapSubX += 32;
    }
    if (mapSubY > 32) {
        mapTopRow += 1;
        mapSubY -= 32;
    }
    if (mapSubY < 0) {
        mapTopRow -= 1;
        mapSubY += 32;
    }
    if (scrollStopping) {
        scrollSpeed -= kSpeedStep;
        if (scrollSpeed < 0) {
            scrollSpeed = 0;
            scrollOn = 0;  // still for the rest of the stage
        }
    }
    mapScrollDX = -*stepX;
    mapScrollDY = *stepY;
}

static void SpawnCellObject(uint8_t cell, float x, float y) {
    switch (cell) {
    case 'A': SpawnEnemy005(x, y); break;
    case 'B': SpawnMapObjectB(x, y); break;
    case 'C': SpawnMapObjectC(x, y); break;
    case 'D': SpawnMapObjectD(x, y); break;
    case 'E': SpawnMapObjectE(x, y); break;
    case 'F': SpawnMapObjectF(x, y); break;
    case 'G': SpawnMapObjectG(x, y); break;
    case 'H': SpawnMapObjectH(x, y); break;
    case 'I': SpawnMapObjectI(x, y); break;
    case 'J': SpawnMapObjectJ(x, y); break;
    default: break;
    }
}

// Direction digits by the numeric keypad; -1 for every other cell.
static int32_t DigitDirection(uint8_t cell) {
    switch (cell) {
    case '6': return 0;
    case '9': return 45;
    case '8': return 90;
    case '7': return 135;
    case '4': return 180;
    case '1': return 225;
    case '2': return 270;
    case '3': return 315;
    default: return -1;
    }
}

static void UseCell(int32_t row, int32_t column, int x, int y, float stepX, float stepY) {
    uint8_t* cell = &StageMap[row][column];
    uint8_t c = *cell;
    if (c >= 'a' && c <= 'z') {
        DrawMapTile(row, column, x, y);
        return;
    }
    if (c >= 'A' && c <= 'J') {
        SpawnCellObject(c, static_cast<float>(x), static_cast<float>(y));
        *cell = ' ';  // each object comes alive once
        return;
    }
    int32_t dir = DigitDirection(c);
    if (dir >= 0 || c == '5') {
        if (dir >= 0) scrollDir = dir;
        else scrollStopping = 1;
        *cell = ' ';
        // the scenery stands still in the frame the cell is read
        mapSubX -= stepX;
        mapSubY += stepY;
        return;
    }
    switch (c) {
    case '!': scrollStopping = 1; *cell = ' '; break;
    case '+': scrollTargetSpeed += 1; *cell = ' '; break;
    case '-': scrollTargetSpeed -= 1; *cell = ' '; break;
    case '@': mapLeftColumn -= kJumpColumns; break;
    case '*': mapLeftColumn += kJumpColumns; break;
    case '%':
        mapTopRow += kBandRows;
        mapLeftColumn = 0;
        break;
    case '$':
        mapTopRow += kBandRows;
        mapLeftColumn = kBandRestartColumn;
        break;
    default: break;
    }
}

void ScrollAndDrawMap() {
    float stepX = 0, stepY = 0;
    if (scrollOn && stagePhase < PhaseNoShipLeft) MoveCamera(&stepX, &stepY);
    for (int i = 0; i < kViewColumns; i++) {
        for (int j = 0; j < kViewRows; j++) {
            // a jump cell moves the view for every cell read after it
            int32_t row = mapTopRow + j;
            int32_t column = mapLeftColumn + i;
            if (row < 0 || row >= kMapRows || column < 0 || column >= kMapColumns) continue;
            int x = kMapCellSize * i - static_cast<int>(mapSubX);
            int y = kMapCellSize * j - static_cast<int>(mapSubY);
            UseCell(row, column, x, y, stepX, stepY);
        }
    }
}
