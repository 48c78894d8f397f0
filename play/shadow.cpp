#include "play/shadow.h"

#include "core/game_types.h"
#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

Shadow::Shadow(GraphicLibrary* library) : Enemy('S') {
    bool complete =
        acquireNumbered(library, "sprites/shadow/shadow", 1, 2, bodyImages) &&
        acquireNumbered(library, "sprites/enemyexplosion/enemyexplosion", 1, 4, explosionImages) &&
        createShots(library, "sprites/bullets/enemybullet1.bmp", bullets, SHOTS);
    if (!complete) {
        Shadow::releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
    shotCount = SHOTS;
}

Shadow::~Shadow() {}

void Shadow::update() { flyAndAnimate(); }

void Shadow::draw(BITMAP* dest) {
    if (explosionCounter == 0) {
        drawBody(dest, bodyImages);
    } else {
        drawExplosion(dest, explosionImages, EXPLOSION_IMAGES, false);
    }
}

void Shadow::fire(SoundBank* sounds) {
    if (!mayFire(602, 442)) return;
    EnemyShot* bullet = firstIdleShot(bullets, SHOTS);
    if (!bullet) return;
    bullet->launch(x + 15, y + 15, angle, angle);
    if (sounds) sounds->playEnemyBullet();
}

void Shadow::updateShots() { moveShots(bullets, SHOTS); }

bool Shadow::isFinished() { return explosionOver(EXPLOSION_IMAGES); }

EnemyShot* Shadow::getShot(int i) { return shotInRange(bullets, SHOTS, i); }

void Shadow::releaseGraphics(GraphicLibrary* library) {
    releaseImages(library, bodyImages, 2);
    releaseImages(library, explosionImages, EXPLOSION_IMAGES);
    deleteShots(library, bullets, SHOTS);
}
