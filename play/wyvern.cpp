#include "play/wyvern.h"

#include "core/game_types.h"
#include "core/whole_fixed.h"
#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

static const char* const WYVERN_EXPLOSION = "sprites/wyvern/wyvernexplosion";

Wyvern::Wyvern(GraphicLibrary* library) : Enemy('W') {
    bool complete =
        acquireNumbered(library, "sprites/wyvern/wyvern", 1, 2, bodyImages) &&
        acquireNumbered(library, WYVERN_EXPLOSION, 1, 4, explosionImages) &&
        acquireNumbered(library, WYVERN_EXPLOSION, 5, 8, explosionImages + 4) &&
        acquireNumbered(library, WYVERN_EXPLOSION, 9, 9, explosionImages + 8) &&
        createShots(library, "sprites/bullets/enemybullet2.bmp", bullets, SHOTS);
    if (!complete) {
        Wyvern::releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
    shotCount = SHOTS;
}

Wyvern::~Wyvern() {}

void Wyvern::update() { flyAndAnimate(); }

void Wyvern::draw(BITMAP* dest) {
    if (explosionCounter == 0) {
        drawBody(dest, bodyImages);
    } else {
        drawExplosion(dest, explosionImages, EXPLOSION_IMAGES, true);
    }
}

bool Wyvern::groupIdle(int group) const {
    return !bullets[group]->isActive() && !bullets[group + 3]->isActive() &&
           !bullets[group + 6]->isActive();
}

void Wyvern::fire(SoundBank* sounds) {
    if (!mayFire(544, 384)) return;
    for (int g = 0; g < GROUPS; ++g) {
        if (!groupIdle(g)) continue;
        // Side bullets leave 45 degrees (32 units) either side but are drawn at the heading.
        double muzzleX = x + 44, muzzleY = y + 44;
        bullets[g]->launch(muzzleX, muzzleY, angle, angle);
        bullets[g + 3]->launch(muzzleX, muzzleY, angle, angle + wholeFixed(32));
        bullets[g + 6]->launch(muzzleX, muzzleY, angle, angle - wholeFixed(32));
        if (sounds) sounds->playEnemyBullet();
        return;
    }
}

void Wyvern::updateShots() { moveShots(bullets, SHOTS); }

bool Wyvern::isFinished() { return explosionOver(EXPLOSION_IMAGES); }

EnemyShot* Wyvern::getShot(int i) { return shotInRange(bullets, SHOTS, i); }

void Wyvern::releaseGraphics(GraphicLibrary* library) {
    releaseImages(library, bodyImages, 2);
    releaseImages(library, explosionImages, EXPLOSION_IMAGES);
    deleteShots(library, bullets, SHOTS);
}
