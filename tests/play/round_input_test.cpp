// The play frame's input step as the player meets it: the pause, ESC, the
// countdown frame without input, the shape banner's start and time up.
#include "gfx/bitmap_font.h"
#include "play/pawn.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class RoundInputTest : public RoundTest {
protected:
    // Right-click at a point over two frames (press, release).
    void rightClick(int x, int y) {
        mouse_x = x;
        mouse_y = y;
        mouse_b = 2;
        runPlayFrame(buffer);
        mouse_b = 0;
        runPlayFrame(buffer);
    }
};

TEST_F(RoundInputTest, PauseHoldsUntilPIsReleasedAndPressedAgain) {
    flyingShipAt(301, 221);
    clear_bitmap(testing_support::fakeScreen());
    int waits = 0;
    bool pausedThroughout = true;
    // P stays held for 20 waits, is let go for 3, then pressed again.
    testing_support::setFrameScript([&] {
        ++waits;
        pausedThroughout = pausedThroughout && paused;
        if (waits == 20) key[KEY_P] = 0;
        if (waits == 23) key[KEY_P] = 1;
    });
    key[KEY_P] = 1;
    key[KEY_LEFT] = 1;
    int frameBefore = frame_count;
    runPlayFrame(buffer);
    EXPECT_EQ(waits, 23);
    EXPECT_TRUE(pausedThroughout);
    EXPECT_FALSE(paused);
    EXPECT_TRUE(p_latch);
    EXPECT_EQ(frame_count, frameBefore + 1);
    EXPECT_EQ(gryffon->getX(), 297);  // the frame carries on with its input after the pause

    BITMAP* expected = create_bitmap(640, 480);
    clear_bitmap(expected);
    bitmap_font->draw(expected, "Pause!", 272, 224);
    EXPECT_TRUE(sameRegion(testing_support::fakeScreen(), expected, 260, 216, 120, 32));
    destroy_bitmap(expected);

    // Still held on the next frame: the latch keeps it from pausing again.
    waits = 0;
    runPlayFrame(buffer);
    EXPECT_EQ(waits, 0);
}

TEST_F(RoundInputTest, HoldingPNeverResumesAndClosingTheWindowEndsThePause) {
    int waits = 0;
    testing_support::setFrameScript([&] {
        if (++waits == 500) close_requested = true;
    });
    key[KEY_P] = 1;
    runPlayFrame(buffer);
    EXPECT_EQ(waits, 500);
    EXPECT_FALSE(paused);
}

TEST_F(RoundInputTest, EscapeEndsTheRoundAtOnceWithoutNameEntry) {
    marathon_table = ScoreTable{{500, 400, 300, 200, 100}, {{'A', 'A', 'A'}, {'B', 'B', 'B'}, {'C', 'C', 'C'},
                                                            {'D', 'D', 'D'}, {'E', 'E', 'E'}}};
    gryffon->setScore(9000);
    enemy_slots[4] = makeEnemy<Pawn>(100, 100);
    long presentedBefore = testing_support::framesPresented();
    // Were name entry to open, closing the window lets it return.
    testing_support::setFrameScript([] { close_requested = true; });
    key[KEY_ESC] = 1;
    runPlayFrame(buffer);
    EXPECT_EQ(game_mode, FrontEnd);
    EXPECT_EQ(end_counter, -1);
    EXPECT_EQ(testing_support::framesPresented(), presentedBefore);
    EXPECT_EQ(marathon_table.scores[4], 100);
    EXPECT_EQ(countEnemies(), 0);
    EXPECT_TRUE(esc_latch);  // the same press will not quit the title too
}

// ESC pressed in the frame that loses the last ship, or in which time runs
// out, still returns at once: no GAME OVER or TIME OVER, no name entry.
TEST_F(RoundInputTest, EscapeWinsInTheFrameTheRoundEndsByItself) {
    for (GameMode mode : {Marathon, TwoMinute}) {
        SCOPED_TRACE(mode);
        game_mode = mode;
        end_counter = -1;
        esc_latch = false;
        marathon_table = two_minute_table = ScoreTable{};
        flyingShipAt(300, 200);
        gryffon->setScore(9000);
        while (mode == Marathon && gryffon->getLives() > 1) {
            gryffon->takeHit();
            drawUntilHitCounter(-1, scratch);
        }
        if (mode == Marathon) enemy_slots[0] = makeEnemy<Pawn>(300, 200);  // rams the last ship
        time_up = mode == TwoMinute;
        long presentedBefore = testing_support::framesPresented();
        testing_support::setFrameScript([] { close_requested = true; });
        key[KEY_ESC] = 1;
        runPlayFrame(buffer);
        EXPECT_EQ(gryffon->getLives(), mode == Marathon ? 0 : 3);
        EXPECT_FALSE(time_up);
        EXPECT_EQ(game_mode, FrontEnd);
        EXPECT_EQ(end_counter, -1);
        EXPECT_EQ(testing_support::framesPresented(), presentedBefore);
    }
}

TEST_F(RoundInputTest, TheCountdownFrameTakesNoInput) {
    clearRoundObjects();
    startRound(Marathon);
    gryffon->setPosition(301, 221);
    key[KEY_LEFT] = 1;
    key[KEY_ESC] = 1;
    runPlayFrame(buffer);
    EXPECT_EQ(frame_count, 1);
    EXPECT_EQ(gryffon->getX(), 301);
    EXPECT_EQ(end_counter, -1);
    EXPECT_FALSE(esc_latch);
    key[KEY_ESC] = 0;
    runPlayFrame(buffer);
    EXPECT_EQ(gryffon->getX(), 297);
}

TEST_F(RoundInputTest, ANewShapeStartsTheBannerAndIsCopiedIntoTheRound) {
    flyingShipAt(301, 221);
    rightClick(90, 180);
    rightClick(40, 280);
    EXPECT_EQ(banner_timer, -1);
    mouse_x = 140, mouse_y = 280, mouse_b = 2;
    runPlayFrame(buffer);
    EXPECT_EQ(current_shape, SHAPE_TRIANGLE);
    EXPECT_EQ(previous_shape, SHAPE_NONE);
    EXPECT_EQ(banner_timer, 1);  // started at 0, then the banner step ran
    runPlayFrame(buffer);
    EXPECT_EQ(banner_timer, 2);
    EXPECT_EQ(previous_shape, SHAPE_TRIANGLE);
}

TEST_F(RoundInputTest, TimeUpStartsTheEndSequenceWithTheShipOffTheField) {
    game_mode = TwoMinute;
    seconds_left = -1;
    time_up = true;
    runPlayFrame(buffer);
    EXPECT_FALSE(time_up);
    EXPECT_EQ(end_counter, 1);
    EXPECT_FALSE(clock_running);
    EXPECT_EQ(gryffon->getX(), 1500);
    EXPECT_EQ(gryffon->getY(), 1500);
    key[KEY_LEFT] = 1;  // the ship takes no input while the round ends
    runPlayFrame(buffer);
    EXPECT_EQ(gryffon->getX(), 1500);
    EXPECT_EQ(end_counter, 2);
}

}  // namespace
