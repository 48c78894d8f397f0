// One row per kind of enemy: the numbers every kind has, and the rules of play
// that differ only by those numbers, kept together so the spawn roll, homing,
// the hit pass and the gem drop all read the same row.
#pragma once

class SoundBank;

struct EnemyKind {
    char letter;
    int hitPoints;
    int speed;              // pixels a frame along the heading
    int size;               // the sprite is size x size
    int hitInset;           // the hit box is the sprite shrunk by this on every side
    int score;
    int homingRate;         // heading units turned a frame; 0 flies straight
    bool firesEveryFrame;   // tries to fire every frame, not on a 1-in-200 roll
    bool rumblesWhileDying; // the big explosion sound every 6th frame of its explosion
    void (SoundBank::*killSound)();  // null: the kill itself is silent
    int gemOffset;          // the gem drops this far right and down of the corner
    int spawnRollEnd;       // spawned by rolls from the row above's end up to this, exclusive
};

// The row for a kind letter; null for a letter no kind has.
const EnemyKind* enemyKind(char letter);
// The row a spawn roll picks; null when the roll spawns nothing.
const EnemyKind* enemyKindForRoll(int roll);
