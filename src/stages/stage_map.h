// The scenery map of the current stage and the camera that moves over it.
#pragma once

#include <cstdint>

constexpr int kMapRows = 47;
constexpr int kMapColumns = 2048;
constexpr int kMapCellSize = 32;

extern uint8_t StageMap[kMapRows][kMapColumns];

// View and scroll state
extern int32_t mapLeftColumn;   // map column at the left edge of the screen
extern int32_t mapTopRow;       // map row at the top edge
extern float mapSubX, mapSubY;  // the view's offset within the current cell, 0 to 32
extern float scrollSpeed;
extern float scrollTargetSpeed;
extern int32_t scrollDir;       // 0, 45, ... 315; 0 towards the right of the map
extern uint8_t scrollOn;
extern uint8_t scrollStopping;
// the scenery's screen step this frame, followed by everything standing on it
extern float mapScrollDX, mapScrollDY;
