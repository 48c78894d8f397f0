// The timed modes' clock and the frame tail that ends every pass (cursor, screen, wait).
#include <allegro.h>
#include <gtest/gtest.h>

#include "core/frame_clock.h"
#include "core/shell_state.h"

namespace {

// A pause stops the clock, but a clock that has run out is reported even then.
TEST(ShellClockTick, CountsDownUnlessPausedAndFlagsTimeUpBelowZero) {
    const struct { bool paused; int before, after; bool time_up; } ticks[] = {
        {false, 1, 0, false}, {false, 0, -1, true}, {true, 5, 5, false}, {true, -1, -1, true}};
    for (const auto& tick : ticks) {
        paused = tick.paused;
        time_up = false;
        seconds_left = tick.before;
        clockTick();
        EXPECT_EQ(seconds_left, tick.after) << tick.before;
        EXPECT_EQ(time_up, tick.time_up) << tick.before;
    }
    paused = time_up = false;
}

// The cursor runs images 3, 2, 1, 0 for four passes each, masked, its top-left
// 8 pixels left of and above the mouse; the pass leaves the buffer black.
TEST(ShellPresentFrame, CursorCyclesAtTheHotSpotAndTheBufferIsCleared) {
    BITMAP* images[4];
    for (int i = 0; i < 4; ++i) {
        images[i] = create_bitmap(16, 16);
        clear_to_color(images[i], makecol(60 + 60 * i, 0, 0));
        putpixel(images[i], 0, 0, bitmap_mask_color(images[i]));
    }
    BITMAP* buffer = create_bitmap(640, 480);
    const int backdrop = makecol(0, 0, 64);
    cursor_frame = 0;
    mouse_x = 200;
    mouse_y = 150;
    for (int pass = 0; pass < 20; ++pass) {
        SCOPED_TRACE(pass);
        clear_to_color(buffer, backdrop);
        presentFrame(buffer, images);
        int shown = getpixel(images[3 - pass % 16 / 4], 8, 8);
        ASSERT_EQ(getpixel(screen, 193, 142), shown);
        ASSERT_EQ(getpixel(screen, 207, 157), shown);
        EXPECT_EQ(getpixel(screen, 192, 142), backdrop) << "the masked corner";
        for (int y = 0; y < 480; y += 7)
            for (int x = 0; x < 640; x += 5) ASSERT_EQ(getpixel(buffer, x, y), 0) << x << "," << y;
    }
    for (BITMAP* image : images) destroy_bitmap(image);
    destroy_bitmap(buffer);
}

}  // namespace
