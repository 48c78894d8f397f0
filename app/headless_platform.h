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
