// The soak's invariants: after every frame, and each time a round has handed
// back to the front end. A broken slot pointer, an overflowing pool, a counter
// out of its range or a bitmap that outlives its round shows up at the frame it
// happens, with the seed that replays it.
#include <cmath>
#include <string>
#include <vector>

#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/graphic_library.h"
#include "play/enemy.h"
#include "play/enemy_shot.h"
#include "play/gem.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_state.h"
#include "scores/score_table.h"
#include "soak/soak.h"

namespace {
std::vector<std::string> ship_names;
std::vector<int> ship_counts;
long allocation_baseline = -1;
int last_score = 0, last_seconds = 0, end_x = 0, end_y = 0;
bool last_paused = false, ending_seen = false;

std::string outside(const char* what, long value, long low, long high) {
    return value < low || value > high ? std::string(what) + " " + std::to_string(value) : "";
}

std::string checkCounters() {
    std::string problem = outside("screen_timer", screen_timer, 0, 1499) + outside("fade_alpha", fade_alpha, 0, 256) +
                          outside("intro_frame", intro_frame, -1, 280) +
                          outside("background_scroll", background_scroll, 0, 1359);
    if (game_mode == FrontEnd || !problem.empty()) return problem;
    if (4000 - spawn_divisor != std::min(3999, frame_count / 2000)) problem += "spawn_divisor off its steps ";
    // A marathon round keeps whatever the last timed round left in seconds_left.
    if (game_mode != Marathon) problem += outside("seconds_left", seconds_left, -1, game_mode == FiveMinute ? 300 : 120);
    return problem + outside("spawn_side", spawn_side, 0, 3) + outside("banner_timer", banner_timer, -1, 400) +
           outside("intro_counter", intro_counter, -1, 301) + outside("end_counter", end_counter, -1, 305) +
           outside("fire_counter", fire_counter, -1, 5);
}

// Slots hold distinct live objects; enemies are retired before they stray far.
std::string checkSlots() {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy) continue;
        for (int j = 0; j < i; ++j)
            if (enemy_slots[j] == enemy) return "one enemy in two slots";
        double x = enemy->getX(), y = enemy->getY();
        if (!std::isfinite(x) || !std::isfinite(y) || x < -140 || x > 820 || y < -140 || y > 660)
            return "enemy in slot " + std::to_string(i) + " never retired";
        for (int s = 0; s < enemy->getShotCount(); ++s)
            if (!enemy->getShot(s) || !std::isfinite(enemy->getShot(s)->getX())) return "a broken enemy shot";
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        if ((gem_slots[i] != nullptr) != (gem_ages[i] >= 0)) return "gem slot and age disagree";
        if (gem_ages[i] > 500) return "gem age " + std::to_string(gem_ages[i]);
    }
    return "";
}

// Score never falls within a round; lasers stay on the wide field; the ship
// stays on the field in play, and off it, unmoving, once the clock ended the round.
std::string checkShip() {
    if (gryffon->getLives() < 0 || gryffon->getScore() < last_score) return "lives or score went wrong";
    last_score = gryffon->getScore();
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) {
        GryffonLaser* laser = gryffon->getLaser(i);
        double x = laser->getX(), y = laser->getY();
        if (laser->isActive() && !(x > -16 && x < 650 && y > -16 && y < 480)) return "a laser outside the field";
    }
    int x = gryffon->getX(), y = gryffon->getY();
    if (end_counter == -1 && intro_counter != 0 && (x < 0 || x > 608 || y < 0 || y > 442)) return "ship off the field";
    if (end_counter < 1 || end_counter > 300) {
        ending_seen = false;
        return "";
    }
    if (ending_seen && (x != end_x || y != end_y)) return "the ship moved during the end of the round";
    if (gryffon->getLives() > 0 && (x != 1500 || game_mode == Marathon)) return "a round ended with ships left";
    ending_seen = true;
    end_x = x;
    end_y = y;
    return "";
}

// The 1 Hz clock is installed exactly while clock_running says so, only in
// the timed modes, and does not count during a pause.
std::string checkClock() {
    if (roundClockInstalled() != clock_running) return "clock_running disagrees with the timer";
    if (clock_running && (game_mode == FrontEnd || game_mode == Marathon)) return "round clock in an untimed mode";
    if (paused && last_paused && seconds_left != last_seconds) return "the clock counted during the pause";
    last_paused = paused;
    last_seconds = seconds_left;
    return "";
}

std::string checkScoreTables() {
    for (int mode = Marathon; mode <= FiveMinute; ++mode) {
        const ScoreTable& table = scoreTableFor(mode);
        for (int row = 0; row < SCORE_ROWS; ++row) {
            if (row > 0 && table.scores[row] > table.scores[row - 1]) return "a score table out of order";
            for (char c : std::string(table.names[row], 3))
                if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '!' || c == ' '))
                    return "a name holds a byte the keyboard cannot type";
        }
    }
    return "";
}
}  // namespace

void rememberShipEntries() {
    for (int i = 0; i < graphic_library->entryCount(); ++i) {
        ship_names.push_back(graphic_library->nameAt(i));
        ship_counts.push_back(graphic_library->countAt(i));
    }
}

void soakRoundStarted() { last_score = 0; }

std::string checkFrame() {
    std::string problem = checkCounters() + checkClock() + checkScoreTables();
    if (problem.empty() && game_mode != FrontEnd) problem = checkSlots() + checkShip();
    return problem;
}

// Nothing of the round outlives it: enemies, gems, their bitmaps, the clock, heap blocks.
std::string checkRoundOver(long live_allocations) {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i)
        if (enemy_slots[i]) return "an enemy outlived its round";
    for (int i = 0; i < GEM_SLOT_COUNT; ++i)
        if (gem_slots[i] || gem_ages[i] != -1) return "a gem outlived its round";
    bool same = graphic_library->entryCount() == static_cast<int>(ship_names.size());
    for (int i = 0; same && i < graphic_library->entryCount(); ++i)
        same = graphic_library->nameAt(i) == ship_names[i] && graphic_library->countAt(i) == ship_counts[i];
    if (!same) return "after the round the graphic library holds more than the ship's bitmaps";
    if (clock_running) return "the round clock outlived its round";
    if (allocation_baseline < 0) allocation_baseline = live_allocations;
    if (live_allocations != allocation_baseline) return "live allocations grew over a round";
    return "";
}
