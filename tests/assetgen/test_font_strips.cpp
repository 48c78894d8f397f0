// The two glyph strips: identical layout (the same pixels transparent), ink
// in every cell but the space, each glyph distinct, and the green strip
// clearly green.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "bmp_file.h"

namespace {
const int CELLS = 48, SPACE = 26;

std::string cellPattern(const BmpFile& strip, int cell) {
    std::string pattern;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pattern += strip.isMagenta(cell * 16 + x, y) ? '.' : '#';
    return pattern;
}

// Average red, green and blue over the ink of a strip.
void inkColour(const BmpFile& strip, double& r, double& g, double& b) {
    r = g = b = 0;
    int n = 0;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            if (strip.isMagenta(x, y)) continue;
            int pr, pg, pb;
            strip.pixel(x, y, pr, pg, pb);
            // Only the bright body of the letters, not their dark rim.
            if (pr + pg + pb < 200) continue;
            r += pr, g += pg, b += pb, ++n;
        }
    if (n) r /= n, g /= n, b /= n;
}
}  // namespace

TEST(FontStrips, BothStripsShareOneLayoutWithInkInEveryGlyph) {
    BmpFile normal, green;
    ASSERT_TRUE(normal.read("font/font.bmp"));
    ASSERT_TRUE(green.read("font/fontgreen.bmp"));
    ASSERT_EQ(normal.width(), 768);
    ASSERT_EQ(green.width(), 768);
    std::set<std::string> seen;
    for (int cell = 0; cell < CELLS; ++cell) {
        std::string a = cellPattern(normal, cell), b = cellPattern(green, cell);
        EXPECT_EQ(a, b) << "glyph " << cell << " differs between the strips";
        bool ink = a.find('#') != std::string::npos;
        EXPECT_EQ(ink, cell != SPACE) << "glyph " << cell;
        if (ink) {
            EXPECT_TRUE(seen.insert(a).second) << "glyph " << cell << " repeats another glyph";
        }
    }
}

TEST(FontStrips, GreenStripIsGreenAndTheNormalOneIsNot) {
    BmpFile normal, green;
    ASSERT_TRUE(normal.read("font/font.bmp"));
    ASSERT_TRUE(green.read("font/fontgreen.bmp"));
    double r, g, b;
    inkColour(green, r, g, b);
    EXPECT_GT(g, r + 40);
    EXPECT_GT(g, b + 40);
    inkColour(normal, r, g, b);
    EXPECT_LT(g, r + 40);
    EXPECT_LT(g, b + 20);
}
