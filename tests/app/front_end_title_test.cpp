// The title menu: its fade-in, what it shows, the hover highlight, and what
// clicks and ESC do on it.
#include <allegro.h>

#include <string>

#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "front_end_fixture.h"

namespace {

struct Item {
    const char* text;
    int x;
    int y;
    int mode;  // 0 for Exit
};
const Item ITEMS[4] = {
    {"MARATHON GAME", 216, 240, Marathon},
    {"2-MINUTE GAME", 216, 272, TwoMinute},
    {"5-MINUTE GAME", 216, 304, FiveMinute},
    {"EXIT", 288, 336, 0},
};

int length(const Item& item) { return static_cast<int>(std::string(item.text).size()); }

// Which items the buffer shows in green; every other item must be there in normal ink.
std::string greenItems(BITMAP* buffer) {
    std::string green;
    for (int i = 0; i < 4; ++i) {
        const Item& item = ITEMS[i];
        if (textAt(buffer, item.x, item.y, length(item), Ink::Green) == item.text)
            green += std::to_string(i + 1);
        else
            EXPECT_EQ(textAt(buffer, item.x, item.y, length(item)), item.text);
    }
    return green;
}

// A point on the title where nothing but the background is drawn.
const int BARE_X = 20;
const int BARE_Y = 200;

TEST_F(FrontEndTest, TitleFadesInOver32PassesWhileIgnoringClicksAndEscape) {
    // A click held on "Marathon Game" all through the fade.
    mouseAt(250, 245, true);
    int previous_green = -1;
    for (int pass = 1; pass <= 32; ++pass) {
        this->pass();
        ASSERT_EQ(fade_alpha, 8 * pass);
        int level = getg16(getpixel(buffer, BARE_X, BARE_Y));
        EXPECT_GT(level, previous_green) << "pass " << pass;
        previous_green = level;
        EXPECT_TRUE(pass == 32 || getpixel(buffer, BARE_X, BARE_Y) != titleBackgroundColour());
        EXPECT_TRUE(pass != 16 || textAt(buffer, 216, 240, 13) == "#############") << "the menu fades with the picture";
        ASSERT_EQ(game_mode, FrontEnd);
        ASSERT_FALSE(click_latch);
    }
    // The last fade pass is drawn at full strength, still without the hover highlight.
    EXPECT_EQ(getpixel(buffer, BARE_X, BARE_Y), titleBackgroundColour());
    EXPECT_EQ(greenItems(buffer), "");

    // The first live pass takes the click that is still held.
    pass();
    EXPECT_EQ(fade_alpha, 256);
    EXPECT_EQ(game_mode, Marathon);

    // ESC held through a fade does nothing until the title is live.
    restart();
    key[KEY_ESC] = 1;
    for (int pass = 1; pass <= 32; ++pass) this->pass();
    EXPECT_TRUE(running);
    EXPECT_FALSE(esc_latch);
    pass();
    EXPECT_FALSE(running);
}

TEST_F(FrontEndTest, TitleShowsLogoMenuAndTheTwoGreenLines) {
    skipFade();
    mouseAt(BARE_X, BARE_Y);
    pass();
    // The logo is drawn as a sprite at (154, 0): its transparent left column lets the background through.
    EXPECT_EQ(getpixel(buffer, 154, 0), titleBackgroundColour());
    EXPECT_EQ(getpixel(buffer, 155, 0), gameLogoColour());
    EXPECT_EQ(getpixel(buffer, 217, 31), gameLogoColour());
    EXPECT_EQ(getpixel(buffer, 218, 31), titleBackgroundColour());
    EXPECT_EQ(getpixel(buffer, 155, 32), titleBackgroundColour());
    EXPECT_EQ(greenItems(buffer), "");
    EXPECT_EQ(textAt(buffer, 152, 432, 21, Ink::Green), " \xA9 2026 OSTWICK TEAM#");
    EXPECT_EQ(textAt(buffer, 136, 448, 20, Ink::Green), "RELEASED BY HOLTRANE");
}

TEST_F(FrontEndTest, HoverDrawsTheItemUnderTheMouseInGreenUpToItsZoneEdges) {
    skipFade();
    const struct {
        int x, y;
        const char* green;
    } probes[] = {
        {216, 240, "1"}, {423, 255, "1"}, {215, 240, ""},  {424, 240, ""},  {216, 256, ""},  {216, 239, ""},
        {300, 272, "2"}, {300, 287, "2"}, {300, 288, ""},  {300, 304, "3"}, {423, 319, "3"}, {288, 336, "4"},
        {351, 351, "4"}, {287, 340, ""},  {352, 340, ""},  {300, 352, ""},  {BARE_X, BARE_Y, ""},
    };
    for (const auto& probe : probes) {
        mouseAt(probe.x, probe.y);
        pass();
        EXPECT_EQ(greenItems(buffer), probe.green) << probe.x << "," << probe.y;
    }
    EXPECT_EQ(game_mode, FrontEnd);
    EXPECT_TRUE(running);
}

TEST_F(FrontEndTest, AClickOnAGameModeStartsThatRoundAndExitQuits) {
    for (const Item& item : ITEMS) {
        restart();
        skipFade();
        jumpTo(100);
        mouseAt(item.x + 8, item.y + 8, true);
        pass();
        SCOPED_TRACE(item.text);
        EXPECT_EQ(game_mode, item.mode);
        EXPECT_EQ(running, item.mode != 0);
        EXPECT_TRUE(click_latch);  // still down when the round ends: the title waits for a new press
        // This pass still shows the title; the round starts with the next one.
        EXPECT_EQ(getpixel(buffer, BARE_X, BARE_Y), titleBackgroundColour());
        EXPECT_EQ(textAt(buffer, 216, 240, 13).size(), 13u);
        EXPECT_EQ(screen_timer, 100);
    }
}

TEST_F(FrontEndTest, AClickBesideTheMenuIsSpentUntilTheButtonIsReleased) {
    skipFade();
    mouseAt(BARE_X, BARE_Y, true);
    pass();
    EXPECT_TRUE(click_latch);
    // Still held, dragged onto an item: nothing starts.
    mouseAt(250, 245, true);
    for (int i = 0; i < 5; ++i) pass();
    EXPECT_EQ(game_mode, FrontEnd);
    mouseAt(250, 245, false);
    pass();
    EXPECT_FALSE(click_latch);
    mouseAt(250, 277, true);
    pass();
    EXPECT_EQ(game_mode, TwoMinute);
}

// On the title and on an attract screen alike. ESC and a click in the same
// pass: ESC wins on the title, so no round starts; an attract screen still
// takes the click back to the title.
TEST_F(FrontEndTest, EscapeHeldFromARoundDoesNotQuitButANewPressDoes) {
    for (int timer : {100, 900}) {
        SCOPED_TRACE(timer);
        restart();
        skipFade();
        jumpTo(timer);
        esc_latch = true;  // the round ended on ESC, and it is still down
        key[KEY_ESC] = 1;
        for (int i = 0; i < 10; ++i) pass();
        EXPECT_TRUE(running);
        key[KEY_ESC] = 0;
        pass();
        EXPECT_FALSE(esc_latch);
        EXPECT_TRUE(running);
        key[KEY_ESC] = 1;
        mouseAt(250, 245, true);
        pass();
        EXPECT_FALSE(running);
        EXPECT_TRUE(esc_latch);
        EXPECT_EQ(game_mode, FrontEnd);
        EXPECT_EQ(click_latch, timer == 900);
        EXPECT_EQ(screen_timer, timer == 900 ? 0 : 111);
    }
}

}  // namespace
