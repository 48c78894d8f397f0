#include "play/enemy_shot.h"

// Every enemy shot flies at this speed, whatever the speed of its owner.
static const double SHOT_SPEED = 4.0;

void EnemyShot::launch(double fromX, double fromY, fixed drawnAngle, fixed direction) {
    x = fromX;
    y = fromY;
    angle = drawnAngle;
    vx = fixtof(fixsin(direction)) * SHOT_SPEED;
    vy = fixtof(fixcos(direction)) * -SHOT_SPEED;
    active = true;
}
