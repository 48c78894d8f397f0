// The end of a round: the fade, GAME OVER and TIME OVER letter by letter, and
// the hand-off to name entry and the title.
#include <string>

#include "gfx/bitmap_font.h"
#include "play/end_sequence.h"
#include "play/pawn.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class EndTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        marathon_table = ScoreTable{{900, 800, 700, 600, 500}, {{'A', 'A', 'A'}, {'B', 'B', 'B'}, {'C', 'C', 'C'},
                                                                {'D', 'D', 'D'}, {'E', 'E', 'E'}}};
        expected = create_bitmap(640, 480);
        clear_bitmap(expected);
    }
    void TearDown() override {
        destroy_bitmap(expected);
        RoundTest::TearDown();
    }
    void loseEveryShip() {
        flyingShipAt(200, 200);
        while (gryffon->getLives() > 0) {
            gryffon->takeHit();
            if (gryffon->getLives() > 0) drawUntilHitCounter(-1, scratch);
        }
    }
    void drawLetters(const std::string& word, int counter) {
        for (int i = 0; i < 8; ++i)
            bitmap_font->draw(expected, word.substr(i, 1), endLetterX(i, counter), 224);
    }
    // Runs the end sequence from its first frame up to the hand-off over a field
    // drawn at full brightness every frame; counts name entry frames and keeps
    // the lit pixels of a bare row of the first frame after the sequence.
    long runToHandOff() {
        end_counter = 0;
        long presented = testing_support::framesPresented();
        handOffLit = -1;
        testing_support::setFrameScript([this] {
            if (handOffLit < 0) handOffLit = litPixels(testing_support::fakeScreen(), 400);
            close_requested = true;
        });
        for (int frame = 0; frame < 301 && game_mode != FrontEnd; ++frame) {
            clear_to_color(buffer, makecol(255, 255, 255));
            endSequenceStep(buffer);
        }
        if (handOffLit < 0) handOffLit = litPixels(buffer, 400);
        testing_support::clearFrameScript();
        close_requested = false;
        return testing_support::framesPresented() - presented;
    }
    static int litPixels(BITMAP* bitmap, int row) {
        int lit = 0;
        for (int x = 0; x < 640; ++x) lit += getpixel(bitmap, x, row) != 0;
        return lit;
    }
    BITMAP* expected = nullptr;
    int handOffLit = -1;
};

TEST_F(EndTest, LettersTravelTogetherAndStopAtTheirPlaces) {
    const int places[8] = {240, 256, 272, 288, 336, 352, 368, 384};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(endLetterX(i, 1), 4);
        EXPECT_EQ(endLetterX(i, 60), 240) << i;
        EXPECT_EQ(endLetterX(i, 96), places[i]) << i;
        EXPECT_EQ(endLetterX(i, 300), places[i]) << i;
    }
    EXPECT_EQ(endLetterX(7, 95), 380);
    EXPECT_EQ(endLetterX(4, 83), 332);
    EXPECT_EQ(endLetterX(4, 84), 336);
}

TEST_F(EndTest, TheLastShipLostSpellsGameOverOverABlackField) {
    loseEveryShip();
    game_mode = Marathon;
    end_counter = 95;
    runPlayFrame(buffer);
    ASSERT_EQ(end_counter, 96);
    EXPECT_EQ(gryffon->getX(), 200);  // the wreck stays where it was
    drawLetters("GAMEOVER", 96);
    EXPECT_TRUE(sameRegion(buffer, expected, 0, 0, 640, 480));
}

TEST_F(EndTest, TimeUpSpellsTimeOverWithTheShipGone) {
    flyingShipAt(200, 200);
    game_mode = FiveMinute;
    time_up = true;
    for (int i = 0; i < 70; ++i) {
        clear_bitmap(buffer);
        runPlayFrame(buffer);
    }
    ASSERT_EQ(end_counter, 70);
    EXPECT_EQ(gryffon->getX(), 1500);
    drawLetters("TIMEOVER", 70);
    EXPECT_TRUE(sameRegion(buffer, expected, 0, 0, 640, 480));
}

TEST_F(EndTest, TheFieldFadesOverSixtyFourFrames) {
    BITMAP* field = create_bitmap(640, 480);
    clear_to_color(field, makecol(255, 255, 255));
    int previous = 1 << 30;
    for (int counter = 1; counter <= 64; ++counter) {
        blit(field, buffer, 0, 0, 0, 0, 640, 480);
        fadeBuffer(buffer, counter);
        int pixel = getpixel(buffer, 320, 100);
        int brightness = getr16(pixel) + getg16(pixel) + getb16(pixel);
        EXPECT_LE(brightness, previous) << counter;
        previous = brightness;
        EXPECT_TRUE(counter != 1 || brightness > 600);
        EXPECT_TRUE(counter != 64 || pixel == 0);
    }
    blit(field, buffer, 0, 0, 0, 0, 640, 480);
    fadeBuffer(buffer, 63);  // alpha 3: nearly black but still a blend
    EXPECT_LT(getr16(getpixel(buffer, 5, 5)), 16);
    destroy_bitmap(field);
}

TEST_F(EndTest, AfterThreeHundredFramesTheRoundHandsOffToTheTitle) {
    loseEveryShip();
    game_mode = Marathon;
    gryffon->setScore(500);  // equal to the fifth score: no name entry
    enemy_slots[7] = makeEnemy<Pawn>(100, 100);
    gem_slots[2] = new Gem(graphic_library);
    gem_ages[2] = 30;
    screen_timer = 77;
    fade_alpha = 200;
    EXPECT_EQ(runToHandOff(), 0);
    EXPECT_EQ(handOffLit, 0);
    EXPECT_EQ(game_mode, FrontEnd);
    EXPECT_EQ(end_counter, -1);
    EXPECT_EQ(screen_timer, 0);
    EXPECT_EQ(fade_alpha, 0);
    EXPECT_EQ(countEnemies(), 0);
    EXPECT_EQ(gem_slots[2], nullptr);
    EXPECT_EQ(gem_ages[2], -1);
    EXPECT_EQ(marathon_table.scores[4], 500);
}

TEST_F(EndTest, AQualifyingScoreOpensNameEntryAfterTheFullSequence) {
    loseEveryShip();
    game_mode = Marathon;
    gryffon->setScore(501);
    end_counter = 0;
    for (int frame = 1; frame <= 300; ++frame) endSequenceStep(buffer);
    EXPECT_EQ(game_mode, Marathon);
    EXPECT_EQ(end_counter, 300);
    // The fire button is still down over "A": name entry waits for a new press.
    click_latch = false;
    mouse_x = 172, mouse_y = 244, mouse_b = 1;
    EXPECT_GT(runToHandOff(), 0);
    EXPECT_EQ(handOffLit, 0);
    EXPECT_EQ(std::string(marathon_table.names[4], 3), "   ");
    EXPECT_EQ(game_mode, FrontEnd);

    // Cut short by ESC (305): straight back, even with a qualifying score.
    game_mode = Marathon;
    gryffon->setScore(10000);
    end_counter = END_COUNTER_ESC;
    long presented = testing_support::framesPresented();
    testing_support::setFrameScript([] { close_requested = true; });
    endSequenceStep(buffer);
    EXPECT_EQ(testing_support::framesPresented(), presented);
    EXPECT_EQ(game_mode, FrontEnd);
}

}  // namespace
