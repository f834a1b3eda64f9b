// The game's glyph font: a picture of equal cells and a table of their code points.
#pragma once

#include <filesystem>
#include <string>

// Draws every character of the list file into data/ImgGlyphs.png and data/glyphs.tbl.
bool WriteGlyphFont(const std::filesystem::path& dataDir, const std::string& listPath, std::string* error);
