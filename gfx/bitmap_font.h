// BitmapFont: fixed-pitch 16x16 text from two glyph strips, normal and green.
//
// Each strip is one row of 48 cells. Letters of either case share a glyph; bytes
// without a glyph still take up their cell, so columns of text always line up.
// Every glyph is also kept run-length encoded: drawing it then copies its runs
// of ink instead of testing each of its 256 pixels for the mask colour, and
// text is on every screen of the game.
#pragma once

#include <string>

struct BITMAP;
struct RLE_SPRITE;

class BitmapFont {
public:
    BitmapFont();  // throws ERR_GRAPHIC_MISSING when a strip is missing
    void draw(BITMAP* dest, std::string text, int x, int y);
    void drawGreen(BITMAP* dest, std::string text, int x, int y);
    void unload();

    // Glyph number of a byte, or -1 when the byte has none (newline included).
    static int glyphFor(unsigned char byte);
    static const int GLYPH_COUNT = 48;

private:
    static void encodeGlyphs(BITMAP* strip, RLE_SPRITE* glyphs[GLYPH_COUNT]);
    static void releaseGlyphs(RLE_SPRITE* glyphs[GLYPH_COUNT]);
    static void drawWith(RLE_SPRITE* const glyphs[GLYPH_COUNT], BITMAP* dest, const std::string& text, int x, int y);

    BITMAP* normalFont = nullptr;
    BITMAP* greenFont = nullptr;
    RLE_SPRITE* normalGlyphs[GLYPH_COUNT] = {};
    RLE_SPRITE* greenGlyphs[GLYPH_COUNT] = {};
};
