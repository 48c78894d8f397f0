// BigBattleship: The rarest and strongest kind: turns fast and streams lasers every frame.
#pragma once

#include "play/enemy.h"

class BigBattleship : public Enemy {
public:
    explicit BigBattleship(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    // Kind-specific members are declared by the kind's implementation.
};
