// The game's icon: the Gryffon on a round night-blue badge, as PNGs with an
// alpha channel for the desktop's icon theme and as an XPM the game compiles in
// for its own window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class AssetOutput;

// The sizes written under icons/hicolor/<size>x<size>/apps/zenvar.png.
extern const int ICON_SIZES[];
extern const int ICON_SIZE_COUNT;

// RGBA bytes, alpha not premultiplied, rows top to bottom.
std::vector<uint8_t> renderIcon(int size);
// An XPM (C source) of an RGBA picture; pixels under half alpha are "None".
std::string xpmOf(const std::vector<uint8_t>& rgba, int size, const std::string& name);
void makeIcons(AssetOutput& out);
