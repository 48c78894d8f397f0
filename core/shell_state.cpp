#include "core/shell_state.h"

bool running = true;
std::atomic<bool> frame_ready{false};
std::atomic<int> seconds_left{-1};
std::atomic<bool> paused{false};
std::atomic<bool> time_up{false};
std::atomic<bool> close_requested{false};
std::atomic<bool> focus_lost{false};
bool clock_running = false;
GameMode game_mode = FrontEnd;
int cursor_frame = 0;
bool esc_latch = false;
bool click_latch = false;
BITMAP* back_buffer = nullptr;

int intro_frame = 0;
int fade_alpha = 0;
int screen_timer = 0;

bool shellShouldStop() { return !running || close_requested.load(); }
