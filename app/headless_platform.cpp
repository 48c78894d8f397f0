#include "app/headless_platform.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "core/game_types.h"

BITMAP* startHeadlessPlatform() {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    _rgb_r_shift_16 = 11;
    _rgb_g_shift_16 = 5;
    _rgb_b_shift_16 = 0;
    set_color_depth(16);
    set_color_conversion(COLORCONV_24_TO_16);
    BITMAP* stand_in = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(stand_in);
    screen = stand_in;
    return stand_in;
}
