// The attract cycle that runs while the title is left alone: how to play,
// who made the game, and the three score tables.
//
// Each screen is a fixed layout drawn over the title background in one call;
// the input step (attractInput) is the same for all of them and runs first.
#pragma once

struct BITMAP;

// The diagram points of the four shapes the ship recognises, twinkling every 4 passes.
void drawControlsScreen(BITMAP* buffer, int timer);
void drawCreditsScreen(BITMAP* buffer);
// mode: Marathon, TwoMinute or FiveMinute.
void drawScoreScreen(BITMAP* buffer, int mode);
