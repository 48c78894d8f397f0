#include "bmp_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
}  // namespace

bool BmpFile::read(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    uint32_t offset = le32(&bytes[10]);
    int32_t height = int32_t(le32(&bytes[22]));
    w = int(le32(&bytes[18]));
    h = std::abs(height);
    bits = le16(&bytes[28]);
    if (bits != 24 || le32(&bytes[30]) != 0 || w <= 0 || h <= 0) return false;
    size_t stride = (size_t(w) * 3 + 3) & ~size_t(3);
    if (bytes.size() < offset + stride * h) return false;
    rows.resize(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        int file_row = height > 0 ? h - 1 - y : y;  // positive height: stored bottom-up
        const uint8_t* src = &bytes[offset + stride * file_row];
        std::copy(src, src + size_t(w) * 3, rows.begin() + size_t(y) * w * 3);
    }
    return true;
}

void BmpFile::pixel(int x, int y, int& r, int& g, int& b) const {
    const uint8_t* p = &rows[(size_t(y) * w + x) * 3];
    b = p[0], g = p[1], r = p[2];
}

bool BmpFile::isMagenta(int x, int y) const {
    int r, g, b;
    pixel(x, y, r, g, b);
    return r == 255 && g == 0 && b == 255;
}

int BmpFile::inkCount() const {
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!isMagenta(x, y)) ++count;
    return count;
}

void BmpFile::meanInk(double& r, double& g, double& b) const {
    double sum[3] = {0, 0, 0};
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (isMagenta(x, y)) continue;
            int c[3];
            pixel(x, y, c[0], c[1], c[2]);
            for (int i = 0; i < 3; ++i) sum[i] += c[i];
            ++n;
        }
    r = n ? sum[0] / n : 0, g = n ? sum[1] / n : 0, b = n ? sum[2] / n : 0;
}

double BmpFile::luminance(int x, int y) const {
    int r, g, b;
    pixel(x, y, r, g, b);
    return relativeLuminance(r, g, b);
}

double relativeLuminance(double r, double g, double b) {
    auto linear = [](double c) {
        c /= 255;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}
