// zenvar-soak [FRAMES] [SEED]: plays the real game headless for FRAMES
// simulated frames (default 30000) with seeded random input across all three
// modes, checking the game's invariants after every frame and every round: a
// broken slot pointer, an overflowing pool, a counter out of its range or a
// bitmap that outlives its round shows up at the frame it happens, with the
// seed that replays it. Exit code 0 when every check held.
#include <allegro.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "app/headless_platform.h"
#include "audio/sound_bank.h"
#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/enemy.h"
#include "play/enemy_shot.h"
#include "play/gem.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_loop.h"
#include "play/round_state.h"
#include "scores/score_table.h"
#include "soak/soak.h"

// Every block of the game's own objects comes from operator new; a finished
// round must leave their count as the first one did.
static std::atomic<long> live_blocks{0};
void* operator new(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    live_blocks += 1;
    return block;
}
void operator delete(void* block) noexcept {
    if (!block) return;
    live_blocks -= 1;
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
long liveAllocations() { return live_blocks; }

bool roundClockInstalled();

namespace {
std::vector<int> ship_counts;  // the graphic library's counts with only the ship alive
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
    int clock_start = game_mode == FiveMinute ? 300 : 120;
    if (game_mode != Marathon) problem += outside("seconds_left", seconds_left, -1, clock_start);
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
std::vector<int> libraryCounts() {
    std::vector<int> counts;
    for (int i = 0; i < graphic_library->entryCount(); ++i) counts.push_back(graphic_library->countAt(i));
    return counts;
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
    if (libraryCounts() != ship_counts) return "after the round the graphic library holds more than the ship's bitmaps";
    if (clock_running) return "the round clock outlived its round";
    if (allocation_baseline < 0) allocation_baseline = live_allocations;
    if (live_allocations != allocation_baseline) return "live allocations grew over a round";
    return "";
}
}  // namespace

namespace {
// The timer driver records the callbacks instead of running them: the soak
// plays the 1 Hz round clock itself, one tick per 60 simulated frames.
void (*installed_timers[4])() = {};
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
BITMAP* screen_stand_in = nullptr;
BITMAP** const SCREEN_ART[] = {&game_background, &title_background, &game_logo, &publisher_logo, &developer_logo,
                               &star_images[0], &star_images[1], &cursors[0], &cursors[1], &cursors[2], &cursors[3]};
const char* const SCREEN_ART_FILES[] = {"backgrounds/gamebg.bmp", "backgrounds/titlebg.bmp", "logo/zenvarlogo.bmp",
                                        "logo/holtrane.bmp", "logo/ostwick.bmp", "sprites/mini-star/mini-star1.bmp",
                                        "sprites/mini-star/mini-star2.bmp", "cursors/cursor1.bmp",
                                        "cursors/cursor2.bmp", "cursors/cursor3.bmp", "cursors/cursor4.bmp"};

long frames = 0, rounds[4] = {}, restarts = 0;
GameMode mode_seen = FrontEnd;
unsigned seed = 1;
// Random flying rarely lasts two minutes: every other timed round the soak
// tops up the last ship so the round runs until its clock does.
bool keep_alive = false;

[[noreturn]] void failAndExit(const std::string& what) {
    std::fprintf(stderr, "soak FAILED at frame %ld (seed %u): %s\n", frames, seed, what.c_str());
    std::exit(1);
}

// Every wait of the game lands here instead of the 60 Hz tick.
void simulatedFrame() {
    frames += 1;
    if (frames % 60 == 0 && roundClockInstalled()) clockTick();
    if (mode_seen == FrontEnd && game_mode != FrontEnd) {
        rounds[game_mode] += 1;
        keep_alive = game_mode != Marathon && rounds[game_mode] % 2 == 0;
        soakRoundStarted();
    } else if (mode_seen != FrontEnd && game_mode == FrontEnd) {
        std::string problem = checkRoundOver(liveAllocations());
        if (!problem.empty()) failAndExit(problem);
    }
    mode_seen = game_mode;
    if (keep_alive && end_counter == -1 && gryffon->getLives() == 1) gryffon->addLife();
    std::string problem = checkFrame();
    if (!problem.empty()) failAndExit(problem);
    if (!soakPlayerActs(problem)) failAndExit(problem);
}
}  // namespace

bool roundClockInstalled() {
    for (auto slot : installed_timers) if (slot == clockTick) return true;
    return false;
}

bool startSoakShell() {
    const char* folder = std::getenv("ZENVAR_RUN_DIR");
    if (access("font/font.bmp", R_OK) != 0 && chdir(folder ? folder : SOAK_RUN_DIR) != 0) return false;
    screen_stand_in = startHeadlessPlatform();
    timer_driver = &recording_timer;
    try {
        sound_bank = new SoundBank();
        sound_bank->load();
        graphic_library = new GraphicLibrary();
        bitmap_font = new BitmapFont();
        gryffon = new Gryffon(graphic_library);
    } catch (int code) {
        std::fprintf(stderr, "soak: start-up failed with error %d\n", code);
        return false;
    }
    back_buffer = create_bitmap(640, 480);
    clear_bitmap(back_buffer);
    for (size_t i = 0; i < sizeof SCREEN_ART / sizeof *SCREEN_ART; ++i)
        if (!(*SCREEN_ART[i] = load_bitmap(SCREEN_ART_FILES[i], nullptr))) return false;
    // Never the player's score files: every table starts from the first-run rows.
    for (int mode = Marathon; mode <= FiveMinute; ++mode) loadScoreTable(scoreTableFor(mode), "soak-missing.dat");
    intro_frame = 0;
    return true;
}

int stopSoakShell() {
    if (clock_running) stopRoundClock();
    sound_bank->unload();
    delete sound_bank;
    clearRoundObjects();
    bitmap_font->unload();
    delete bitmap_font;
    gryffon->releaseGraphics(graphic_library);
    delete gryffon;
    int left_over = graphic_library->entryCount();
    delete graphic_library;
    for (BITMAP** art : SCREEN_ART) destroy_bitmap(*art), *art = nullptr;
    destroy_bitmap(back_buffer);
    destroy_bitmap(screen_stand_in);
    screen = nullptr;
    timer_driver = nullptr;
    return left_over;
}

int main(int argc, char** argv) {
    long target = argc > 1 ? std::atol(argv[1]) : 30000;
    seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (target <= 0) return std::fprintf(stderr, "usage: %s [FRAMES] [SEED]\n", argv[0]), 2;
    if (!startSoakShell()) return std::fprintf(stderr, "soak: the game's assets are missing\n"), 1;
    srand(seed);
    seedSoakPlayer(seed);
    ship_counts = libraryCounts();
    frame_wait_override = simulatedFrame;
    // The main loop of the game; a quit from the title only restarts it.
    while (frames < target) {
        if (!running) running = true, restarts += 1;
        if (intro_frame >= 0)
            introStep(back_buffer);
        else if (game_mode != FrontEnd)
            runPlayFrame(back_buffer);
        else
            frontEndPass(back_buffer);
        presentFrame(back_buffer, cursors);
    }
    frame_wait_override = nullptr;
    std::printf("soak: %ld frames, seed %u; rounds marathon %ld, two-minute %ld, five-minute %ld; names %ld, "
                "pauses %ld, shapes %ld, ESC %ld, quits %ld\n",
                frames, seed, rounds[Marathon], rounds[TwoMinute], rounds[FiveMinute], names_typed, pauses_taken,
                shapes_drawn, escapes_pressed, restarts);
    int left_over = stopSoakShell();
    if (left_over != 0) return std::fprintf(stderr, "soak FAILED: %d bitmaps left at shut-down\n", left_over), 1;
    std::printf("soak: all checks held\n");
    return 0;
}
