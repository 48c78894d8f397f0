// Reads an uncompressed 24-bit BMP straight from its bytes, so pixel checks
// see exactly what the file holds, independent of Allegro's colour
// conversion (which the tests exercise separately through load_bitmap).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class BmpFile {
public:
    // False when the file is missing or is not an uncompressed 24-bit BMP.
    bool read(const std::string& path);

    int width() const { return w; }
    int height() const { return h; }
    int bitsPerPixel() const { return bits; }
    // Red, green, blue of pixel (x, y), y counted from the top.
    void pixel(int x, int y, int& r, int& g, int& b) const;
    bool isMagenta(int x, int y) const;
    int inkCount() const;  // pixels that are not the transparent colour
    // Mean colour of the visible pixels.
    void meanInk(double& r, double& g, double& b) const;
    // WCAG relative luminance (0..1) of pixel (x, y).
    double luminance(int x, int y) const;

private:
    int w = 0, h = 0, bits = 0;
    std::vector<uint8_t> rows;  // top to bottom, 3 bytes per pixel (B, G, R)
};

// WCAG relative luminance (0..1) of an sRGB colour given in 0..255.
double relativeLuminance(double r, double g, double b);
// WCAG contrast ratio of two relative luminances (1..21).
inline double contrastRatio(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }
