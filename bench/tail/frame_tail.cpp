// zenvar-frame-tail: the bare frame tail, as a yardstick for the whole game.
//
// Full screen 640x480 at 16 bits, a 60 Hz tick, and per frame only what every
// pass of the game ends with: vsync, a blit of a 640x480 buffer to the screen,
// a clear, and the wait for the tick polled with rest(0). The process CPU this
// costs on a display is the floor the game's own cost is divided by. Runs until
// it is killed, or for the number of seconds given.
#include <allegro.h>

#include <cstdlib>

namespace {
volatile int ticked = 0;
void tick() { ticked = 1; }
END_OF_FUNCTION(tick)
}  // namespace

int main(int argc, char** argv) {
    long frames_left = argc > 1 ? std::atol(argv[1]) * 60 : -1;
    if (allegro_init() != 0) return 1;
    install_timer();
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT_FULLSCREEN, 640, 480, 0, 0) != 0 &&
        set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
        return 1;
    BITMAP* buffer = create_bitmap(640, 480);
    install_int_ex(tick, BPS_TO_TIMER(60));
    for (; frames_left != 0; --frames_left) {
        ticked = 0;
        vsync();
        blit(buffer, screen, 0, 0, 0, 0, 640, 480);
        clear_bitmap(buffer);
        while (!ticked) rest(0);
    }
    destroy_bitmap(buffer);
    return 0;
}
END_OF_MAIN()
