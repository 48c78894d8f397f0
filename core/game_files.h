// Where the game's files are, and loading its pictures from there.
#pragma once

#include <string>

struct BITMAP;

// Makes the folder that holds the game's pictures, sounds and score files the
// current one: the current folder when it holds them, otherwise the folder of
// the executable (symlinks resolved), so a launcher or a shell elsewhere works.
// Call it before Allegro starts.
void enterGameFolder();

// Whether a picture file can be opened, with the same line on stderr as a
// failed load when it cannot; for pictures read later than start-up.
bool pictureFileReadable(const std::string& path);

// The picture at the game's 16 bits per pixel, as load_bitmap gives it, and on
// failure a line on stderr naming the missing file.
BITMAP* loadPicture(const std::string& path);

// destroy_bitmap for a picture that may be absent, leaving the pointer null.
void destroyAndForget(BITMAP*& picture);
