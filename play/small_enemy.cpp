#include "play/small_enemy.h"

#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

void SmallEnemy::fire(SoundBank* sounds) {
    if (!mayFire()) return;
    EnemyShot* bullet = firstIdleShot();
    if (!bullet) return;
    bullet->launch(x + 15, y + 15, angle, angle);
    if (sounds) sounds->playEnemyBullet();
}
