#include "play/hit_pass.h"

#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "play/enemy.h"
#include "play/enemy_kinds.h"
#include "play/enemy_shot.h"
#include "play/gem_step.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_state.h"

namespace {
// Inclusive overlap of two boxes given as left, top, right, bottom.
bool boxesTouch(double aLeft, double aTop, double aRight, double aBottom, double bLeft, double bTop,
                double bRight, double bBottom) {
    return aLeft <= bRight && aRight >= bLeft && aTop <= bBottom && aBottom >= bTop;
}


void lowerHitPoints(Enemy* enemy) { enemy->setHitPoints(enemy->getHitPoints() - 1); }

void lasersAgainst(Enemy* enemy) {
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) {
        GryffonLaser* laser = gryffon->getLaser(i);
        if (!laserHitsEnemy(laser, enemy)) continue;
        laser->setActive(false);
        lowerHitPoints(enemy);
        if (enemy->getHitPoints() <= 0) killEnemy(enemy);
    }
}

void shotsOf(Enemy* enemy) {
    for (int i = 0; i < enemy->getShotCount(); ++i) {
        EnemyShot* shot = enemy->getShot(i);
        if (!shot || !shotHitsShip(gryffon, shot)) continue;
        gryffon->takeHit();
        sound_bank->playDie();
        shot->setActive(false);
        if (gryffon->getLives() <= 0) endRound();
    }
}

// A ram costs a ship and earns nothing, not even a gem.
void ramOf(Enemy* enemy) {
    if (!shipTouchesEnemy(gryffon, enemy)) return;
    gryffon->takeHit();
    sound_bank->playDie();
    lowerHitPoints(enemy);
    if (enemy->getHitPoints() <= 0) playKillSound(enemy);
    if (gryffon->getLives() <= 0) endRound();
}
}  // namespace

bool laserHitsEnemy(const GryffonLaser* laser, const Enemy* enemy) {
    if (!laser->isActive() || enemy->getHitPoints() <= 0) return false;
    double lx = laser->getX(), ly = laser->getY();
    return boxesTouch(enemy->hitLeft(), enemy->hitTop(), enemy->hitRight(), enemy->hitBottom(), lx, ly,
                      lx + 16, ly + 16);
}

bool shotHitsShip(const Gryffon* ship, const EnemyShot* shot) {
    if (!shot->isActive() || !ship->isVulnerable()) return false;
    double sx = shot->getX(), sy = shot->getY();
    return boxesTouch(ship->hitLeft(), ship->hitTop(), ship->hitRight(), ship->hitBottom(), sx, sy, sx + 8, sy + 8);
}

bool shipTouchesEnemy(const Gryffon* ship, const Enemy* enemy) {
    if (!enemy || enemy->getHitPoints() <= 0 || !ship->isVulnerable()) return false;
    return boxesTouch(enemy->hitLeft(), enemy->hitTop(), enemy->hitRight(), enemy->hitBottom(), ship->hitLeft(),
                      ship->hitTop(), ship->hitRight(), ship->hitBottom());
}

void playKillSound(const Enemy* enemy) {
    void (SoundBank::*sound)() = enemy->getKindRow().killSound;
    if (sound) (sound_bank->*sound)();
}

// The bonus is tested only here, so gem points alone never give a ship, and
// never once the round is ending.
void killEnemy(Enemy* enemy) {
    playKillSound(enemy);
    gryffon->setScore(gryffon->getScore() + enemy->getScoreValue());
    if (gryffon->getScore() >= next_bonus && end_counter == -1) {
        gryffon->addLife();
        sound_bank->playExtraLife();
        next_bonus += BONUS_STEP;
    }
    dropGem(enemy);
}

void endRound() {
    // ESC pressed earlier in this frame has already ended the round: it wins.
    if (end_counter == -1) end_counter = 0;
    sound_bank->stopMusic();
    if (game_mode != Marathon) stopRoundClock();
}

void hitPass() {
    for (int s = 0; s < enemy_slot_count; ++s) {
        Enemy* enemy = enemy_slots[s];
        if (!enemy) continue;
        lasersAgainst(enemy);
        shotsOf(enemy);
        ramOf(enemy);
    }
}
