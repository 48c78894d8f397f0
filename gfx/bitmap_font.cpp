#include "gfx/bitmap_font.h"

#include <allegro.h>

#include "core/game_files.h"
#include "core/game_types.h"

namespace {
const int CELL = 16;
const char* const PUNCTUATION = " .?!+-$%";  // glyphs 26 to 33, in strip order
const int FIRST_PUNCTUATION_GLYPH = 26;
const int FIRST_DIGIT_GLYPH = 34;
const int COPYRIGHT_BYTE = 0xA9;
}  // namespace

BitmapFont::BitmapFont() {
    normalFont = loadPicture("font/font.bmp");
    if (!normalFont) throw ERR_GRAPHIC_MISSING;
    greenFont = loadPicture("font/fontgreen.bmp");
    if (!greenFont) {
        // The game ends on this error; freeing the first strip keeps leak checks quiet.
        destroy_bitmap(normalFont);
        normalFont = nullptr;
        throw ERR_GRAPHIC_MISSING;
    }
    encodeGlyphs(normalFont, normalGlyphs);
    encodeGlyphs(greenFont, greenGlyphs);
}

// A strip shorter than the full 48 cells leaves its missing glyphs blank.
void BitmapFont::encodeGlyphs(BITMAP* strip, RLE_SPRITE* glyphs[GLYPH_COUNT]) {
    int rows = strip->h < CELL ? strip->h : CELL;
    for (int glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
        int left = CELL * glyph;
        int columns = strip->w - left < CELL ? strip->w - left : CELL;
        if (columns <= 0 || rows <= 0) break;
        BITMAP* cell = create_sub_bitmap(strip, left, 0, columns, rows);
        glyphs[glyph] = get_rle_sprite(cell);
        destroy_bitmap(cell);
    }
}

void BitmapFont::releaseGlyphs(RLE_SPRITE* glyphs[GLYPH_COUNT]) {
    for (int glyph = 0; glyph < GLYPH_COUNT; ++glyph) {
        if (glyphs[glyph]) destroy_rle_sprite(glyphs[glyph]);
        glyphs[glyph] = nullptr;
    }
}

int BitmapFont::glyphFor(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z') return byte - 'A';
    if (byte >= 'a' && byte <= 'z') return byte - 'a';
    if (byte >= '0' && byte <= '9') return FIRST_DIGIT_GLYPH + (byte - '0');
    for (int i = 0; PUNCTUATION[i]; ++i) {
        if (byte == static_cast<unsigned char>(PUNCTUATION[i])) return FIRST_PUNCTUATION_GLYPH + i;
    }
    if (byte == '(') return 44;
    if (byte == ')') return 45;
    if (byte == COPYRIGHT_BYTE) return 46;
    if (byte == '"') return 47;
    return -1;
}

void BitmapFont::draw(BITMAP* dest, std::string text, int x, int y) { drawWith(normalGlyphs, dest, text, x, y); }

void BitmapFont::drawGreen(BITMAP* dest, std::string text, int x, int y) { drawWith(greenGlyphs, dest, text, x, y); }

void BitmapFont::drawWith(RLE_SPRITE* const glyphs[GLYPH_COUNT], BITMAP* dest, const std::string& text, int x,
                          int y) {
    int column = 0;
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            y += CELL;
            column = 0;
            continue;
        }
        int glyph = glyphFor(byte);
        // A byte without a glyph is a blank cell: columns of text stay aligned.
        if (glyph >= 0 && glyphs[glyph]) draw_rle_sprite(dest, glyphs[glyph], x + CELL * column, y);
        column += 1;
    }
}

void BitmapFont::unload() {
    releaseGlyphs(normalGlyphs);
    releaseGlyphs(greenGlyphs);
    if (normalFont) destroy_bitmap(normalFont);
    if (greenFont) destroy_bitmap(greenFont);
    normalFont = nullptr;
    greenFont = nullptr;
}
