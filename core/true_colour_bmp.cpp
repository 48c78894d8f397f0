#include "core/true_colour_bmp.h"

#include <allegro.h>

#include <cstdint>
#include <vector>

namespace {

const int MOST_PIXELS_A_SIDE = 16384;

struct BmpLayout {
    uint32_t pixels_at = 0;
    int width = 0;
    int rows = 0;  // stored bottom row first
};

uint32_t littleEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

bool readLayout(FILE* file, BmpLayout& layout) {
    unsigned char header[54];
    if (std::fread(header, 1, sizeof header, file) != sizeof header || header[0] != 'B' || header[1] != 'M')
        return false;
    layout.pixels_at = littleEndian(header + 10, 4);
    layout.width = static_cast<int32_t>(littleEndian(header + 18, 4));
    layout.rows = static_cast<int32_t>(littleEndian(header + 22, 4));
    bool plain = littleEndian(header + 14, 4) >= 40 && littleEndian(header + 28, 2) == 24 &&
                 littleEndian(header + 30, 4) == 0;
    return plain && layout.width > 0 && layout.width <= MOST_PIXELS_A_SIDE && layout.rows > 0 &&
           layout.rows <= MOST_PIXELS_A_SIDE;
}

bool readRows(FILE* file, const BmpLayout& layout, BITMAP* picture) {
    std::vector<unsigned char> row((static_cast<size_t>(layout.width) * 3 + 3) & ~static_cast<size_t>(3));
    if (std::fseek(file, static_cast<long>(layout.pixels_at), SEEK_SET) != 0) return false;
    for (int i = 0; i < layout.rows; ++i) {
        if (std::fread(row.data(), 1, row.size(), file) != row.size()) return false;
        uint16_t* out = reinterpret_cast<uint16_t*>(picture->line[layout.rows - 1 - i]);
        for (int x = 0; x < layout.width; ++x) {
            const unsigned char* bgr = &row[3 * static_cast<size_t>(x)];
            out[x] = static_cast<uint16_t>((bgr[2] >> 3) << _rgb_r_shift_16 | (bgr[1] >> 2) << _rgb_g_shift_16 |
                                           (bgr[0] >> 3) << _rgb_b_shift_16);
        }
    }
    return true;
}

}  // namespace

BITMAP* readTrueColourBmp(FILE* file) {
    BmpLayout layout;
    if (get_color_depth() != 16 || !(get_color_conversion() & COLORCONV_24_TO_16) || !readLayout(file, layout))
        return nullptr;
    BITMAP* picture = create_bitmap(layout.width, layout.rows);
    if (picture && !readRows(file, layout, picture)) {
        destroy_bitmap(picture);
        picture = nullptr;
    }
    return picture;
}
