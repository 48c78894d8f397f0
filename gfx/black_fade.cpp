#include "gfx/black_fade.h"

#include <allegro.h>

#include <algorithm>
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

// The blender's own rounding of the alpha to 33 steps.
uint32_t blenderWeight(int alpha) { return alpha > 0 ? static_cast<uint32_t>(alpha + 1) / 8 : 0; }

void fadeRow(const uint16_t* from, uint16_t* to, int width, uint32_t weight) {
    for (int x = 0; x < width; ++x) to[x] = from[x] == MASK_COLOR_16 ? 0 : fadePixel(from[x], weight);
}
}  // namespace

void fadeTowardBlack(BITMAP* bitmap, int width, int height, int alpha) {
    uint32_t weight = blenderWeight(alpha);
    for (int y = 0; y < height; ++y) {
        uint16_t* row = reinterpret_cast<uint16_t*>(bitmap->line[y]);
        fadeRow(row, row, width, weight);
    }
}

void copyFadedTowardBlack(BITMAP* source, int source_x, int source_y, BITMAP* dest, int dest_x, int dest_y,
                          int width, int height, int alpha) {
    if (source_x < 0 || source_y < 0 || dest_x < 0 || dest_y < 0) return;
    width = std::min({width, source->w - source_x, dest->w - dest_x});
    height = std::min({height, source->h - source_y, dest->h - dest_y});
    uint32_t weight = blenderWeight(alpha);
    for (int y = 0; y < height; ++y)
        fadeRow(reinterpret_cast<const uint16_t*>(source->line[source_y + y]) + source_x,
                reinterpret_cast<uint16_t*>(dest->line[dest_y + y]) + dest_x, width, weight);
}
