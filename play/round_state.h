// Program-wide state of the running round.
//
// A round is not an object: like the shell, it is a set of program-wide
// variables that the steps of a play frame read and write in a fixed order.
#pragma once

class Enemy;
class Gem;

const int ENEMY_SLOT_COUNT = 35;
const int GEM_SLOT_COUNT = 10;

extern int frame_count;        // frames since the round began
extern int spawn_divisor;      // modulus of the spawn roll, 4000 down to 1
extern int spawn_side;         // 0 top, 1 bottom, 2 left, 3 right
extern int enemy_slot_count;   // bound of every loop over enemy_slots (35)
extern Enemy* enemy_slots[ENEMY_SLOT_COUNT];
extern int end_counter;        // -1 while playing; 0.. during the end sequence; ESC sets 305
extern int intro_counter;      // 0 countdown pending, 1..300 "GO!!", -1 over
extern int next_bonus;         // score of the next extra ship
extern int current_shape;      // ship's active shape after the input step
extern int previous_shape;     // current_shape before this frame's input step
extern int banner_timer;       // -1 no banner, else frames the shape banner is up
extern int background_scroll;  // 0..1359, kept between rounds
extern int fire_counter;       // left-button hold counter, -1 while up
extern bool p_latch;           // P key edge latch
extern bool right_click_latch; // right-button edge latch
extern Gem* gem_slots[GEM_SLOT_COUNT];
extern int gem_ages[GEM_SLOT_COUNT];
