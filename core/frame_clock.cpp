#include "core/frame_clock.h"

#include <allegro.h>
#include <semaphore.h>

#include <ctime>

#include "core/shell_state.h"

void (*frame_wait_override)() = nullptr;

namespace {
// Posted by every tick, so the frame tail sleeps until the tick instead of
// polling for it. frame_ready stays the flag that decides; the semaphore only
// wakes the waiter.
struct TickSignal {
    sem_t posted;
    TickSignal() { sem_init(&posted, 0, 0); }
};
TickSignal tick_signal;

// Long enough to sleep through a frame, short enough that a removed timer or
// a closed window never holds the tail for long.
const long TICK_WAIT_NANOSECONDS = 50 * 1000 * 1000;

void forgetTicks() {
    while (sem_trywait(&tick_signal.posted) == 0) {
    }
}

void sleepUntilTickOrTimeout() {
    timespec until;
    clock_gettime(CLOCK_REALTIME, &until);
    until.tv_nsec += TICK_WAIT_NANOSECONDS;
    if (until.tv_nsec >= 1000000000L) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000L;
    }
    sem_timedwait(&tick_signal.posted, &until);
}
}  // namespace

void frameTick() {
    frame_ready = true;
    sem_post(&tick_signal.posted);
}
END_OF_FUNCTION(frameTick)

void clockTick() {
    if (!paused) seconds_left -= 1;
    if (seconds_left < 0) time_up = true;
}
END_OF_FUNCTION(clockTick)

void installInput() {
    install_keyboard();
    install_joystick(JOY_TYPE_AUTODETECT);
    install_mouse();
}

void removeInput() {
    remove_mouse();
    remove_joystick();
}

void copyToScreen(BITMAP* buffer) {
    acquire_screen();
    blit(buffer, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    release_screen();
}

void presentFrame(BITMAP* buffer, BITMAP** cursor_images) {
    frame_ready = false;
    forgetTicks();
    if (!frame_wait_override) vsync();
    cursor_frame -= 1;
    if (cursor_frame < 0) cursor_frame = 15;
    BITMAP* cursor = cursor_images[cursor_frame / 4];
    if (cursor) draw_sprite(buffer, cursor, mouse_x - 8, mouse_y - 8);
    copyToScreen(buffer);
    clear_bitmap(buffer);
    if (frame_wait_override) {
        frame_wait_override();
        return;
    }
    waitForFrameTick();
}

void waitForFrameTick() {
    // A closed window ends the wait too: the timer keeps ticking, but we do not
    // want to sit here if it was removed during shut-down.
    while (!frame_ready && !close_requested) sleepUntilTickOrTimeout();
}

void waitMilliseconds(int ms) {
    if (frame_wait_override) {
        frame_wait_override();
        return;
    }
    rest(ms);
}

void startRoundClock() {
    install_int_ex(clockTick, SECS_TO_TIMER(1));
    clock_running = true;
}

void stopRoundClock() {
    remove_int(clockTick);
    clock_running = false;
}
