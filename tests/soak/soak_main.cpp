// zenvar-soak [FRAMES] [SEED]: the real game headless with seeded random input through
// every screen and mode. A play frame that brought in no enemy or gem allocates nothing;
// no round clock or heap block outlives a round, no bitmap the game. Failures name frame and seed.
#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/headless_platform.h"
#include "app/zenvar_main.h"
#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "play/gryffon.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "scores/score_table.h"

static std::atomic<long> live_blocks{0}, blocks_made{0};
void* operator new(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    return ++live_blocks, ++blocks_made, block;
}
void operator delete(void* block) noexcept {
    if (block) --live_blocks, std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {
long frames = 0, rounds[4] = {}, live_after_round = -1, made_before = 0;
unsigned seed = 1, player_random = 1;
GameMode mode_seen = FrontEnd;
const Enemy* enemies_before[ENEMY_SLOT_COUNT] = {};
bool playing_before = false, keep_alive = false;

// Headless Allegro has no timer: the driver only remembers the round clock,
// and the soak ticks it once every 60 frames.
void (*round_clock)() = nullptr;
TIMER_DRIVER recording_timer = {0, "soak", "soak", "soak", [] { return 0; }, [] {},
    [](void (*proc)(), long) { return round_clock = proc, 0; },
    [](void (*proc)()) { round_clock = round_clock == proc ? nullptr : round_clock; },
    nullptr, nullptr, nullptr, nullptr, [](unsigned int, void (*)()) {}};

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "soak FAILED at frame %ld (seed %u): %s\n", frames, seed, what);
    std::exit(1);
}

// Mid-round, only a new enemy or a dropped gem (age 0 until the next gem step) may allocate.
void checkPlayFrameAllocations() {
    bool playing = game_mode != FrontEnd && end_counter == -1, brought_in = false;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) brought_in |= enemy_slots[i] && enemy_slots[i] != enemies_before[i];
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) brought_in |= gem_slots[i] && gem_ages[i] == 0;
    require(!playing || !playing_before || brought_in || blocks_made == made_before, "a play frame allocated");
    std::copy(enemy_slots, enemy_slots + ENEMY_SLOT_COUNT, enemies_before);
    playing_before = playing;
}

void checkRoundOver() {
    require(!round_clock, "the round clock outlived its round");
    if (live_after_round < 0) live_after_round = live_blocks;
    require(live_blocks == live_after_round, "live allocations grew over a round");
}

int roll(int n) {  // xorshift32: the game's own rand() sequence stays the game's
    player_random ^= player_random << 13;
    player_random ^= player_random >> 17;
    player_random ^= player_random << 5;
    return int(player_random % unsigned(n));
}

// A restless player. A click is held two frames, then let go for two.
int click_x = 0, click_y = 0, click_button = 0, click_phase = 0;
void click(int x, int y, int button) { click_x = x, click_y = y, click_button = button, click_phase = 4; }

void playerActs() {
    if (click_phase > 0) {
        mouse_x = click_x, mouse_y = click_y;
        mouse_b = --click_phase >= 2 ? click_button : 0;
        return;
    }
    key[KEY_ESC] = 0;
    if (game_mode == FrontEnd && intro_frame < 0 && fade_alpha >= 255 && roll(120) == 0) {
        int mode = 1 + roll(3);  // half the time a table with room, so any score enters a name
        if (roll(2) == 0) scoreTableFor(mode).scores[4] = -1;
        click(216 + roll(208), 240 + 32 * (mode - 1) + roll(16), 1);
    } else if (end_counter > 300) {  // name entry: END!, DELETE or a letter
        int pick = roll(8);
        click(pick == 0 ? 288 + roll(64) : pick == 1 ? 272 + roll(96) : 168 + roll(304),
              pick == 0 ? 304 + roll(16) : pick == 1 ? 288 + roll(16) : 240 + roll(32), 1);
    } else if (game_mode != FrontEnd && end_counter == -1) {
        if (roll(30) == 0) for (int k : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN}) key[k] = roll(3) == 0;
        if (roll(60) == 0) mouse_b ^= 1;
        mouse_x = std::clamp(mouse_x + roll(33) - 16, 0, 639), mouse_y = std::clamp(mouse_y + roll(33) - 16, 0, 479);
        if (roll(100) == 0) click(mouse_x, mouse_y, 2 | (mouse_b & 1));  // points close together make shapes
        key[KEY_ESC] = !keep_alive && roll(5000) == 0;
    }
}

// Every wait of the game lands here instead of the 60 Hz tick.
void simulatedFrame() {
    if (++frames % 60 == 0 && round_clock == clockTick) clockTick();
    checkPlayFrameAllocations();
    if (mode_seen == FrontEnd && game_mode != FrontEnd)  // random flying rarely lasts a timed round's clock
        keep_alive = ++rounds[game_mode] % 2 == 0 && game_mode != Marathon;
    else if (mode_seen != FrontEnd && game_mode == FrontEnd)
        checkRoundOver();
    mode_seen = game_mode;
    if (keep_alive && end_counter == -1 && gryffon->getLives() == 1) gryffon->addLife();
    playerActs();
    made_before = blocks_made;
}
}  // namespace

int main(int argc, char** argv) {
    long target = argc > 1 ? std::atol(argv[1]) : 30000;
    seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (target <= 0) return std::fprintf(stderr, "usage: %s [FRAMES] [SEED]\n", argv[0]), 2;
    if ((access("font/font.bmp", R_OK) != 0 && chdir(SOAK_RUN_DIR) != 0) || !startHeadlessGame())
        return std::fprintf(stderr, "soak: the game's assets are missing\n"), 1;
    timer_driver = &recording_timer;
    // Never the player's score files: every table starts from the first-run rows.
    for (int mode = Marathon; mode <= FiveMinute; ++mode) loadScoreTable(scoreTableFor(mode), "soak-missing.dat");
    intro_frame = 0;
    srand(seed);
    player_random = seed ? seed : 1;
    frame_wait_override = simulatedFrame;
    while (frames < target) {  // the game's main loop; the player never chooses Exit
        require(running, "the game quit though the player never chose Exit");
        runPass(back_buffer);
        presentFrame(back_buffer, cursors, nextPassRepaintsEverything());
    }
    frame_wait_override = nullptr;
    std::printf("soak: %ld frames, seed %u; rounds marathon %ld, two-minute %ld, five-minute %ld\n", frames, seed,
                rounds[Marathon], rounds[TwoMinute], rounds[FiveMinute]);
    if (clock_running) stopRoundClock();
    clearRoundObjects();
    timer_driver = nullptr;
    if (int left_over = stopHeadlessGame())
        return std::fprintf(stderr, "soak FAILED: %d bitmaps left at shut-down\n", left_over), 1;
    std::printf("soak: all checks held\n");
    return 0;
}
