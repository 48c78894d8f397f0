#include "play/wyvern.h"

#include "core/whole_fixed.h"
#include "audio/sound_bank.h"
#include "play/enemy_shot.h"

Wyvern::Wyvern(GraphicLibrary* library) : Enemy('W', library) {}

bool Wyvern::groupIdle(int group) const {
    return !shots[group]->isActive() && !shots[group + 3]->isActive() &&
           !shots[group + 6]->isActive();
}

void Wyvern::fire(SoundBank* sounds) {
    if (!mayFire()) return;
    for (int g = 0; g < GROUPS; ++g) {
        if (!groupIdle(g)) continue;
        // Side bullets leave 45 degrees (32 units) either side but are drawn at the heading.
        double muzzleX = x + 44, muzzleY = y + 44;
        shots[g]->launch(muzzleX, muzzleY, angle, angle);
        shots[g + 3]->launch(muzzleX, muzzleY, angle, angle + wholeFixed(32));
        shots[g + 6]->launch(muzzleX, muzzleY, angle, angle - wholeFixed(32));
        if (sounds) sounds->playEnemyBullet();
        return;
    }
}
