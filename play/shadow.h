// Shadow: a small homing kind with the pawn's size and single hit point, a
// tighter hit box, and up to three bullets in flight, launched one per call.
//
// Its flight, drawing, explosion and shots are the pawn's (small_enemy.h); the round
// loop steers it with turn().
#pragma once

#include "play/small_enemy.h"

class Shadow : public SmallEnemy {
public:
    explicit Shadow(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
};
