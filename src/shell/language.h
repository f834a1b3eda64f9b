// The words the player reads: every text drawn with the game's font is looked up here by
// its English source text (the catalogue's msgid) and comes back in the player's language.
#pragma once

// The text to draw for msgid, UTF-8; msgid itself when the catalogue has no entry.
const char* Tr(const char* msgid);
