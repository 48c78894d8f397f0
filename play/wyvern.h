// Wyvern: Large, slow homing kind that fires three-way volleys.
#pragma once

#include "play/enemy.h"

class Wyvern : public Enemy {
public:
    explicit Wyvern(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    // Kind-specific members are declared by the kind's implementation.
};
