// The end of a round: the hand-off to name entry and the title.
#include <string>

#include "play/end_sequence.h"
#include "play/pawn.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class EndTest : public RoundTest {
protected:
    void loseEveryShip() {
        flyingShipAt(200, 200);
        while (gryffon->getLives() > 0) {
            gryffon->takeHit();
            if (gryffon->getLives() > 0) drawUntilHitCounter(-1, scratch);
        }
    }
    static int litPixels(BITMAP* bitmap, int row) {
        int lit = 0;
        for (int x = 0; x < 640; ++x) lit += getpixel(bitmap, x, row) != 0;
        return lit;
    }
};

// After 300 frames, or at once after ESC, the round clears up and hands off:
// to name entry only for a score above the fifth row, never with an unfaded
// frame shown, and a fire button still held from play types nothing.
TEST_F(EndTest, TheRoundHandsOffToNameEntryOrTheTitle) {
    const struct { int score, firstCounter; bool nameEntry; } cases[] = {
        {500, 0, false}, {501, 0, true}, {10000, END_COUNTER_ESC, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.score);
        marathon_table = ScoreTable{{900, 800, 700, 600, 500}, {}};
        loseEveryShip();
        game_mode = Marathon;
        gryffon->setScore(c.score);
        enemy_slots[7] = makeEnemy<Pawn>(100, 100);
        gem_slots[2] = new Gem(graphic_library);
        gem_ages[2] = 30;
        screen_timer = 77;
        fade_alpha = 200;
        click_latch = false;
        mouse_x = 172, mouse_y = 244, mouse_b = 1;  // over "A"
        end_counter = c.firstCounter;
        long presented = testing_support::framesPresented();
        int handOffLit = -1;
        testing_support::setFrameScript([&] {
            if (handOffLit < 0) handOffLit = litPixels(testing_support::fakeScreen(), 400);
            close_requested = true;
        });
        for (int frame = 0; frame < 301 && game_mode != FrontEnd; ++frame) {
            clear_to_color(buffer, makecol(255, 255, 255));
            endSequenceStep(buffer);
        }
        if (handOffLit < 0 && c.firstCounter == 0) handOffLit = litPixels(buffer, 400);
        testing_support::clearFrameScript();
        close_requested = false;
        EXPECT_EQ(testing_support::framesPresented() > presented, c.nameEntry);
        EXPECT_TRUE(handOffLit <= 0) << handOffLit;
        EXPECT_EQ(game_mode, FrontEnd);
        EXPECT_EQ(end_counter, -1);
        EXPECT_EQ(screen_timer + fade_alpha + countEnemies(), 0);
        EXPECT_EQ(gem_slots[2], nullptr);
        EXPECT_EQ(gem_ages[2], -1);
        EXPECT_EQ(std::string(marathon_table.names[4], 3), c.nameEntry ? "   " : std::string(3, '\0'));
    }
}

}  // namespace
