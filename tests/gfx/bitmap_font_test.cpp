// The bitmap font against the generated strip it draws from.
#include <allegro.h>
#include <gtest/gtest.h>

#include "gfx/bitmap_font.h"
#include "support/glyph_font.h"

namespace {

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
        font.drawGreen(line, testing_support::GLYPH_CHARACTERS, -shift, -shift);
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

}  // namespace
