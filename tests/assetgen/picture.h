// Generated files exactly as stored: raw bytes, and pictures in 24 bits (no conversion to the
// screen's depth), each loaded once per test program; the pictures the game loads, by series.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

inline std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Kept until the program ends; a missing file fails the test and reads as one blank pixel.
inline BITMAP* stored(const std::string& path) {
    static std::map<std::string, BITMAP*>& loaded = *new std::map<std::string, BITMAP*>;  // never torn down
    BITMAP*& bmp = loaded[path];
    if (bmp) return bmp;
    int conversion = get_color_conversion();
    set_color_conversion(COLORCONV_NONE);
    bmp = load_bitmap(path.c_str(), nullptr);
    set_color_conversion(conversion);
    if (!bmp) ADD_FAILURE() << path << " is missing", bmp = create_bitmap_ex(24, 1, 1), clear_bitmap(bmp);
    return bmp;
}

inline bool isMagenta(BITMAP* bmp, int x, int y) {  // the transparent colour
    return getpixel(bmp, x, y) == makecol_depth(bitmap_color_depth(bmp), 255, 0, 255);
}

inline int inkCount(BITMAP* bmp) {  // pixels that are not transparent
    int count = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) count += !isMagenta(bmp, x, y);
    return count;
}

struct PictureSeries {
    std::string name;
    int frames;  // files name1.bmp..nameN.bmp; 0: a single name.bmp
    int width, height;
    bool keyed;  // drawn as a sprite: its outer ring must be transparent
};
inline const PictureSeries PICTURES[] = {
    {"backgrounds/gamebg", 0, 1360, 480, false}, {"backgrounds/titlebg", 0, 640, 480, false},
    {"logo/holtrane", 0, 640, 480, false}, {"logo/ostwick", 0, 640, 480, false}, {"logo/zenvarlogo", 0, 330, 132, true},
    {"font/font", 0, 768, 16, false}, {"font/fontgreen", 0, 768, 16, false},
    {"sprites/bullets/gryffonlaser", 0, 17, 17, true}, {"sprites/bullets/enemybullet", 2, 9, 9, true},
    {"sprites/bullets/enemylaser", 0, 9, 9, true}, {"sprites/blade/bladechain", 0, 9, 9, true},
    {"cursors/cursor", 4, 17, 17, true}, {"sprites/gryffon/gryffon", 3, 38, 38, true},
    {"sprites/gryffon/gryffonexplode", 5, 38, 38, true}, {"sprites/mini-star/mini-star", 2, 9, 9, true},
    {"sprites/pawn/pawn", 2, 38, 38, true}, {"sprites/shadow/shadow", 2, 38, 38, true},
    {"sprites/blade/blade", 2, 38, 38, true}, {"sprites/enemyexplosion/enemyexplosion", 4, 38, 38, true},
    {"sprites/wyvern/wyvern", 2, 96, 96, true}, {"sprites/wyvern/wyvernexplosion", 9, 96, 96, true},
    {"sprites/bigbattleship/bigbattleship", 2, 96, 96, true},
    {"sprites/bigbattleship/bigbattleshipexplosion", 11, 96, 96, true}, {"sprites/gem/gem", 5, 8, 8, false},
};

inline std::vector<std::string> pathsOf(const PictureSeries& p) {
    std::vector<std::string> paths;
    for (int i = p.frames ? 1 : 0; i <= p.frames; ++i) paths.push_back(p.name + (i ? std::to_string(i) : "") + ".bmp");
    return paths;
}
