// Pawn: The most common kind: flies straight along its entry heading, one bullet at a time.
#pragma once

#include "play/enemy.h"

class Pawn : public Enemy {
public:
    explicit Pawn(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    // Kind-specific members are declared by the kind's implementation.
};
