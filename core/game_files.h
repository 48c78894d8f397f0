// Where the game's files are, and loading its pictures from there.
#pragma once

#include <string>

struct BITMAP;

// Makes the folder that holds the game's pictures, sounds and score files the
// current one: the current folder when it holds them, otherwise the folder of
// the executable (symlinks resolved), so a launcher or a shell elsewhere works.
// Call it before Allegro starts.
void enterGameFolder();

// load_bitmap, and on failure a line on stderr naming the missing file.
BITMAP* loadPicture(const std::string& path);
