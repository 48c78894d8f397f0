// The whole run of the game: start-up, the main loop, shut-down and the one
// error handler that turns a missing asset into a message and exit code 1.
#pragma once

int runZenvar();

// Seam for the autopilot build used by end-to-end runs and the demo: called
// once when start-up has finished, just before the first pass. The game that
// players run leaves it null.
extern void (*after_start_up)();
