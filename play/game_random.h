// The game's dice.
//
// Every roll of a round (spawns, sides, firing, gem drops) is rand() reduced
// with the remainder operator, seeded once at start-up. The odds the game was
// tuned with assume rand() yields 15 bits (0..32767): a spawn roll of
// rand() % 4000 below 77 is then 693 chances in 32768, since remainders below
// 768 come up nine times and the rest eight. glibc's rand() yields 31 bits,
// so the rolls keep only its low 15 bits to keep those odds.
#pragma once

#include <cstdlib>

const int GAME_RANDOM_MAX = 32767;

inline int gameRandom() { return std::rand() & GAME_RANDOM_MAX; }
