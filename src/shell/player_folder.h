// The folder of the player's own files (settings, high scores): the working directory
// for a game run from its build folder, $XDG_DATA_HOME/zorbex/ for an installed one.
#pragma once

#include <cstddef>

// "" for the working directory, else a path ending in '/'. Chosen, and created when
// missing, on the first call.
const char* PlayerFolder();

// The choice itself: writes the folder into `out` ("" for the working directory).
// An XDG_DATA_HOME that is unset, empty or relative counts as ~/.local/share.
// False when no home is known or the path does not fit.
bool ChoosePlayerFolder(bool installed, const char* xdgDataHome, const char* home, char* out,
                        size_t size);

// Creates the folder and any missing parents (new ones private to the player).
// True when it is a folder afterwards.
bool MakePlayerFolder(const char* folder);

// Points the settings and save file names into the player's folder, made first when
// `create` (a tool that only reads the files leaves a missing folder missing).
void UsePlayerFolder(bool create = true);
