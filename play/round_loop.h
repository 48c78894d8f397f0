// The round loop: starting a round and running one frame of play.
//
// A round is a fixed sequence of steps over program-wide state (round_state.h),
// run once per 60 Hz pass of the main loop. The steps live in their own modules
// (spawn director, homing, gem step, hit pass, HUD, end sequence); this module
// owns their order, the enemy slots' lifetime and the player's input.
#pragma once

#include <atomic>

#include "core/game_types.h"

struct BITMAP;
class BitmapFont;
class Gryffon;
class SoundBank;

void startRound(GameMode mode);
void runPlayFrame(BITMAP* buffer);

// The in-game input step: ESC, the pause (P, or the window losing the
// keyboard focus), then the ship's movement, aim, fire and points; finally the
// ship's active shape is copied into current_shape.
void playInputStep(Gryffon* ship, int& fire_count, bool& right_latch, SoundBank* sounds, BITMAP* screen_bitmap,
                   BitmapFont* font, bool& pause_latch, bool& escape_latch, int& shape, int& end_count,
                   std::atomic<bool>& pause_flag);

// The blocking pause: "Pause!" on the screen until P is released and pressed again.
void pauseGame(SoundBank* sounds, BITMAP* screen_bitmap, BitmapFont* font, bool& pause_latch,
               std::atomic<bool>& pause_flag);

// The ship controls of the input step (movement, clamp, aim, fire, points).
void steerShip(Gryffon* ship, int& fire_count, bool& right_latch, SoundBank* sounds);

// Frame step 9: every enemy moves, steers, fires, moves its shots and is drawn.
void runEnemies(BITMAP* buffer);
