// EnemyShot: one enemy bullet, laser or blade chain link.
//
// Its enemy moves it in updateShots (or, for the blade's chain, places it in
// update). A shot is created idle at (0, 0) and lives as long as its enemy.
#pragma once

#include "play/projectile.h"

class EnemyShot : public Projectile {
public:
    using Projectile::Projectile;

    // Aim the shot: position, drawn angle, 4 px/frame along direction, active.
    void launch(double fromX, double fromY, fixed drawnAngle, fixed direction);
};
