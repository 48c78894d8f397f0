// Pawn: the most common kind. It flies straight along its entry heading, is
// never steered, and keeps at most one bullet in flight.
#pragma once

#include "play/small_enemy.h"

class Pawn : public SmallEnemy {
public:
    explicit Pawn(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
};
