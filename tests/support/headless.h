// Headless Allegro for unit tests: the real library under SYSTEM_NONE, 16-bit
// memory bitmaps with the colour layout the game has on a real screen, a
// memory bitmap standing in for the screen, and no real-time waits.
#pragma once

#include <allegro.h>
#include <functional>

namespace testing_support {

// Called once by the test main; safe to call again.
void initHeadlessAllegro();

// A 640x480 memory bitmap that plays the screen (assigned to Allegro's `screen`).
BITMAP* fakeScreen();

// Runs before each simulated wait (every presentFrame, pause wait, countdown rest).
// Tests script input here; reset with clearFrameScript().
void setFrameScript(std::function<void()> script);
void clearFrameScript();
long framesPresented();

// Release all input written into key[], mouse_*, joy[].
void releaseAllInput();

// 16-bit pixel helpers.
int rgb16(int r, int g, int b);

}  // namespace testing_support
