// Level data compiled in from the text files under data-src/, looked up by path.
#pragma once

struct LevelText {
    const char* name;  // path below data-src/, e.g. "stages/stage01.script"
    const char* text;  // the file's bytes, NUL-terminated
};

// Generated at build time; ends with a {nullptr, nullptr} entry.
extern const LevelText kLevelTexts[];
extern const int kLevelTextCount;

// The text of the named file, or nullptr when the program holds no such file.
const char* FindLevelText(const char* name);
