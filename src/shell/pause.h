// The pause outside the game's frames: P or the pad's Start button toggles it during
// play, and losing the window's focus or being minimised starts it.
#pragma once

// Called by the loop before each frame; true while paused, and then no frame may run.
// Paused, it keeps the dimmed last frame on screen and sleeps instead of spinning.
bool HoldForPause();
bool GamePaused();
void ResetPause();  // at set-up: not paused, the buttons taken as released
