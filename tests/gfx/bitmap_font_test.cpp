// The bitmap font as players read it: one 16-pixel cell per byte, small letters
// drawn as capitals, bytes without a glyph left blank so columns still line up.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/game_types.h"
#include "gfx/bitmap_font.h"
#include "support/glyph_font.h"
#include "support/scratch_folder.h"

using testing_support::Ink;

namespace {
// Every glyph, in strip order: letters, punctuation, digits, brackets, the copyright sign, the quote.
const std::string ALL_GLYPHS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ .?!+-$%0123456789()\xA9\"";

TEST(BitmapFont, TextLandsInItsCellsInBothInks) {
    const std::string rows = ALL_GLYPHS.substr(0, 24) + "\n" + ALL_GLYPHS.substr(24);
    const struct { std::string text; int lines, cells; std::string shown; } table[] = {  // '#': a blank cell
        {rows, 2, 24, rows},
        {"pack my box with five dozen liquor jugs", 1, 39, "PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS"},
        {"AB:C,D/E\x80" "F\xFF" "G\xA8" "H", 1, 15, "AB#C#D#E#F#G#H#"},
        {"AB\n\nC\nD", 4, 2, "AB\n##\nC#\nD#"},
        {"", 1, 2, "##"},
    };
    BITMAP* canvas = create_bitmap(640, 480);
    for (const auto& row : table)
        for (Ink ink : {Ink::Normal, Ink::Green}) {
            clear_to_color(canvas, 0);
            (testing_support::glyphFont()->*(ink == Ink::Green ? &BitmapFont::drawGreen : &BitmapFont::draw))(
                canvas, row.text, 8, 40);
            std::string shown;
            for (int line = 0; line < row.lines; ++line)
                shown += (line ? "\n" : "") + testing_support::textAt(canvas, 8, 40 + 16 * line, row.cells, ink);
            EXPECT_EQ(shown, row.shown) << row.text;
        }
    destroy_bitmap(canvas);
}

// Drawn in strip order over a backdrop, the line is the generated strip itself
// with the backdrop where it is transparent, also when it starts off the top-left edge.
TEST(BitmapFont, GlyphsKeepTheirShapeAndHoles) {
    BitmapFont font;
    BITMAP* strip = load_bitmap("font/fontgreen.bmp", nullptr);
    ASSERT_NE(strip, nullptr);
    BITMAP* line = create_bitmap(strip->w, strip->h);
    int backdrop = makecol(40, 40, 40), mask = bitmap_mask_color(strip);
    for (int shift : {0, 5}) {
        int wrong = 0;
        clear_to_color(line, backdrop);
        font.drawGreen(line, ALL_GLYPHS, -shift, -shift);
        for (int y = 0; y < strip->h; ++y)
            for (int x = 0; x < strip->w; ++x) {
                int pixel = x + shift < strip->w && y + shift < strip->h ? getpixel(strip, x + shift, y + shift) : mask;
                wrong += getpixel(line, x, y) != (pixel == mask ? backdrop : pixel);
            }
        EXPECT_EQ(wrong, 0) << "shifted by " << shift;
    }
    destroy_bitmap(line);
    destroy_bitmap(strip);
    font.unload();
}

// Both strips are needed: the game stops with the missing-graphic error otherwise.
TEST(BitmapFont, LoadsOnlyWithBothStrips) {
    testing_support::ScratchFolder folder;
    folder.enter();
    for (int strips : {0, 1, 2, 3}) {
        std::filesystem::remove_all("font");
        if (strips & 1) folder.writeImage("font/font.bmp", makecol(255, 255, 255), 768, 16);
        if (strips & 2) folder.writeImage("font/fontgreen.bmp", makecol(0, 255, 0), 768, 16);
        int thrown = 0;
        try {
            BitmapFont().unload();
        } catch (int code) {
            thrown = code;
        }
        EXPECT_EQ(thrown, strips == 3 ? 0 : ERR_GRAPHIC_MISSING) << "strips " << strips;
    }
}
}  // namespace
