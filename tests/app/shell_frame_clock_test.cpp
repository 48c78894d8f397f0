// The frame clock's timer callbacks and the frame tail that ends every pass.
#include <gtest/gtest.h>

#include "core/frame_clock.h"
#include "core/shell_state.h"
#include "support/headless.h"

namespace {

struct SavedClock {
    int seconds = seconds_left;
    bool was_paused = paused;
    bool was_up = time_up;
    ~SavedClock() {
        seconds_left = seconds;
        paused = was_paused;
        time_up = was_up;
    }
};

TEST(ShellClockTick, CountsDownUnlessPausedAndFlagsTimeUpBelowZero) {
    SavedClock saved;
    paused = false;
    time_up = false;
    seconds_left = 1;
    clockTick();
    EXPECT_EQ(seconds_left, 0);
    EXPECT_FALSE(time_up);
    clockTick();
    EXPECT_EQ(seconds_left, -1);
    EXPECT_TRUE(time_up);

    // Paused: the clock stands still...
    time_up = false;
    paused = true;
    seconds_left = 5;
    clockTick();
    EXPECT_EQ(seconds_left, 5);
    EXPECT_FALSE(time_up);
    // ...but a clock that has already run out is still reported.
    seconds_left = -1;
    clockTick();
    EXPECT_EQ(seconds_left, -1);
    EXPECT_TRUE(time_up);
}

class ShellPresentFrame : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            images[i] = create_bitmap(16, 16);
            clear_to_color(images[i], colours[i]);
            // The corner pixel is transparent, as the cursor art's surround is.
            putpixel(images[i], 0, 0, bitmap_mask_color(images[i]));
        }
        buffer = create_bitmap(640, 480);
        saved_frame = cursor_frame;
        saved_x = mouse_x;
        saved_y = mouse_y;
        cursor_frame = 0;
    }
    void TearDown() override {
        for (BITMAP* image : images) destroy_bitmap(image);
        destroy_bitmap(buffer);
        cursor_frame = saved_frame;
        mouse_x = saved_x;
        mouse_y = saved_y;
    }
    // Which cursor image the screen shows with its top-left at (x, y), or -1.
    int cursorOnScreenAt(int x, int y) {
        int pixel = getpixel(screen, x + 1, y + 1);
        for (int i = 0; i < 4; ++i)
            if (pixel == colours[i]) return i;
        return -1;
    }

    BITMAP* images[4];
    int colours[4] = {makecol(255, 0, 0), makecol(0, 255, 0), makecol(0, 0, 255), makecol(255, 255, 0)};
    BITMAP* buffer = nullptr;
    int saved_frame = 0, saved_x = 0, saved_y = 0;
};

TEST_F(ShellPresentFrame, CursorRunsFourThreeTwoOneFourPassesEachAtTheHotSpot) {
    mouse_x = 200;
    mouse_y = 150;
    const int expected_image[16] = {3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 0, 0, 0, 0};
    for (int lap = 0; lap < 2; ++lap) {
        for (int pass = 0; pass < 16; ++pass) {
            clear_to_color(buffer, makecol(0, 0, 64));
            presentFrame(buffer, images);
            ASSERT_EQ(cursorOnScreenAt(192, 142), expected_image[pass]) << "lap " << lap << " pass " << pass;
            // Top-left exactly 8 left of and above the mouse: the pixel before it is backdrop.
            EXPECT_EQ(getpixel(screen, 191, 143), makecol(0, 0, 64));
            EXPECT_EQ(getpixel(screen, 193, 141), makecol(0, 0, 64));
            EXPECT_EQ(getpixel(screen, 207, 157), colours[expected_image[pass]]);
            EXPECT_EQ(getpixel(screen, 208, 158), makecol(0, 0, 64));
            // Masked: the transparent corner shows the backdrop.
            EXPECT_EQ(getpixel(screen, 192, 142), makecol(0, 0, 64));
        }
    }
}

TEST_F(ShellPresentFrame, LeavesTheBufferBlackAndCallsTheWaitOnce) {
    mouse_x = 0;
    mouse_y = 0;
    clear_to_color(buffer, makecol(255, 255, 255));
    long before = testing_support::framesPresented();
    presentFrame(buffer, images);
    EXPECT_EQ(testing_support::framesPresented(), before + 1);
    EXPECT_EQ(getpixel(screen, 300, 300), makecol(255, 255, 255));
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 5) ASSERT_EQ(getpixel(buffer, x, y), 0) << x << "," << y;
    // A missing cursor image is skipped rather than drawn.
    BITMAP* none[4] = {nullptr, nullptr, nullptr, nullptr};
    EXPECT_NO_FATAL_FAILURE(presentFrame(buffer, none));
}

}  // namespace
