// A font for screen tests whose every glyph cell (normal or green) is one solid
// colour of its own, so a test reads back which character a cell shows, in which ink.
#pragma once

#include <allegro.h>

#include <string>

class BitmapFont;

namespace testing_support {

enum class Ink { Normal, Green };

// Every glyph's character in strip order: letters, punctuation, digits, brackets, the copyright sign, the quote.
extern const char* const GLYPH_CHARACTERS;

// Loaded once per test program from strips written to a scratch folder; never freed.
BitmapFont* glyphFont();

// The characters in `length` cells from the cell whose top-left corner is (x, y),
// read at each cell's centre. A cell without a glyph of that ink reads as '#'.
std::string textAt(BITMAP* bitmap, int x, int y, int length, Ink ink = Ink::Normal);

}  // namespace testing_support
