#include "support/glyph_font.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "gfx/bitmap_font.h"

namespace testing_support {

namespace {

const int GLYPHS = 48;
const int CELL = 16;

int glyphColour(int glyph, Ink ink) {
    bool green = ink == Ink::Green;
    return makecol16((glyph % 16) * 16, (glyph / 16) * 64 + (green ? 32 : 0), green ? 0 : 128);
}

// The character that draws a glyph (capitals for letters).
char characterOf(int glyph) {
    for (int byte = 1; byte < 256; ++byte) {
        if (byte >= 'a' && byte <= 'z') continue;
        if (BitmapFont::glyphFor(static_cast<unsigned char>(byte)) == glyph) return static_cast<char>(byte);
    }
    return '#';
}

void saveStrip(const std::string& path, Ink ink) {
    BITMAP* strip = create_bitmap_ex(16, GLYPHS * CELL, CELL);
    for (int glyph = 0; glyph < GLYPHS; ++glyph) {
        rectfill(strip, glyph * CELL, 0, glyph * CELL + CELL - 1, CELL - 1, glyphColour(glyph, ink));
    }
    if (save_bmp(path.c_str(), strip, nullptr) != 0) throw std::runtime_error("save_bmp failed");
    destroy_bitmap(strip);
}

BitmapFont* loadFont() {
    char pattern[] = "/tmp/zenvar-glyphs-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    std::string folder = pattern;
    if (std::system(("mkdir -p '" + folder + "/font'").c_str()) != 0) throw std::runtime_error("mkdir failed");
    saveStrip(folder + "/font/font.bmp", Ink::Normal);
    saveStrip(folder + "/font/fontgreen.bmp", Ink::Green);
    char here[4096];
    if (!getcwd(here, sizeof here)) throw std::runtime_error("getcwd failed");
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("chdir failed");
    BitmapFont* font = new BitmapFont();
    if (chdir(here) != 0) throw std::runtime_error("chdir failed");
    if (std::system(("rm -rf '" + folder + "'").c_str()) != 0) throw std::runtime_error("rm failed");
    return font;
}

}  // namespace

BitmapFont* glyphFont() {
    static BitmapFont* font = loadFont();
    return font;
}

std::string textAt(BITMAP* bitmap, int x, int y, int length, Ink ink) {
    std::string text;
    for (int cell = 0; cell < length; ++cell) {
        int pixel = getpixel(bitmap, x + cell * CELL + CELL / 2, y + CELL / 2);
        char found = '#';
        for (int glyph = 0; glyph < GLYPHS; ++glyph) {
            if (pixel == glyphColour(glyph, ink)) found = characterOf(glyph);
        }
        text += found;
    }
    return text;
}

std::string linesAt(BITMAP* bitmap, int x, int y, int lines, int length, Ink ink) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
        if (line > 0) text += '\n';
        text += textAt(bitmap, x, y + line * CELL, length, ink);
    }
    return text;
}

}  // namespace testing_support
