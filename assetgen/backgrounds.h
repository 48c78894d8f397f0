// The two backdrops. The play field's backdrop is 1360 pixels wide and scrolls
// sideways, so its nebula noise repeats exactly every 1360 pixels and stars
// that straddle the seam are drawn on both ends; it stays dark so shots read
// over it. The title backdrop is a single 640x480 scene with a ringed planet
// and a brighter nebula.
#pragma once

#include <cstdint>

class AssetOutput;
class SpriteCanvas;

void paintStarfield(SpriteCanvas& canvas, uint32_t seed, int count, double brightness, bool wrap);
void paintGameBackdrop(SpriteCanvas& canvas);
void paintTitleBackdrop(SpriteCanvas& canvas);
void makeBackgrounds(AssetOutput& out);
