// The attract cycle: the schedule of screens, their contents, and the input
// that returns to the title or quits.
#include <allegro.h>

#include <cstring>
#include <string>

#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "front_end_fixture.h"
#include "scores/score_table.h"

namespace {

// Which screen the buffer shows, told by a text only that screen has.
std::string shownScreen(BITMAP* buffer) {
    if (textAt(buffer, 216, 240, 13) == "MARATHON GAME") return "title";
    if (textAt(buffer, 16, 16, 8, Ink::Green) == "CONTROLS") return "controls";
    if (textAt(buffer, 16, 16, 26, Ink::Green) == "DIRECTED AND PROGRAMMED BY") return "credits";
    std::string heading = textAt(buffer, 192, 32, 16, Ink::Green);
    if (heading == "MARATHON  SCORES") return "marathon";
    if (heading == "TWO  MIN  SCORES") return "two-minute";
    if (heading == "FIVE MIN  SCORES") return "five-minute";
    return "unknown";
}

TEST_F(FrontEndTest, ScreensFollowTheScheduleAndTheCycleWrapsAfter1499) {
    skipFade();
    const struct {
        int timer;
        const char* screen;
    } steps[] = {
        {1, "title"},         {399, "title"},         {400, "controls"},    {799, "controls"},
        {800, "credits"},     {1199, "credits"},      {1200, "marathon"},   {1299, "marathon"},
        {1300, "two-minute"}, {1399, "two-minute"},   {1400, "five-minute"}, {1499, "five-minute"},
    };
    for (const auto& step : steps) {
        jumpTo(step.timer);
        pass();
        EXPECT_EQ(shownScreen(buffer), step.screen) << "timer " << step.timer;
    }
    EXPECT_EQ(screen_timer, 0);
    // Back to the title at once, without a second fade.
    pass();
    EXPECT_EQ(screen_timer, 1);
    EXPECT_EQ(shownScreen(buffer), "title");
    EXPECT_EQ(getpixel(buffer, 20, 200), titleBackgroundColour());

    // Left alone, the title gives way to the controls after 399 passes.
    screen_timer = 0;
    for (int i = 0; i < 399; ++i) pass();
    EXPECT_EQ(shownScreen(buffer), "title");
    pass();
    EXPECT_EQ(shownScreen(buffer), "controls");
}

TEST_F(FrontEndTest, ControlsScreenShowsStarsThatTwinkleEveryFourPasses) {
    const struct {
        int x, y;
    } points[] = {{90, 180},  {40, 280},  {140, 280}, {316, 180}, {316, 240}, {316, 300}, {550, 280},
                            {500, 180}, {600, 180}, {260, 370}, {380, 430}, {260, 430}, {380, 370}};
    jumpTo(400);
    for (int timer = 400; timer < 416; ++timer) {
        pass();
        int image = timer % 8 < 4 ? 0 : 1;
        for (const auto& point : points) {
            ASSERT_EQ(getpixel(buffer, point.x + 4, point.y + 4), starColour(image)) << timer << " " << point.x;
            ASSERT_EQ(getpixel(buffer, point.x, point.y), starColour(image));
            ASSERT_NE(getpixel(buffer, point.x - 1, point.y + 4), starColour(image));
            ASSERT_NE(getpixel(buffer, point.x + 4, point.y - 1), starColour(image));
        }
    }
    EXPECT_EQ(textAt(buffer, 16, 16, 8, Ink::Green), "CONTROLS");
}

TEST_F(FrontEndTest, CreditsEndWithTheVersionAndItsBuildTag) {
    jumpTo(1000);
    pass();
    std::string version = textAt(buffer, 32, 464, 12);
    EXPECT_EQ(version.substr(0, 5), "V1.2 ");
    EXPECT_NE(version[5], '#') << "a build tag follows: " << version;
    EXPECT_NE(version[5], ' ');
}

class ScoreScreenTest : public FrontEndTest {
protected:
    void SetUp() override {
        FrontEndTest::SetUp();
        saved[0] = marathon_table;
        saved[1] = two_minute_table;
        saved[2] = five_minute_table;
    }
    void TearDown() override {
        marathon_table = saved[0];
        two_minute_table = saved[1];
        five_minute_table = saved[2];
        FrontEndTest::TearDown();
    }
    ScoreTable saved[3];
};

TEST_F(ScoreScreenTest, ScoreScreensShowTheTablesAsLoaded) {
    // A table as a player's file might hold it: a name of three spaces and a
    // damaged one, whose newline must not move the rows below.
    two_minute_table = ScoreTable{{123456, 30000, 7, 0, -2},
                                  {{'Z', 'E', 'D'}, {' ', ' ', ' '}, {'\n', 0, 'X'}, {'9', '.', '!'}, {'A', 'B', 'C'}}};
    loadScoreTable(marathon_table, "/tmp/zenvar-no-such-file.dat");  // first-run rows
    five_minute_table = two_minute_table;
    insertScore(five_minute_table, 500000);

    jumpTo(1300);
    pass();
    EXPECT_EQ(shownScreen(buffer), "two-minute");
    EXPECT_EQ(textAt(buffer, 192, 48, 16, Ink::Green), "################");
    EXPECT_EQ(textAt(buffer, 192, 64, 16, Ink::Green), "----------------");
    const char* score_cells[5] = {"123456#", "30000#", "7#", "0#", "-2#"};
    const char* name_cells[5] = {"ZED#", "   #", "##X#", "9.!#", "ABC#"};
    for (int row = 0; row < 5; ++row) {
        int y = 112 + 48 * row;
        int cells = static_cast<int>(std::strlen(score_cells[row]));
        EXPECT_EQ(textAt(buffer, 176, y, cells), score_cells[row]) << "row " << row;
        EXPECT_EQ(textAt(buffer, 416, y, 4), name_cells[row]) << "row " << row;
        EXPECT_EQ(textAt(buffer, 176, y + 16, 8), "########") << "nothing between rows";
    }
    EXPECT_EQ(textAt(buffer, 208, 400, 14), "BONUS AT 30000");
    EXPECT_EQ(textAt(buffer, 160, 416, 20), "AND THEN EVERY 50000");

    jumpTo(1200);
    pass();
    EXPECT_EQ(shownScreen(buffer), "marathon");
    EXPECT_EQ(textAt(buffer, 176, 112, 6), "10000#");
    EXPECT_EQ(textAt(buffer, 416, 112 + 4 * 48, 3), "OS!");

    jumpTo(1400);
    pass();
    EXPECT_EQ(shownScreen(buffer), "five-minute");
    EXPECT_EQ(textAt(buffer, 176, 112, 7), "500000#");
    EXPECT_EQ(textAt(buffer, 416, 112, 3), "   ");
    EXPECT_EQ(textAt(buffer, 176, 112 + 48, 7), "123456#");
}

TEST_F(FrontEndTest, AClickOnAnAttractScreenReturnsToTheTitleOnce) {
    for (int timer : {400, 900, 1250, 1499}) {
        restart();
        skipFade();
        jumpTo(timer);
        mouseAt(600, 20, true);
        pass();
        EXPECT_EQ(screen_timer, 0) << "timer " << timer;
        EXPECT_TRUE(click_latch);
        EXPECT_NE(shownScreen(buffer), "title") << "this pass still shows the attract screen";
        pass();
        EXPECT_EQ(shownScreen(buffer), "title") << "timer " << timer;
        EXPECT_EQ(getpixel(buffer, 20, 200), titleBackgroundColour()) << "no fade";
    }

    // Held on: the title and the next attract screens take no further click.
    for (int i = 0; i < 450; ++i) pass();
    EXPECT_EQ(screen_timer, 451);
    EXPECT_EQ(game_mode, FrontEnd);
    mouseAt(600, 20, false);
    pass();
    EXPECT_FALSE(click_latch);
    mouseAt(600, 20, true);
    pass();
    EXPECT_EQ(screen_timer, 0);
}

}  // namespace
