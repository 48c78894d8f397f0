#include "soak/soak_checker.h"

#include <cmath>
#include <cstring>

#include "core/program.h"
#include "scores/score_table.h"
#include "core/shell_state.h"
#include "gfx/graphic_library.h"
#include "play/enemy.h"
#include "play/enemy_shot.h"
#include "play/gem.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_state.h"
#include "soak/soak_shell.h"

namespace {

const char KINDS[] = "PSBWH";
const int KIND_SIZE[5] = {38, 38, 38, 96, 96};
const int KIND_HIT_POINTS[5] = {1, 1, 3, 25, 25};
const int KIND_SHOTS[5] = {1, 3, 15, 9, 25};

int kindIndex(char kind) {
    const char* found = std::strchr(KINDS, kind);
    return (kind && found) ? static_cast<int>(found - KINDS) : -1;
}

bool inRange(long value, long low, long high) { return value >= low && value <= high; }

std::string number(int value) { return std::to_string(value); }
std::string number(double value) { return std::to_string(value); }

bool nameByteAllowed(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '!' || c == ' ';
}

}  // namespace

bool SoakChecker::fail(const std::string& what) {
    problem = what;
    return false;
}

void SoakChecker::rememberShipEntries() {
    ship_names.clear();
    ship_counts.clear();
    for (int i = 0; i < graphic_library->entryCount(); ++i) {
        ship_names.push_back(graphic_library->nameAt(i));
        ship_counts.push_back(graphic_library->countAt(i));
    }
}

void SoakChecker::roundStarted() {
    last_score = 0;
    last_end_counter = -1;
}

long SoakChecker::kindCount(char kind) const {
    int index = kindIndex(kind);
    return index < 0 ? 0 : kinds_seen[index];
}

bool SoakChecker::checkFrame() {
    return checkShell() && checkClock() && checkScoreTables() &&
           (game_mode == FrontEnd ||
            (checkRoundCounters() && checkEnemies() && checkGems() && checkShip() && checkEnding()));
}

bool SoakChecker::checkShell() {
    if (!inRange(game_mode, FrontEnd, FiveMinute)) return fail("game_mode " + number(game_mode));
    if (!inRange(cursor_frame, 0, 15)) return fail("cursor_frame " + number(cursor_frame));
    if (!inRange(screen_timer, 0, 1499)) return fail("screen_timer " + number(screen_timer));
    if (!inRange(fade_alpha, 0, 256)) return fail("fade_alpha " + number(fade_alpha));
    if (!inRange(intro_frame, -1, 280)) return fail("intro_frame " + number(intro_frame));
    if (!inRange(background_scroll, 0, 1359)) return fail("background_scroll " + number(background_scroll));
    if (enemy_slot_count != ENEMY_SLOT_COUNT) return fail("enemy_slot_count " + number(enemy_slot_count));
    return true;
}

bool SoakChecker::checkRoundCounters() {
    if (frame_count < 0) return fail("frame_count " + number(frame_count));
    if (!inRange(spawn_divisor, 1, 4000)) return fail("spawn_divisor " + number(spawn_divisor));
    if (4000 - spawn_divisor != std::min(3999, frame_count / 2000))
        return fail("spawn_divisor " + number(spawn_divisor) + " at frame " + number(frame_count));
    if (!inRange(spawn_side, 0, 3)) return fail("spawn_side " + number(spawn_side));
    if (!inRange(banner_timer, -1, 400)) return fail("banner_timer " + number(banner_timer));
    if (!inRange(intro_counter, -1, 301)) return fail("intro_counter " + number(intro_counter));
    if (!inRange(end_counter, -1, 305)) return fail("end_counter " + number(end_counter));
    if (!inRange(fire_counter, -1, 5)) return fail("fire_counter " + number(fire_counter));
    if (!inRange(current_shape, 0, 4)) return fail("current_shape " + number(current_shape));
    if (game_mode == TwoMinute && !inRange(seconds_left, -1, 120)) return fail("seconds_left " + number(seconds_left));
    if (game_mode == FiveMinute && !inRange(seconds_left, -1, 300)) return fail("seconds_left " + number(seconds_left));
    return true;
}

bool SoakChecker::checkEnemies() {
    int count = 0;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        if (!enemy_slots[i]) continue;
        count += 1;
        for (int j = 0; j < i; ++j)
            if (enemy_slots[j] == enemy_slots[i]) return fail("one enemy in two slots");
        if (!checkEnemy(i)) return false;
        if (last_slots[i] != enemy_slots[i]) kinds_seen[kindIndex(enemy_slots[i]->getKind())] += 1;
    }
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) last_slots[i] = enemy_slots[i];
    most_enemies = std::max(most_enemies, count);
    return true;
}

bool SoakChecker::checkEnemy(int slot) {
    Enemy* enemy = enemy_slots[slot];
    std::string where = "enemy in slot " + std::to_string(slot) + ": ";
    int kind = kindIndex(enemy->getKind());
    if (kind < 0) return fail(where + "unknown kind");
    if (enemy->getWidth() != KIND_SIZE[kind] || enemy->getHeight() != KIND_SIZE[kind])
        return fail(where + "size " + number(enemy->getWidth()) + "x" + number(enemy->getHeight()));
    if (enemy->getHitPoints() > KIND_HIT_POINTS[kind]) return fail(where + "hit points " + number(enemy->getHitPoints()));
    if (!std::isfinite(enemy->getX()) || !std::isfinite(enemy->getY())) return fail(where + "position not finite");
    // Retirement happens before the move, so one frame's flight past the wide field is allowed.
    if (enemy->getX() < -140 || enemy->getX() > 820 || enemy->getY() < -140 || enemy->getY() > 660)
        return fail(where + "at " + number(enemy->getX()) + "," + number(enemy->getY()) + ", never retired");
    if (enemy->hitLeft() > enemy->hitRight() || enemy->hitTop() > enemy->hitBottom())
        return fail(where + "hit box turned inside out");
    if (enemy->getShotCount() != KIND_SHOTS[kind]) return fail(where + "shot count " + number(enemy->getShotCount()));
    for (int i = 0; i < enemy->getShotCount(); ++i) {
        EnemyShot* shot = enemy->getShot(i);
        if (!shot) return fail(where + "shot " + number(i) + " missing");
        if (!std::isfinite(shot->getX()) || !std::isfinite(shot->getY())) return fail(where + "shot position not finite");
    }
    return true;
}

bool SoakChecker::checkGems() {
    int count = 0;
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        bool has_gem = gem_slots[i] != nullptr;
        if (has_gem != (gem_ages[i] >= 0))
            return fail("gem slot " + number(i) + " holds " + (has_gem ? "a gem" : "nothing") + " at age " +
                        number(gem_ages[i]));
        if (!inRange(gem_ages[i], -1, 500)) return fail("gem age " + number(gem_ages[i]));
        for (int j = 0; j < i; ++j)
            if (has_gem && gem_slots[j] == gem_slots[i]) return fail("one gem in two slots");
        count += has_gem;
    }
    most_gems = std::max(most_gems, count);
    return true;
}

bool SoakChecker::checkShip() {
    int lives = gryffon->getLives(), score = gryffon->getScore();
    if (lives < 0) return fail("lives " + number(lives));
    if (score < last_score) return fail("score fell from " + number(last_score) + " to " + number(score));
    last_score = score;
    int active = 0;
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) {
        GryffonLaser* laser = gryffon->getLaser(i);
        if (!laser->isActive()) continue;
        active += 1;
        double x = laser->getX(), y = laser->getY();
        if (!(x > -16 && x < 650 && y > -16 && y < 480))
            return fail("active laser " + number(i) + " at " + number(x) + "," + number(y));
    }
    most_lasers = std::max(most_lasers, active);
    if (end_counter == -1 && intro_counter != 0 &&
        (!inRange(gryffon->getX(), 0, 608) || !inRange(gryffon->getY(), 0, 442)))
        return fail("ship at " + number(gryffon->getX()) + "," + number(gryffon->getY()) + " in play");
    return true;
}

// While the round ends the ship takes no input; a round ended by the clock
// has moved it off the field, one ended by the last ship has no lives left.
bool SoakChecker::checkEnding() {
    if (end_counter < 1 || end_counter > 300) {
        last_end_counter = end_counter;
        return true;
    }
    if (last_end_counter < 1) {
        if (gryffon->getLives() > 0) time_ups += 1; else deaths += 1;
    } else if (gryffon->getX() != end_x || gryffon->getY() != end_y) {
        return fail("the ship moved during the end of the round");
    }
    if (gryffon->getLives() > 0 && (gryffon->getX() != 1500 || gryffon->getY() != 1500))
        return fail("time is up but the ship is still on the field");
    if (gryffon->getLives() > 0 && game_mode == Marathon) return fail("a marathon round ended with ships left");
    end_x = gryffon->getX();
    end_y = gryffon->getY();
    last_end_counter = end_counter;
    return true;
}

// The 1 Hz clock: installed exactly while clock_running says so, never in a
// marathon round, and not counting while the game is paused.
bool SoakChecker::checkClock() {
    if (SoakShell::roundClockInstalled() != clock_running) return fail("clock_running disagrees with the timer");
    if (clock_running && (game_mode == FrontEnd || game_mode == Marathon))
        return fail("round clock running in mode " + number(game_mode));
    if (paused && last_paused && seconds_left != last_seconds) return fail("the clock counted during the pause");
    last_paused = paused;
    last_seconds = seconds_left;
    return true;
}

bool SoakChecker::checkScoreTables() {
    const ScoreTable* tables[3] = {&marathon_table, &two_minute_table, &five_minute_table};
    for (const ScoreTable* table : tables) {
        for (int row = 1; row < SCORE_ROWS; ++row)
            if (table->scores[row] > table->scores[row - 1]) return fail("a score table is out of order");
        for (int row = 0; row < SCORE_ROWS; ++row)
            for (int c = 0; c < 3; ++c)
                if (!nameByteAllowed(table->names[row][c])) return fail("a name holds a byte the keyboard cannot type");
    }
    return true;
}

bool SoakChecker::libraryMatchesShipEntries() {
    if (graphic_library->entryCount() != static_cast<int>(ship_names.size())) return false;
    for (int i = 0; i < graphic_library->entryCount(); ++i)
        if (graphic_library->nameAt(i) != ship_names[i] || graphic_library->countAt(i) != ship_counts[i]) return false;
    return true;
}

bool SoakChecker::checkRoundOver(long live_allocations) {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i)
        if (enemy_slots[i]) return fail("an enemy outlived its round");
    for (int i = 0; i < GEM_SLOT_COUNT; ++i)
        if (gem_slots[i] || gem_ages[i] != -1) return fail("a gem outlived its round");
    if (!libraryMatchesShipEntries()) {
        std::string held;
        for (int i = 0; i < graphic_library->entryCount(); ++i)
            held += " " + graphic_library->nameAt(i) + "x" + std::to_string(graphic_library->countAt(i));
        return fail("after the round the graphic library holds more than the ship's bitmaps:" + held);
    }
    if (clock_running) return fail("the round clock outlived its round");
    if (allocation_baseline < 0) allocation_baseline = live_allocations;
    if (live_allocations != allocation_baseline)
        return fail("live allocations after a round: " + std::to_string(live_allocations) + ", after the first: " +
                    std::to_string(allocation_baseline));
    return true;
}
