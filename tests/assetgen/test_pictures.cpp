// The generated art as players see it: moving frames, explosions that grow and
// fade, a backdrop that wraps without a seam, one glyph layout in both strips.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "picture.h"

namespace {
int distance(BITMAP* a, int xa, int ya, BITMAP* b, int xb, int yb) {  // summed over red, green, blue
    int p = getpixel(a, xa, ya), q = getpixel(b, xb, yb);
    return std::abs(getr24(p) - getr24(q)) + std::abs(getg24(p) - getg24(q)) + std::abs(getb24(p) - getb24(q));
}
}  // namespace

// Each frame changes at least 3 % of its ink against the last; an explosion
// starts small, grows and fades out.
TEST(Pictures, FramesMoveAndExplosionsGrowThenFade) {
    for (const PictureSeries& p : PICTURES) {
        std::vector<std::string> paths = pathsOf(p);
        std::vector<int> ink;
        for (size_t i = 0; i < paths.size() && p.frames > 1; ++i) {
            BITMAP *frame = stored(paths[i]), *last = stored(paths[i ? i - 1 : 0]);
            int changed = 0;
            for (int y = 0; y < frame->h; ++y)
                for (int x = 0; x < frame->w; ++x) changed += distance(frame, x, y, last, x, y) > 30;
            ink.push_back(inkCount(frame));
            EXPECT_TRUE(i == 0 || changed >= std::max(3, ink[i - 1] * 3 / 100)) << paths[i] << ": " << changed;
        }
        if (p.name.find("explo") == std::string::npos) continue;
        auto peak = std::max_element(ink.begin(), ink.end());
        EXPECT_TRUE(peak != ink.begin() && ink.front() > 0) << p.name << " does not grow";
        EXPECT_LT(ink.back(), *peak / 2) << p.name << " does not fade out";
    }
}

TEST(Pictures, BackdropWrapsWithoutASeam) {
    BITMAP* bg = stored("backgrounds/gamebg.bmp");
    auto columnGap = [&](int xa, int xb) {
        double total = 0;
        for (int y = 0; y < bg->h; ++y) total += distance(bg, xa, y, bg, xb, y);
        return total / bg->h;
    };
    double typical = (columnGap(100, 101) + columnGap(700, 701) + columnGap(1200, 1201)) / 3;
    EXPECT_LT(columnGap(bg->w - 1, 0), typical * 2 + 2) << "the ends of the backdrop do not join";
}

TEST(Pictures, GlyphStripsShareOneLayoutOfDistinctGlyphs) {
    BITMAP *normal = stored("font/font.bmp"), *green = stored("font/fontgreen.bmp");
    std::set<std::string> seen;
    for (int cell = 0; cell < 48; ++cell) {
        std::string a, b;
        for (int y = 0; y < 16; ++y)
            for (int x = cell * 16; x < cell * 16 + 16; ++x)
                a += isMagenta(normal, x, y) ? '.' : '#', b += isMagenta(green, x, y) ? '.' : '#';
        EXPECT_EQ(a, b) << "glyph " << cell << " differs between the strips";
        bool ink = a.find('#') != std::string::npos;
        EXPECT_EQ(ink, cell != 26) << "glyph " << cell << ": only the space is blank";
        EXPECT_TRUE(!ink || seen.insert(a).second) << "glyph " << cell << " repeats another glyph";
    }
}
