// What the pawn and the shadow share: a 38-pixel body, the small upright
// explosion, and bullets launched one per call from the nose along the
// heading. Only the kind letter, the body art and the number of bullets
// differ, and their rows say those.
#pragma once

#include "play/enemy.h"

class SmallEnemy : public Enemy {
public:
    void fire(SoundBank* sounds) override;

protected:
    using Enemy::Enemy;  // throws ERR_GRAPHIC_MISSING, holding nothing, when any image is missing
};
