// Shadow: Small homing kind with up to three bullets in flight.
#pragma once

#include "play/enemy.h"

class Shadow : public Enemy {
public:
    explicit Shadow(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    // Kind-specific members are declared by the kind's implementation.
};
