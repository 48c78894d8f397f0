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
    const char* bodySprites;       // two images: <stem>1.bmp and <stem>2.bmp
    const char* explosionSprites;  // <stem>1.bmp up to the count below
    int explosionImages;
    bool explosionTurns;    // drawn turned to the heading, not upright
    const char* shotSprite;
    int shots;              // made with the enemy and reused
};

// Enough room in every enemy for the art of any row.
const int MOST_EXPLOSION_IMAGES = 11;
const int MOST_SHOTS = 25;

// The row for a kind letter; null for a letter no kind has.
const EnemyKind* enemyKind(char letter);
// The row a spawn roll picks; null when the roll spawns nothing.
const EnemyKind* enemyKindForRoll(int roll);
