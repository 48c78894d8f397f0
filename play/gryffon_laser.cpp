#include "play/gryffon_laser.h"

#include "core/whole_fixed.h"
#include "core/game_types.h"
#include "gfx/graphic_library.h"

GryffonLaser::GryffonLaser(GraphicLibrary* library) {
    sprite = library->acquire("sprites/bullets/gryffonlaser.bmp");
    if (!sprite) throw ERR_GRAPHIC_MISSING;
}

void GryffonLaser::draw(BITMAP* dest) {
    if (!active) return;
    rotateSprite(dest, sprite, static_cast<int>(x), static_cast<int>(y), angle);
}

void GryffonLaser::releaseGraphics(GraphicLibrary* library) {
    library->release(sprite);
    sprite = nullptr;
}
