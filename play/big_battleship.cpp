#include "play/big_battleship.h"

#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

BigBattleship::BigBattleship(GraphicLibrary* library) : Enemy('H', library) {}

void BigBattleship::fire(SoundBank* sounds) {
    if (!mayFire()) return;
    EnemyShot* laser = firstIdleShot();
    if (!laser) return;
    laser->launch(x + 44, y + 44, angle, angle);
    if (sounds) sounds->playEnemyLaser();
}
