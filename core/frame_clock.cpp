#include "core/frame_clock.h"

#include <allegro.h>

#include "core/shell_state.h"

void (*frame_wait_override)() = nullptr;

void frameTick() { frame_ready = true; }
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

void presentFrame(BITMAP* buffer, BITMAP** cursor_images, bool next_pass_repaints) {
    frame_ready = false;
    if (!frame_wait_override) vsync();
    cursor_frame -= 1;
    if (cursor_frame < 0) cursor_frame = 15;
    BITMAP* cursor = cursor_images[cursor_frame / 4];
    if (cursor) draw_sprite(buffer, cursor, mouse_x - 8, mouse_y - 8);
    copyToScreen(buffer);
    if (!next_pass_repaints) clear_bitmap(buffer);
    if (frame_wait_override) {
        frame_wait_override();
        return;
    }
    // A closed window ends the wait too: the timer keeps ticking, but we do not
    // want to sit here if it was removed during shut-down.
    while (!frame_ready && !close_requested) rest(0);
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
