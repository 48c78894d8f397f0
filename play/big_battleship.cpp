#include "play/big_battleship.h"

#include "core/game_types.h"
#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

static const char* const BATTLESHIP_EXPLOSION = "sprites/bigbattleship/bigbattleshipexplosion";

BigBattleship::BigBattleship(GraphicLibrary* library) : Enemy('H') {
    bool complete =
        acquireNumbered(library, "sprites/bigbattleship/bigbattleship", 1, 2, bodyImages) &&
        acquireNumbered(library, BATTLESHIP_EXPLOSION, 1, 4, explosionImages) &&
        acquireNumbered(library, BATTLESHIP_EXPLOSION, 5, 8, explosionImages + 4) &&
        acquireNumbered(library, BATTLESHIP_EXPLOSION, 9, 11, explosionImages + 8) &&
        createShots(library, "sprites/bullets/enemylaser.bmp", lasers, SHOTS);
    if (!complete) {
        BigBattleship::releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
    shotCount = SHOTS;
}

BigBattleship::~BigBattleship() {}

void BigBattleship::update() { flyAndAnimate(); }

void BigBattleship::draw(BITMAP* dest) {
    if (explosionCounter == 0) {
        drawBody(dest, bodyImages);
    } else {
        drawExplosion(dest, explosionImages, EXPLOSION_IMAGES, true);
    }
}

void BigBattleship::fire(SoundBank* sounds) {
    if (!mayFire(544, 384)) return;
    EnemyShot* laser = firstIdleShot(lasers, SHOTS);
    if (!laser) return;
    laser->launch(x + 44, y + 44, angle, angle);
    if (sounds) sounds->playEnemyLaser();
}

void BigBattleship::updateShots() { moveShots(lasers, SHOTS); }

bool BigBattleship::isFinished() { return explosionOver(EXPLOSION_IMAGES); }

EnemyShot* BigBattleship::getShot(int i) { return shotInRange(lasers, SHOTS, i); }

void BigBattleship::releaseGraphics(GraphicLibrary* library) {
    releaseImages(library, bodyImages, 2);
    releaseImages(library, explosionImages, EXPLOSION_IMAGES);
    deleteShots(library, lasers, SHOTS);
}
