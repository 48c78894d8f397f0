// The name entry screen driven headless: the mouse is scripted pass by pass
// through the frame hook, and the screens it presents are read back cell by cell.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/program.h"
#include "core/shell_state.h"
#include "scores/name_entry.h"
#include "support/glyph_font.h"
#include "support/headless.h"

using testing_support::Ink;
using testing_support::textAt;

namespace {

struct Pass {
    int x;
    int y;
    int buttons;
};

const char* const ROW1 = "ABCDEFGHIJKLMNOPQRS";
const char* const ROW2 = "TUVWXYZ0123456789.!";

// The middle of a letter's cell on the on-screen keyboard.
Pass over(char letter) {
    const char* found = std::strchr(ROW1, letter);
    if (found) return {168 + 16 * static_cast<int>(found - ROW1) + 8, 248, 0};
    found = std::strchr(ROW2, letter);
    return {168 + 16 * static_cast<int>(found - ROW2) + 8, 264, 0};
}
const Pass OVER_DELETE = {300, 296, 0};
const Pass OVER_END = {320, 312, 0};
const Pass NOWHERE = {40, 400, 0};

Pass pressed(Pass where) { return {where.x, where.y, 1}; }

// A press and a release: one click.
void click(std::vector<Pass>& passes, Pass where) {
    passes.push_back(pressed(where));
    passes.push_back(where);
}

// Clicks for each character: a letter types it, '<' is DELETE, '$' is END!.
std::vector<Pass> typing(const std::string& keys) {
    std::vector<Pass> passes;
    for (char key : keys) click(passes, key == '<' ? OVER_DELETE : key == '$' ? OVER_END : over(key));
    return passes;
}

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_font = bitmap_font;
        bitmap_font = testing_support::glyphFont();
        buffer = create_bitmap(640, 480);
        shot = create_bitmap(640, 480);
        reset();
    }
    // A fresh start inside one test: released input, open latches, the same table.
    void reset() {
        testing_support::releaseAllInput();
        click_latch = false;
        esc_latch = false;
        running = true;
        close_requested = false;
        clear_bitmap(buffer);
        clear_bitmap(shot);
        const char* names[5] = {"AAA", "BBB", "CCC", "DDD", "EEE"};
        for (int row = 0; row < 5; ++row) {
            table.scores[row] = 500 - 100 * row;
            std::memcpy(table.names[row], names[row], 3);
        }
    }
    void TearDown() override {
        testing_support::clearFrameScript();
        testing_support::releaseAllInput();
        close_requested = false;
        click_latch = false;
        bitmap_font = saved_font;
        destroy_bitmap(buffer);
        destroy_bitmap(shot);
    }

    // Runs the screen with one mouse state per pass and keeps a copy of the
    // screen shown at pass `shot_pass` (1 is the first). When the script runs
    // out the window is closed, which ends the screen whatever it is doing.
    int runScreen(int score, const std::vector<Pass>& passes, int shot_pass = 0) {
        size_t next = 0;
        auto applyNext = [&]() {
            if (next < passes.size()) {
                mouse_x = passes[next].x;
                mouse_y = passes[next].y;
                mouse_b = passes[next].buttons;
                ++next;
            } else {
                close_requested = true;
            }
        };
        applyNext();
        long before = testing_support::framesPresented();
        testing_support::setFrameScript([&]() {
            if (static_cast<int>(next) == shot_pass) blit(testing_support::fakeScreen(), shot, 0, 0, 0, 0, 640, 480);
            applyNext();
        });
        enterName(score, table, buffer, no_cursors);
        testing_support::clearFrameScript();
        return static_cast<int>(testing_support::framesPresented() - before);
    }

    std::string name(int row) { return std::string(table.names[row], 3); }

    BitmapFont* saved_font = nullptr;
    BITMAP* buffer = nullptr;
    BITMAP* shot = nullptr;
    BITMAP* no_cursors[4] = {nullptr, nullptr, nullptr, nullptr};
    ScoreTable table;
};

// The new row gets the letters typed, every other row keeps its place; the
// pass that clicks END! is still shown. A score that does not qualify shows nothing.
TEST_F(NameEntryTest, ClicksSpellTheNameOfTheNewRow) {
    const struct {
        int score;
        const char* keys;
        int row;
        const char* name;
        int shown;
    } cases[] = {
        {450, "Z9.Q$", 1, "Z9.", 9},       // a fourth letter is ignored
        {1000, "<ABC<X$", 0, "ABX", 13},   // Delete at the start does nothing
        {150, "K<<<M$", 4, "M  ", 11},     // nor past it
        {350, "$", 2, "   ", 1},           // END! at once
        {101, "ABC$", 4, "ABC", 7},        // one point over the fifth row
        {100, "ABC$", -1, "", 0},          // not over it
    };
    for (const auto& c : cases) {
        reset();
        ScoreTable expected = table;
        if (insertScore(expected, c.score) >= 0) std::memcpy(expected.names[c.row], c.name, 3);
        EXPECT_EQ(runScreen(c.score, typing(c.keys)), c.shown) << c.keys;
        EXPECT_FALSE(close_requested) << c.keys;
        EXPECT_EQ(std::memcmp(&expected, &table, sizeof table), 0) << c.keys << " row " << c.row << ": " << name(c.row);
    }
}

// A button held from the screen before types nothing, a new press held many
// passes types once; ESC and the keyboard are not this screen's input.
TEST_F(NameEntryTest, AHeldButtonTypesOnceAndKeysAreIgnored) {
    key[KEY_ESC] = 1;
    key[KEY_ENTER] = 1;
    key[KEY_A] = 1;
    click_latch = true;
    std::vector<Pass> passes(5, pressed(over('H')));
    passes.push_back(over('H'));
    for (int i = 0; i < 12; ++i) passes.push_back(pressed(over('J')));
    passes.push_back(NOWHERE);
    click(passes, OVER_END);
    EXPECT_EQ(runScreen(600, passes), 20);
    EXPECT_TRUE(running);
    EXPECT_FALSE(esc_latch);
    EXPECT_FALSE(close_requested);
    EXPECT_EQ(name(0), "J  ");
}

TEST_F(NameEntryTest, ClosingTheWindowEndsTheScreenKeepingTheLettersSoFar) {
    // Without END! the runner closes the window after the script.
    EXPECT_EQ(runScreen(450, typing("GO")), 4);
    EXPECT_TRUE(close_requested);
    EXPECT_EQ(name(1), "GO ");
}

// After a P, one click at each probe: a letter cell types beside it, DELETE
// takes it back, END! finishes, and a pixel outside does nothing.
TEST_F(NameEntryTest, ZonesEndExactlyAtTheirEdges) {
    const struct {
        int x;
        int y;
        const char* name;
        bool done;
    } probes[] = {
        {168, 240, "PA ", 0}, {167, 248, "P  ", 0}, {183, 240, "PA ", 0}, {184, 240, "PB ", 0}, {168, 239, "P  ", 0},
        {471, 240, "PS ", 0}, {472, 240, "P  ", 0}, {471, 255, "PS ", 0}, {168, 256, "PT ", 0}, {471, 256, "P! ", 0},
        {472, 256, "P  ", 0}, {471, 271, "P! ", 0}, {471, 272, "P  ", 0}, {300, 255, "PI ", 0}, {300, 256, "P1 ", 0},
        {272, 288, "   ", 0}, {367, 303, "   ", 0}, {271, 295, "P  ", 0}, {368, 295, "P  ", 0}, {300, 287, "P  ", 0},
        {288, 304, "P  ", 1}, {351, 319, "P  ", 1}, {287, 310, "P  ", 0}, {352, 310, "P  ", 0}, {300, 320, "P  ", 0},
    };
    for (const auto& probe : probes) {
        reset();
        NameEntry entry(table, insertScore(table, 600));
        for (Pass pass : {pressed(over('P')), over('P'), Pass{probe.x, probe.y, 1}}) {
            mouse_x = pass.x;
            mouse_y = pass.y;
            mouse_b = pass.buttons;
            entry.nameEntryClick();
        }
        EXPECT_EQ(name(0), probe.name) << probe.x << "," << probe.y;
        EXPECT_EQ(entry.isDone(), probe.done) << probe.x << "," << probe.y;
    }
}

// Passes 3 to 6 hover a letter of row 1, the last cell of row 2, DELETE and
// END!: that zone alone turns green (white cells read as '#'); pass 7 hovers nothing.
TEST_F(NameEntryTest, TheScreenShowsHeadingNameKeyboardAndOneGreenZone) {
    std::vector<Pass> passes = typing("R");
    for (Pass pass : {over('C'), over('!'), OVER_DELETE, OVER_END, NOWHERE}) passes.push_back(pass);
    const struct {
        int x, y;
        std::string text;
    } zones[] = {{200, 240, "C"}, {456, 256, "!"}, {272, 288, "DELETE"}, {288, 304, "END!"}};

    for (int shot_pass = 3; shot_pass <= 7; ++shot_pass) {
        reset();
        runScreen(450, passes, shot_pass);
        SCOPED_TRACE("pass " + std::to_string(shot_pass));
        EXPECT_EQ(textAt(shot, 200, 32, 15, Ink::Green), "ENTER YOUR NAME");
        EXPECT_EQ(textAt(shot, 200, 48, 15, Ink::Green), "---------------");
        EXPECT_EQ(textAt(shot, 296, 64, 3), "R  ");
        std::string white = std::string(ROW1) + ROW2 + "DELETEEND!";
        if (shot_pass < 7) {
            const auto& zone = zones[shot_pass - 3];
            EXPECT_EQ(textAt(shot, zone.x, zone.y, static_cast<int>(zone.text.size()), Ink::Green), zone.text);
            white.replace(white.find(zone.text), zone.text.size(), std::string(zone.text.size(), '#'));
        }
        EXPECT_EQ(textAt(shot, 168, 240, 19) + textAt(shot, 168, 256, 19) + textAt(shot, 272, 288, 6) +
                      textAt(shot, 288, 304, 4),
                  white);
    }
}

TEST_F(NameEntryTest, TheLightBarSweepsThreePixelsAPassAndWrapsAt1200) {
    NameEntry entry(table, 0);
    for (int i = 0; i < 5; ++i) entry.sweepLightBar(buffer);
    EXPECT_EQ(entry.getSweepX(), 3);
    clear_bitmap(buffer);
    entry.sweepLightBar(buffer);  // bar centred on x = 6
    using testing_support::rgb16;
    const int shade[9] = {0, 30, 100, 170, 255, 170, 100, 30, 0};
    for (int i = 0; i < 9; ++i) {
        int expected = shade[i] ? rgb16(shade[i], shade[i], 255) : 0;
        EXPECT_EQ(getpixel(buffer, 2 + i, 0), expected) << "x " << 2 + i;
        EXPECT_EQ(getpixel(buffer, 2 + i, 479), expected) << "x " << 2 + i;
    }

    // The sweep that started at -12 reaches 1197 after 403 passes, then starts again.
    NameEntry fresh(table, 0);
    for (int i = 0; i < 403; ++i) fresh.sweepLightBar(buffer);
    EXPECT_EQ(fresh.getSweepX(), 1197);
    fresh.sweepLightBar(buffer);
    EXPECT_EQ(fresh.getSweepX(), -12);
    fresh.sweepLightBar(buffer);
    EXPECT_EQ(fresh.getSweepX(), -9);
}

}  // namespace
