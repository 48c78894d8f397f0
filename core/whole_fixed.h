// Whole numbers as Allegro fixed-point values.
//
// Allegro's itofix shifts its argument left, which C++17 leaves undefined for
// negative numbers, and headings, aim offsets and sweep angles go below zero.
// Shifting the unsigned value gives the same bits for every int (numbers past
// +-32767 wrap, as fixed-point has no room for them anyway).
#pragma once

#include <allegro.h>

inline fixed wholeFixed(int n) { return static_cast<fixed>(static_cast<unsigned>(n) << 16); }
