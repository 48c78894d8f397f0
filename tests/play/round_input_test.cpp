// The play frame's input step as the player meets it: the pause and ESC.
#include "gfx/bitmap_font.h"
#include "play/pawn.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class RoundInputTest : public RoundTest {};

// P pauses inside the frame, showing "Pause!"; only a new press after letting
// go resumes, then the frame carries on with its input; closing the window
// ends a pause that P, held down, never would.
TEST_F(RoundInputTest, PauseHoldsUntilPIsReleasedAndPressedAgain) {
    const struct { int release, press, close; } cases[] = {{20, 23, 0}, {0, 0, 500}};
    for (const auto& c : cases) {
        flyingShipAt(301, 221);
        clear_bitmap(testing_support::fakeScreen());
        int waits = 0;
        bool pausedThroughout = true;
        testing_support::setFrameScript([&] {
            pausedThroughout = pausedThroughout && paused;
            if (++waits == c.release) key[KEY_P] = 0;
            if (waits == c.press) key[KEY_P] = 1;
            if (waits == c.close) close_requested = true;
        });
        key[KEY_P] = key[KEY_LEFT] = 1;
        p_latch = false;
        int frameBefore = frame_count;
        runPlayFrame(buffer);
        EXPECT_EQ(waits, c.close ? c.close : c.press);
        EXPECT_TRUE(pausedThroughout);
        EXPECT_FALSE(paused);
        EXPECT_EQ(frame_count, frameBefore + 1);
        if (c.close) continue;
        EXPECT_EQ(gryffon->getX(), 297);
        clear_bitmap(scratch);
        bitmap_font->draw(scratch, "Pause!", 272, 224);
        EXPECT_TRUE(sameRegion(testing_support::fakeScreen(), scratch, 260, 216, 120, 32));
        waits = 0;
        runPlayFrame(buffer);  // still held: the latch keeps it from pausing again
        EXPECT_EQ(waits, 0);
    }
}

// Losing the focus pauses the next input step of a round as P does, with no
// key held: "Pause!" until P, the flag cleared on the way out. ESC in the same
// frame, the end sequence and the countdown's rests run on unpaused. A P held
// while the window is away and still held when the focus is back was meant for
// the other window: only a new press resumes.
TEST_F(RoundInputTest, LosingTheFocusPausesOnlyARoundInPlay) {
    const struct { const char* what; bool escape, pHeldAcross; int endCounter, frame, waits, pausedWaits; } cases[] = {
        {"round", false, false, -1, 10, 12, 12},   {"P held across", false, true, -1, 10, 12, 12},
        {"ESC", true, false, -1, 10, 0, 0},         {"end sequence", false, false, 0, 10, 0, 0},
        {"countdown", false, false, -1, 0, 3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        flyingShipAt(301, 221);
        end_counter = c.endCounter;
        frame_count = c.frame;
        intro_counter = c.frame == 0 ? 0 : -1;
        clear_bitmap(testing_support::fakeScreen());
        int waits = 0, pausedWaits = 0;
        testing_support::setFrameScript([&] {
            pausedWaits += paused;
            if (++waits == 3 && c.pHeldAcross) key[KEY_P] = 1;
            if (waits == 6) focus_lost = false;
            if (waits == 9) key[KEY_P] = 0;
            if (waits == 12) key[KEY_P] = 1;
            if (waits == 100) close_requested = true;
        });
        focus_lost = true;
        key[KEY_ESC] = c.escape;
        runPlayFrame(buffer);
        testing_support::clearFrameScript();
        EXPECT_EQ(waits, c.waits);
        EXPECT_EQ(pausedWaits, c.pausedWaits);
        EXPECT_FALSE(paused);
        EXPECT_EQ(focus_lost, c.pausedWaits == 0);
        clear_bitmap(scratch);
        bitmap_font->draw(scratch, "Pause!", 272, 224);
        EXPECT_EQ(sameRegion(testing_support::fakeScreen(), scratch, 260, 216, 120, 32), c.pausedWaits > 0);
        testing_support::releaseAllInput();
        close_requested = focus_lost = esc_latch = p_latch = false;
    }
}

// ESC ends the round at once, with no GAME OVER or TIME OVER and no name entry
// for a qualifying score, even in the frame that loses the last ship or in
// which time runs out; the same press does not quit the title too.
TEST_F(RoundInputTest, EscapeEndsTheRoundAtOnceWithoutNameEntry) {
    const struct { GameMode mode; bool lastShipRammed, timeUp; } cases[] = {
        {Marathon, false, false}, {Marathon, true, false}, {TwoMinute, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " rammed " << c.lastShipRammed);
        game_mode = c.mode;
        end_counter = -1;
        esc_latch = false;
        marathon_table = two_minute_table = ScoreTable{};
        flyingShipAt(300, 200);
        gryffon->setScore(9000);
        while (c.lastShipRammed && gryffon->getLives() > 1) gryffon->takeHit(), drawUntilHitCounter(-1, scratch);
        enemy_slots[0] = makeEnemy<Pawn>(300, c.lastShipRammed ? 200 : 0);
        time_up = c.timeUp;
        long presentedBefore = testing_support::framesPresented();
        testing_support::setFrameScript([] { close_requested = true; });  // lets name entry return, were it opened
        key[KEY_ESC] = 1;
        runPlayFrame(buffer);
        EXPECT_EQ(gryffon->getLives(), c.lastShipRammed ? 0 : 3);
        EXPECT_FALSE(time_up);
        EXPECT_EQ(game_mode, FrontEnd);
        EXPECT_EQ(end_counter, -1);
        EXPECT_EQ(testing_support::framesPresented(), presentedBefore);
        EXPECT_EQ(marathon_table.scores[4] + two_minute_table.scores[4] + countEnemies(), 0);
        EXPECT_TRUE(esc_latch);
        testing_support::clearFrameScript();
        close_requested = false;
    }
}

}  // namespace
