// The backdrop's wrap and dip, the score and reserve display, and the time
// display. The banner and the countdown are drawn in the frame digest's round.
#include <string>

#include "gfx/bitmap_font.h"
#include "play/hud.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

// A stand-in backdrop whose every column has its own exact 16-bit colour.
int columnColour(int column) { return (column & 31) << 11 | ((column >> 5) & 63) << 5 | 7; }

struct Point2 { int x, y; };

class HudTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        expected = create_bitmap(640, 480);
        clear_bitmap(expected);
    }
    void TearDown() override {
        destroy_bitmap(expected);
        RoundTest::TearDown();
    }
    // The buffer shows exactly these texts, drawn in white or green.
    bool shows(std::initializer_list<std::pair<std::string, Point2>> white,
               std::initializer_list<std::pair<std::string, Point2>> green = {}) {
        clear_bitmap(expected);
        for (const auto& t : white) bitmap_font->draw(expected, t.first, t.second.x, t.second.y);
        for (const auto& t : green) bitmap_font->drawGreen(expected, t.first, t.second.x, t.second.y);
        return sameRegion(buffer, expected, 0, 0, 640, 480);
    }
    BITMAP* expected = nullptr;
};

TEST_F(HudTest, TheBackdropWrapsWithoutASeamAndDipsToBlackOnceEveryThousandFrames) {
    BITMAP* own = game_background;
    game_background = create_bitmap(BACKGROUND_WIDTH, 480);
    for (int c = 0; c < BACKGROUND_WIDTH; ++c) vline(game_background, c, 0, 479, columnColour(c));
    for (int scroll : {0, 720, 721, 1359}) {
        background_scroll = scroll;
        drawBackdrop(buffer);
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(getpixel(buffer, x, 240), columnColour((scroll + x) % BACKGROUND_WIDTH)) << scroll << " " << x;
    }
    const int dips[][2] = {{499, -1}, {500, 256}, {531, 8}, {532, 0}, {563, 248}, {564, -1}, {1532, 0}};
    for (const auto& dip : dips) EXPECT_EQ(backdropDipAlpha(dip[0]), dip[1]) << dip[0];
    frame_count = 532;
    clear_bitmap(buffer);
    drawBackdrop(buffer);
    EXPECT_FALSE(regionHasPaint(buffer, 0, 0, 640, 480));
    destroy_bitmap(game_background);
    game_background = own;
}

// Reserve ships are the lives beyond the one in play; none shown once all are lost.
TEST_F(HudTest, ScoreReserveShipsAndTheSecondsLeft) {
    flyingShipAt(300, 200);
    gryffon->setScore(12345);
    drawHud(buffer);
    EXPECT_TRUE(shows({{"12345", {0, 16}}, {"2", {80, 464}}}, {{"Score", {0, 0}}, {"Rest", {0, 464}}}));
    for (int i = 0; i < 3; ++i) {
        gryffon->takeHit();
        drawUntilHitCounter(-1, scratch);
    }
    clear_bitmap(buffer);
    drawHud(buffer);
    EXPECT_TRUE(shows({{"12345", {0, 16}}}, {{"Score", {0, 0}}}));

    const struct { GameMode mode; int seconds; const char* text; } timers[] = {
        {TwoMinute, 0, "TIME 0"}, {TwoMinute, -1, ""}, {Marathon, 120, ""}, {FiveMinute, 120, "TIME 120"}};
    for (const auto& t : timers) {
        game_mode = t.mode;
        seconds_left = t.seconds;
        clear_bitmap(buffer);
        drawTimer(buffer);
        EXPECT_TRUE(shows({{t.text, {512, 464}}})) << t.seconds;
    }
}

}  // namespace
