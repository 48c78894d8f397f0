// Shared set-up for the round tests: the program-wide objects the round loop
// reaches (graphic library, font, a silent sound bank, the ship), a clean
// round past its countdown with no input, and a black back buffer.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/sound_bank.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/enemy.h"
#include "play/gem.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "scores/score_table.h"
#include "support/headless.h"

namespace round_testing {

// The program-wide objects, created once for the whole test program.
inline void ensureGameObjects() {
    if (!graphic_library) graphic_library = new GraphicLibrary();
    if (!bitmap_font) bitmap_font = new BitmapFont();
    if (!sound_bank) sound_bank = new SoundBank();
    if (!gryffon) gryffon = new Gryffon(graphic_library);
    if (!game_background) game_background = load_bitmap("backgrounds/gamebg.bmp", nullptr);
}

// A new ship, so angle, thrust frame and sweep start from construction values.
inline void freshShip() {
    gryffon->releaseGraphics(graphic_library);
    delete gryffon;
    gryffon = new Gryffon(graphic_library);
}

// Runs draw() until the ship's hit counter reads `count` (after a hit or reset).
inline void drawUntilHitCounter(int count, BITMAP* scratch) {
    for (int guard = 0; guard < 300 && gryffon->getHitCounter() != count; ++guard) gryffon->draw(scratch);
}

template <class Kind>
Kind* makeEnemy(double x, double y) {
    Kind* enemy = new Kind(graphic_library);
    enemy->setPosition(x, y);
    return enemy;
}

inline int countEnemies() {
    int n = 0;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) n += enemy_slots[i] != nullptr;
    return n;
}

inline bool sameRegion(BITMAP* a, BITMAP* b, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGameObjects();
        testing_support::releaseAllInput();
        testing_support::clearFrameScript();
        close_requested = focus_lost = paused = time_up = esc_latch = p_latch = right_click_latch = false;
        running = true;
        fire_counter = -1;
        mouse_x = 320;
        mouse_y = 100;
        clearRoundObjects();
        srand(1);
        startRound(Marathon);
        intro_counter = -1;
        frame_count = 10;
        buffer = create_bitmap(640, 480);
        scratch = create_bitmap(640, 480);
        clear_bitmap(buffer);
    }
    void TearDown() override {
        clearRoundObjects();
        testing_support::clearFrameScript();
        testing_support::releaseAllInput();
        close_requested = false;
        game_mode = FrontEnd;
        end_counter = -1;
        destroy_bitmap(buffer);
        destroy_bitmap(scratch);
    }
    // A ship that flies normally (hit counter -1) at (x, y).
    void flyingShipAt(int x, int y) {
        gryffon->reset();
        gryffon->setPosition(x, y);
        drawUntilHitCounter(-1, scratch);
    }
    BITMAP* buffer = nullptr;
    BITMAP* scratch = nullptr;
};

}  // namespace round_testing
