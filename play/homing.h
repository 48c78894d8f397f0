// Homing: how the larger enemies steer towards the player's ship.
//
// Steering is a fixed turn per frame towards the heading that points at the
// ship's centre, the short way round, with a small dead band so a homing enemy
// does not wobble once it is on course. It stops once the ship's explosion has
// run for a while, so enemies drift on past a lost ship.
#pragma once

class Enemy;
class Gryffon;

// One frame of steering for one enemy.
void homeOnShip(Enemy* enemy, const Gryffon* ship);
