// The icons of the installed game and of the web app, written beside data/ (the game never loads them).
#pragma once

#include <string>

// The sizes of the hicolor theme the game installs, in pixels.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// The web app's, each also as "zorbex-N-maskable.png" for masks that crop to a shape.
inline constexpr int kWebIconSizes[] = {192, 512};

// Writes "zorbex-N.png" for every size of both into `folder`.
bool WriteIcons(const std::string& folder, std::string* err);
