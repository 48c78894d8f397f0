#include "assetgen/font_glyphs.h"

#include <cmath>
#include <vector>

#include "assetgen/asset_output.h"
#include "assetgen/sprite_canvas.h"

namespace {
// Glyph grids in strip order: A-Z, space . ? ! + - $ %, 0-9, ( ) copyright ".
const char* const GLYPHS[GLYPH_COUNT][GLYPH_ROWS] = {
    {".####.", "##..##", "##..##", "######", "##..##", "##..##", "##..##"},  // A
    {"#####.", "##..##", "##..##", "#####.", "##..##", "##..##", "#####."},  // B
    {".####.", "##..##", "##....", "##....", "##....", "##..##", ".####."},  // C
    {"####..", "##.##.", "##..##", "##..##", "##..##", "##.##.", "####.."},  // D
    {"######", "##....", "##....", "#####.", "##....", "##....", "######"},  // E
    {"######", "##....", "##....", "#####.", "##....", "##....", "##...."},  // F
    {".####.", "##..##", "##....", "##.###", "##..##", "##..##", ".#####"},  // G
    {"##..##", "##..##", "##..##", "######", "##..##", "##..##", "##..##"},  // H
    {"######", "..##..", "..##..", "..##..", "..##..", "..##..", "######"},  // I
    {"....##", "....##", "....##", "....##", "##..##", "##..##", ".####."},  // J
    {"##..##", "##.##.", "####..", "###...", "####..", "##.##.", "##..##"},  // K
    {"##....", "##....", "##....", "##....", "##....", "##....", "######"},  // L
    {"#....#", "##..##", "######", "#.##.#", "#.##.#", "#....#", "#....#"},  // M
    {"##..##", "###.##", "###.##", "##.###", "##.###", "##..##", "##..##"},  // N
    {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."},  // O
    {"#####.", "##..##", "##..##", "#####.", "##....", "##....", "##...."},  // P
    {".####.", "##..##", "##..##", "##..##", "##.###", "##..##", ".###.#"},  // Q
    {"#####.", "##..##", "##..##", "#####.", "####..", "##.##.", "##..##"},  // R
    {".#####", "##....", "##....", ".####.", "....##", "....##", "#####."},  // S
    {"######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##.."},  // T
    {"##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."},  // U
    {"##..##", "##..##", "##..##", "##..##", ".####.", ".####.", "..##.."},  // V
    {"#....#", "#....#", "#.##.#", "#.##.#", "######", "##..##", "#....#"},  // W
    {"##..##", "##..##", ".####.", "..##..", ".####.", "##..##", "##..##"},  // X
    {"##..##", "##..##", ".####.", "..##..", "..##..", "..##..", "..##.."},  // Y
    {"######", "....##", "...##.", "..##..", ".##...", "##....", "######"},  // Z
    {"......", "......", "......", "......", "......", "......", "......"},  // space
    {"......", "......", "......", "......", "......", "..##..", "..##.."},  // .
    {".####.", "##..##", "....##", "...##.", "..##..", "......", "..##.."},  // ?
    {"..##..", "..##..", "..##..", "..##..", "..##..", "......", "..##.."},  // !
    {"......", "..##..", "..##..", "######", "..##..", "..##..", "......"},  // +
    {"......", "......", "......", "######", "......", "......", "......"},  // -
    {"..##..", ".#####", "##.#..", ".####.", "..#.##", "#####.", "..##.."},  // $
    {"##...#", "##..##", "...##.", "..##..", ".##...", "##..##", "#...##"},  // %
    {".####.", "##..##", "##.###", "######", "###.##", "##..##", ".####."},  // 0
    {"..##..", ".###..", "..##..", "..##..", "..##..", "..##..", "######"},  // 1
    {".####.", "##..##", "....##", "..###.", ".##...", "##....", "######"},  // 2
    {".####.", "##..##", "....##", "..###.", "....##", "##..##", ".####."},  // 3
    {"...##.", "..###.", ".####.", "##.##.", "######", "...##.", "...##."},  // 4
    {"######", "##....", "#####.", "....##", "....##", "##..##", ".####."},  // 5
    {".####.", "##....", "##....", "#####.", "##..##", "##..##", ".####."},  // 6
    {"######", "....##", "...##.", "..##..", "..##..", "..##..", "..##.."},  // 7
    {".####.", "##..##", "##..##", ".####.", "##..##", "##..##", ".####."},  // 8
    {".####.", "##..##", "##..##", ".#####", "....##", "...##.", ".###.."},  // 9
    {"...##.", "..##..", ".##...", ".##...", ".##...", "..##..", "...##."},  // (
    {".##...", "..##..", "...##.", "...##.", "...##.", "..##..", ".##..."},  // )
    {".####.", "#....#", "#.##.#", "#.#..#", "#.##.#", "#....#", ".####."},  // copyright
    {".##.##", ".##.##", ".#..#.", "......", "......", "......", "......"},  // "
};

const int CELL = 16;
const int INK_LEFT = 2, INK_TOP = 1;

void paintGlyph(SpriteCanvas& strip, int index, Rgb top, Rgb bottom) {
    int x0 = index * CELL + INK_LEFT, y0 = INK_TOP;
    for (int row = 0; row < GLYPH_ROWS; ++row)
        for (int col = 0; col < GLYPH_COLUMNS; ++col) {
            if (!glyphInk(index, col, row)) continue;
            for (int sy = 0; sy < 2; ++sy)
                for (int sx = 0; sx < 2; ++sx) {
                    int y = y0 + row * 2 + sy;
                    double t = (y - y0) / double(GLYPH_ROWS * 2 - 1);
                    Rgb c = mix(top, bottom, t);
                    // The upper edge of every stroke catches the light.
                    if (sy == 0 && (row == 0 || !glyphInk(index, col, row - 1))) c = mix(c, rgb(255, 255, 255), 0.55);
                    // Its lower edge falls into shade.
                    if (sy == 1 && (row == GLYPH_ROWS - 1 || !glyphInk(index, col, row + 1)))
                        c = mix(c, pal::SHADOW_TINT, 0.35);
                    strip.blendPixel(x0 + col * 2 + sx, y, c, 1.0);
                }
        }
}

// A hard drop shadow to the lower right rather than a full rim: a rim would
// fill the one-cell gaps inside glyphs such as the copyright sign and "$".
void dropShadow(SpriteCanvas& strip) {
    std::vector<bool> ink(size_t(strip.width()) * strip.height());
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) ink[size_t(y) * strip.width() + x] = strip.coverageAt(x, y) >= 0.5;
    auto inked = [&](int x, int y) {
        return x >= 0 && y >= 0 && ink[size_t(y) * strip.width() + x];
    };
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            if (!inked(x, y) && (inked(x - 1, y - 1) || inked(x - 1, y) || inked(x, y - 1)))
                strip.blendPixel(x, y, pal::OUTLINE, 1.0);
}

void writeStrip(AssetOutput& out, const std::string& path, Rgb top, Rgb bottom) {
    SpriteCanvas strip(CELL * GLYPH_COUNT, CELL);
    for (int g = 0; g < GLYPH_COUNT; ++g) paintGlyph(strip, g, top, bottom);
    dropShadow(strip);
    out.savePicture(path, strip, 1);
}
}  // namespace

int glyphIndexOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= '0' && c <= '9') return 34 + (c - '0');
    switch (c) {
        case ' ': return 26;
        case '.': return 27;
        case '?': return 28;
        case '!': return 29;
        case '+': return 30;
        case '-': return 31;
        case '$': return 32;
        case '%': return 33;
        case '(': return 44;
        case ')': return 45;
        case 0xA9: return 46;
        case '"': return 47;
        default: return -1;
    }
}

bool glyphInk(int index, int column, int row) {
    if (index < 0 || index >= GLYPH_COUNT || column < 0 || column >= GLYPH_COLUMNS || row < 0 || row >= GLYPH_ROWS)
        return false;
    return GLYPHS[index][row][column] == '#';
}

void makeFontStrips(AssetOutput& out) {
    out.newSheetRow();
    writeStrip(out, "font/font.bmp", pal::FONT_TOP, pal::FONT_BOTTOM);
    writeStrip(out, "font/fontgreen.bmp", pal::FONT_GREEN_TOP, pal::FONT_GREEN_BOTTOM);
}
