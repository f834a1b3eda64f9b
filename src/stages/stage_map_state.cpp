// Storage of the stage map and the camera state.
#include "stages/stage_map.h"

uint8_t StageMap[kMapRows][kMapColumns];

int32_t mapLeftColumn;
int32_t mapTopRow;
float mapSubX, mapSubY;
float scrollSpeed;
float scrollTargetSpeed;
int32_t scrollDir;
uint8_t scrollOn;
uint8_t scrollStopping;
float mapScrollDX, mapScrollDY;
