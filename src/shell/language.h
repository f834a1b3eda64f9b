// The words the player reads: every text drawn with the game's font is looked up here by
// its English source text (the catalogue's msgid) and comes back in the player's language.
#pragma once

#include <cstdint>

// The text to draw for msgid, UTF-8; msgid itself when the catalogue has no entry.
const char* Tr(const char* msgid);
// Marks a msgid where it is written down (a menu's table) for the catalogue's template; it is
// looked up with Tr() where it is drawn.
constexpr const char* N_(const char* msgid) { return msgid; }

// The same, for a msgid the catalogue keeps under a context (msgctxt): an epilogue's lines
// are kept under the name of its file.
const char* TrIn(const char* context, const char* msgid);

// The same in a given language (an index as CurrentLanguage gives), whatever the player chose.
const char* TrInLanguage(int32_t language, const char* context, const char* msgid);

// The languages the game has a catalogue for, by code ("en", "ja"), in the order of the codes.
int32_t LanguageCount();
const char* LanguageCode(int32_t index);
// The index of the language in use. The game starts in Japanese, the language it was written
// in, until the program chooses (ChooseLanguage).
int32_t CurrentLanguage();
// The index of the language of `code`, -1 when the game has no catalogue for it.
int32_t FindLanguageCode(const char* code);
// Uses the language of `code` from now on; false, with nothing changed, for one without a
// catalogue.
bool SetLanguage(const char* code);
// Counts the changes of language, so that a screen which laid out its text knows to lay it
// out again.
uint32_t LanguageChanges();

// The language a list of the system's preferences picks: locale names ("ja_JP.UTF-8") or
// browser tags ("ja-JP") separated by ':', the first one the game has a catalogue for;
// English when none is.
const char* LanguageFromPreferences(const char* preferences);
// Applies the `language` setting: "system" follows the system's preferences (the runtime's
// SystemLanguagePreferences), "en" or "ja" (any code with a catalogue) is that language.
// False for a value it does not know, which is treated as "system".
bool ChooseLanguage(const char* setting);
