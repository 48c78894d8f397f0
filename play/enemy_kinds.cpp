#include "play/enemy_kinds.h"

#include "audio/sound_bank.h"

namespace {
// In spawn-roll order.
const EnemyKind KINDS[] = {
    // letter  hp  speed size inset score  homing every  rumble  kill sound                    gem  roll
    {'P',       1, 3,    38,  8,    160,   0,     false, false, &SoundBank::playEnemyDie,     15,  45},
    {'S',       1, 2,    38,  4,    320,   2,     false, false, &SoundBank::playEnemyDie,     15,  65},
    {'B',       3, 4,    38,  4,    320,   2,     false, false, &SoundBank::playEnemyDie,     12,  70},
    {'W',      25, 1,    96,  10,   2500,  2,     false, false, &SoundBank::playEnemyBigDie,  44,  75},
    {'H',      25, 2,    96,  1,    4000,  4,     true,  true,  nullptr,                      44,  77},
};
}  // namespace

const EnemyKind* enemyKind(char letter) {
    for (const EnemyKind& row : KINDS)
        if (row.letter == letter) return &row;
    return nullptr;
}

const EnemyKind* enemyKindForRoll(int roll) {
    if (roll < 0) return nullptr;
    for (const EnemyKind& row : KINDS)
        if (roll < row.spawnRollEnd) return &row;
    return nullptr;
}
