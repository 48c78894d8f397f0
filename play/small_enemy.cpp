#include "play/small_enemy.h"

#include "core/game_types.h"
#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

SmallEnemy::SmallEnemy(char letter, const char* bodyStem, int shots, GraphicLibrary* library) : Enemy(letter) {
    bool complete =
        acquireNumbered(library, bodyStem, 1, 2, bodyImages) &&
        acquireNumbered(library, "sprites/enemyexplosion/enemyexplosion", 1, 4, explosionImages) &&
        createShots(library, "sprites/bullets/enemybullet1.bmp", bullets, shots);
    if (!complete) {
        SmallEnemy::releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
    shotCount = shots;
}

SmallEnemy::~SmallEnemy() {}

void SmallEnemy::update() { flyAndAnimate(); }

void SmallEnemy::draw(BITMAP* dest) {
    if (explosionCounter == 0) {
        drawBody(dest, bodyImages);
    } else {
        drawExplosion(dest, explosionImages, EXPLOSION_IMAGES, false);
    }
}

void SmallEnemy::fire(SoundBank* sounds) {
    if (!mayFire(602, 442)) return;
    EnemyShot* bullet = firstIdleShot(bullets, shotCount);
    if (!bullet) return;
    bullet->launch(x + 15, y + 15, angle, angle);
    if (sounds) sounds->playEnemyBullet();
}

void SmallEnemy::updateShots() { moveShots(bullets, shotCount); }

bool SmallEnemy::isFinished() { return explosionOver(EXPLOSION_IMAGES); }

EnemyShot* SmallEnemy::getShot(int i) { return shotInRange(bullets, shotCount, i); }

void SmallEnemy::releaseGraphics(GraphicLibrary* library) {
    releaseImages(library, bodyImages, 2);
    releaseImages(library, explosionImages, EXPLOSION_IMAGES);
    deleteShots(library, bullets, MAX_SHOTS);
}
