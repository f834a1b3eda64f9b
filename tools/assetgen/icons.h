// The desktop icons of the installed game, written beside data/ (the game never loads them).
#pragma once

#include <string>

// The sizes of the hicolor theme the game installs, in pixels.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// Writes "zorbex-N.png" for every size into `folder`.
bool WriteIcons(const std::string& folder, std::string* err);
