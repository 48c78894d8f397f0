#include "play/gem_step.h"

#include "core/program.h"
#include "audio/sound_bank.h"
#include "play/enemy.h"
#include "play/enemy_kinds.h"
#include "play/game_random.h"
#include "play/gem.h"
#include "play/gryffon.h"
#include "play/round_state.h"

void dropGem(const Enemy* enemy) {
    if (gameRandom() % 20 >= 8) return;
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        if (gem_slots[i]) continue;
        Gem* gem = new Gem(graphic_library);
        gem_slots[i] = gem;
        gem_ages[i] = 0;
        int d = enemy->getKindRow().gemOffset;
        gem->setPosition(static_cast<int>(enemy->getX() + d), static_cast<int>(enemy->getY() + d));
        gem->setActive(true);
        return;
    }
}

namespace {
// The gem's box runs from +0 to +7. While exploding or hidden after a hit (counts 0 to 75) the ship takes nothing.
bool shipPicksUpGem(const Gryffon* ship, int slot) {
    int counter = ship->getHitCounter();
    if (counter >= 0 && counter <= 75) return false;
    const Gem* gem = gem_slots[slot];
    if (!gem || !gem->isActive()) return false;
    int gx = gem->getX(), gy = gem->getY();
    return ship->hitRight() >= gx && ship->hitLeft() <= gx + 7 && ship->hitBottom() >= gy && ship->hitTop() <= gy + 7;
}
}  // namespace

bool gemVisibleAtAge(int age) {
    if (age > 0 && age < GEM_BLINK_AGE) return true;
    return age >= GEM_BLINK_AGE && age % 3 == 0;
}

void removeGem(int slot) {
    if (gem_slots[slot]) {
        gem_slots[slot]->releaseGraphics(graphic_library);
        delete gem_slots[slot];
    }
    gem_slots[slot] = nullptr;
    gem_ages[slot] = -1;
}

void gemStep(BITMAP* buffer) {
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        if (gem_ages[i] >= 0) gem_ages[i] += 1;
        if (gem_ages[i] > GEM_LIFETIME) removeGem(i);
        if (shipPicksUpGem(gryffon, i)) {
            gryffon->setScore(gryffon->getScore() + GEM_POINTS);
            sound_bank->playGem();
            removeGem(i);
        }
        if (gem_slots[i] && gemVisibleAtAge(gem_ages[i])) gem_slots[i]->draw(buffer);
    }
}
