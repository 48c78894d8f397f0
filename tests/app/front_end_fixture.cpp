#include "front_end_fixture.h"

#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"
#include "support/headless.h"

int titleBackgroundColour() { return makecol16(40, 200, 40); }
int gameLogoColour() { return makecol16(255, 120, 0); }
int publisherLogoColour() { return makecol16(255, 255, 0); }
int developerLogoColour() { return makecol16(0, 255, 255); }
int starColour(int image) { return image == 0 ? makecol16(255, 0, 0) : makecol16(0, 0, 255); }

namespace {

BITMAP* solidBitmap(int width, int height, int colour) {
    BITMAP* bitmap = create_bitmap(width, height);
    clear_to_color(bitmap, colour);
    return bitmap;
}

// Built once for the whole test program and kept: the tests only read them.
struct FrontEndWorld {
    FrontEndWorld() {
        title = solidBitmap(640, 480, titleBackgroundColour());
        logo = solidBitmap(64, 32, gameLogoColour());
        vline(logo, 0, 0, 31, makecol16(255, 0, 255));  // transparent edge: drawn as a sprite
        stars[0] = solidBitmap(9, 9, starColour(0));
        stars[1] = solidBitmap(9, 9, starColour(1));
        sounds = new SoundBank();
        library = new GraphicLibrary();
        ship = new Gryffon(library);  // from the run folder's art; its looks do not matter here
    }
    BITMAP* title;
    BITMAP* logo;
    BITMAP* stars[2];
    SoundBank* sounds;
    GraphicLibrary* library;
    Gryffon* ship;
};

FrontEndWorld& world() {
    static FrontEndWorld* the_world = new FrontEndWorld();
    return *the_world;
}

}  // namespace

void FrontEndTest::SetUp() {
    FrontEndWorld& w = world();
    bitmap_font = testing_support::glyphFont();
    title_background = w.title;
    game_logo = w.logo;
    star_images[0] = w.stars[0];
    star_images[1] = w.stars[1];
    sound_bank = w.sounds;
    graphic_library = w.library;
    gryffon = w.ship;
    buffer = create_bitmap(640, 480);
    restart();
}

void FrontEndTest::restart() {
    clear_bitmap(buffer);
    testing_support::releaseAllInput();
    running = true;
    close_requested = false;
    esc_latch = false;
    click_latch = false;
    game_mode = FrontEnd;
    intro_frame = -1;
    fade_alpha = 0;
    screen_timer = 0;
}

void FrontEndTest::TearDown() {
    restart();
    intro_frame = 0;
    destroy_bitmap(buffer);
    if (publisher_logo) destroy_bitmap(publisher_logo);
    if (developer_logo) destroy_bitmap(developer_logo);
    publisher_logo = developer_logo = title_background = game_logo = star_images[0] = star_images[1] = nullptr;
    bitmap_font = nullptr;
    sound_bank = nullptr;
    graphic_library = nullptr;
    gryffon = nullptr;
}

void FrontEndTest::pass() {
    clear_bitmap(buffer);
    frontEndPass(buffer);
}

void FrontEndTest::jumpTo(int timer) { screen_timer = timer - 1; }

void FrontEndTest::skipFade() { fade_alpha = 256; }

void FrontEndTest::mouseAt(int x, int y, bool pressed) {
    mouse_x = x;
    mouse_y = y;
    mouse_b = pressed ? 1 : 0;
}

void FrontEndTest::makeLogos() {
    publisher_logo = solidBitmap(640, 480, publisherLogoColour());
    developer_logo = solidBitmap(640, 480, developerLogoColour());
}
