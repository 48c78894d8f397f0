// The game without a display: Allegro's null system, 16-bit memory bitmaps
// and a memory bitmap standing in for the screen.
//
// The unit tests, the soak and the benchmark all run the real game logic this
// way. A real screen mode switches 16-bit colours to red-green-blue, so the
// null system is given the same layout: colours and loaded bitmaps then match
// the running game pixel for pixel.
#pragma once

struct BITMAP;

// Starts Allegro with SYSTEM_NONE, sets 16-bit colour with 24-to-16
// conversion and makes `screen` a cleared 640x480 memory bitmap, which it
// returns (the caller destroys it, if ever).
BITMAP* startHeadlessPlatform();

// The headless platform with every program-wide object start-up makes, from
// the working folder: a silent sound bank, the graphic library, the font, the
// ship, the back buffer and the screen-wide art. False, with a line on
// stderr, when a file is missing.
bool startHeadlessGame();
// Destroys all of it; returns how many bitmaps the graphic library still held
// (0 when every owner gave its art back).
int stopHeadlessGame();
