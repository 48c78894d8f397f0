// The front end as the player meets it: the logo intro, the title menu and the
// attract screens, drawn with plain-coloured stand-in art and the glyph font.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/front_end.h"
#include "app/zenvar_main.h"
#include "audio/sound_bank.h"
#include "core/game_types.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "scores/score_table.h"
#include "support/glyph_font.h"
#include "support/headless.h"
#include "support/scratch_folder.h"

using testing_support::Ink;
using testing_support::setMouse;
using testing_support::textAt;

namespace {

const int BARE_X = 20, BARE_Y = 200;  // only the title background is drawn here

BITMAP* solid(int width, int height, int colour) {
    BITMAP* bitmap = create_bitmap(width, height);
    clear_to_color(bitmap, colour);
    return bitmap;
}

class FrontEndTest : public ::testing::Test {
protected:
    // Plain-coloured stand-ins for the art, and a colour none of it uses.
    const int title = makecol16(40, 200, 40), logo = makecol16(255, 120, 0), publisher = makecol16(255, 255, 0);
    const int UNCLEARED = makecol16(248, 0, 8);

    void SetUp() override {
        static BITMAP* art[4] = {solid(640, 480, title), solid(64, 32, logo), solid(9, 9, makecol16(255, 0, 0)),
                                 solid(9, 9, makecol16(0, 0, 255))};
        static GraphicLibrary* library = new GraphicLibrary();
        vline(art[1], 0, 0, 31, makecol16(255, 0, 255));  // the logo's transparent left column
        static RLE_SPRITE* logo_runs = get_rle_sprite(art[1]);  // as start-up makes it
        static SoundBank* silent = new SoundBank();
        static Gryffon* ship = new Gryffon(library);  // the run folder's art; its looks do not matter here
        title_background = art[0];
        game_logo = art[1];
        game_logo_runs = logo_runs;
        star_images[0] = art[2];
        star_images[1] = art[3];
        bitmap_font = testing_support::glyphFont();
        sound_bank = silent;
        graphic_library = library;
        gryffon = ship;
        buffer = create_bitmap(640, 480);
        restart();
    }
    // The state after the intro, with the title faded in.
    void restart() {
        testing_support::releaseAllInput();
        setMouse(BARE_X, BARE_Y);
        running = true;
        close_requested = esc_latch = click_latch = false;
        game_mode = FrontEnd;
        intro_frame = -1;
        fade_alpha = 256;
        screen_timer = 0;
    }
    void TearDown() override {
        restart();
        destroy_bitmap(buffer);
        destroy_bitmap(publisher_logo);
        destroy_bitmap(developer_logo);
        publisher_logo = developer_logo = nullptr;
    }
    // One pass over a buffer the frame tail left uncleared, which it must paint all over.
    void pass() {
        EXPECT_TRUE(nextPassRepaintsEverything());
        clear_to_color(buffer, UNCLEARED);
        frontEndPass(buffer);
        EXPECT_EQ(uncleared(), 0) << "screen timer " << screen_timer;
    }
    void jumpTo(int timer) { screen_timer = timer - 1; }  // the next pass runs with this timer
    int uncleared() {  // pixels a pass failed to paint over
        int left = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) left += getpixel(buffer, x, y) == UNCLEARED;
        return left;
    }
    BITMAP* buffer = nullptr;
};

const struct { const char* text; int x, y; } ITEMS[4] = {
    {"MARATHON GAME", 216, 240}, {"2-MINUTE GAME", 216, 272}, {"5-MINUTE GAME", 216, 304}, {"EXIT", 288, 336}};

// The numbers of the menu items shown in green; the others must be in normal ink.
std::string greenItems(BITMAP* buffer) {
    std::string green;
    for (int i = 0; i < 4; ++i) {
        int cells = static_cast<int>(std::string(ITEMS[i].text).size());
        if (textAt(buffer, ITEMS[i].x, ITEMS[i].y, cells, Ink::Green) == ITEMS[i].text)
            green += std::to_string(i + 1);
        else
            EXPECT_EQ(textAt(buffer, ITEMS[i].x, ITEMS[i].y, cells), ITEMS[i].text);
    }
    return green;
}

// Each maker's logo in turn; the developer's is read only when the publisher's
// has gone, so the intro never holds both. It reads no input and ends on pass 280.
TEST_F(FrontEndTest, IntroShowsEachLogoInTurnAndEndsOnPass280) {
    publisher_logo = solid(640, 480, publisher);
    intro_frame = fade_alpha = 0;
    key[KEY_ESC] = 1;
    setMouse(250, 245, 1);
    for (int pass = 1; pass < INTRO_PASSES; ++pass) {
        SCOPED_TRACE(pass);
        // Pass 1 lets the white show through the faint logo; every later one covers it all.
        ASSERT_EQ(nextPassRepaintsEverything(), pass > 1 && pass != 140);
        clear_to_color(buffer, pass == 1 ? makecol16(255, 255, 255) : UNCLEARED);
        introStep(buffer);
        ASSERT_TRUE(pass == 1 || uncleared() == 0);
        ASSERT_EQ(publisher_logo != nullptr, pass < 140);
        ASSERT_EQ(developer_logo != nullptr, pass >= 140);
        int pixel = getpixel(buffer, 320, 240);
        EXPECT_TRUE(pass != 1 || (getb16(pixel) > 200 && getb16(pixel) < 255)) << "white shows through";
        EXPECT_TRUE(pass != 100 || pixel == publisher);
    }
    EXPECT_FALSE(nextPassRepaintsEverything()) << "the last intro pass draws nothing";
    introStep(buffer);
    EXPECT_TRUE(intro_frame == -1 && fade_alpha == 0 && !publisher_logo && !developer_logo);
    EXPECT_TRUE(running && !esc_latch && game_mode == FrontEnd);
    EXPECT_TRUE(click_latch) << "a button held through the intro starts nothing";
}

// A full-screen picture gone when its screen comes is the missing-graphic error.
TEST_F(FrontEndTest, APictureGoneWhenItsScreenComesIsTheMissingGraphicError) {
    testing_support::ScratchFolder empty;
    empty.enter();
    for (int intro_pass : {140, 0}) {  // 0: a front-end pass
        publisher_logo = intro_pass ? solid(640, 480, publisher) : nullptr;
        title_background = nullptr;  // as after the intro or a round
        intro_frame = intro_pass - 1;
        try {
            runPass(buffer);
            ADD_FAILURE() << "no error at intro pass " << intro_pass;
        } catch (int code) {
            EXPECT_EQ(code, ERR_GRAPHIC_MISSING) << "intro pass " << intro_pass;
        }
    }
}

// The frame tail leaves the buffer uncleared before the title's fade-in and every
// play frame (the backdrop's wrap and dip included).
TEST_F(FrontEndTest, TheFadeInAndPlayFramesPaintEveryPixel) {
    title_background = solid(640, 480, title);  // the round frees it
    fade_alpha = 0;
    pass();
    game_background = solid(1360, 480, makecol16(0, 0, 90));
    startRound(Marathon);
    for (int frame = 0; frame < 600; ++frame) {
        if (frame == 1) background_scroll = 1300;
        ASSERT_TRUE(nextPassRepaintsEverything());
        clear_to_color(buffer, UNCLEARED);
        runPass(buffer);
        ASSERT_TRUE((frame % 50 && frame <= 500) || uncleared() == 0) << "play frame " << frame;
    }
    EXPECT_EQ(title_background, nullptr) << "put away for the round";
    clearRoundObjects();
    destroy_bitmap(game_background);
    game_background = nullptr;
}

// The item under the mouse is green up to its exact edge, and a click there
// starts that round with the next pass or, on Exit, quits; elsewhere it does nothing.
TEST_F(FrontEndTest, TheItemUnderTheMouseIsGreenAndAClickOnItStartsIt) {
    const int NONE = FrontEnd, EXIT = -1;
    const struct { int x, y; const char* green; int starts; } probes[] = {
        {216, 240, "1", Marathon}, {423, 255, "1", Marathon}, {215, 240, "", NONE}, {424, 240, "", NONE},
        {216, 239, "", NONE}, {216, 256, "", NONE}, {300, 287, "2", TwoMinute}, {300, 304, "3", FiveMinute},
        {288, 336, "4", EXIT}, {351, 351, "4", EXIT}, {352, 340, "", NONE}, {BARE_X, BARE_Y, "", NONE},
    };
    for (const auto& probe : probes) {
        SCOPED_TRACE(std::to_string(probe.x) + "," + std::to_string(probe.y));
        restart();
        jumpTo(100);
        setMouse(probe.x, probe.y);
        pass();
        EXPECT_EQ(greenItems(buffer), probe.green);
        mouse_b = 1;
        pass();
        EXPECT_EQ(game_mode, probe.starts == EXIT ? FrontEnd : probe.starts);
        EXPECT_EQ(running, probe.starts != EXIT);
        EXPECT_TRUE(click_latch);
        EXPECT_EQ(getpixel(buffer, BARE_X, BARE_Y), title) << "this pass still shows the title";
    }
    // The logo is a sprite at (154, 0): its transparent column shows the background.
    EXPECT_EQ(getpixel(buffer, 154, 0), title);
    EXPECT_EQ(getpixel(buffer, 155, 0), logo);
}

// ESC still down from the round does not quit the title or an attract screen; a new press
// does. With a click in the same pass ESC wins on the title; an attract screen takes the click.
TEST_F(FrontEndTest, EscapeHeldFromARoundDoesNotQuitButANewPressDoes) {
    for (int timer : {100, 900}) {
        SCOPED_TRACE(timer);
        restart();
        jumpTo(timer);
        esc_latch = true;
        key[KEY_ESC] = 1;
        for (int i = 0; i < 10; ++i) pass();
        EXPECT_TRUE(running);
        key[KEY_ESC] = 0;
        pass();
        EXPECT_TRUE(running && !esc_latch);
        key[KEY_ESC] = 1;
        setMouse(250, 245, 1);
        pass();
        EXPECT_TRUE(!running && esc_latch && game_mode == FrontEnd);
        EXPECT_EQ(click_latch, timer == 900);
        EXPECT_EQ(screen_timer, timer == 900 ? 0 : 111);
    }
}

// The attract cycle at each screen's first and last pass, then back to the title.
// Scores show as loaded, negative ones and damaged names too: a name byte without
// a glyph (newline, zero) is a blank cell and never moves the rows below.
TEST_F(FrontEndTest, AttractScreensShowTheirContentOnScheduleAndWrapAfter1499) {
    two_minute_table = ScoreTable{{123456, 30000, 7, 0, -2},
                                  {{'Z', 'E', 'D'}, {' ', ' ', ' '}, {'\n', 0, 'X'}, {'9', '.', '!'}, {'A', 'B', 'C'}}};
    five_minute_table = two_minute_table;
    insertScore(five_minute_table, 500000);
    const Ink N = Ink::Normal, G = Ink::Green;
    const struct { int timer, x, y; const char* text; Ink ink; } shown[] = {
        {1, 216, 240, "MARATHON GAME", N}, {399, 216, 240, "MARATHON GAME", N}, {400, 16, 16, "CONTROLS", G},
        {799, 16, 16, "CONTROLS", G}, {800, 16, 16, "DIRECTED AND PROGRAMMED BY", G}, {1199, 32, 464, "V1.2 ", N},
        {1200, 192, 32, "MARATHON  SCORES", G}, {1299, 192, 32, "MARATHON  SCORES", G},
        {1300, 192, 32, "TWO  MIN  SCORES", G}, {1300, 176, 112, "123456#", N}, {1300, 416, 112, "ZED#", N},
        {1300, 176, 128, "########", N}, {1300, 416, 160, "   #", N}, {1300, 176, 208, "7#", N},
        {1300, 416, 208, "##X#", N}, {1300, 176, 304, "-2#", N}, {1300, 416, 304, "ABC#", N},
        {1399, 192, 32, "TWO  MIN  SCORES", G}, {1400, 192, 32, "FIVE MIN  SCORES", G},
        {1400, 176, 112, "500000#", N}, {1400, 416, 160, "ZED#", N}, {1499, 192, 32, "FIVE MIN  SCORES", G},
    };
    for (const auto& row : shown) {
        jumpTo(row.timer);
        pass();
        EXPECT_EQ(textAt(buffer, row.x, row.y, static_cast<int>(strlen(row.text)), row.ink), row.text) << row.timer;
    }
    EXPECT_EQ(screen_timer, 0);
    pass();
    EXPECT_EQ(getpixel(buffer, BARE_X, BARE_Y), title) << "the title again, not faded";
}

}  // namespace
