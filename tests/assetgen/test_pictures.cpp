// The generated pictures as the game needs them: present, the right size,
// 24-bit, loadable by Allegro in the game's 16-bit mode with the transparent
// key intact, and animated the way the game shows them.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "asset_files.h"
#include "bmp_file.h"

namespace {
BmpFile readOrFail(const std::string& path) {
    BmpFile bmp;
    EXPECT_TRUE(bmp.read(path)) << path << " is missing or not a 24-bit BMP";
    return bmp;
}

int differingPixels(const BmpFile& a, const BmpFile& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            int r1, g1, b1, r2, g2, b2;
            a.pixel(x, y, r1, g1, b1);
            b.pixel(x, y, r2, g2, b2);
            if (std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2) > 30) ++count;
        }
    return count;
}

// Ink bounding box: left, top, right, bottom (inclusive).
void inkBox(const BmpFile& bmp, int& left, int& top, int& right, int& bottom) {
    left = bmp.width(), top = bmp.height(), right = -1, bottom = -1;
    for (int y = 0; y < bmp.height(); ++y)
        for (int x = 0; x < bmp.width(); ++x)
            if (!bmp.isMagenta(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
}
}  // namespace

TEST(Pictures, EveryPictureIsA24BitBmpOfItsSizeAndLoadsInTheGamesMode) {
    for (const ExpectedPicture& p : expectedPictures()) {
        BmpFile bmp = readOrFail(p.path);
        EXPECT_EQ(bmp.width(), p.width) << p.path;
        EXPECT_EQ(bmp.height(), p.height) << p.path;
        BITMAP* loaded = load_bitmap(p.path.c_str(), nullptr);
        ASSERT_NE(loaded, nullptr) << p.path;
        EXPECT_EQ(loaded->w, p.width) << p.path;
        EXPECT_EQ(loaded->h, p.height) << p.path;
        destroy_bitmap(loaded);
    }
}

TEST(Pictures, SpritesShowNoBoxAndKeepTheirKeyIn16Bits) {
    for (const ExpectedPicture& p : expectedPictures()) {
        if (!p.keyed) continue;
        BmpFile bmp = readOrFail(p.path);
        EXPECT_GT(bmp.inkCount(), 4) << p.path << " is empty";
        for (int x = 0; x < bmp.width(); ++x) {
            EXPECT_TRUE(bmp.isMagenta(x, 0) && bmp.isMagenta(x, bmp.height() - 1)) << p.path << " column " << x;
        }
        for (int y = 0; y < bmp.height(); ++y) {
            EXPECT_TRUE(bmp.isMagenta(0, y) && bmp.isMagenta(bmp.width() - 1, y)) << p.path << " row " << y;
        }
        // After the 24-to-16-bit conversion exactly the magenta pixels must be
        // the mask colour: a near-magenta paint colour would turn into a hole.
        BITMAP* loaded = load_bitmap(p.path.c_str(), nullptr);
        ASSERT_NE(loaded, nullptr);
        int mask = bitmap_mask_color(loaded), mismatches = 0;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x)
                if ((getpixel(loaded, x, y) == mask) != bmp.isMagenta(x, y)) ++mismatches;
        EXPECT_EQ(mismatches, 0) << p.path;
        destroy_bitmap(loaded);
    }
}

TEST(Pictures, GemsHaveTransparentCornersAndGlint) {
    BmpFile plain = readOrFail("sprites/gem/gem1.bmp");
    for (int i = 1; i <= 5; ++i) {
        BmpFile gem = readOrFail("sprites/gem/gem" + std::to_string(i) + ".bmp");
        EXPECT_TRUE(gem.isMagenta(0, 0) && gem.isMagenta(7, 0) && gem.isMagenta(0, 7) && gem.isMagenta(7, 7))
            << "gem" << i;
        if (i > 1) {
            EXPECT_GT(differingPixels(plain, gem), 0) << "gem" << i << " shows no glint";
        }
    }
}

TEST(Pictures, AnimationFramesDifferVisibly) {
    const char* pairs[][2] = {
        {"sprites/pawn/pawn1.bmp", "sprites/pawn/pawn2.bmp"},
        {"sprites/shadow/shadow1.bmp", "sprites/shadow/shadow2.bmp"},
        {"sprites/blade/blade1.bmp", "sprites/blade/blade2.bmp"},
        {"sprites/wyvern/wyvern1.bmp", "sprites/wyvern/wyvern2.bmp"},
        {"sprites/bigbattleship/bigbattleship1.bmp", "sprites/bigbattleship/bigbattleship2.bmp"},
        {"sprites/gryffon/gryffon1.bmp", "sprites/gryffon/gryffon2.bmp"},
        {"sprites/gryffon/gryffon2.bmp", "sprites/gryffon/gryffon3.bmp"},
        {"sprites/mini-star/mini-star1.bmp", "sprites/mini-star/mini-star2.bmp"},
        {"cursors/cursor1.bmp", "cursors/cursor2.bmp"},
        {"cursors/cursor2.bmp", "cursors/cursor3.bmp"},
        {"cursors/cursor3.bmp", "cursors/cursor4.bmp"},
    };
    for (const auto& pair : pairs) {
        BmpFile a = readOrFail(pair[0]), b = readOrFail(pair[1]);
        int needed = a.width() >= 38 ? 12 : 3;
        EXPECT_GE(differingPixels(a, b), needed) << pair[0] << " vs " << pair[1];
    }
    // The small enemies move their outline too, not only their shading.
    for (const char* kind : {"pawn", "shadow"}) {
        std::string prefix = std::string("sprites/") + kind + "/" + kind;
        BmpFile a = readOrFail(prefix + "1.bmp"), b = readOrFail(prefix + "2.bmp");
        int moved = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) moved += a.isMagenta(x, y) != b.isMagenta(x, y);
        EXPECT_GE(moved, 16) << kind << " keeps its outline";
    }
}

TEST(Pictures, ExplosionsGrowThenDissipate) {
    struct Series {
        std::string prefix;
        int frames, hot_frames;  // the first frames with a bright (yellow to white) core
        bool smoke_thins;        // never loses more than 60 % of its pixels in one frame
    } all[] = {{"sprites/enemyexplosion/enemyexplosion", 4, 3, true},
               {"sprites/gryffon/gryffonexplode", 5, 3, false},
               {"sprites/wyvern/wyvernexplosion", 9, 5, false},
               {"sprites/bigbattleship/bigbattleshipexplosion", 11, 6, false}};
    for (const Series& s : all) {
        std::vector<int> ink;
        for (int i = 1; i <= s.frames; ++i) {
            BmpFile frame = readOrFail(s.prefix + std::to_string(i) + ".bmp");
            int bright = 0;
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x) bright += !frame.isMagenta(x, y) && frame.luminance(x, y) > 0.45;
            ink.push_back(frame.inkCount());
            if (i <= s.hot_frames) {
                EXPECT_GE(bright, ink.back() / 20) << s.prefix << i << " has no bright core";
            }
            if (i > 1 && s.smoke_thins) {
                EXPECT_GE(ink.back(), ink[ink.size() - 2] * 2 / 5) << s.prefix << i << " vanishes at once";
            }
        }
        auto peak = std::max_element(ink.begin(), ink.end());
        EXPECT_GT(peak - ink.begin(), 0) << s.prefix << " is largest in its first frame";
        EXPECT_LT(ink.back(), *peak / 2) << s.prefix << " does not fade out";
        EXPECT_GT(ink.front(), 0) << s.prefix;
    }
}

TEST(Pictures, ShipAndCursorSitOnTheirAnchors) {
    // The ship's hull lies inside +4..+33 (one pixel of rim allowed), centred on +18.
    BmpFile idle = readOrFail("sprites/gryffon/gryffon3.bmp");
    int left, top, right, bottom;
    inkBox(idle, left, top, right, bottom);
    EXPECT_GE(left, 3);
    EXPECT_GE(top, 3);
    EXPECT_LE(right, 34);
    EXPECT_LE(bottom, 34);
    EXPECT_NEAR((left + right) / 2.0, 18.5, 1.0);
    // The crosshair's centre is the hot spot (8, 8) in every frame.
    for (int i = 1; i <= 4; ++i) {
        BmpFile cursor = readOrFail("cursors/cursor" + std::to_string(i) + ".bmp");
        EXPECT_FALSE(cursor.isMagenta(8, 8)) << "cursor" << i;
        inkBox(cursor, left, top, right, bottom);
        EXPECT_EQ(left + right, 16) << "cursor" << i;
        EXPECT_EQ(top + bottom, 16) << "cursor" << i;
    }
    BmpFile star = readOrFail("sprites/mini-star/mini-star1.bmp");
    EXPECT_FALSE(star.isMagenta(4, 4));
}

TEST(Pictures, EachEnemyKindHasItsOwnColourAndTheShadowIsDarkest) {
    const char* kinds[] = {"sprites/pawn/pawn1.bmp", "sprites/shadow/shadow1.bmp", "sprites/blade/blade1.bmp",
                           "sprites/wyvern/wyvern1.bmp", "sprites/bigbattleship/bigbattleship1.bmp"};
    double mean[5][3] = {};
    for (int k = 0; k < 5; ++k) {
        BmpFile bmp = readOrFail(kinds[k]);
        int n = 0;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x) {
                if (bmp.isMagenta(x, y)) continue;
                int r, g, b;
                bmp.pixel(x, y, r, g, b);
                mean[k][0] += r, mean[k][1] += g, mean[k][2] += b, ++n;
            }
        ASSERT_GT(n, 0) << kinds[k];
        for (double& c : mean[k]) c /= n;
    }
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            double d = std::fabs(mean[a][0] - mean[b][0]) + std::fabs(mean[a][1] - mean[b][1]) +
                       std::fabs(mean[a][2] - mean[b][2]);
            EXPECT_GT(d, 30) << kinds[a] << " and " << kinds[b] << " look alike";
        }
    auto brightness = [&](int k) { return mean[k][0] + mean[k][1] + mean[k][2]; };
    for (int k = 0; k < 5; ++k) {
        if (k == 1) continue;
        EXPECT_LT(brightness(1), brightness(k)) << "the stealth craft outshines " << kinds[k];
    }
}

TEST(Pictures, TitleLogoFitsAboveTheMenu) {
    // Drawn at (154, 0): at most 332 wide and clear of y = 240.
    BmpFile logo = readOrFail("logo/zenvarlogo.bmp");
    EXPECT_LE(logo.width(), 332);
    EXPECT_LT(logo.height(), 240);
    EXPECT_GT(logo.inkCount(), logo.width() * logo.height() / 5);
    EXPECT_TRUE(logo.isMagenta(0, 0));
    BITMAP* loaded = load_bitmap("logo/zenvarlogo.bmp", nullptr);
    ASSERT_NE(loaded, nullptr);
    destroy_bitmap(loaded);
}

TEST(Pictures, GameBackdropWrapsSeamlesslyAndStaysDark) {
    BmpFile bg = readOrFail("backgrounds/gamebg.bmp");
    ASSERT_EQ(bg.width(), 1360);
    // Compare the seam with ordinary neighbouring columns.
    auto columnGap = [&](int xa, int xb) {
        double total = 0;
        for (int y = 0; y < bg.height(); ++y) {
            int r1, g1, b1, r2, g2, b2;
            bg.pixel(xa, y, r1, g1, b1);
            bg.pixel(xb, y, r2, g2, b2);
            total += std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2);
        }
        return total / bg.height();
    };
    double seam = columnGap(1359, 0);
    double typical = (columnGap(100, 101) + columnGap(700, 701) + columnGap(1200, 1201)) / 3;
    EXPECT_LT(seam, typical * 2 + 2) << "the ends of the backdrop do not join";
    double brightness = 0;
    for (int y = 0; y < bg.height(); y += 4)
        for (int x = 0; x < bg.width(); x += 4) {
            int r, g, b;
            bg.pixel(x, y, r, g, b);
            brightness += (r + g + b) / 3.0;
        }
    brightness /= (bg.height() / 4) * (bg.width() / 4);
    EXPECT_LT(brightness, 48) << "too bright for shots to read over";
    EXPECT_GT(brightness, 2) << "no backdrop drawn";
}

TEST(Pictures, DangerStandsOutFromTheBrightestBackdrop) {
    BmpFile bg = readOrFail("backgrounds/gamebg.bmp");
    std::vector<double> lit;
    for (int y = 0; y < bg.height(); ++y)
        for (int x = 0; x < bg.width(); ++x) lit.push_back(bg.luminance(x, y));
    std::sort(lit.rbegin(), lit.rend());
    lit.resize(lit.size() / 20);
    double backdrop = std::accumulate(lit.begin(), lit.end(), 0.0) / double(lit.size());
    struct {
        const char* path;
        double contrast;
        bool bullet;  // warm, a bright core, no dark rim
    } sprites[] = {{"sprites/bullets/enemybullet1.bmp", 7, true}, {"sprites/bullets/enemybullet2.bmp", 7, true},
                   {"sprites/shadow/shadow1.bmp", 3.5, false}, {"sprites/shadow/shadow2.bmp", 3.5, false}};
    for (const auto& s : sprites) {
        // The sprite's light as the eye sums it at this size: the mean luminance of its pixels.
        BmpFile bmp = readOrFail(s.path);
        double r, g, b, darkest = 1, light = 0;
        for (int y = 0; y < bmp.height(); ++y)
            for (int x = 0; x < bmp.width(); ++x)
                if (!bmp.isMagenta(x, y)) darkest = std::min(darkest, bmp.luminance(x, y)), light += bmp.luminance(x, y);
        EXPECT_GE(contrastRatio(light / bmp.inkCount(), backdrop), s.contrast) << s.path;
        if (!s.bullet) continue;
        bmp.meanInk(r, g, b);
        EXPECT_TRUE(r >= g && g >= b && r - b > 60) << s.path << " is not warm";
        EXPECT_GT(bmp.luminance(4, 4), 0.7) << s.path << " has no bright core";
        EXPECT_GT(contrastRatio(darkest, backdrop), 3) << s.path << " has a dark rim";
    }
}
