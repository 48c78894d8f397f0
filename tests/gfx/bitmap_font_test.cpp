// The bitmap font, pixel for pixel against the glyph strips it loaded.
//
// Every cell of the test strips has its own colours and its own pattern of
// transparent pixels, so a wrong glyph, a wrong column or a lost mask all show.
#include <gtest/gtest.h>

#include <string>

#include "core/game_types.h"
#include "gfx/bitmap_font.h"
#include "gfx_fixture.h"
#include "support/headless.h"

namespace {

const int GLYPHS = 48;
const int CELL = 16;

BITMAP* makeStrip(int shade) {
    BITMAP* strip = create_bitmap(GLYPHS * CELL, CELL);
    for (int g = 0; g < GLYPHS; ++g) {
        for (int j = 0; j < CELL; ++j) {
            for (int i = 0; i < CELL; ++i) {
                int colour = (i * 3 + j + g) % 7 == 0
                                 ? makecol(255, 0, 255)
                                 : makecol((g % 32) * 8, shade + i * 4, (g / 32) * 128 + j * 8);
                putpixel(strip, g * CELL + i, j, colour);
            }
        }
    }
    return strip;
}

class BitmapFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAP* normal = makeStrip(0);
        BITMAP* green = makeStrip(128);
        folder.writeBitmap("font/font.bmp", normal);
        folder.writeBitmap("font/fontgreen.bmp", green);
        destroy_bitmap(normal);
        destroy_bitmap(green);
        folder.enter();
        normalStrip = load_bitmap("font/font.bmp", nullptr);
        greenStrip = load_bitmap("font/fontgreen.bmp", nullptr);
        font = new BitmapFont();
        canvas = create_bitmap(640, 480);
        clear_to_color(canvas, background);
    }
    void TearDown() override {
        font->unload();
        delete font;
        destroy_bitmap(canvas);
        destroy_bitmap(normalStrip);
        destroy_bitmap(greenStrip);
    }

    // The cell at (x, y) shows glyph g of the strip, background where the glyph is transparent.
    ::testing::AssertionResult cellShows(BITMAP* dest, BITMAP* strip, int glyph, int x, int y) {
        int mask = bitmap_mask_color(strip);
        for (int j = 0; j < CELL; ++j) {
            for (int i = 0; i < CELL; ++i) {
                int source = getpixel(strip, glyph * CELL + i, j);
                int wanted = source == mask ? background : source;
                int got = getpixel(dest, x + i, y + j);
                if (got != wanted)
                    return ::testing::AssertionFailure()
                           << "glyph " << glyph << " at (" << x << "," << y << ") differs at +" << i << ",+" << j;
            }
        }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult cellBlank(BITMAP* dest, int x, int y) {
        for (int j = 0; j < CELL; ++j)
            for (int i = 0; i < CELL; ++i)
                if (getpixel(dest, x + i, y + j) != background)
                    return ::testing::AssertionFailure() << "cell at (" << x << "," << y << ") is not blank";
        return ::testing::AssertionSuccess();
    }
    bool canvasEquals(BITMAP* other) {
        for (int y = 0; y < canvas->h; ++y)
            for (int x = 0; x < canvas->w; ++x)
                if (getpixel(canvas, x, y) != getpixel(other, x, y)) return false;
        return true;
    }

    ScratchFolder folder;
    BITMAP* normalStrip = nullptr;
    BITMAP* greenStrip = nullptr;
    BITMAP* canvas = nullptr;
    BitmapFont* font = nullptr;
    int background = makecol(40, 40, 40);
};

TEST_F(BitmapFontTest, EveryCharacterDrawsItsGlyphInBothColours) {
    // The printable characters in glyph order, then the copyright byte and the quote.
    std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ .?!+-$%0123456789()";
    text += static_cast<char>(0xA9);
    text += '"';
    ASSERT_EQ(static_cast<int>(text.size()), GLYPHS);
    // 48 cells do not fit one 640-pixel line: draw them in rows of 24.
    font->draw(canvas, text.substr(0, 24) + "\n" + text.substr(24), 0, 100);
    font->drawGreen(canvas, text.substr(0, 24) + "\n" + text.substr(24), 0, 300);
    for (int g = 0; g < GLYPHS; ++g) {
        int x = CELL * (g % 24);
        int row = CELL * (g / 24);
        EXPECT_TRUE(cellShows(canvas, normalStrip, g, x, 100 + row));
        EXPECT_TRUE(cellShows(canvas, greenStrip, g, x, 300 + row));
    }
}

TEST_F(BitmapFontTest, SmallLettersDrawTheCapitalsGlyphs) {
    BITMAP* capitals = create_bitmap(640, 480);
    clear_to_color(capitals, background);
    font->draw(canvas, "the quick brown fox jumps over the lazy dog", 3, 7);
    font->draw(capitals, "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG", 3, 7);
    EXPECT_TRUE(canvasEquals(capitals));
    destroy_bitmap(capitals);
}

TEST_F(BitmapFontTest, BytesWithoutGlyphLeaveBlankCellsAndKeepColumns) {
    std::string text = "AB:C,D/E";
    text += static_cast<char>(0x80);
    text += 'F';
    text += static_cast<char>(0xFF);
    text += 'G';
    text += static_cast<char>(0xA8);
    text += 'H';
    font->draw(canvas, text, 32, 48);
    const int expected[] = {0, 1, -1, 2, -1, 3, -1, 4, -1, 5, -1, 6, -1, 7};
    for (int c = 0; c < 14; ++c) {
        int x = 32 + CELL * c;
        if (expected[c] < 0)
            EXPECT_TRUE(cellBlank(canvas, x, 48)) << "column " << c;
        else
            EXPECT_TRUE(cellShows(canvas, normalStrip, expected[c], x, 48)) << "column " << c;
    }
    EXPECT_TRUE(cellBlank(canvas, 32 + CELL * 14, 48));
}

TEST_F(BitmapFontTest, NewlinesRestartTheColumnOneCellLower) {
    font->draw(canvas, "AB\n\nC\nD", 20, 10);
    EXPECT_TRUE(cellShows(canvas, normalStrip, 0, 20, 10));
    EXPECT_TRUE(cellShows(canvas, normalStrip, 1, 36, 10));
    // Two newlines in a row: an empty line, the next text 32 pixels lower.
    EXPECT_TRUE(cellBlank(canvas, 20, 26));
    EXPECT_TRUE(cellBlank(canvas, 36, 26));
    EXPECT_TRUE(cellShows(canvas, normalStrip, 2, 20, 42));
    EXPECT_TRUE(cellBlank(canvas, 36, 42));
    EXPECT_TRUE(cellShows(canvas, normalStrip, 3, 20, 58));
}

TEST_F(BitmapFontTest, EmptyTextDrawsNothing) {
    BITMAP* untouched = create_bitmap(640, 480);
    blit(canvas, untouched, 0, 0, 0, 0, 640, 480);
    font->draw(canvas, "", 100, 100);
    font->drawGreen(canvas, "", 100, 100);
    EXPECT_TRUE(canvasEquals(untouched));
    destroy_bitmap(untouched);
}

TEST_F(BitmapFontTest, FortyFirstCellIsClippedAtTheRightEdge) {
    // A 640-wide screen inside a wider bitmap: whatever leaks past x = 639 shows up.
    BITMAP* wide = create_bitmap(700, 32);
    clear_to_color(wide, background);
    BITMAP* screen_area = create_sub_bitmap(wide, 0, 0, 640, 32);
    std::string line(41, 'W');
    font->draw(screen_area, line, 0, 0);
    EXPECT_TRUE(cellShows(wide, normalStrip, 'W' - 'A', 624, 0));
    for (int x = 640; x < 700; ++x)
        for (int y = 0; y < 32; ++y) ASSERT_EQ(getpixel(wide, x, y), background) << x << "," << y;
    destroy_bitmap(screen_area);
    destroy_bitmap(wide);
}

int codeThrownByNewFont() {
    try {
        BitmapFont font;
        font.unload();
    } catch (int code) {
        return code;
    }
    return 0;
}

TEST(BitmapFontLoading, MissingStripThrowsGraphicMissing) {
    ScratchFolder folder;
    folder.enter();
    EXPECT_EQ(codeThrownByNewFont(), ERR_GRAPHIC_MISSING);
    // The normal strip alone is not enough: the green one is needed too.
    folder.writeImage("font/font.bmp", makecol(255, 255, 255), 768, 16);
    EXPECT_EQ(codeThrownByNewFont(), ERR_GRAPHIC_MISSING);
    folder.writeImage("font/fontgreen.bmp", makecol(0, 255, 0), 768, 16);
    EXPECT_EQ(codeThrownByNewFont(), 0);
}

}  // namespace
