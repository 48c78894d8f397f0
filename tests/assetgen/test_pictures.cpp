// The generated art as players see it: moving frames, explosions that flare and
// fade, a dark wrapping backdrop, danger that stands out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <set>
#include <vector>

#include "picture.h"

namespace {
// Colour distance (sum over red, green, blue) of two pixels.
int distance(BITMAP* a, int xa, int ya, BITMAP* b, int xb, int yb) {
    int p[3], q[3];
    rgbAt(a, xa, ya, p), rgbAt(b, xb, yb, q);
    return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
}
}  // namespace

TEST(Pictures, AnimationFramesDifferVisibly) {
    // Each frame against the next; outline: pixels turning transparent or back (the small enemies flex).
    struct { std::string prefix; int frames, changed, outline; } series[] = {
        {"sprites/pawn/pawn", 2, 12, 16}, {"sprites/shadow/shadow", 2, 12, 16}, {"sprites/blade/blade", 2, 12, 0},
        {"sprites/wyvern/wyvern", 2, 12, 0}, {"sprites/bigbattleship/bigbattleship", 2, 12, 0},
        {"sprites/gryffon/gryffon", 3, 12, 0}, {"sprites/mini-star/mini-star", 2, 3, 0}, {"cursors/cursor", 4, 3, 0},
        {"sprites/gem/gem", 5, 1, 0}};
    for (const auto& s : series)
        for (int i = 1; i < s.frames; ++i) {
            BITMAP *a = stored(s.prefix + std::to_string(i) + ".bmp"), *b = stored(s.prefix + std::to_string(i + 1) + ".bmp");
            int changed = 0, outline = 0;
            for (int y = 0; y < a->h; ++y)
                for (int x = 0; x < a->w; ++x)
                    changed += distance(a, x, y, b, x, y) > 30, outline += isMagenta(a, x, y) != isMagenta(b, x, y);
            EXPECT_TRUE(changed >= s.changed && outline >= s.outline) << s.prefix << i << ": " << changed << " pixels change, "
                                                                      << outline << " on the outline";
        }
}

TEST(Pictures, ExplosionsFlareThenFade) {
    struct {
        std::string prefix;
        int frames, hot_frames;  // the first frames keep a bright (yellow to white) core
        bool smoke_thins;        // never loses more than 60 % of its pixels in one frame
    } all[] = {{"sprites/enemyexplosion/enemyexplosion", 4, 3, true}, {"sprites/gryffon/gryffonexplode", 5, 3, false},
               {"sprites/wyvern/wyvernexplosion", 9, 5, false}, {"sprites/bigbattleship/bigbattleshipexplosion", 11, 6, false}};
    for (const auto& s : all) {
        std::vector<int> ink;
        for (int i = 1; i <= s.frames; ++i) {
            BITMAP* frame = stored(s.prefix + std::to_string(i) + ".bmp");
            int bright = 0;
            for (int y = 0; y < frame->h; ++y)
                for (int x = 0; x < frame->w; ++x) bright += !isMagenta(frame, x, y) && luminance(frame, x, y) > 0.45;
            ink.push_back(inkCount(frame));
            EXPECT_TRUE(i > s.hot_frames || bright >= ink.back() / 20) << s.prefix << i << " has no bright core";
            EXPECT_TRUE(i == 1 || !s.smoke_thins || ink[i - 1] >= ink[i - 2] * 2 / 5) << s.prefix << i << " vanishes at once";
        }
        auto peak = std::max_element(ink.begin(), ink.end());
        EXPECT_TRUE(peak != ink.begin() && ink.front() > 0) << s.prefix << " does not grow";
        EXPECT_LT(ink.back(), *peak / 2) << s.prefix << " does not fade out";
    }
}

TEST(Pictures, BackdropWrapsStaysDarkAndDangerStandsOut) {
    BITMAP* bg = stored("backgrounds/gamebg.bmp");
    auto columnGap = [&](int xa, int xb) {
        double total = 0;
        for (int y = 0; y < bg->h; ++y) total += distance(bg, xa, y, bg, xb, y);
        return total / bg->h;
    };
    double typical = (columnGap(100, 101) + columnGap(700, 701) + columnGap(1200, 1201)) / 3;
    EXPECT_LT(columnGap(bg->w - 1, 0), typical * 2 + 2) << "the ends of the backdrop do not join";
    std::vector<double> lit;
    for (int y = 0; y < bg->h; ++y)
        for (int x = 0; x < bg->w; ++x) lit.push_back(luminance(bg, x, y));
    double mean = std::accumulate(lit.begin(), lit.end(), 0.0) / double(lit.size());
    EXPECT_TRUE(mean > 0.0005 && mean < 0.03) << "mean luminance " << mean << ": shots must read over it";
    std::sort(lit.rbegin(), lit.rend());
    lit.resize(lit.size() / 20);
    double backdrop = std::accumulate(lit.begin(), lit.end(), 0.0) / double(lit.size());  // its brightest 5 %
    struct {
        const char* path;
        double contrast;
        bool bullet;  // warm, a bright core, no dark rim
    } sprites[] = {{"sprites/bullets/enemybullet1.bmp", 7, true}, {"sprites/bullets/enemybullet2.bmp", 7, true},
                   {"sprites/shadow/shadow1.bmp", 3.5, false}, {"sprites/shadow/shadow2.bmp", 3.5, false}};
    for (const auto& s : sprites) {
        // The sprite's light as the eye sums it at this size: the mean luminance of its pixels.
        BITMAP* bmp = stored(s.path);
        double darkest = 1, light = 0, colour[3] = {0, 0, 0}, ink = inkCount(bmp);
        for (int y = 0; y < bmp->h; ++y)
            for (int x = 0; x < bmp->w; ++x) {
                if (isMagenta(bmp, x, y)) continue;
                int c[3];
                rgbAt(bmp, x, y, c);
                for (int i = 0; i < 3; ++i) colour[i] += c[i] / ink;
                darkest = std::min(darkest, luminance(bmp, x, y)), light += luminance(bmp, x, y);
            }
        EXPECT_GE(contrastRatio(light / ink, backdrop), s.contrast) << s.path;
        if (!s.bullet) continue;
        EXPECT_TRUE(colour[0] >= colour[1] && colour[1] >= colour[2] && colour[0] - colour[2] > 60) << s.path << " is not warm";
        EXPECT_GT(luminance(bmp, 4, 4), 0.7) << s.path << " has no bright core";
        EXPECT_GT(contrastRatio(darkest, backdrop), 3) << s.path << " has a dark rim";
    }
}

TEST(Pictures, GlyphStripsShareOneLayoutAndOnlyOneIsGreen) {
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
    // Mean colour of the letters' bright body (not their dark rim).
    auto body = [](BITMAP* strip, double* mean) {
        int n = 0, c[3];
        for (int y = 0; y < strip->h; ++y)
            for (int x = 0; x < strip->w; ++x) {
                rgbAt(strip, x, y, c);
                if (isMagenta(strip, x, y) || c[0] + c[1] + c[2] < 200) continue;
                for (int i = 0; i < 3; ++i) mean[i] += c[i];
                ++n;
            }
        for (int i = 0; i < 3; ++i) mean[i] /= n;
    };
    double n[3] = {0, 0, 0}, g[3] = {0, 0, 0};
    body(normal, n), body(green, g);
    EXPECT_TRUE(g[1] > g[0] + 40 && g[1] > g[2] + 40) << "the green strip is not green";
    EXPECT_TRUE(n[1] < n[0] + 40 && n[1] < n[2] + 20) << "the normal strip is green";
}
