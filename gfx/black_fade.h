// Fading a 16-bit picture toward black, in place.
//
// Every fade in the game (the backdrop's dip, the maker logos, the title
// fade-in, the end of a round) is a picture drawn translucently over a black
// buffer. Drawn that way, with Allegro's 16-bit translucency blender, a pixel
// only depends on itself and the alpha, so the picture can be laid down with a
// plain blit and faded where it lies: half the memory traffic of blending a
// separate copy, and no scratch bitmap. The result is the same to the bit as
// draw_trans_sprite onto black, mask-coloured pixels included (they stay black).
#pragma once

struct BITMAP;

// Fades the top-left width x height of a 16-bit memory bitmap; alpha 0..256 as
// given to set_trans_blender.
void fadeTowardBlack(BITMAP* bitmap, int width, int height, int alpha);

// The same fade on the way from one 16-bit bitmap to another: a blit and a
// fade in one pass over memory. The rectangle is clipped to both bitmaps.
void copyFadedTowardBlack(BITMAP* source, int source_x, int source_y, BITMAP* dest, int dest_x, int dest_y,
                          int width, int height, int alpha);
