#include "play/enemy_kinds.h"

#include "audio/sound_bank.h"

namespace {
const char* const SMALL_EXPLOSION = "sprites/enemyexplosion/enemyexplosion";

// In spawn-roll order.
const EnemyKind KINDS[] = {
    // letter  hp  speed size inset score  homing every  rumble  kill sound                    gem  roll
    //         body, explosion and its images, turned; shot sprite, shots
    {'P',       1, 3,    38,  8,    160,   0,     false, false, &SoundBank::playEnemyDie,     15,  45,
     "sprites/pawn/pawn", SMALL_EXPLOSION, 4, false, "sprites/bullets/enemybullet1.bmp", 1},
    {'S',       1, 2,    38,  4,    320,   2,     false, false, &SoundBank::playEnemyDie,     15,  65,
     "sprites/shadow/shadow", SMALL_EXPLOSION, 4, false, "sprites/bullets/enemybullet1.bmp", 3},
    {'B',       3, 4,    38,  4,    320,   2,     false, false, &SoundBank::playEnemyDie,     12,  70,
     "sprites/blade/blade", SMALL_EXPLOSION, 4, false, "sprites/blade/bladechain.bmp", 15},
    {'W',      25, 1,    96,  10,   2500,  2,     false, false, &SoundBank::playEnemyBigDie,  44,  75,
     "sprites/wyvern/wyvern", "sprites/wyvern/wyvernexplosion", 9, true, "sprites/bullets/enemybullet2.bmp", 9},
    {'H',      25, 2,    96,  1,    4000,  4,     true,  true,  nullptr,                      44,  77,
     "sprites/bigbattleship/bigbattleship", "sprites/bigbattleship/bigbattleshipexplosion", 11, true,
     "sprites/bullets/enemylaser.bmp", 25},
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
