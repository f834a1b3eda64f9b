// The scenes around play, each run once per frame by the main loop.
#pragma once

#include <cstdint>

extern int32_t titleFade;

void RunTitleScene();
