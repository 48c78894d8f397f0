// The whole run of the game: start-up, the main loop, shut-down and the one
// error handler that turns a missing asset into a message and exit code 1.
#pragma once

int runZenvar();
