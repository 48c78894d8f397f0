// BitmapFont: fixed-pitch 16x16 text from two glyph strips, normal and green.
//
// Each strip is one row of 48 cells. Letters of either case share a glyph; bytes
// without a glyph still take up their cell, so columns of text always line up.
#pragma once

#include <string>

struct BITMAP;

class BitmapFont {
public:
    BitmapFont();  // throws ERR_GRAPHIC_MISSING when a strip is missing
    void draw(BITMAP* dest, std::string text, int x, int y);
    void drawGreen(BITMAP* dest, std::string text, int x, int y);
    void unload();

    // Glyph number of a byte, or -1 when the byte has none (newline included).
    static int glyphFor(unsigned char byte);

private:
    void drawWith(BITMAP* strip, BITMAP* dest, const std::string& text, int x, int y);

    BITMAP* normalFont = nullptr;
    BITMAP* greenFont = nullptr;
};
