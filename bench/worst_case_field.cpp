#include "bench/worst_case_field.h"

#include <allegro.h>

#include "core/whole_fixed.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/graphic_library.h"
#include "play/big_battleship.h"
#include "play/enemy_shot.h"
#include "play/gem.h"
#include "play/gem_step.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"

namespace {
const int SHIP_X = 301;
const int SHIP_Y = 221;
const int COLUMN_STEP = 90;  // seven columns from x 0 to 540: all inside the fire window
const int ROW_STEP = 96;     // five rows from y 0 to 384
const int LASER_SPACING = 4;  // a battleship's stream: one laser every 4 pixels
const int DIP_START = 500;
const int DIP_LENGTH = 64;
const int FADE_FRAMES = 63;  // end counters 1..63 blend the field over black

double slotX(int slot) { return (slot % WorstCaseField::COLUMNS) * COLUMN_STEP; }
double slotY(int slot) { return (slot / WorstCaseField::COLUMNS) * ROW_STEP; }
}  // namespace

void WorstCaseField::build() {
    startRound(FiveMinute);
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* ship = new BigBattleship(graphic_library);
        // Each points at the player's ship, as homing keeps it, so its stream
        // of lasers runs across the field rather than off its edge.
        int dx = (SHIP_X + 18) - (static_cast<int>(slotX(i)) + 48);
        int dy = (static_cast<int>(slotY(i)) + 48) - (SHIP_Y + 18);
        ship->setAngle(fixatan2(wholeFixed(dx), wholeFixed(dy)));
        ship->setVelocityFromAngle();
        enemy_slots[i] = ship;
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) gem_slots[i] = new Gem(graphic_library);
    // The triangle: the ship fires triple volleys and the banner names it.
    gryffon->addPoint(90, 180);
    gryffon->addPoint(40, 280);
    gryffon->addPoint(140, 280);
    intro_counter = -1;
    mouse_b = 1;
    mouse_x = 600;
    mouse_y = 40;
}

void WorstCaseField::refill(int frame, bool dip, bool fade) {
    // runPlayFrame adds one to both counters before it draws with them.
    frame_count = dip ? DIP_START - 1 + frame % DIP_LENGTH : 100 + frame % 300;
    end_counter = fade ? frame % FADE_FRAMES : -1;
    intro_counter = -1;
    seconds_left = 300;
    banner_timer = 0;
    while (gryffon->getLives() < 3) gryffon->addLife();
    gryffon->setPosition(SHIP_X, SHIP_Y);
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) refillEnemy(i);
    refillShipLasers();
    refillGems();
}

void WorstCaseField::refillEnemy(int slot) {
    Enemy* ship = enemy_slots[slot];
    ship->setHitPoints(25);
    ship->setPosition(slotX(slot), slotY(slot));
    fixed heading = ship->getAngle();
    double stepX = fixtof(fixsin(heading)) * LASER_SPACING;
    double stepY = -fixtof(fixcos(heading)) * LASER_SPACING;
    for (int i = 0; i < ship->getShotCount(); ++i) {
        EnemyShot* laser = ship->getShot(i);
        if (laser->isActive()) continue;
        laser->launch(ship->getX() + 44, ship->getY() + 44, heading, heading);
        laser->setPosition(ship->getX() + 44 + stepX * i, ship->getY() + 44 + stepY * i);
    }
}

void WorstCaseField::refillShipLasers() {
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) {
        GryffonLaser* laser = gryffon->getLaser(i);
        if (laser->isActive()) continue;
        fixed heading = wholeFixed((i * 5) % 256);
        laser->setPosition(SHIP_X + 11 + (i % 10) * 20 - 90, SHIP_Y + 11 + (i / 10) * 20 - 40);
        laser->setAngle(heading);
        laser->setVelocity(8 * fixtof(fixsin(heading)), -8 * fixtof(fixcos(heading)));
        laser->setActive(true);
    }
}

// Along the bottom edge, away from the ship, so none is picked up.
void WorstCaseField::refillGems() {
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        gem_slots[i]->setPosition(20 + 60 * i, 462);
        gem_slots[i]->setActive(true);
        gem_ages[i] = 100;
    }
}

FieldCount WorstCaseField::count() {
    FieldCount field;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy || enemy->getKind() != 'H' || enemy->getExplosionCounter() != 0) continue;
        field.battleships += 1;
        for (int k = 0; k < enemy->getShotCount(); ++k) field.enemyLasers += enemy->getShot(k)->isActive();
    }
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) field.shipLasers += gryffon->getLaser(i)->isActive();
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) field.gems += gem_slots[i] && gemVisibleAtAge(gem_ages[i]);
    return field;
}

void WorstCaseField::tearDown() {
    clearRoundObjects();
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    game_mode = FrontEnd;
    mouse_b = 0;
}
