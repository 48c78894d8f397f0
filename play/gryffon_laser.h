// GryffonLaser: one of the ship's fifty lasers. The ship moves and retires
// it, and the hit pass switches it off when it strikes.
#pragma once

#include "play/projectile.h"

class GryffonLaser : public Projectile {
public:
    explicit GryffonLaser(GraphicLibrary* library) : Projectile(library, "sprites/bullets/gryffonlaser.bmp") {}
};
