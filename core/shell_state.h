// Program-wide state of the game shell.
//
// The game keeps its shell and round state in plain program-wide variables: every
// screen is one pass of a single loop, and the passes read and write this state
// directly. Only the variables touched by Allegro's timer thread (frameTick,
// clockTick) or by the window's close button and focus are atomics.
#pragma once

#include <atomic>

#include "core/game_types.h"

struct BITMAP;

extern bool running;                       // main loop goes on while true
extern std::atomic<bool> frame_ready;      // set by frameTick at 60 Hz
extern std::atomic<int> seconds_left;      // timed modes' clock, counted down by clockTick
extern std::atomic<bool> paused;           // clockTick does not count while true
extern std::atomic<bool> time_up;          // set by clockTick once seconds_left < 0
extern std::atomic<bool> close_requested;  // the window's close button was pressed
extern std::atomic<bool> focus_lost;       // the window lost the keyboard focus and has not got it back
extern bool clock_running;                 // clockTick is installed
extern GameMode game_mode;
extern int cursor_frame;                   // 15 down to 0, picks the cursor image
extern bool esc_latch;                     // ESC edge latch, shared by every screen
extern bool click_latch;                   // left-button edge latch, shared by every screen
extern BITMAP* back_buffer;                // 640x480 memory bitmap every pass draws into

// True once per press: when the control is down and its latch is not yet set.
// Letting the control go clears the latch.
inline bool pressedOnce(bool down, bool& latch) {
    if (!down) {
        latch = false;
        return false;
    }
    if (latch) return false;
    latch = true;
    return true;
}

// Front end (title, intro, attract cycle).
extern int intro_frame;   // intro pass counter; -1 once the intro is over
extern int fade_alpha;    // translucency of the intro logos and the title fade-in, 0..256
extern int screen_timer;  // front-end pass counter, 0..1499

// True when the main loop and every blocking wait should stop: the front end
// quit, or the window was closed.
bool shellShouldStop();
