// Whole numbers as Allegro fixed-point values.
//
// Allegro's itofix shifts its argument left, which C++17 leaves undefined for
// negative numbers, and headings, aim offsets and sweep angles go below zero.
// Shifting the unsigned value gives the same bits for every int (numbers past
// +-32767 wrap, as fixed-point has no room for them anyway).
#pragma once

#include <allegro.h>

inline fixed wholeFixed(int n) { return static_cast<fixed>(static_cast<unsigned>(n) << 16); }

// rotate_sprite with the same pixels, for positions left of or above the screen
// too: Allegro's inline version shifts x and y left itself.
inline void rotateSprite(BITMAP* dest, BITMAP* sprite, int x, int y, fixed angle) {
    dest->vtable->pivot_scaled_sprite_flip(dest, sprite, wholeFixed(x) + sprite->w * 0x10000 / 2,
                                           wholeFixed(y) + sprite->h * 0x10000 / 2, sprite->w << 15,
                                           sprite->h << 15, angle, 0x10000, FALSE);
}
