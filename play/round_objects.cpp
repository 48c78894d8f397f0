#include "play/round_objects.h"

#include "core/program.h"
#include "gfx/graphic_library.h"
#include "play/enemy.h"
#include "play/gem_step.h"
#include "play/round_state.h"

namespace {
// An enemy this far off the field is not coming back.
bool isOutsideWideField(double x, double y) { return x > 800 || x < -120 || y < -120 || y > 640; }

// Gives the enemy's bitmaps back before it goes.
void removeEnemy(int slot) {
    enemy_slots[slot]->releaseGraphics(graphic_library);
    delete enemy_slots[slot];
    enemy_slots[slot] = nullptr;
}
}  // namespace

void retireEnemies() {
    for (int i = 0; i < enemy_slot_count; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy) continue;
        if (enemy->isFinished() || isOutsideWideField(enemy->getX(), enemy->getY())) removeEnemy(i);
    }
}

void clearRoundObjects() {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i)
        if (enemy_slots[i]) removeEnemy(i);
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) removeGem(i);
}
