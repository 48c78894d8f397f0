// One PNG that shows every picture the generator wrote, on a dark grid, small
// sprites enlarged and backdrops reduced, so the whole set can be judged at a
// glance. Transparent pixels show the grid's own dark cells.
#pragma once

#include <string>

class AssetOutput;

// Returns false when the file cannot be written.
bool writeContactSheet(const AssetOutput& output, const std::string& png_path);
