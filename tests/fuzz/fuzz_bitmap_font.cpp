// libFuzzer target for the bitmap font: any bytes as text, at any position,
// in either colour, onto a full screen and onto a tiny bitmap. Drawing must
// never write outside the target bitmap (AddressSanitizer watches) and must
// never touch the pixels left of or above the text's corner.
#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gfx/bitmap_font.h"

#ifndef FUZZ_RUN_DIR
#define FUZZ_RUN_DIR "."
#endif

namespace {

BitmapFont* game_font = nullptr;
BITMAP* screen_sized = nullptr;
BITMAP* tiny = nullptr;

void startOnce() {
    if (game_font) return;
    // The font loads its strips from the run folder; libFuzzer still needs the
    // folder it was started in for its corpus paths, so go back afterwards.
    char started_in[4096];
    if (!getcwd(started_in, sizeof started_in) || chdir(FUZZ_RUN_DIR) != 0) std::abort();
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    set_color_conversion(COLORCONV_24_TO_16);
    try {
        game_font = new BitmapFont();
    } catch (int) {
        std::abort();  // the run folder has no font strips
    }
    if (chdir(started_in) != 0) std::abort();
    screen_sized = create_bitmap(640, 480);
    tiny = create_bitmap(17, 9);
}

int16_t readShort(const uint8_t* data) { return static_cast<int16_t>(data[0] | (data[1] << 8)); }

// Nothing may appear above or left of the text's top-left corner.
void checkUntouched(BITMAP* bitmap, int x, int y) {
    for (int py = 0; py < bitmap->h; ++py)
        for (int px = 0; px < bitmap->w; ++px)
            if ((px < x || py < y) && getpixel(bitmap, px, py) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startOnce();
    if (size < 5) return 0;
    int x = readShort(data) % 700;
    int y = readShort(data + 2) % 540;
    bool green = data[4] & 1;
    std::string text(reinterpret_cast<const char*>(data + 5), size - 5);

    for (BITMAP* target : {screen_sized, tiny}) {
        clear_bitmap(target);
        if (green)
            game_font->drawGreen(target, text, x, y);
        else
            game_font->draw(target, text, x, y);
        if (target == tiny) checkUntouched(target, x, y);
    }
    return 0;
}
