// The hit pass: lasers against enemies, enemy shots against the ship and the
// ship against enemy bodies, with the score, extra ships and the end of a round.
//
// Every test is an axis-aligned box with inclusive edges, compared in doubles,
// so boxes that only share an edge still touch. The pass walks the enemy slots
// in order and finishes all three tests for one slot before the next, which is
// what makes a laser over two enemies strike the lower slot.
#pragma once

class Enemy;
class EnemyShot;
class Gryffon;
class GryffonLaser;

const int FIRST_BONUS = 30000;
const int BONUS_STEP = 50000;

bool laserHitsEnemy(const GryffonLaser* laser, const Enemy* enemy);
bool shotHitsShip(const Gryffon* ship, const EnemyShot* shot);
bool shipTouchesEnemy(const Gryffon* ship, const Enemy* enemy);

// The kill sound of an enemy's kind (none for the big battleship, whose
// explosion sounds on its own).
void playKillSound(const Enemy* enemy);
// Award of a laser kill: sound, score, extra ship, possible gem.
void killEnemy(Enemy* enemy);
// The last ship is lost: start the end sequence.
void endRound();
// The whole pass for one frame.
void hitPass();
