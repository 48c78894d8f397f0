#include "gfx/black_fade.h"

#include <allegro.h>

#include <cstdint>

namespace {
// Red, green and blue of a 16-bit pixel spread apart in 32 bits, with room for
// each to be multiplied by up to 32 without reaching the next.
const uint32_t SPREAD_MASK = 0x07E0F81F;

// Allegro's 16-bit translucency blender with a black destination.
inline uint16_t fadePixel(uint32_t pixel, uint32_t weight) {
    uint32_t spread = (pixel | (pixel << 16)) & SPREAD_MASK;
    uint32_t faded = (spread * weight / 32) & SPREAD_MASK;
    return static_cast<uint16_t>((faded & 0xFFFF) | (faded >> 16));
}
}  // namespace

void fadeTowardBlack(BITMAP* bitmap, int width, int height, int alpha) {
    // The blender's own rounding of the alpha to 33 steps.
    uint32_t weight = alpha > 0 ? static_cast<uint32_t>(alpha + 1) / 8 : 0;
    for (int y = 0; y < height; ++y) {
        uint16_t* row = reinterpret_cast<uint16_t*>(bitmap->line[y]);
        for (int x = 0; x < width; ++x)
            row[x] = row[x] == MASK_COLOR_16 ? 0 : fadePixel(row[x], weight);
    }
}
