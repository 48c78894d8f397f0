// A font for screen tests whose every glyph cell is one solid colour of its own,
// different in the normal and the green strip. A test can then read back from
// any bitmap which character was drawn in a cell, and in which colour, without
// depending on the look of the game's real font art.
#pragma once

#include <allegro.h>

#include <string>

class BitmapFont;

namespace testing_support {

enum class Ink { Normal, Green };

// Writes the two strips into a scratch folder and loads a BitmapFont from them
// (once per test program; the font lives until the program ends).
BitmapFont* glyphFont();

// The characters drawn in `length` cells from the cell whose top-left corner is
// (x, y), read from each cell's centre pixel. A cell that holds no glyph of the
// given ink reads as '#', a byte that has no glyph of its own.
std::string textAt(BITMAP* bitmap, int x, int y, int length, Ink ink = Ink::Normal);

// The lines of a multi-line text drawn at (x, y), each `length` cells long.
std::string linesAt(BITMAP* bitmap, int x, int y, int lines, int length, Ink ink = Ink::Normal);

}  // namespace testing_support
