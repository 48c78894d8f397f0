#include "play/projectile.h"

#include "core/game_types.h"
#include "core/whole_fixed.h"
#include "gfx/graphic_library.h"

Projectile::Projectile(GraphicLibrary* library, const std::string& spritePath) {
    sprite = library->acquire(spritePath);
    if (!sprite) throw ERR_GRAPHIC_MISSING;
}

void Projectile::draw(BITMAP* dest) {
    if (!active) return;
    rotateSprite(dest, sprite, static_cast<int>(x), static_cast<int>(y), angle);
}

void Projectile::releaseGraphics(GraphicLibrary* library) {
    library->release(sprite);
    sprite = nullptr;
}
