#include "play/spawn_director.h"

#include <allegro.h>

#include "core/whole_fixed.h"
#include "core/program.h"
#include "play/big_battleship.h"
#include "play/blade.h"
#include "play/enemy_kinds.h"
#include "play/game_random.h"
#include "play/pawn.h"
#include "play/round_state.h"
#include "play/shadow.h"
#include "play/wyvern.h"

char kindForRoll(int roll) {
    const EnemyKind* row = enemyKindForRoll(roll);
    return row ? row->letter : 0;
}

Enemy* createEnemyForRoll(int roll, GraphicLibrary* library) {
    switch (kindForRoll(roll)) {
        case 'P': return new Pawn(library);
        case 'S': return new Shadow(library);
        case 'B': return new Blade(library);
        case 'W': return new Wyvern(library);
        case 'H': return new BigBattleship(library);
        default: return nullptr;
    }
}

namespace {
// Each edge aims inwards, up to 45 degrees either side of straight across.
void placeOnSpawnEdge(Enemy* enemy, int side) {
    int q = gameRandom();
    int h = gameRandom();
    double x = 0, y = 0;
    int heading = 0;
    switch (side) {
        case 0: x = q % 840 - 100; y = -96; heading = h % 64 + 96; break;
        case 1: x = q % 840 - 100; y = 480; heading = h % 64 + 224; break;
        case 2: x = -96; y = q % 680 - 100; heading = h % 64 + 32; break;
        default: x = 640; y = q % 680 - 100; heading = h % 64 + 160; break;
    }
    enemy->setPosition(x, y);
    enemy->setAngle(wholeFixed(heading));
    enemy->setVelocityFromAngle();
}
}  // namespace

void spawnStep() {
    int roll = gameRandom() % spawn_divisor;
    if (roll >= SPAWN_ROLL_LIMIT) return;
    for (int i = 0; i < enemy_slot_count; ++i) {
        if (enemy_slots[i]) continue;
        enemy_slots[i] = createEnemyForRoll(roll, graphic_library);
        placeOnSpawnEdge(enemy_slots[i], spawn_side);
        return;
    }
}

void sideChangeStep() {
    if (gameRandom() % 1000 < 5) spawn_side = gameRandom() % 4;
}

void advanceSpawnDivisor() {
    if (frame_count % 2000 == 0 && spawn_divisor > 1) spawn_divisor -= 1;
}
