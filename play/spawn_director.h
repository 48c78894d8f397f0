// The spawn director: when, where and what kind of enemy enters the field.
//
// One roll per frame against spawn_divisor decides whether anything enters and,
// by its value, which kind; the divisor shrinks every 2000 frames so the field
// fills up as the round goes on. The edge enemies come from changes at random,
// rarely. All rolls are drawn from rand() at fixed places so a seeded round
// replays exactly.
#pragma once

class Enemy;
class GraphicLibrary;

const int SPAWN_ROLL_LIMIT = 77;  // rolls at or above this spawn nothing

// Kind letter a spawn roll creates ('P', 'S', 'B', 'W', 'H'), or 0 for none.
char kindForRoll(int roll);
// A new enemy of the kind the roll names, or null for a roll that spawns nothing.
Enemy* createEnemyForRoll(int roll, GraphicLibrary* library);


// The frame's spawn roll (step 4 of the play frame).
void spawnStep();
// The frame's roll for a change of spawn edge (step 5 of the play frame).
void sideChangeStep();
// Frame step 1: the divisor drops by one every 2000 frames, never below 1.
void advanceSpawnDivisor();
