// The name entry screen driven headless, the mouse scripted pass by pass.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/program.h"
#include "core/shell_state.h"
#include "scores/name_entry.h"
#include "support/glyph_font.h"
#include "support/headless.h"

namespace {

struct Pass { int x, y, buttons; };
const char* const KEYS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.!";  // two rows of 19
const Pass OVER_DELETE = {300, 296, 0}, OVER_END = {320, 312, 0};

// The middle of a letter's cell on the on-screen keyboard.
Pass over(char letter) {
    int cell = static_cast<int>(std::strchr(KEYS, letter) - KEYS);
    return {168 + 16 * (cell % 19) + 8, 248 + 16 * (cell / 19), 0};
}
Pass pressed(Pass where) { return {where.x, where.y, 1}; }
void setMouse(Pass pass) { testing_support::setMouse(pass.x, pass.y, pass.buttons); }

// A click per character, its press held two passes; '<' is DELETE, '$' is END!.
std::vector<Pass> typing(const std::string& keys) {
    std::vector<Pass> passes;
    for (char key : keys) {
        Pass where = key == '<' ? OVER_DELETE : key == '$' ? OVER_END : over(key);
        passes.insert(passes.end(), {pressed(where), pressed(where), where});
    }
    return passes;
}

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap_font = testing_support::glyphFont();
        buffer = create_bitmap(640, 480);
        reset();
    }
    // Released input, open latches and the table AAA 500 ... EEE 100.
    void reset() {
        testing_support::releaseAllInput();
        click_latch = esc_latch = close_requested = false;
        running = true;
        for (int row = 0; row < 5; ++row) {
            table.scores[row] = 500 - 100 * row;
            std::memset(table.names[row], 'A' + row, 3);
        }
    }
    void TearDown() override {
        reset();
        destroy_bitmap(buffer);
    }

    // One mouse state per pass; the passes shown. Then the window is closed.
    int runScreen(int score, const std::vector<Pass>& passes) {
        size_t next = 0;
        auto applyNext = [&] { next < passes.size() ? setMouse(passes[next++]) : void(close_requested = true); };
        applyNext();
        long before = testing_support::framesPresented();
        testing_support::setFrameScript(applyNext);
        enterName(score, table, buffer, no_cursors);
        testing_support::clearFrameScript();
        return static_cast<int>(testing_support::framesPresented() - before);
    }
    std::string name(int row) { return std::string(table.names[row], 3); }

    BITMAP* buffer = nullptr;
    BITMAP* no_cursors[4] = {nullptr, nullptr, nullptr, nullptr};
    ScoreTable table;
};

// The new row gets the letters typed, every other row keeps its place: a held press types once,
// one held from the screen before not at all; ESC and the keyboard are not this screen's input;
// the pass that clicks END! is still shown; closing the window keeps the letters so far.
TEST_F(NameEntryTest, ClicksSpellTheNameOfTheNewRow) {
    const struct { int score; const char* keys; int row; const char* name; int shown; bool held_before; } cases[] = {
        {450, "Z9.Q$", 1, "Z9.", 13, false},     // a fourth letter is ignored
        {1000, "<ABC<X$", 0, "ABX", 19, false},  // DELETE at the start does nothing
        {150, "K<<<M$", 4, "M  ", 16, false},    // nor past it
        {350, "$", 2, "   ", 1, false},          // END! at once
        {450, "GO", 1, "GO ", 6, false},         // the window closed
        {101, "ABC$", 4, "ABC", 10, false},      // one point over the fifth row
        {100, "ABC$", -1, "", 0, false},         // not over it
        {600, "HJ$", 0, "J  ", 7, true},         // H still held from the screen before
    };
    for (const auto& c : cases) {
        reset();
        key[KEY_ESC] = key[KEY_ENTER] = key[KEY_A] = 1;
        click_latch = c.held_before;
        ScoreTable expected = table;
        if (insertScore(expected, c.score) >= 0) std::memcpy(expected.names[c.row], c.name, 3);
        EXPECT_EQ(runScreen(c.score, typing(c.keys)), c.shown) << c.keys;
        EXPECT_EQ(close_requested, c.row >= 0 && !std::strchr(c.keys, '$')) << c.keys;
        EXPECT_TRUE(running && !esc_latch) << c.keys;
        EXPECT_EQ(std::memcmp(&expected, &table, sizeof table), 0) << c.keys << " row " << c.row << ": " << name(c.row);
    }
}

// After a P, one click at each probe: a letter cell types beside it, DELETE
// takes it back, END! finishes, and a pixel outside does nothing.
TEST_F(NameEntryTest, ZonesEndExactlyAtTheirEdges) {
    const struct { int x, y; const char* name; bool done; } probes[] = {
        {168, 240, "PA ", 0}, {167, 248, "P  ", 0}, {168, 239, "P  ", 0}, {471, 240, "PS ", 0}, {472, 240, "P  ", 0},
        {300, 255, "PI ", 0}, {300, 256, "P1 ", 0}, {471, 271, "P! ", 0}, {471, 272, "P  ", 0}, {272, 288, "   ", 0},
        {367, 303, "   ", 0}, {368, 295, "P  ", 0}, {300, 287, "P  ", 0}, {288, 304, "P  ", 1}, {351, 319, "P  ", 1},
        {352, 310, "P  ", 0}, {300, 320, "P  ", 0},
    };
    for (const auto& probe : probes) {
        reset();
        NameEntry entry(table, insertScore(table, 600));
        for (Pass pass : {pressed(over('P')), over('P'), Pass{probe.x, probe.y, 1}}) {
            setMouse(pass);
            entry.nameEntryClick();
        }
        EXPECT_EQ(name(0), probe.name) << probe.x << "," << probe.y;
        EXPECT_EQ(entry.isDone(), probe.done) << probe.x << "," << probe.y;
    }
}

}  // namespace
