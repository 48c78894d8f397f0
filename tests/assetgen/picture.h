// Generated pictures exactly as stored (24 bits, no conversion to the screen's
// depth), each loaded once per test program, and the pixel measures the checks use.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

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

// Red, green, blue of a pixel into c[0..2].
inline void rgbAt(BITMAP* bmp, int x, int y, int* c) {
    int pixel = getpixel(bmp, x, y), depth = bitmap_color_depth(bmp);
    c[0] = getr_depth(depth, pixel), c[1] = getg_depth(depth, pixel), c[2] = getb_depth(depth, pixel);
}

inline bool isMagenta(BITMAP* bmp, int x, int y) {  // the transparent colour
    int c[3];
    rgbAt(bmp, x, y, c);
    return c[0] == 255 && c[1] == 0 && c[2] == 255;
}

inline int inkCount(BITMAP* bmp) {  // pixels that are not transparent
    int count = 0;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x) count += !isMagenta(bmp, x, y);
    return count;
}

// WCAG relative luminance (0..1) of a pixel, and the contrast ratio of two luminances (1..21).
inline double luminance(BITMAP* bmp, int x, int y) {
    int c[3];
    rgbAt(bmp, x, y, c);
    double weight[3] = {0.2126, 0.7152, 0.0722}, sum = 0;
    for (int i = 0; i < 3; ++i) {
        double v = c[i] / 255.0;
        sum += weight[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}
inline double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }
