// Rendered text lines kept in files, so that the browser build draws the game's captions
// with the desktop's very pixels: "TextLines.png" holds every line the game draws, one
// below the other, in white with straight alpha; "TextLines.txt" says which is which.
#pragma once

#include <string>
#include <vector>

constexpr const char* kTextLinesPicture = "TextLines.png";  // in the data folder
constexpr const char* kTextLinesIndex = "TextLines.txt";

// One line as the text operations saw it: its settings, the width MeasureText gave, and
// where its rendering sits in the picture.
struct TextLine {
    int size = 0, weight = 0, style = 0;
    int measured = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string text;  // Shift-JIS
};

std::string FormatTextLineIndex(const std::vector<TextLine>& lines);
// False, with the line number in *error, for an index this build does not understand.
bool ParseTextLineIndex(const std::string& index, std::vector<TextLine>* lines, std::string* error);
