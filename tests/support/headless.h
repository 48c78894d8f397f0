// Headless Allegro for unit tests: the real library under SYSTEM_NONE, 16-bit memory
// bitmaps in the game's colour layout, a memory bitmap as the screen, no real-time waits.
#pragma once

#include <allegro.h>
#include <functional>

namespace testing_support {

void initHeadlessAllegro();  // by the test main, once
BITMAP* fakeScreen();        // the 640x480 bitmap assigned to `screen`

// Runs in place of each wait (every presentFrame, pause wait, countdown rest):
// tests script their input here. framesPresented counts the waits.
void setFrameScript(std::function<void()> script);
void clearFrameScript();
long framesPresented();

void releaseAllInput();                        // key[], mouse buttons and the joystick all let go
void setMouse(int x, int y, int buttons = 0);  // the pointer and the buttons held

}  // namespace testing_support
