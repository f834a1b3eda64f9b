// The scene table: every scene and every screen of the front end is a row of an entry
// function (run in the first frame it is shown, may be null) and a frame function (run
// every frame it is shown). A new screen is one file with its two functions and one row
// in scene_table.cpp.
//
// The game's scenes (title to ending) run in the game's frames and are its state. The
// screens (SceneOptions and after) run while the game's frames are held: the front end
// (shell/front_end.h) opens them over the title, the pause or one another, and they read
// FrontEndInput() and never the game's button flags.
#pragma once

#include "shell/game.h"

struct SceneSlots {
    void (*enter)();
    void (*frame)();
};

// Runs one frame of `scene`, its entry first when `entered`; an id without a row does nothing.
void RunScene(int32_t scene, bool entered);
