// What the play frame draws around the action: the scrolling backdrop with its
// periodic dip to black, the shape banner, the score and reserve ships, the
// "3" "2" "1" "GO!!" start and the time left in the timed modes.
//
// Each is one step of the play frame at a fixed place, drawing into the frame's
// buffer; only the countdown also copies the buffer to the screen, because it
// blocks inside the first frame and must show each digit as it comes.
#pragma once

struct BITMAP;

const int BACKGROUND_WIDTH = 1360;

void drawBackdrop(BITMAP* buffer);
void shapeBannerStep(BITMAP* buffer);
void drawHud(BITMAP* buffer);
// The countdown on the first frame, then "GO!!" running across (starts the clock).
void countdownStep(BITMAP* buffer);
void drawTimer(BITMAP* buffer);
