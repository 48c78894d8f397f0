// zenvar-soak [FRAMES] [SEED]: plays the real game headless for FRAMES
// simulated frames (default 30000) with seeded random input through every
// screen and all three modes. After every frame: the slots hold distinct live
// objects, the ship and its lasers stay on the field, and a play frame that
// brought in no enemy and no gem allocated nothing. After every round: no
// enemy, gem, bitmap, clock or heap block outlives it. A failure names the
// frame and the seed that replays it. Exit 0 when all held.
#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "app/headless_platform.h"
#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/graphic_library.h"
#include "play/enemy.h"
#include "play/enemy_shot.h"
#include "play/gem.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "scores/score_table.h"

static std::atomic<long> live_blocks{0}, blocks_made{0};
void* operator new(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return live_blocks += 1, blocks_made += 1, block;
}
void operator delete(void* block) noexcept {
    if (block) live_blocks -= 1, std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {
// ---- The checks ----
std::vector<int> ship_counts;  // the graphic library's counts with only the ship alive
long allocation_baseline = -1;
int last_score = 0, end_x = 0, end_y = 0;
bool ending_seen = false;
// Random flying rarely lasts two minutes: every other timed round the soak
// tops up the last ship (and rarely presses ESC) so the round runs until its clock does.
bool keep_alive = false;
// The timer driver records the callbacks instead of running them: the soak
// plays the 1 Hz round clock itself, one tick per 60 simulated frames.
void (*installed_timers[4])() = {};
// What the slots held at the last wait, to tell a frame that brought something in.
const Enemy* enemies_before[ENEMY_SLOT_COUNT] = {};
long blocks_before = 0;
bool playing_before = false;

bool roundClockInstalled() {
    for (auto slot : installed_timers) if (slot == clockTick) return true;
    return false;
}

// Enemies are retired before they stray far; spawns come faster by one step every 2000 frames.
std::string checkSlots() {
    if (4000 - spawn_divisor != std::min(3999, frame_count / 2000)) return "spawn_divisor off its steps";
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy) continue;
        for (int j = 0; j < i; ++j) if (enemy_slots[j] == enemy) return "one enemy in two slots";
        double x = enemy->getX(), y = enemy->getY();
        if (!std::isfinite(x) || !std::isfinite(y) || x < -140 || x > 820 || y < -140 || y > 660)
            return "enemy in slot " + std::to_string(i) + " never retired";
        for (int s = 0; s < enemy->getShotCount(); ++s)
            if (!enemy->getShot(s) || !std::isfinite(enemy->getShot(s)->getX())) return "a broken enemy shot";
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i)
        if ((gem_slots[i] != nullptr) != (gem_ages[i] >= 0) || gem_ages[i] > 500) return "gem slot and age disagree";
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
    if (end_counter < 1 || end_counter > 300) return ending_seen = false, "";
    if (ending_seen && (x != end_x || y != end_y)) return "the ship moved during the end of the round";
    if (gryffon->getLives() > 0 && (x != 1500 || game_mode == Marathon)) return "a round ended with ships left";
    ending_seen = true, end_x = x, end_y = y;
    return "";
}

// Between two waits in the middle of a round, only a new enemy or a dropped
// gem (its age is 0 until the next gem step) may allocate.
std::string checkPlayFrameAllocations() {
    bool playing = game_mode != FrontEnd && end_counter == -1, brought_in = false;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) brought_in |= enemy_slots[i] && enemy_slots[i] != enemies_before[i];
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) brought_in |= gem_slots[i] && gem_ages[i] == 0;
    long made = blocks_made - blocks_before;
    bool fault = playing && playing_before && !brought_in && made != 0;
    std::copy(enemy_slots, enemy_slots + ENEMY_SLOT_COUNT, enemies_before);
    playing_before = playing;
    return fault ? "a play frame made " + std::to_string(made) + " allocations" : "";
}

std::vector<int> libraryCounts() {
    std::vector<int> counts;
    for (int i = 0; i < graphic_library->entryCount(); ++i) counts.push_back(graphic_library->countAt(i));
    return counts;
}

std::string checkRoundOver() {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) if (enemy_slots[i]) return "an enemy outlived its round";
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) if (gem_slots[i] || gem_ages[i] != -1) return "a gem outlived its round";
    if (libraryCounts() != ship_counts) return "after the round the graphic library holds more than the ship's bitmaps";
    if (clock_running) return "the round clock outlived its round";
    if (allocation_baseline < 0) allocation_baseline = live_blocks;
    return live_blocks != allocation_baseline ? "live allocations grew over a round" : "";
}

// ---- The player ----
// A restless one: it picks a mode, flies with the arrows, fires in bursts,
// right-clicks points and whole shapes, presses ESC now and then and types
// names with the mouse. Each screen starts with nothing held. (The key
// families, the stick and the pause have their own tests.)
const int ARROWS[4] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
// The controls screen's shapes (star corners + 4).
const int SHAPE_POINTS[4][4][2] = {{{94, 184}, {44, 284}, {144, 284}, {-1, -1}},
                                   {{264, 374}, {384, 434}, {264, 434}, {384, 374}},
                                   {{554, 284}, {504, 184}, {604, 184}, {-1, -1}},
                                   {{320, 184}, {320, 244}, {320, 304}, {-1, -1}}};
enum Screen { INTRO, TITLE, PLAY, ENDING, NAME_ENTRY };
unsigned player_random = 1;
Screen last_screen = INTRO;
int title_wait = -1, movement_left = 0, fire_left = 0;
struct Click { int x, y, button; };
Click queue[16];
int queued = 0, click_phase = 0;

// xorshift32: the game's own rand() sequence stays untouched by the player.
int roll(int n) {
    player_random ^= player_random << 13;
    player_random ^= player_random >> 17;
    player_random ^= player_random << 5;
    return static_cast<int>(player_random % static_cast<unsigned>(n));
}

Screen currentScreen() {
    if (intro_frame >= 0) return INTRO;
    if (game_mode == FrontEnd) return TITLE;
    return end_counter > 300 ? NAME_ENTRY : end_counter >= 0 ? ENDING : PLAY;
}

void queueClick(int x, int y, int button) {
    if (queued < 16) queue[queued++] = {std::clamp(x, 0, 639), std::clamp(y, 0, 479), button};
}

// Presses the head of the queue for two frames, releases it for two.
bool runClickQueue() {
    if (queued == 0) return false;
    mouse_x = queue[0].x, mouse_y = queue[0].y;
    mouse_b = click_phase < 2 ? mouse_b | queue[0].button : mouse_b & ~queue[0].button;
    if (++click_phase == 4) click_phase = 0, std::copy(queue + 1, queue + queued--, queue);
    return true;
}

// Waits a little on the title, then picks a mode; half the rounds may enter a
// name, as any score beats a fifth row of -1.
void actTitle() {
    if (runClickQueue() || fade_alpha < 255) return;
    if (title_wait < 0) title_wait = roll(240);
    if (title_wait-- > 0) return;
    int mode = 1 + roll(3);
    if (roll(2) == 0) scoreTableFor(mode).scores[4] = -1;
    queueClick(216 + roll(208), 240 + 32 * (mode - 1) + roll(16), 1);
    title_wait = -1;
}

void actPlay() {
    key[KEY_ESC] = roll(keep_alive ? 20000 : 5000) == 0;
    if (movement_left-- <= 0) {
        for (int k : ARROWS) key[k] = roll(3) == 0;
        movement_left = 5 + roll(60);
    }
    if (fire_left-- <= 0) mouse_b ^= 1, fire_left = (mouse_b & 1) ? roll(150) : roll(60);
    if (runClickQueue()) return;
    mouse_x = roll(640), mouse_y = roll(480);
    if (roll(500) == 0) {
        const int(*points)[2] = SHAPE_POINTS[roll(4)];
        int dx = roll(41) - 20, dy = roll(41) - 20;
        for (int i = 0; i < 4 && points[i][0] >= 0; ++i) queueClick(points[i][0] + dx, points[i][1] + dy, 2);
    } else if (roll(200) == 0) {
        queueClick(roll(640), roll(480), 2);
    }
}

// Letters, sometimes DELETE, now and then END!; ESC must be ignored here.
void actNameEntry() {
    key[KEY_ESC] = roll(50) == 0;
    if (runClickQueue()) return;
    int pick = roll(8);
    if (pick == 0) queueClick(288 + roll(64), 304 + roll(16), 1);
    else if (pick == 1) queueClick(272 + roll(96), 288 + roll(16), 1);
    else queueClick(168 + roll(304), 240 + roll(32), 1);
}

void playerActs() {
    Screen screen = currentScreen();
    if (screen != last_screen) std::fill(key, key + KEY_MAX, 0), mouse_b = queued = click_phase = 0;
    last_screen = screen;
    if (screen == TITLE) actTitle();
    if (screen == PLAY) actPlay();
    if (screen == NAME_ENTRY) actNameEntry();
}

// ---- The run ----
int fakeInstallInt(void (*proc)(), long) {
    for (auto& slot : installed_timers) if (slot == proc) return 0;
    for (auto& slot : installed_timers) if (!slot) return slot = proc, 0;
    return -1;
}
void fakeRemoveInt(void (*proc)()) {
    for (auto& slot : installed_timers) if (slot == proc) slot = nullptr;
}
TIMER_DRIVER recording_timer = {0, "soak", "soak", "soak", [] { return 0; }, [] {}, fakeInstallInt, fakeRemoveInt,
                                nullptr, nullptr, nullptr, nullptr, [](unsigned int, void (*)()) {}};
long frames = 0, rounds[4] = {};
GameMode mode_seen = FrontEnd;
unsigned seed = 1;

[[noreturn]] void failAndExit(const std::string& what) {
    std::fprintf(stderr, "soak FAILED at frame %ld (seed %u): %s\n", frames, seed, what.c_str());
    std::exit(1);
}

// Every wait of the game lands here instead of the 60 Hz tick.
void simulatedFrame() {
    frames += 1;
    if (frames % 60 == 0 && roundClockInstalled()) clockTick();
    std::string problem = checkPlayFrameAllocations();
    if (mode_seen == FrontEnd && game_mode != FrontEnd) {
        rounds[game_mode] += 1;
        keep_alive = game_mode != Marathon && rounds[game_mode] % 2 == 0;
        last_score = 0;
    } else if (mode_seen != FrontEnd && game_mode == FrontEnd) {
        problem += checkRoundOver();
    }
    mode_seen = game_mode;
    if (keep_alive && end_counter == -1 && gryffon->getLives() == 1) gryffon->addLife();
    if (problem.empty() && game_mode != FrontEnd) problem = checkSlots() + checkShip();
    if (!problem.empty()) failAndExit(problem);
    playerActs();
    blocks_before = blocks_made;
}

bool startSoakShell() {
    const char* folder = std::getenv("ZENVAR_RUN_DIR");
    if (access("font/font.bmp", R_OK) != 0 && chdir(folder ? folder : SOAK_RUN_DIR) != 0) return false;
    if (!startHeadlessGame()) return false;
    timer_driver = &recording_timer;
    // Never the player's score files: every table starts from the first-run rows.
    for (int mode = Marathon; mode <= FiveMinute; ++mode) loadScoreTable(scoreTableFor(mode), "soak-missing.dat");
    intro_frame = 0;
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    long target = argc > 1 ? std::atol(argv[1]) : 30000;
    seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (target <= 0) return std::fprintf(stderr, "usage: %s [FRAMES] [SEED]\n", argv[0]), 2;
    if (!startSoakShell()) return std::fprintf(stderr, "soak: the game's assets are missing\n"), 1;
    srand(seed);
    player_random = seed ? seed : 1;
    ship_counts = libraryCounts();
    frame_wait_override = simulatedFrame;
    // The main loop of the game. The player never chooses Exit, so nothing may end it.
    while (frames < target) {
        if (!running) failAndExit("the game quit though the player never chose Exit");
        if (intro_frame >= 0)
            introStep(back_buffer);
        else if (game_mode != FrontEnd)
            runPlayFrame(back_buffer);
        else
            frontEndPass(back_buffer);
        presentFrame(back_buffer, cursors);
    }
    frame_wait_override = nullptr;
    std::printf("soak: %ld frames, seed %u; rounds marathon %ld, two-minute %ld, five-minute %ld\n", frames, seed,
                rounds[Marathon], rounds[TwoMinute], rounds[FiveMinute]);
    if (clock_running) stopRoundClock();
    clearRoundObjects();
    timer_driver = nullptr;
    int left_over = stopHeadlessGame();
    if (left_over != 0) return std::fprintf(stderr, "soak FAILED: %d bitmaps left at shut-down\n", left_over), 1;
    std::printf("soak: all checks held\n");
    return 0;
}
