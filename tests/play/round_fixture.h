// Shared set-up for the play tests: the program-wide objects (a silent sound bank), a clean
// round past its countdown with a new ship at (301, 221), and each enemy kind's facts.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/sound_bank.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "core/whole_fixed.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/big_battleship.h"
#include "play/blade.h"
#include "play/end_sequence.h"
#include "play/enemy_shot.h"
#include "play/gem.h"
#include "play/gem_step.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/hit_pass.h"
#include "play/homing.h"
#include "play/hud.h"
#include "play/pawn.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "play/shadow.h"
#include "play/spawn_director.h"
#include "play/wyvern.h"
#include "scores/score_table.h"
#include "support/headless.h"

namespace round_testing {

struct Point { int x, y; };

// Created once for the whole test program.
inline void ensureGameObjects() {
    if (!graphic_library) graphic_library = new GraphicLibrary();
    if (!bitmap_font) bitmap_font = new BitmapFont();
    if (!sound_bank) sound_bank = new SoundBank();
    if (!gryffon) gryffon = new Gryffon(graphic_library);
    if (!game_background) game_background = load_bitmap("backgrounds/gamebg.bmp", nullptr);
}

// Runs draw() until the ship's hit counter reads `count` (after a hit or reset).
inline void drawUntilHitCounter(int count, BITMAP* scratch) {
    for (int guard = 0; guard < 300 && gryffon->getHitCounter() != count; ++guard) gryffon->draw(scratch);
}

inline void idleLasers() {
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
}

inline GryffonLaser* laserAt(double x, double y) {
    GryffonLaser* laser = gryffon->getLaser(0);
    laser->setPosition(x, y);
    laser->setActive(true);
    return laser;
}

inline void addPoints(std::initializer_list<Point> points) {
    for (Point p : points) gryffon->addPoint(p.x, p.y);
}

inline void putGem(int slot, int x, int y, int age = 20) {
    gem_slots[slot] = new Gem(graphic_library);
    gem_slots[slot]->setPosition(x, y);
    gem_slots[slot]->setActive(true);
    gem_ages[slot] = age;
}

template <class Kind>
Kind* makeEnemy(double x, double y) {
    Kind* enemy = new Kind(graphic_library);
    enemy->setPosition(x, y);
    return enemy;
}

inline void retire(Enemy* enemy, GraphicLibrary* library = graphic_library) {
    enemy->releaseGraphics(library);
    delete enemy;
}

inline bool sameRegion(BITMAP* a, BITMAP* b, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

template <class Kind>
Enemy* make(GraphicLibrary* library) {
    return new Kind(library);
}

struct KindFacts {
    const char* name;
    Enemy* (*make)(GraphicLibrary*);
    int hitPoints, score;
    const char* artFile;    // one file the kind cannot do without
    const char* killSound;  // as heard: name, and @permille when not at full speed
};

inline std::vector<KindFacts> allKinds() {
    return {
        {"pawn", make<Pawn>, 1, 160, "sprites/pawn/pawn2.bmp", "enemydie "},
        {"shadow", make<Shadow>, 1, 320, "sprites/bullets/enemybullet1.bmp", "enemydie "},
        {"blade", make<Blade>, 3, 320, "sprites/enemyexplosion/enemyexplosion3.bmp", "enemydie "},
        {"wyvern", make<Wyvern>, 25, 2500, "sprites/wyvern/wyvernexplosion9.bmp", "enemybigdie@800 "},
        {"big battleship", make<BigBattleship>, 25, 4000, "sprites/bullets/enemylaser.bmp", ""},
    };
}

class RoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGameObjects();
        // A new ship, so angle, thrust frame and sweep start from construction values.
        gryffon->releaseGraphics(graphic_library);
        delete gryffon;
        gryffon = new Gryffon(graphic_library);
        testing_support::releaseAllInput();
        testing_support::clearFrameScript();
        close_requested = focus_lost = paused = time_up = esc_latch = p_latch = right_click_latch = false;
        running = true;
        fire_counter = -1;
        mouse_x = 320, mouse_y = 100;
        clearRoundObjects();
        srand(1);
        startRound(Marathon);
        intro_counter = -1;
        frame_count = 10;
        buffer = create_bitmap(640, 480);
        scratch = create_bitmap(640, 480);
        clear_bitmap(buffer);
        flyingShipAt(301, 221);
    }
    void TearDown() override {
        clearRoundObjects();
        testing_support::clearFrameScript();
        testing_support::releaseAllInput();
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
