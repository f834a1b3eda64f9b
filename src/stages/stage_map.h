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

// Builds the map of `stageNumber` (stages outside 2..28 get stage 1's) and starts its music.
void BuildStageMap();
// The camera step, then the visible tiles drawn and the visible objects brought to life.
void ScrollAndDrawMap();

// The layout table: which text, music and starting view each stage uses.
struct StageLayout {
    int32_t textStage;      // the stage whose layout text this one shares
    const char* music;
    int32_t startTopRow;    // -1: the default view
    int32_t startLeftColumn;
};
const StageLayout& StageLayoutFor(int32_t stage);
// The layout text of a stage: its own file, else the one it shares, else stage 1's.
const char* StageLayoutText(int32_t stage);

// The star field: white dots drifting left over the scenery, in a pool of their own.
struct Star;
using StarFn = void (*)(Star*);
struct Star {
    StarFn update;
    StarFn draw;
    Star* prev;
    Star* next;
    uint8_t alive;
    float x, y;
    float vx, vy;
    int32_t color;
};

constexpr int kStarPoolSize = 256;
extern Star* starList;      // sentinel of the live stars, in creation order
extern Star* starFreeList;  // sentinel of the free records, last freed first

void InitStarPool();
// A star at (x, y); with a zero coordinate, at the edge the scenery comes from.
void SpawnStar(float x, float y);
void ResetStarField();  // all stars gone, then 64 at random places
void UpdateStars();
void DrawStars();
void SweepStars();      // dead stars back to the free list
void ClearStars();      // every star back to the free list
int CountLiveStars();
