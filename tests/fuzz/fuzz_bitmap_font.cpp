// libFuzzer target for the bitmap font: any bytes as text, at any position, in either colour, onto a
// full screen and onto a tiny bitmap. Drawing must never write outside the target bitmap
// (AddressSanitizer watches) nor touch the pixels left of or above the text's corner.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gfx/bitmap_font.h"

namespace {
BitmapFont* game_font = nullptr;
BITMAP* targets[2];  // screen-sized and tiny

// The font loads its strips from the run folder (missing ones throw, ending the
// run); libFuzzer still needs the folder it was started in for its corpus paths.
void startOnce() {
    char started_in[4096];
    if (!getcwd(started_in, sizeof started_in) || chdir(FUZZ_RUN_DIR) != 0) std::abort();
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    set_color_conversion(COLORCONV_24_TO_16);
    game_font = new BitmapFont();
    if (chdir(started_in) != 0) std::abort();
    targets[0] = create_bitmap(640, 480), targets[1] = create_bitmap(17, 9);
}

int readShort(const uint8_t* data) { return int16_t(data[0] | (data[1] << 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!game_font) startOnce();
    if (size < 5) return 0;
    int x = readShort(data) % 700, y = readShort(data + 2) % 540;
    std::string text(reinterpret_cast<const char*>(data + 5), size - 5);
    auto draw = data[4] & 1 ? &BitmapFont::drawGreen : &BitmapFont::draw;
    for (BITMAP* target : targets) clear_bitmap(target), (game_font->*draw)(target, text, x, y);
    for (int py = 0; py < targets[1]->h; ++py)
        for (int px = 0; px < targets[1]->w; ++px)
            if ((px < x || py < y) && getpixel(targets[1], px, py) != 0) std::abort();
    return 0;
}
