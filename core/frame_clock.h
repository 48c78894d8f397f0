// The 60 Hz frame clock: timer callbacks, input installation and the frame tail.
//
// Every pass of every loop ends with presentFrame, which waits for the retrace,
// draws the animated cursor, copies the back buffer to the screen, clears it and
// waits for the next tick. The clear is skipped when the caller knows the next
// pass paints every pixel itself (most screens start with a whole picture).
// Headless tests and the demo autopilot have no retrace and no timer, so they
// install a frame_wait_override: presentFrame and every blocking wait (the
// pause, the countdown rests) then call it instead of waiting.
#pragma once

struct BITMAP;

void frameTick();
void clockTick();
void installInput();
void removeInput();

void presentFrame(BITMAP* buffer, BITMAP** cursor_images, bool next_pass_repaints = false);

// Copy a whole buffer to the screen between acquire_screen and release_screen.
void copyToScreen(BITMAP* buffer);

// rest(ms), or one call of the override when it is installed.
void waitMilliseconds(int ms);

extern void (*frame_wait_override)();

// Install and remove the 1 Hz clock of the timed modes, keeping clock_running in step.
void startRoundClock();
void stopRoundClock();
