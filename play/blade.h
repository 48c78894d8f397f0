// Blade: Homing kind that drags a fifteen-link chain along its own path; never shoots.
#pragma once

#include "play/enemy.h"

class Blade : public Enemy {
public:
    explicit Blade(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    // Kind-specific members are declared by the kind's implementation.
};
