// The generated art as players see it: moving frames, explosions that flare and
// fade, a dark wrapping backdrop, danger that stands out, one font in two colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numeric>
#include <set>
#include <vector>

#include "picture.h"

namespace {
void rgbAt(BITMAP* bmp, int x, int y, int* c) {  // red, green, blue into c[0..2]
    int pixel = getpixel(bmp, x, y);
    c[0] = getr24(pixel), c[1] = getg24(pixel), c[2] = getb24(pixel);
}

int distance(BITMAP* a, int xa, int ya, BITMAP* b, int xb, int yb) {  // summed over red, green, blue
    int p[3], q[3];
    rgbAt(a, xa, ya, p), rgbAt(b, xb, yb, q);
    return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
}

// WCAG relative luminance (0..1) of a pixel, and the contrast ratio of two luminances (1..21).
double luminance(BITMAP* bmp, int x, int y) {
    int c[3];
    rgbAt(bmp, x, y, c);
    double weight[3] = {0.2126, 0.7152, 0.0722}, sum = 0;
    for (int i = 0; i < 3; ++i) {
        double v = c[i] / 255.0;
        sum += weight[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}
double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }
}  // namespace

// Each frame changes at least 3 % of its ink against the last; an explosion
// starts small, keeps a bright core through its first half and fades out.
TEST(Pictures, FramesMoveAndExplosionsFlareThenFade) {
    for (const PictureSeries& p : PICTURES) {
        std::vector<std::string> paths = pathsOf(p);
        bool explosion = p.name.find("explo") != std::string::npos;
        std::vector<int> ink;
        for (size_t i = 0; i < paths.size() && p.frames > 1; ++i) {
            BITMAP *frame = stored(paths[i]), *last = stored(paths[i ? i - 1 : 0]);
            int changed = 0, bright = 0;
            for (int y = 0; y < frame->h; ++y)
                for (int x = 0; x < frame->w; ++x) {
                    changed += distance(frame, x, y, last, x, y) > 30;
                    bright += explosion && !isMagenta(frame, x, y) && luminance(frame, x, y) > 0.45;
                }
            ink.push_back(inkCount(frame));
            EXPECT_TRUE(i == 0 || changed >= std::max(3, ink[i - 1] * 3 / 100)) << paths[i] << ": " << changed;
            bool hot = !explosion || int(i) >= (p.frames + 1) / 2 || bright >= ink[i] / 20;
            EXPECT_TRUE(hot) << paths[i] << " has no bright core";
        }
        if (!explosion) continue;
        auto peak = std::max_element(ink.begin(), ink.end());
        EXPECT_TRUE(peak != ink.begin() && ink.front() > 0) << p.name << " does not grow";
        EXPECT_LT(ink.back(), *peak / 2) << p.name << " does not fade out";
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
    // A sprite's light as the eye sums it at this size: the mean luminance of its pixels.
    const struct { const char* path; double contrast; bool bullet; } sprites[] = {
        {"sprites/bullets/enemybullet1.bmp", 7, true}, {"sprites/bullets/enemybullet2.bmp", 7, true},
        {"sprites/shadow/shadow1.bmp", 3.5, false}, {"sprites/shadow/shadow2.bmp", 3.5, false}};
    for (const auto& s : sprites) {
        BITMAP* bmp = stored(s.path);
        double light = 0, darkest = 1;
        for (int y = 0; y < bmp->h; ++y)
            for (int x = 0; x < bmp->w; ++x) {
                double l = isMagenta(bmp, x, y) ? -1 : luminance(bmp, x, y);
                if (l >= 0) light += l, darkest = std::min(darkest, l);
            }
        EXPECT_GE(contrastRatio(light / inkCount(bmp), backdrop), s.contrast) << s.path;
        EXPECT_TRUE(!s.bullet || contrastRatio(darkest, backdrop) > 3) << s.path << " has a dark rim";
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
    auto greenness = [](BITMAP* strip) {  // of the letters' bright body, not their dark rim
        double sum = 0;
        int n = 0, c[3];
        for (int y = 0; y < strip->h; ++y)
            for (int x = 0; x < strip->w; ++x) {
                rgbAt(strip, x, y, c);
                if (isMagenta(strip, x, y) || c[0] + c[1] + c[2] < 200) continue;
                sum += c[1] - std::max(c[0], c[2]), ++n;
            }
        return sum / n;
    };
    EXPECT_GT(greenness(green), 40) << "the green strip is not green";
    EXPECT_LT(greenness(normal), 0) << "the normal strip is green";
}
