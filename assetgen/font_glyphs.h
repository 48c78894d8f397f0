// The game's lettering: 48 glyphs drawn as 6x7 pixel grids in the source,
// doubled to 12x14 inside 16x16 cells, with a lit gradient and a dark rim so
// text reads over any backdrop. The same grids, enlarged and bevelled, spell
// the logos, so every word in the game shares one typeface.
#pragma once

#include <string>

class AssetOutput;

const int GLYPH_COUNT = 48;
const int GLYPH_COLUMNS = 6;
const int GLYPH_ROWS = 7;

// Glyph number of a character as the game's font maps it; -1 when it has none.
// Byte 0xA9 is the copyright sign.
int glyphIndexOf(unsigned char c);
// True where glyph `index` has ink at grid cell (column, row).
bool glyphInk(int index, int column, int row);

void makeFontStrips(AssetOutput& out);
