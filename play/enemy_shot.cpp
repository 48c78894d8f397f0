#include "play/enemy_shot.h"

#include "core/whole_fixed.h"
#include "core/game_types.h"
#include "gfx/graphic_library.h"

// Every enemy shot flies at this speed, whatever the speed of its owner.
static const double SHOT_SPEED = 4.0;

EnemyShot::EnemyShot(GraphicLibrary* library, std::string spritePath) {
    sprite = library->acquire(spritePath);
    if (!sprite) throw ERR_GRAPHIC_MISSING;
}

void EnemyShot::draw(BITMAP* dest) {
    if (!active) return;
    rotateSprite(dest, sprite, static_cast<int>(x), static_cast<int>(y), angle);
}

void EnemyShot::releaseGraphics(GraphicLibrary* library) {
    library->release(sprite);
    sprite = nullptr;
}

void EnemyShot::launch(double fromX, double fromY, fixed drawnAngle, fixed direction) {
    x = fromX;
    y = fromY;
    angle = drawnAngle;
    vx = fixtof(fixsin(direction)) * SHOT_SPEED;
    vy = fixtof(fixcos(direction)) * -SHOT_SPEED;
    active = true;
}
