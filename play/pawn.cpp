#include "play/pawn.h"

#include "core/game_types.h"
#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

Pawn::Pawn(GraphicLibrary* library) : Enemy('P') {
    bool complete =
        acquireNumbered(library, "sprites/pawn/pawn", 1, 2, bodyImages) &&
        acquireNumbered(library, "sprites/enemyexplosion/enemyexplosion", 1, 4, explosionImages) &&
        createShots(library, "sprites/bullets/enemybullet1.bmp", bullets, SHOTS);
    if (!complete) {
        Pawn::releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
    shotCount = SHOTS;
}

Pawn::~Pawn() {}

void Pawn::update() { flyAndAnimate(); }

void Pawn::draw(BITMAP* dest) {
    if (explosionCounter == 0) {
        drawBody(dest, bodyImages);
    } else {
        drawExplosion(dest, explosionImages, EXPLOSION_IMAGES, false);
    }
}

void Pawn::fire(SoundBank* sounds) {
    if (!mayFire(602, 442)) return;
    EnemyShot* bullet = firstIdleShot(bullets, SHOTS);
    if (!bullet) return;
    bullet->launch(x + 15, y + 15, angle, angle);
    if (sounds) sounds->playEnemyBullet();
}

void Pawn::updateShots() { moveShots(bullets, SHOTS); }

bool Pawn::isFinished() { return explosionOver(EXPLOSION_IMAGES); }

EnemyShot* Pawn::getShot(int i) { return shotInRange(bullets, SHOTS, i); }

void Pawn::releaseGraphics(GraphicLibrary* library) {
    releaseImages(library, bodyImages, 2);
    releaseImages(library, explosionImages, EXPLOSION_IMAGES);
    deleteShots(library, bullets, SHOTS);
}
