// zenvar-soak [FRAMES] [SEED]: plays the real game headless for FRAMES
// simulated frames (default 30000) with seeded random input across all three
// modes. Exit code 0 when every check held.
#include <allegro.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/front_end.h"
#include "app/headless_platform.h"
#include "audio/sound_bank.h"
#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"
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
    rememberShipEntries();
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
