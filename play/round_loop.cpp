#include "play/round_loop.h"

#include <allegro.h>

#include "core/whole_fixed.h"
#include "core/frame_clock.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/end_sequence.h"
#include "play/enemy.h"
#include "play/enemy_kinds.h"
#include "play/enemy_shot.h"
#include "play/game_random.h"
#include "play/gem_step.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/hit_pass.h"
#include "play/homing.h"
#include "play/hud.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "play/spawn_director.h"

namespace {
const int STICK_THRESHOLD = 75;
const int SHIP_MAX_X = 608;
const int SHIP_MAX_Y = 442;
const int SHIP_STEP = 4;

bool leftHeld() {
    const JOYSTICK_AXIS_INFO& axis = joy[0].stick[0].axis[0];
    return key[KEY_LEFT] || key[KEY_4_PAD] || key[KEY_A] || axis.d1 || axis.pos < -STICK_THRESHOLD;
}
bool rightHeld() {
    const JOYSTICK_AXIS_INFO& axis = joy[0].stick[0].axis[0];
    return key[KEY_RIGHT] || key[KEY_6_PAD] || key[KEY_D] || axis.d2 || axis.pos > STICK_THRESHOLD;
}
bool upHeld() {
    const JOYSTICK_AXIS_INFO& axis = joy[0].stick[0].axis[1];
    return key[KEY_UP] || key[KEY_8_PAD] || key[KEY_W] || axis.d1 || axis.pos < -STICK_THRESHOLD;
}
bool downHeld() {
    const JOYSTICK_AXIS_INFO& axis = joy[0].stick[0].axis[1];
    return key[KEY_DOWN] || key[KEY_2_PAD] || key[KEY_S] || axis.d2 || axis.pos > STICK_THRESHOLD;
}

// Left wins over right, up over down.
void moveShip(Gryffon* ship) {
    if (leftHeld())
        ship->moveHorizontal(-SHIP_STEP);
    else if (rightHeld())
        ship->moveHorizontal(SHIP_STEP);
    else
        ship->idleHorizontal();
    if (upHeld())
        ship->moveVertical(-SHIP_STEP);
    else if (downHeld())
        ship->moveVertical(SHIP_STEP);
    else
        ship->idleVertical();
}

void clampShip(Gryffon* ship) {
    int x = ship->getX(), y = ship->getY();
    if (x < 0) x = 0;
    if (x > SHIP_MAX_X) x = SHIP_MAX_X;
    if (y < 0) y = 0;
    if (y > SHIP_MAX_Y) y = SHIP_MAX_Y;
    ship->setPosition(x, y);
}

void aimShip(Gryffon* ship) {
    int dx = mouse_x - ship->centreX();
    int up = ship->centreY() - mouse_y;
    ship->setAngle(fixatan2(wholeFixed(dx), wholeFixed(up)));
}

// A press fires at once, then every 6th frame held (every 4th with the
// vertical line). "Reached" is read as at least, so a shape change mid-hold
// cannot leave the counter past its reset value.
void fireCadence(Gryffon* ship, int& fire_count, SoundBank* sounds) {
    if (!(mouse_b & 1)) {
        fire_count = -1;
        return;
    }
    fire_count += 1;
    int period = ship->getActiveShape() == SHAPE_VERTICAL_LINE ? 4 : 6;
    if (fire_count >= period) fire_count = 0;
    if (fire_count == 0) ship->fire(sounds);
}

void placePoints(Gryffon* ship, bool& right_latch) {
    if (pressedOnce(mouse_b & 2, right_latch)) ship->addPoint(mouse_x, mouse_y);
}

void escapeKey(SoundBank* sounds, bool& escape_latch, int& end_count) {
    if (!pressedOnce(key[KEY_ESC], escape_latch)) return;
    end_count = END_COUNTER_ESC;
    sounds->stopMusic();
}

void runEnemy(Enemy* enemy, BITMAP* buffer) {
    enemy->update();
    const EnemyKind& row = enemy->getKindRow();
    if (row.rumblesWhileDying && enemy->getExplosionCounter() % 6 == 1) sound_bank->playEnemyBigDie();
    if (row.homingRate > 0) homeOnShip(enemy, gryffon);
    if (row.firesEveryFrame || gameRandom() % 200 == 0) enemy->fire(sound_bank);
    enemy->updateShots();
    for (int i = 0; i < enemy->getShotCount(); ++i) {
        EnemyShot* shot = enemy->getShot(i);
        if (shot) shot->draw(buffer);
    }
    enemy->draw(buffer);
}

void runShip(BITMAP* buffer) {
    gryffon->update();
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->draw(buffer);
    gryffon->draw(buffer);
}

void inputStep() {
    if (end_counter != -1) {
        poll_mouse();
        return;
    }
    if (frame_count > 1) {
        previous_shape = current_shape;
        playInputStep(gryffon, fire_counter, right_click_latch, sound_bank, screen, bitmap_font, p_latch,
                      esc_latch, current_shape, end_counter, paused);
        if (current_shape != previous_shape && previous_shape == SHAPE_NONE) banner_timer = 0;
    }
    if (end_counter >= END_COUNTER_ESC) stopRoundClock();
}

void timeUpStep() {
    if (!time_up) return;
    time_up = false;
    if (end_counter == -1) end_counter = 0;  // ESC in this same frame wins
    stopRoundClock();
    sound_bank->stopMusic();
}
}  // namespace

void startRound(GameMode mode) {
    game_mode = mode;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) enemy_slots[i] = nullptr;
    gryffon->reset();
    gryffon->setPosition(301, 221);
    end_counter = -1;
    spawn_divisor = 4000;
    spawn_side = gameRandom() % 4;
    sound_bank->playGameMusic();
    frame_count = 0;
    intro_counter = 0;
    next_bonus = FIRST_BONUS;
    previous_shape = SHAPE_NONE;
    current_shape = SHAPE_NONE;
    banner_timer = -1;
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    if (mode == TwoMinute) seconds_left = 120;
    if (mode == FiveMinute) seconds_left = 300;
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        gem_slots[i] = nullptr;
        gem_ages[i] = -1;
    }
}

void pauseGame(SoundBank* sounds, BITMAP* screen_bitmap, BitmapFont* font, bool& pause_latch,
               std::atomic<bool>& pause_flag) {
    pause_latch = true;
    pause_flag = true;
    acquire_bitmap(screen_bitmap);
    font->draw(screen_bitmap, "Pause!", 272, 224);
    release_bitmap(screen_bitmap);
    sounds->stopMusic();
    // Holding P from the press that paused does not resume: it must be let go
    // first. So must a P held while the window is away: the press that comes
    // back with the focus was meant for another window.
    while (!shellShouldStop()) {
        poll_keyboard();
        if (focus_lost) pause_latch = true;
        if (pressedOnce(key[KEY_P], pause_latch)) break;
        waitMilliseconds(10);
    }
    pause_flag = false;
    // P reached the window, so any focus lost meanwhile is back.
    focus_lost = false;
    sounds->playGameMusic();
}

void steerShip(Gryffon* ship, int& fire_count, bool& right_latch, SoundBank* sounds) {
    moveShip(ship);
    clampShip(ship);
    aimShip(ship);
    fireCadence(ship, fire_count, sounds);
    placePoints(ship, right_latch);
}

void playInputStep(Gryffon* ship, int& fire_count, bool& right_latch, SoundBank* sounds, BITMAP* screen_bitmap,
                   BitmapFont* font, bool& pause_latch, bool& escape_latch, int& shape, int& end_count,
                   std::atomic<bool>& pause_flag) {
    poll_keyboard();
    poll_joystick();
    poll_mouse();
    escapeKey(sounds, escape_latch, end_count);
    // A player gone to another window finds the round waiting as after P.
    if (pressedOnce(key[KEY_P], pause_latch) || (focus_lost && end_count == -1))
        pauseGame(sounds, screen_bitmap, font, pause_latch, pause_flag);
    steerShip(ship, fire_count, right_latch, sounds);
    shape = ship->getActiveShape();
}

void runEnemies(BITMAP* buffer) {
    for (int i = 0; i < enemy_slot_count; ++i)
        if (enemy_slots[i]) runEnemy(enemy_slots[i], buffer);
}

void runPlayFrame(BITMAP* buffer) {
    frame_count += 1;
    advanceSpawnDivisor();
    background_scroll += 1;
    if (background_scroll >= BACKGROUND_WIDTH) background_scroll = 0;
    inputStep();
    spawnStep();
    sideChangeStep();
    retireEnemies();
    drawBackdrop(buffer);
    shapeBannerStep(buffer);
    runEnemies(buffer);
    runShip(buffer);
    gemStep(buffer);
    hitPass();
    drawHud(buffer);
    countdownStep(buffer);
    timeUpStep();
    if (intro_counter > 300) intro_counter = -1;
    drawTimer(buffer);
    endSequenceStep(buffer);
}
