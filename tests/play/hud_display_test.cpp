// The backdrop's wrap and dip, the shape banner, the score and reserve
// display, the countdown and "GO!!", and the time display.
#include <string>

#include "gfx/bitmap_font.h"
#include "play/hud.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

// A stand-in backdrop whose every column has its own exact 16-bit colour.
int columnColour(int column) { return (column & 31) << 11 | ((column >> 5) & 63) << 5 | 7; }

class HudTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        savedBackground = game_background;
        striped = create_bitmap(BACKGROUND_WIDTH, 480);
        for (int c = 0; c < BACKGROUND_WIDTH; ++c) vline(striped, c, 0, 479, columnColour(c));
        game_background = striped;
        expected = create_bitmap(640, 480);
        clear_bitmap(expected);
    }
    void TearDown() override {
        game_background = savedBackground;
        destroy_bitmap(striped);
        destroy_bitmap(expected);
        RoundTest::TearDown();
    }
    // Columns of the picture the backdrop shows at screen x = 0..639.
    bool showsColumnsFrom(int first) {
        for (int x = 0; x < 640; ++x)
            for (int y : {0, 240, 479})
                if (getpixel(buffer, x, y) != columnColour((first + x) % BACKGROUND_WIDTH)) return false;
        return true;
    }
    bool matchesExpected(int x, int y, int w, int h) { return sameRegion(buffer, expected, x, y, w, h); }

    BITMAP* savedBackground = nullptr;
    BITMAP* striped = nullptr;
    BITMAP* expected = nullptr;
};

TEST_F(HudTest, TheBackdropWrapsWithoutASeam) {
    frame_count = 10;
    for (int scroll : {0, 719, 720, 721, 1000, 1359}) {
        background_scroll = scroll;
        clear_bitmap(buffer);
        drawBackdrop(buffer);
        EXPECT_TRUE(showsColumnsFrom(scroll)) << scroll;
    }
}

TEST_F(HudTest, TheBackdropDipsToBlackOnceEveryThousandFrames) {
    const int dips[][2] = {{499, -1}, {500, 256}, {531, 8}, {532, 0}, {563, 248}, {564, -1}, {1532, 0}};
    for (const auto& dip : dips) EXPECT_EQ(backdropDipAlpha(dip[0]), dip[1]) << dip[0];

    background_scroll = 100;
    frame_count = 532;
    drawBackdrop(buffer);
    EXPECT_FALSE(regionHasPaint(buffer, 0, 0, 640, 480));
    frame_count = 500;
    drawBackdrop(buffer);
    EXPECT_TRUE(showsColumnsFrom(100));
    frame_count = 516;  // half way down: dimmer than the picture, not black
    clear_bitmap(buffer);
    drawBackdrop(buffer);
    int dimmed = getpixel(buffer, 200, 10);
    int full = columnColour(300);
    EXPECT_NE(dimmed, 0);
    EXPECT_LT(getr16(dimmed) + getg16(dimmed), getr16(full) + getg16(full));

    // A whole frame at t = 32: black backdrop, the HUD drawn at full strength.
    frame_count = 531;
    background_scroll = 99;
    gryffon->setPosition(600, 420);
    clear_bitmap(buffer);
    runPlayFrame(buffer);
    EXPECT_FALSE(regionHasPaint(buffer, 100, 100, 400, 300));  // the ship is out of this area
    bitmap_font->drawGreen(expected, "Score", 0, 0);
    EXPECT_TRUE(matchesExpected(0, 0, 80, 16));
}

TEST_F(HudTest, TheBannerBlinksTheNameOfTheActiveShape) {
    current_shape = SHAPE_RECTANGLE;
    banner_timer = 0;
    bitmap_font->draw(expected, "SQUARE", 272, 0);
    for (int frame = 1; frame <= 402; ++frame) {
        clear_bitmap(buffer);
        shapeBannerStep(buffer);
        bool shown = frame <= 400 ? frame % 16 < 8 : frame == 401;
        int timer = frame <= 400 ? frame : -1;
        ASSERT_EQ(banner_timer, timer) << frame;
        ASSERT_EQ(regionHasPaint(buffer, 0, 0, 640, 16), shown) << frame;
        ASSERT_TRUE(!shown || matchesExpected(0, 0, 640, 16)) << frame;
    }
    current_shape = SHAPE_TRIANGLE;
    banner_timer = 0;
    clear_bitmap(buffer);
    clear_bitmap(expected);
    shapeBannerStep(buffer);
    bitmap_font->draw(expected, "TRIANGLE", 256, 0);
    EXPECT_TRUE(matchesExpected(0, 0, 640, 16));
}

TEST_F(HudTest, ScoreAndReserveShips) {
    flyingShipAt(300, 200);
    gryffon->setScore(12345);
    for (int i = 0; i < 2; ++i) {
        gryffon->takeHit();
        drawUntilHitCounter(-1, scratch);
    }
    ASSERT_EQ(gryffon->getLives(), 1);
    drawHud(buffer);
    bitmap_font->drawGreen(expected, "Score", 0, 0);
    bitmap_font->draw(expected, "12345", 0, 16);
    bitmap_font->drawGreen(expected, "Rest", 0, 464);
    bitmap_font->draw(expected, "0", 80, 464);
    EXPECT_TRUE(matchesExpected(0, 0, 640, 480));

    gryffon->takeHit();
    clear_bitmap(buffer);
    drawHud(buffer);
    EXPECT_TRUE(regionHasPaint(buffer, 0, 0, 80, 32));
    EXPECT_FALSE(regionHasPaint(buffer, 0, 464, 640, 16));
}

TEST_F(HudTest, TheTimedModesShowTheSecondsLeft) {
    const struct {
        GameMode mode;
        int seconds;
        const char* text;  // nullptr: nothing drawn
    } cases[] = {{TwoMinute, 0, "TIME 0"}, {TwoMinute, -1, nullptr}, {Marathon, 120, nullptr}, {FiveMinute, 120, "TIME 120"}};
    for (const auto& c : cases) {
        game_mode = c.mode;
        seconds_left = c.seconds;
        clear_bitmap(buffer);
        clear_bitmap(expected);
        drawTimer(buffer);
        if (c.text) bitmap_font->draw(expected, c.text, 512, 464);
        EXPECT_TRUE(matchesExpected(0, 0, 640, 480)) << c.seconds;
        EXPECT_EQ(regionHasPaint(buffer, 512, 464, 96, 16), c.text != nullptr) << c.seconds;
    }
}

TEST_F(HudTest, TheCountdownShowsEachDigitThenGoRunsAcross) {
    BITMAP* screenAfter[3];
    int waits = 0;
    testing_support::setFrameScript([&] {
        screenAfter[waits] = create_bitmap(640, 480);
        blit(testing_support::fakeScreen(), screenAfter[waits], 0, 0, 0, 0, 640, 480);
        ++waits;
    });
    intro_counter = 0;
    countdownStep(buffer);
    ASSERT_EQ(waits, 3);
    EXPECT_EQ(intro_counter, 2);
    const char* digits[3] = {"3", "2", "1"};
    for (int i = 0; i < 3; ++i) {
        bitmap_font->draw(expected, digits[i], 280 + 32 * i, 224);
        EXPECT_TRUE(sameRegion(screenAfter[i], expected, 0, 200, 640, 64)) << digits[i];
        destroy_bitmap(screenAfter[i]);
    }
    bitmap_font->draw(expected, "GO!!", -64, 224);
    EXPECT_TRUE(matchesExpected(0, 200, 640, 64));

    clear_bitmap(buffer);
    clear_bitmap(expected);
    intro_counter = 100;
    countdownStep(buffer);
    EXPECT_EQ(intro_counter, 101);
    bitmap_font->draw(expected, "GO!!", 332, 224);
    EXPECT_TRUE(matchesExpected(0, 200, 640, 64));
}

TEST_F(HudTest, TheIntroEndsOnceGoHasRunFor300Frames) {
    intro_counter = 300;
    runPlayFrame(buffer);
    EXPECT_EQ(intro_counter, -1);
    runPlayFrame(buffer);
    EXPECT_EQ(intro_counter, -1);
}

}  // namespace
