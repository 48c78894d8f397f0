// The whole run of the game: start-up, the main loop, shut-down and the one
// error handler that turns a missing asset into a message and exit code 1.
#pragma once

struct BITMAP;

int runZenvar();

// One pass of the main loop: an intro step, a play frame or a front-end pass.
void runPass(BITMAP* buffer);
// Whether the pass that runs next paints every pixel of the back buffer before
// anything reads it, so the frame tail need not clear it first.
bool nextPassRepaintsEverything();

// Seam for the autopilot build used by end-to-end runs and the demo: called
// once when start-up has finished, just before the first pass. The game that
// players run leaves it null.
extern void (*after_start_up)();
