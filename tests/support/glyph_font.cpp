#include "support/glyph_font.h"

#include <sys/stat.h>

#include <stdexcept>

#include "gfx/bitmap_font.h"
#include "support/scratch_folder.h"

namespace testing_support {

namespace {

const int GLYPHS = 48;
const int CELL = 16;

int glyphColour(int glyph, Ink ink) {
    bool green = ink == Ink::Green;
    return makecol16((glyph % 16) * 16, (glyph / 16) * 64 + (green ? 32 : 0), green ? 0 : 128);
}

void saveStrip(const std::string& path, Ink ink) {
    BITMAP* strip = create_bitmap_ex(16, GLYPHS * CELL, CELL);
    for (int glyph = 0; glyph < GLYPHS; ++glyph)
        rectfill(strip, glyph * CELL, 0, glyph * CELL + CELL - 1, CELL - 1, glyphColour(glyph, ink));
    if (save_bmp(path.c_str(), strip, nullptr) != 0) throw std::runtime_error("save_bmp failed");
    destroy_bitmap(strip);
}

// The font loads its strips from font/ under the working directory.
BitmapFont* loadFont() {
    ScratchFolder folder;
    folder.enter();
    if (mkdir("font", 0755) != 0) throw std::runtime_error("no font folder");
    saveStrip("font/font.bmp", Ink::Normal);
    saveStrip("font/fontgreen.bmp", Ink::Green);
    return new BitmapFont();
}

}  // namespace

const char* const GLYPH_CHARACTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ .?!+-$%0123456789()\xA9\"";

BitmapFont* glyphFont() {
    static BitmapFont* font = loadFont();
    return font;
}

std::string textAt(BITMAP* bitmap, int x, int y, int length, Ink ink) {
    std::string text;
    for (int cell = 0; cell < length; ++cell) {
        int pixel = getpixel(bitmap, x + cell * CELL + CELL / 2, y + CELL / 2);
        char found = '#';
        for (int glyph = 0; glyph < GLYPHS; ++glyph)
            if (pixel == glyphColour(glyph, ink)) found = GLYPH_CHARACTERS[glyph];
        text += found;
    }
    return text;
}

}  // namespace testing_support
