// The title logo and the two maker logos. All lettering is the game's own
// glyph grids, enlarged and bevelled: the title in two-tone chrome (cold steel
// above a gold horizon line, the classic arcade look) and the maker names in
// quieter metal under their emblems on black.
#pragma once

#include <string>

#include "assetgen/palette.h"

class AssetOutput;
class ShapeMask;
class SpriteCanvas;

// Adds the glyph grids of `text` to `mask`, each grid cell `scale` pixels,
// starting at (x, y) with `gap` pixels between letters. Returns the width used.
int addLettering(ShapeMask& mask, const std::string& text, int x, int y, int scale, int gap);
int letteringWidth(const std::string& text, int scale, int gap);

void paintTitleLogo(SpriteCanvas& canvas);
void paintPublisherLogo(SpriteCanvas& canvas);
void paintDeveloperLogo(SpriteCanvas& canvas);
void makeLogos(AssetOutput& out);
