#include "play/homing.h"

#include <allegro.h>

#include "core/whole_fixed.h"
#include "play/enemy.h"
#include "play/enemy_kinds.h"
#include "play/gryffon.h"

namespace {
const int DEAD_BAND = 5;
const int HALF_TURN = 128;

// Past the 20th frame of its explosion the ship is gone. With no ship left its
// counter stops at 20, so the last wreck counts as gone from that frame on.
bool shipOutOfReach(const Gryffon* ship) {
    int counter = ship->getHitCounter();
    return counter > 20 || (counter == 20 && ship->getLives() <= 0);
}
}  // namespace

namespace {
// Heading (256 units a turn) from the enemy's centre to the ship's centre.
// An exact 0 (ship straight above, or no offset at all) means "do not steer".
fixed homingTarget(const Enemy* enemy, const Gryffon* ship) {
    int dx = static_cast<int>(ship->centreX() - (enemy->getX() + enemy->getWidth() / 2));
    int dy = static_cast<int>((enemy->getY() + enemy->getHeight() / 2) - ship->centreY());
    return fixatan2(wholeFixed(dx), wholeFixed(dy));
}

// The turn for a heading difference d: +rate, -rate or 0.
int homingTurn(int d, int rate) {
    bool longWay = d > HALF_TURN || d < -HALF_TURN;
    if (d < -DEAD_BAND) return longWay ? rate : -rate;
    if (d > DEAD_BAND) return longWay ? -rate : rate;
    return 0;
}
}  // namespace

void homeOnShip(Enemy* enemy, const Gryffon* ship) {
    int rate = enemy->getKindRow().homingRate;
    fixed target = homingTarget(enemy, ship);
    if (target == 0 || shipOutOfReach(ship)) return;
    int turn = homingTurn(fixtoi(target) - fixtoi(enemy->getAngle()), rate);
    if (turn != 0) enemy->turn(turn);
}
