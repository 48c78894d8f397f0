#include "play/round_state.h"

int frame_count = 0;
int spawn_divisor = 4000;
int spawn_side = 0;
int enemy_slot_count = ENEMY_SLOT_COUNT;
Enemy* enemy_slots[ENEMY_SLOT_COUNT] = {};
int end_counter = -1;
int intro_counter = 0;
int next_bonus = 30000;
int current_shape = 0;
int previous_shape = 0;
int banner_timer = -1;
int background_scroll = 0;
int fire_counter = -1;
bool p_latch = false;
bool right_click_latch = false;
Gem* gem_slots[GEM_SLOT_COUNT] = {};
int gem_ages[GEM_SLOT_COUNT] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
