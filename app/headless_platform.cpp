#include "app/headless_platform.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "audio/sound_bank.h"
#include "core/game_files.h"
#include "core/game_types.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"

namespace {
BITMAP* stand_in = nullptr;

const struct { BITMAP** art; const char* file; } SCREEN_ART[] = {
    {&game_background, "backgrounds/gamebg.bmp"}, {&title_background, "backgrounds/titlebg.bmp"},
    {&game_logo, "logo/zenvarlogo.bmp"}, {&publisher_logo, "logo/holtrane.bmp"}, {&developer_logo, "logo/ostwick.bmp"},
    {&star_images[0], "sprites/mini-star/mini-star1.bmp"}, {&star_images[1], "sprites/mini-star/mini-star2.bmp"},
    {&cursors[0], "cursors/cursor1.bmp"}, {&cursors[1], "cursors/cursor2.bmp"}, {&cursors[2], "cursors/cursor3.bmp"},
    {&cursors[3], "cursors/cursor4.bmp"}};
}  // namespace

BITMAP* startHeadlessPlatform() {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    _rgb_r_shift_16 = 11;
    _rgb_g_shift_16 = 5;
    _rgb_b_shift_16 = 0;
    set_color_depth(16);
    set_color_conversion(COLORCONV_24_TO_16);
    BITMAP* bitmap = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(bitmap);
    screen = bitmap;
    return bitmap;
}

bool startHeadlessGame() {
    stand_in = startHeadlessPlatform();
    // Without a sound driver the bank stays disabled and reads no file.
    sound_bank = new SoundBank();
    sound_bank->load();
    graphic_library = new GraphicLibrary();
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(back_buffer);
    for (const auto& art : SCREEN_ART)
        if (!(*art.art = load_bitmap(art.file, nullptr)))
            return std::fprintf(stderr, "Zenvar: cannot load %s\n", art.file), false;
    try {
        bitmap_font = new BitmapFont();
        gryffon = new Gryffon(graphic_library);
    } catch (int code) {
        return std::fprintf(stderr, "Zenvar: the font or the ship is missing (error %d)\n", code), false;
    }
    return true;
}

int stopHeadlessGame() {
    if (gryffon) gryffon->releaseGraphics(graphic_library);
    delete gryffon;
    gryffon = nullptr;
    if (bitmap_font) bitmap_font->unload();
    delete bitmap_font;
    bitmap_font = nullptr;
    int left_over = graphic_library->entryCount();
    delete graphic_library;
    graphic_library = nullptr;
    sound_bank->unload();
    delete sound_bank;
    sound_bank = nullptr;
    for (const auto& art : SCREEN_ART) destroyAndForget(*art.art);
    destroyAndForget(back_buffer);
    destroyAndForget(stand_in);
    screen = nullptr;
    return left_over;
}
