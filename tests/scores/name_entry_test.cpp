// The name entry screen driven headless: the mouse is scripted pass by pass
// through the frame hook, and the screens it presents are read back cell by cell.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/shell_state.h"
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

std::vector<Pass> typing(const std::string& letters) {
    std::vector<Pass> passes;
    for (char letter : letters) click(passes, over(letter));
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

TEST_F(NameEntryTest, FourLettersEnterThreeIntoTheNewRow) {
    std::vector<Pass> passes = typing("Z9.Q");
    click(passes, OVER_END);
    int shown = runScreen(450, passes);
    EXPECT_FALSE(close_requested) << "the screen should end on END!, not run out of script";
    EXPECT_EQ(shown, 9);  // the pass that clicks END! is still shown
    EXPECT_EQ(table.scores[1], 450);
    EXPECT_EQ(name(1), "Z9.");
    EXPECT_EQ(name(0), "AAA");
    EXPECT_EQ(name(2), "BBB");
    EXPECT_EQ(name(4), "DDD");
}

TEST_F(NameEntryTest, DeleteBlanksTheLastLetterAndDoesNothingAtTheStart) {
    std::vector<Pass> passes;
    click(passes, OVER_DELETE);  // nothing entered yet
    std::vector<Pass> letters = typing("ABC");
    passes.insert(passes.end(), letters.begin(), letters.end());
    click(passes, OVER_DELETE);
    click(passes, over('X'));
    click(passes, OVER_END);
    runScreen(1000, passes);
    EXPECT_FALSE(close_requested);
    EXPECT_EQ(table.scores[0], 1000);
    EXPECT_EQ(name(0), "ABX");

    // Deleting down past the start must stay inside the row.
    reset();
    passes = typing("K");
    for (int i = 0; i < 3; ++i) click(passes, OVER_DELETE);
    click(passes, over('M'));
    click(passes, OVER_END);
    runScreen(150, passes);
    EXPECT_EQ(table.scores[4], 150);
    EXPECT_EQ(name(4), "M  ");
    EXPECT_EQ(name(3), "DDD");  // the row above keeps its last letter
}

TEST_F(NameEntryTest, EndAtOnceLeavesThreeSpaces) {
    std::vector<Pass> passes;
    click(passes, OVER_END);
    EXPECT_EQ(runScreen(350, passes), 1);
    EXPECT_EQ(table.scores[2], 350);
    EXPECT_EQ(name(2), "   ");
    EXPECT_EQ(table.scores[3], 300);
    EXPECT_EQ(name(3), "CCC");
}

TEST_F(NameEntryTest, AHeldButtonTypesOnce) {
    // Held down from the screen before: the latch is already set, so nothing types.
    click_latch = true;
    std::vector<Pass> passes(5, pressed(over('H')));
    passes.push_back(over('H'));
    // A new press held for many passes types one letter.
    for (int i = 0; i < 12; ++i) passes.push_back(pressed(over('J')));
    passes.push_back(NOWHERE);
    click(passes, OVER_END);
    runScreen(600, passes);
    EXPECT_FALSE(close_requested);
    EXPECT_EQ(name(0), "J  ");
}

TEST_F(NameEntryTest, EscapeAndKeysAreIgnored) {
    key[KEY_ESC] = 1;
    key[KEY_ENTER] = 1;
    key[KEY_A] = 1;
    std::vector<Pass> passes(20, NOWHERE);
    std::vector<Pass> letters = typing("E");
    passes.insert(passes.end(), letters.begin(), letters.end());
    click(passes, OVER_END);
    int shown = runScreen(600, passes);
    EXPECT_EQ(shown, 23);  // ends with the pass that presses END!
    EXPECT_TRUE(running);
    EXPECT_FALSE(esc_latch);
    EXPECT_FALSE(close_requested);
    EXPECT_EQ(name(0), "E  ");
}

TEST_F(NameEntryTest, AScoreThatDoesNotQualifyReturnsAtOnceAndLeavesTheTable) {
    ScoreTable before = table;
    std::vector<Pass> passes = typing("ABC");
    click(passes, OVER_END);
    EXPECT_EQ(runScreen(100, passes), 0);
    EXPECT_EQ(std::memcmp(&before, &table, sizeof table), 0);

    EXPECT_EQ(runScreen(101, passes), 7);
    EXPECT_EQ(table.scores[4], 101);
    EXPECT_EQ(name(4), "ABC");
}

TEST_F(NameEntryTest, ClosingTheWindowEndsTheScreenKeepingTheLettersSoFar) {
    // typing() alone never clicks END!: the runner closes the window after it.
    int shown = runScreen(450, typing("GO"));
    EXPECT_TRUE(close_requested);
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(name(1), "GO ");
}

TEST_F(NameEntryTest, KeyboardZonesEndExactlyAtTheirEdges) {
    struct Probe {
        int x;
        int y;
        char typed;  // 0: nothing typed
    };
    const Probe probes[] = {
        {168, 240, 'A'}, {167, 248, 0},   {183, 240, 'A'}, {184, 240, 'B'}, {168, 239, 0},
        {471, 240, 'S'}, {472, 240, 0},   {471, 255, 'S'}, {168, 256, 'T'}, {471, 256, '!'},
        {472, 256, 0},   {471, 271, '!'}, {471, 272, 0},   {300, 255, 'I'}, {300, 256, '1'},
    };
    for (const Probe& probe : probes) {
        reset();
        int row = insertScore(table, 600);
        NameEntry entry(table, row);
        mouse_x = probe.x;
        mouse_y = probe.y;
        mouse_b = 1;
        entry.nameEntryClick();
        if (probe.typed) {
            EXPECT_EQ(name(0), std::string(1, probe.typed) + "  ") << probe.x << "," << probe.y;
            EXPECT_EQ(entry.getCursorPosition(), 1);
        } else {
            EXPECT_EQ(name(0), "   ") << probe.x << "," << probe.y;
            EXPECT_EQ(entry.getCursorPosition(), 0);
        }
    }
}

TEST_F(NameEntryTest, ButtonZonesEndExactlyAtTheirEdges) {
    struct Probe {
        int x;
        int y;
        bool deletes;
        bool ends;
    };
    const Probe probes[] = {
        {272, 288, true, false},  {367, 303, true, false},  {271, 295, false, false}, {368, 295, false, false},
        {300, 287, false, false}, {288, 304, false, true},  {351, 319, false, true},  {287, 310, false, false},
        {352, 310, false, false}, {300, 320, false, false},
    };
    for (const Probe& probe : probes) {
        reset();
        int row = insertScore(table, 600);
        NameEntry entry(table, row);
        mouse_x = over('P').x;
        mouse_y = over('P').y;
        mouse_b = 1;
        entry.nameEntryClick();
        mouse_b = 0;
        entry.nameEntryClick();
        mouse_x = probe.x;
        mouse_y = probe.y;
        mouse_b = 1;
        entry.nameEntryClick();
        EXPECT_EQ(name(0), probe.deletes ? "   " : "P  ") << probe.x << "," << probe.y;
        EXPECT_EQ(entry.isDone(), probe.ends) << probe.x << "," << probe.y;
    }
}

TEST_F(NameEntryTest, TheScreenShowsHeadingNameKeyboardAndOneGreenZone) {
    std::vector<Pass> passes = typing("R");
    passes.push_back(over('C'));      // pass 3: hover a letter of row 1
    passes.push_back(over('!'));      // pass 4: the last cell of row 2
    passes.push_back(OVER_DELETE);    // pass 5
    passes.push_back(OVER_END);       // pass 6
    passes.push_back(NOWHERE);        // pass 7
    const int last_pass = static_cast<int>(passes.size());

    for (int shot_pass = 3; shot_pass <= last_pass; ++shot_pass) {
        reset();
        runScreen(450, passes, shot_pass);
        SCOPED_TRACE("pass " + std::to_string(shot_pass));
        EXPECT_EQ(textAt(shot, 200, 32, 15, Ink::Green), "ENTER YOUR NAME");
        EXPECT_EQ(textAt(shot, 200, 48, 15, Ink::Green), "---------------");
        EXPECT_EQ(textAt(shot, 296, 64, 3), "R  ");

        std::string row1 = textAt(shot, 168, 240, 19);
        std::string row2 = textAt(shot, 168, 256, 19);
        std::string remove = textAt(shot, 272, 288, 6);
        std::string end = textAt(shot, 288, 304, 4);
        std::string expected1 = ROW1, expected2 = ROW2, expected_remove = "DELETE", expected_end = "END!";
        if (shot_pass == 3) {
            expected1[2] = '#';
            EXPECT_EQ(textAt(shot, 168 + 32, 240, 1, Ink::Green), "C");
        }
        if (shot_pass == 4) {
            expected2[18] = '#';
            EXPECT_EQ(textAt(shot, 168 + 288, 256, 1, Ink::Green), "!");
        }
        if (shot_pass == 5) {
            expected_remove = "######";
            EXPECT_EQ(textAt(shot, 272, 288, 6, Ink::Green), "DELETE");
        }
        if (shot_pass == 6) {
            expected_end = "####";
            EXPECT_EQ(textAt(shot, 288, 304, 4, Ink::Green), "END!");
        }
        EXPECT_EQ(row1, expected1);
        EXPECT_EQ(row2, expected2);
        EXPECT_EQ(remove, expected_remove);
        EXPECT_EQ(end, expected_end);
    }
}

TEST_F(NameEntryTest, TheLightBarSweepsThreePixelsAPassAndWrapsAt1200) {
    NameEntry entry(table, 0);
    for (int i = 0; i < 5; ++i) entry.sweepLightBar(buffer);
    EXPECT_EQ(entry.getSweepX(), 3);
    clear_bitmap(buffer);
    entry.sweepLightBar(buffer);  // bar centred on x = 6
    using testing_support::rgb16;
    const int expected[9] = {0,
                             rgb16(30, 30, 255),
                             rgb16(100, 100, 255),
                             rgb16(170, 170, 255),
                             rgb16(255, 255, 255),
                             rgb16(170, 170, 255),
                             rgb16(100, 100, 255),
                             rgb16(30, 30, 255),
                             0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(getpixel(buffer, 2 + i, 0), expected[i]) << "x " << 2 + i;
        EXPECT_EQ(getpixel(buffer, 2 + i, 479), expected[i]) << "x " << 2 + i;
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
