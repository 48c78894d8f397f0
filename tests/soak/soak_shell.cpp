#include "soak/soak_shell.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/frame_clock.h"
#include "app/headless_platform.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"
#include "play/round_loop.h"
#include "play/round_state.h"
#include "scores/score_table.h"

#ifndef SOAK_RUN_DIR
#define SOAK_RUN_DIR "."
#endif

namespace {

// The game installs at most two timer callbacks (frame tick, round clock).
const int TIMER_SLOTS = 4;
void (*installed_timers[TIMER_SLOTS])() = {};

int fakeTimerInit() { return 0; }
void fakeTimerExit() {}
int fakeInstallInt(void (*proc)(), long) {
    for (auto& slot : installed_timers) {
        if (slot == proc) return 0;
    }
    for (auto& slot : installed_timers) {
        if (!slot) {
            slot = proc;
            return 0;
        }
    }
    return -1;
}
void fakeRemoveInt(void (*proc)()) {
    for (auto& slot : installed_timers)
        if (slot == proc) slot = nullptr;
}
void fakeRest(unsigned int, void (*)()) {}

TIMER_DRIVER recording_timer = {
    0,       "soak timer", "soak timer", "soak timer", fakeTimerInit, fakeTimerExit, fakeInstallInt,
    fakeRemoveInt, nullptr, nullptr, nullptr,  nullptr,       fakeRest};

BITMAP* screen_stand_in = nullptr;

// The assets are read relative to the working folder, as in the game.
bool enterRunFolder() {
    if (access("font/font.bmp", R_OK) == 0) return true;
    const char* folder = std::getenv("ZENVAR_RUN_DIR");
    if (!folder) folder = SOAK_RUN_DIR;
    if (chdir(folder) == 0 && access("font/font.bmp", R_OK) == 0) return true;
    std::fprintf(stderr, "soak: no game assets in the working folder or in %s\n", folder);
    return false;
}

void startHeadlessLibrary() {
    screen_stand_in = startHeadlessPlatform();
    timer_driver = &recording_timer;
}

bool loadScreenArt() {
    const char* cursor_paths[4] = {"cursors/cursor1.bmp", "cursors/cursor2.bmp", "cursors/cursor3.bmp",
                                   "cursors/cursor4.bmp"};
    for (int i = 0; i < 4; ++i) cursors[i] = load_bitmap(cursor_paths[i], nullptr);
    game_background = load_bitmap("backgrounds/gamebg.bmp", nullptr);
    title_background = load_bitmap("backgrounds/titlebg.bmp", nullptr);
    game_logo = load_bitmap("logo/zenvarlogo.bmp", nullptr);
    publisher_logo = load_bitmap("logo/holtrane.bmp", nullptr);
    developer_logo = load_bitmap("logo/ostwick.bmp", nullptr);
    star_images[0] = load_bitmap("sprites/mini-star/mini-star1.bmp", nullptr);
    star_images[1] = load_bitmap("sprites/mini-star/mini-star2.bmp", nullptr);
    bool all = game_background && title_background && game_logo && publisher_logo && developer_logo &&
               star_images[0] && star_images[1];
    for (BITMAP* cursor : cursors) all = all && cursor;
    return all;
}

void destroyAndForget(BITMAP*& bitmap) {
    if (bitmap) destroy_bitmap(bitmap);
    bitmap = nullptr;
}

}  // namespace

bool SoakShell::start() {
    if (!enterRunFolder()) return false;
    startHeadlessLibrary();
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
    if (!loadScreenArt()) {
        std::fprintf(stderr, "soak: screen art missing\n");
        return false;
    }
    enemy_slot_count = ENEMY_SLOT_COUNT;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) enemy_slots[i] = nullptr;
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        gem_slots[i] = nullptr;
        gem_ages[i] = -1;
    }
    // The soak never reads the player's score files: every table starts from
    // the rows the game uses when its file is missing.
    loadScoreTable(marathon_table, "soak-missing-marathon.dat");
    loadScoreTable(two_minute_table, "soak-missing-twominute.dat");
    loadScoreTable(five_minute_table, "soak-missing-fiveminute.dat");
    intro_frame = 0;
    return true;
}

int SoakShell::stop() {
    if (clock_running) stopRoundClock();
    sound_bank->unload();
    delete sound_bank;
    sound_bank = nullptr;
    clearRoundObjects();
    destroyAndForget(star_images[0]);
    destroyAndForget(star_images[1]);
    bitmap_font->unload();
    delete bitmap_font;
    bitmap_font = nullptr;
    gryffon->releaseGraphics(graphic_library);
    delete gryffon;
    gryffon = nullptr;
    int left_over = graphic_library->entryCount();
    delete graphic_library;
    graphic_library = nullptr;
    destroyAndForget(game_background);
    destroyAndForget(title_background);
    destroyAndForget(game_logo);
    destroyAndForget(publisher_logo);
    destroyAndForget(developer_logo);
    for (BITMAP*& cursor : cursors) destroyAndForget(cursor);
    destroyAndForget(back_buffer);
    screen = nullptr;
    destroyAndForget(screen_stand_in);
    timer_driver = nullptr;
    return left_over;
}

bool SoakShell::roundClockInstalled() {
    for (auto slot : installed_timers)
        if (slot == clockTick) return true;
    return false;
}

void SoakShell::tickRoundClock() {
    if (roundClockInstalled()) clockTick();
}
