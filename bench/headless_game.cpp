#include "bench/headless_game.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdio>

#include "core/frame_clock.h"
#include "app/headless_platform.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"

namespace {
void noWait() {}

BITMAP* loadArt(const char* path, bool& complete) {
    BITMAP* art = load_bitmap(path, nullptr);
    if (!art) {
        std::fprintf(stderr, "bench: cannot load %s\n", path);
        complete = false;
    }
    return art;
}
}  // namespace

bool HeadlessGame::start(const std::string& runFolder) {
    if (chdir(runFolder.c_str()) != 0) {
        std::fprintf(stderr, "bench: cannot enter the run folder %s\n", runFolder.c_str());
        return false;
    }
    stageScreen = startHeadlessPlatform();
    frame_wait_override = noWait;

    // Without a sound driver the bank stays disabled: effects cost nothing here.
    sound_bank = new SoundBank();
    sound_bank->load();
    graphic_library = new GraphicLibrary();
    try {
        bitmap_font = new BitmapFont();
    } catch (int code) {
        std::fprintf(stderr, "bench: font missing (error %d)\n", code);
        return false;
    }
    back_buffer = create_bitmap(640, 480);
    clear_bitmap(back_buffer);
    return loadScreenArt();
}

bool HeadlessGame::loadScreenArt() {
    bool complete = true;
    const char* cursor_paths[4] = {"cursors/cursor1.bmp", "cursors/cursor2.bmp", "cursors/cursor3.bmp",
                                   "cursors/cursor4.bmp"};
    for (int i = 0; i < 4; ++i) cursors[i] = loadArt(cursor_paths[i], complete);
    game_background = loadArt("backgrounds/gamebg.bmp", complete);
    title_background = loadArt("backgrounds/titlebg.bmp", complete);
    game_logo = loadArt("logo/zenvarlogo.bmp", complete);
    publisher_logo = loadArt("logo/holtrane.bmp", complete);
    developer_logo = loadArt("logo/ostwick.bmp", complete);
    star_images[0] = loadArt("sprites/mini-star/mini-star1.bmp", complete);
    star_images[1] = loadArt("sprites/mini-star/mini-star2.bmp", complete);
    if (!complete) return false;
    try {
        gryffon = new Gryffon(graphic_library);
    } catch (int code) {
        std::fprintf(stderr, "bench: ship sprites missing (error %d)\n", code);
        return false;
    }
    return true;
}

void HeadlessGame::stop() {
    if (gryffon) {
        gryffon->releaseGraphics(graphic_library);
        delete gryffon;
        gryffon = nullptr;
    }
    BITMAP** owned[] = {&star_images[0], &star_images[1], &game_background, &title_background, &game_logo,
                        &publisher_logo, &developer_logo, &cursors[0],     &cursors[1],     &cursors[2],      &cursors[3],       &back_buffer};
    for (BITMAP** art : owned) {
        if (*art) destroy_bitmap(*art);
        *art = nullptr;
    }
    if (bitmap_font) {
        bitmap_font->unload();
        delete bitmap_font;
        bitmap_font = nullptr;
    }
    delete graphic_library;
    graphic_library = nullptr;
    if (sound_bank) {
        sound_bank->unload();
        delete sound_bank;
        sound_bank = nullptr;
    }
    screen = nullptr;
    destroy_bitmap(stageScreen);
    stageScreen = nullptr;
    allegro_exit();
}
