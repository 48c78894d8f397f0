// Reading the game's 24-bit BMP pictures straight into 16-bit bitmaps.
//
// Allegro's loader reads a picture a byte at a time into a 24-bit bitmap and
// then converts that whole: for the 1360x480 backdrop a 2 MB transient, and
// the slower half of start-up. Here each row is converted as it is read, with
// the same truncation to 5-6-5 bits that Allegro's conversion makes.
#pragma once

#include <cstdio>

struct BITMAP;

// The picture in an uncompressed 24-bit BMP file at 16 bits per pixel, when
// the colour depth is 16 with 24-to-16 conversion on. Null for any other kind
// of file, or one that ends early: those are left to load_bitmap.
BITMAP* readTrueColourBmp(FILE* file);
