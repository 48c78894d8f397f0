// zenvar-soak [FRAMES] [SEED]: plays the real game headless for FRAMES
// simulated frames (default 30000) with seeded random input through every
// screen and all three modes, checking after every frame that the slots hold
// live objects on the field and that a play frame which brought in no enemy
// and no gem allocated nothing, and after every round that no enemy, gem,
// bitmap, clock or heap block outlived it. A failure names the frame and the
// seed that replays it; the sanitizer build runs it too.
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
#include "play/gryffon.h"
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
long frames = 0, rounds[4] = {}, allocation_baseline = -1, blocks_before = 0;
unsigned seed = 1, player_random = 1;
GameMode mode_seen = FrontEnd;
std::vector<int> ship_counts;  // the graphic library's counts with only the ship alive
const Enemy* enemies_before[ENEMY_SLOT_COUNT] = {};
bool playing_before = false;
// Random flying rarely lasts two minutes: every other timed round keeps its
// last ship (and rarely sees ESC) so the round runs until its clock does.
bool keep_alive = false;

// The timer driver records the callbacks instead of running them: the soak
// plays the 1 Hz round clock itself, one tick per 60 simulated frames.
void (*installed_timers[4])() = {};
TIMER_DRIVER recording_timer = {0, "soak", "soak", "soak", [] { return 0; }, [] {},
    [](void (*proc)(), long) {
        for (auto& slot : installed_timers) if (slot == proc) return 0;
        for (auto& slot : installed_timers) if (!slot) return slot = proc, 0;
        return -1;
    },
    [](void (*proc)()) {
        for (auto& slot : installed_timers) if (slot == proc) slot = nullptr;
    },
    nullptr, nullptr, nullptr, nullptr, [](unsigned int, void (*)()) {}};

std::vector<int> libraryCounts() {
    std::vector<int> counts;
    for (int i = 0; i < graphic_library->entryCount(); ++i) counts.push_back(graphic_library->countAt(i));
    return counts;
}

// Enemies are distinct and retired before they stray far; spawns come faster
// by one step every 2000 frames; a gem slot and its age agree; the ship stays on the field.
std::string checkFrame() {
    if (4000 - spawn_divisor != std::min(3999, frame_count / 2000)) return "spawn_divisor off its steps";
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        if (!enemy_slots[i]) continue;
        for (int j = 0; j < i; ++j) if (enemy_slots[j] == enemy_slots[i]) return "one enemy in two slots";
        double x = enemy_slots[i]->getX(), y = enemy_slots[i]->getY();
        if (!std::isfinite(x) || !std::isfinite(y) || x < -140 || x > 820 || y < -140 || y > 660)
            return "an enemy was never retired";
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i)
        if ((gem_slots[i] != nullptr) != (gem_ages[i] >= 0) || gem_ages[i] > 500) return "gem slot and age disagree";
    int x = gryffon->getX(), y = gryffon->getY();
    bool flying = end_counter == -1 && intro_counter != 0;
    return flying && (x < 0 || x > 608 || y < 0 || y > 442) ? "ship off the field" : "";
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

std::string checkRoundOver() {
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) if (enemy_slots[i]) return "an enemy outlived its round";
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) if (gem_slots[i] || gem_ages[i] != -1) return "a gem outlived its round";
    if (libraryCounts() != ship_counts) return "after the round the graphic library holds more than the ship's bitmaps";
    for (auto slot : installed_timers) if (slot == clockTick) return "the round clock outlived its round";
    if (allocation_baseline < 0) allocation_baseline = live_blocks;
    return live_blocks != allocation_baseline ? "live allocations grew over a round" : "";
}

// xorshift32: the game's own rand() sequence stays untouched by the player.
int roll(int n) {
    player_random ^= player_random << 13;
    player_random ^= player_random >> 17;
    player_random ^= player_random << 5;
    return static_cast<int>(player_random % static_cast<unsigned>(n));
}

// A restless player: on the title it picks a mode (half the time with a fifth
// row of -1, so any score enters a name); in a round it flies with the arrows,
// fires in bursts, right-clicks points (three close together make shapes
// often enough) and presses ESC now and then; at the name entry it clicks
// letters, DELETE and END!. A click is held two frames, then let go for two.
int click_x = 0, click_y = 0, click_button = 0, click_phase = 0;
void click(int x, int y, int button) { click_x = x, click_y = y, click_button = button, click_phase = 4; }

void playerActs() {
    if (click_phase > 0) {
        mouse_x = click_x, mouse_y = click_y;
        mouse_b = --click_phase >= 2 ? click_button : 0;
        return;
    }
    bool title = game_mode == FrontEnd && intro_frame < 0, name_entry = end_counter > 300;
    key[KEY_ESC] = 0;
    if (title && fade_alpha >= 255 && roll(120) == 0) {
        int mode = 1 + roll(3);
        if (roll(2) == 0) scoreTableFor(mode).scores[4] = -1;
        click(216 + roll(208), 240 + 32 * (mode - 1) + roll(16), 1);
    } else if (name_entry) {
        int pick = roll(8);
        click(pick == 0 ? 288 + roll(64) : pick == 1 ? 272 + roll(96) : 168 + roll(304),
              pick == 0 ? 304 + roll(16) : pick == 1 ? 288 + roll(16) : 240 + roll(32), 1);
    } else if (game_mode != FrontEnd && end_counter == -1) {
        if (roll(30) == 0) for (int k : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}) key[k] = roll(3) == 0;
        if (roll(60) == 0) mouse_b ^= 1;
        mouse_x = std::clamp(mouse_x + roll(33) - 16, 0, 639), mouse_y = std::clamp(mouse_y + roll(33) - 16, 0, 479);
        if (roll(100) == 0) click(mouse_x, mouse_y, 2 | (mouse_b & 1));
        key[KEY_ESC] = roll(keep_alive ? 20000 : 5000) == 0;
    }
}

[[noreturn]] void failAndExit(const std::string& what) {
    std::fprintf(stderr, "soak FAILED at frame %ld (seed %u): %s\n", frames, seed, what.c_str());
    std::exit(1);
}

// Every wait of the game lands here instead of the 60 Hz tick.
void simulatedFrame() {
    frames += 1;
    for (auto slot : installed_timers) if (slot == clockTick && frames % 60 == 0) clockTick();
    std::string problem = checkPlayFrameAllocations();
    if (mode_seen == FrontEnd && game_mode != FrontEnd) {
        rounds[game_mode] += 1;
        keep_alive = game_mode != Marathon && rounds[game_mode] % 2 == 0;
    } else if (mode_seen != FrontEnd && game_mode == FrontEnd) {
        problem += checkRoundOver();
    }
    mode_seen = game_mode;
    if (keep_alive && end_counter == -1 && gryffon->getLives() == 1) gryffon->addLife();
    if (problem.empty() && game_mode != FrontEnd) problem = checkFrame();
    if (!problem.empty()) failAndExit(problem);
    playerActs();
    blocks_before = blocks_made;
}
}  // namespace

int main(int argc, char** argv) {
    long target = argc > 1 ? std::atol(argv[1]) : 30000;
    seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (target <= 0) return std::fprintf(stderr, "usage: %s [FRAMES] [SEED]\n", argv[0]), 2;
    const char* folder = std::getenv("ZENVAR_RUN_DIR");
    if ((access("font/font.bmp", R_OK) != 0 && chdir(folder ? folder : SOAK_RUN_DIR) != 0) || !startHeadlessGame())
        return std::fprintf(stderr, "soak: the game's assets are missing\n"), 1;
    timer_driver = &recording_timer;
    // Never the player's score files: every table starts from the first-run rows.
    for (int mode = Marathon; mode <= FiveMinute; ++mode) loadScoreTable(scoreTableFor(mode), "soak-missing.dat");
    intro_frame = 0;
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
