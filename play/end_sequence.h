// The end of a round: the field fades to black, GAME OVER or TIME OVER is
// spelt letter by letter, and after 300 frames a qualifying score is offered
// name entry before the game returns to the title.
//
// The sequence is one step of the play frame, driven by end_counter; ESC sets
// the counter past the end so the hand-off happens at once and skips name entry.
#pragma once

struct BITMAP;

const int END_SEQUENCE_FRAMES = 300;
const int END_COUNTER_ESC = 305;

// One frame of the sequence, while end_counter >= 0; the last step of the play frame.
void endSequenceStep(BITMAP* buffer);
