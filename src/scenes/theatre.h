// The replay theatre: a replay watched with a "REPLAY" mark, pause and frame step, speeds
// from 1/4x to 8x, seeks of ten seconds either way and to a stage's start, and a bar along
// the bottom with the stages and the time. The same code watches in the game's REPLAYS
// screen, in zorbex-sim --watch and in the browser.
#pragma once

#include <cstdint>

#include "scenes/menu.h"
#include "shell/replay.h"

enum TheatreCommand : int32_t {
    TheatreNone,
    TheatrePause,          // pause or go on
    TheatreStep,           // paused: one frame on
    TheatreSlower,
    TheatreFaster,
    TheatreBack,           // ten seconds back
    TheatreForward,        // ten seconds on
    TheatrePreviousStage,  // the start of this stage, or the one before when just begun
    TheatreNextStage,
};

// Runs one frame of the watched game from `buttons`; `shown` is false for the frames
// played on the way to a seek or between two shown frames at speed (not drawn, not paced).
using TheatreFrameRunner = void (*)(int buttons, bool shown);

// Plays the whole replay once, silently and unseen (its hashes checked, its stages and
// music noted, snapshots kept), then puts it back at its start. The replay is copied.
void OpenTheatre(const Replay& replay, bool checkHashes, TheatreFrameRunner run);
// One frame of watching: the command, then as many frames of the replay as the speed
// gives (none at 1/4x three times in four); false once the replay has ended.
bool TheatreFrame(TheatreCommand command);
// The mark, the speed or pause, the row of controls, the bar with the stages and the time.
void DrawTheatreOverlay();
// The command of the menu buttons: left and right choose a control, fire presses it, up
// and down change the speed.
TheatreCommand TheatreControls(const MenuInput& in);
void CloseTheatre();

int64_t TheatrePosition();     // frames of the replay played so far
int64_t TheatreLength();
int32_t TheatreDiffersAt();    // the first frame whose hash differs, 0 for none
bool TheatrePaused();
int TheatreStageCount();             // stages begun in the replay
int64_t TheatreStageFrame(int index);  // the first frame of each
int32_t TheatreSpeedQuarters();  // 1 (1/4x) to 32 (8x)
// Straight to a frame (0 to the length), as a seek from the bar does.
void SeekTheatre(int64_t frame);
