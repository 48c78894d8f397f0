// The round as the player meets it: the pause, focus loss and ESC, the hand-off
// at its end, the HUD, and which enemies come and go.
#include "round_fixture.h"

namespace {
using namespace round_testing;

using RoundInputTest = RoundTest;

// Only a new press of P resumes, and the frame carries on. Focus loss pauses too, but not
// beside ESC, in the end sequence or the countdown; a P held meanwhile was not ours.
TEST_F(RoundInputTest, PauseAndFocusLossHoldTheRoundUntilANewPressOfP) {
    const struct {
        const char* what;
        bool pDown, focusLost, escape;
        int endCounter, frame, pressAt, releaseAt, waits, pausedWaits;
    } cases[] = {
        {"P", true, false, false, -1, 10, 0, 9, 12, 12},
        {"focus, P held across", false, true, false, -1, 10, 3, 9, 12, 12},
        {"focus, ESC", false, true, true, -1, 10, 0, 9, 0, 0},
        {"focus, end sequence", false, true, false, 0, 10, 0, 9, 0, 0},
        {"focus, countdown", false, true, false, -1, 0, 0, 9, 3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        flyingShipAt(301, 221);
        end_counter = c.endCounter;
        frame_count = c.frame;
        intro_counter = c.frame == 0 ? 0 : -1;
        int waits = 0, pausedWaits = 0;
        testing_support::setFrameScript([&] {
            pausedWaits += paused;
            if (++waits == c.pressAt || waits == 12) key[KEY_P] = 1;
            if (waits == c.releaseAt) key[KEY_P] = 0;
            if (waits == 6) focus_lost = false;
        });
        focus_lost = c.focusLost;
        key[KEY_P] = c.pDown;
        key[KEY_ESC] = c.escape;
        key[KEY_LEFT] = 1;
        runPlayFrame(buffer);
        EXPECT_EQ(waits, c.waits);
        EXPECT_EQ(pausedWaits, c.pausedWaits);
        EXPECT_FALSE(paused);
        EXPECT_EQ(frame_count, c.frame + 1);
        EXPECT_EQ(focus_lost, c.focusLost && c.pausedWaits == 0);
        if (c.pDown) {
            EXPECT_EQ(gryffon->getX(), 297);
            waits = 0;
            runPlayFrame(buffer);  // still held: the latch keeps it from pausing again
            EXPECT_EQ(waits, 0);
        }
        testing_support::clearFrameScript();
        testing_support::releaseAllInput();
        close_requested = focus_lost = esc_latch = p_latch = false;
    }
}

int litPixels(BITMAP* bitmap, int row) {
    int lit = 0;
    for (int x = 0; x < 640; ++x) lit += getpixel(bitmap, x, row) != 0;
    return lit;
}

// 300 frames after the last ship, or at once on ESC (even as the last ship goes or time
// runs out); name entry, but not after ESC; never an unfaded frame.
TEST_F(RoundInputTest, TheRoundEndsAndHandsOffToNameEntryOrTheTitle) {
    const struct { const char* what; GameMode mode; int score; bool escape, rammed, timeUp, nameEntry; } cases[] = {
        {"above the fifth", Marathon, 501, false, false, false, true},
        {"ESC as the last ship is rammed", Marathon, 9000, true, true, false, false},
        {"ESC as time runs out", TwoMinute, 9000, true, false, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        marathon_table = two_minute_table = ScoreTable{{900, 800, 700, 600, 500}, {}};
        flyingShipAt(300, 200);
        while (gryffon->getLives() > (c.timeUp ? 3 : c.rammed ? 1 : 0))
            gryffon->takeHit(), drawUntilHitCounter(-1, scratch);
        game_mode = c.mode;
        gryffon->setScore(c.score);
        enemy_slots[7] = makeEnemy<Pawn>(300, c.rammed ? 200 : 0);
        screen_timer = 77, fade_alpha = 200;
        click_latch = esc_latch = false;
        key[KEY_ESC] = c.escape;
        time_up = c.timeUp;
        end_counter = c.escape ? -1 : 0;
        long presented = testing_support::framesPresented();
        int handOffLit = -1, frames = 0;
        testing_support::setFrameScript([&] {
            if (handOffLit < 0) handOffLit = litPixels(testing_support::fakeScreen(), 400);
            close_requested = true;  // lets name entry return
        });
        for (; frames < 301 && game_mode != FrontEnd; ++frames) {
            clear_to_color(buffer, makecol(255, 255, 255));
            c.escape ? runPlayFrame(buffer) : endSequenceStep(buffer);
        }
        if (handOffLit < 0) handOffLit = litPixels(buffer, 400);
        testing_support::clearFrameScript();
        close_requested = false;
        EXPECT_EQ(frames, c.escape ? 1 : 301);
        EXPECT_EQ(testing_support::framesPresented() > presented, c.nameEntry);
        EXPECT_TRUE(handOffLit <= 0) << handOffLit;
        EXPECT_EQ(game_mode, FrontEnd);
        EXPECT_EQ(gryffon->getLives(), c.timeUp ? 3 : 0);
        EXPECT_EQ(screen_timer + fade_alpha, 0);
        EXPECT_EQ(esc_latch, c.escape);
    }
}

// No reserve ships shown once all are lost; the timed modes' seconds down to 0, then gone.
TEST_F(RoundTest, TheHudShowsNoReserveOnceAllAreLostAndTheSecondsLeft) {
    for (int i = 0; i < 3; ++i) gryffon->takeHit(), drawUntilHitCounter(-1, scratch);
    clear_bitmap(scratch);
    drawHud(buffer);
    EXPECT_TRUE(sameRegion(buffer, scratch, 0, 464, 640, 16));
    const struct { GameMode mode; int seconds; const char* text; } timers[] = {
        {TwoMinute, 0, "TIME 0"}, {TwoMinute, -1, ""}, {Marathon, 120, ""}, {FiveMinute, 120, "TIME 120"}};
    for (const auto& t : timers) {
        game_mode = t.mode;
        seconds_left = t.seconds;
        clear_bitmap(buffer);
        drawTimer(buffer);
        clear_bitmap(scratch);
        bitmap_font->draw(scratch, t.text, 512, 464);
        EXPECT_TRUE(sameRegion(buffer, scratch, 0, 0, 640, 480)) << t.seconds;
    }
}

// The odds of each kind are the widths of these bands of a roll out of the divisor.
TEST_F(RoundTest, SpawnRollsPickTheKindByTheTable) {
    const struct { int from, to; char kind; } bands[] = {
        {0, 44, 'P'}, {45, 64, 'S'}, {65, 69, 'B'}, {70, 74, 'W'}, {75, 76, 'H'}, {77, 3999, 0}};
    for (const auto& band : bands)
        for (int r = band.from; r <= band.to; ++r) ASSERT_EQ(kindForRoll(r), band.kind) << r;
}

// Enemies are retired past 120 pixels off the field.
TEST_F(RoundTest, EnemiesFarOffTheFieldAreRetired) {
    const struct { double x, y; bool stays; } cases[] = {
        {800.0, 100, true}, {800.5, 100, false}, {-120, 100, true}, {-120.5, 100, false},
        {100, 640, true},   {100, 640.5, false}, {100, -120, true}, {100, -120.5, false}};
    for (const auto& c : cases) {
        enemy_slots[3] = makeEnemy<Pawn>(c.x, c.y);
        retireEnemies();
        EXPECT_EQ(enemy_slots[3] != nullptr, c.stays) << c.x << "," << c.y;
        clearRoundObjects();
    }
}

}  // namespace
