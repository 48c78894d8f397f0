#include "app/zenvar_main.h"

#include <allegro.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/desktop_display.h"
#include "core/frame_clock.h"
#include "core/game_files.h"
#include "core/platform.h"
#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "audio/sound_bank.h"
#include "gfx/bitmap_font.h"
#include "gfx/graphic_library.h"
#include "play/gryffon.h"
#include "play/hud.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"
#include "scores/score_table.h"

void (*after_start_up)() = nullptr;

namespace {

const int START_GRID_MILLISECONDS = 1500;
const int GRID_STEP = 16;

// Xwayland shows a full-screen window but gives it no keys and no pointer
// that maps to the picture, so there the game starts in a window.
bool start_in_window = false;

// What start-up has done so far, so the error handler undoes only that.
bool frame_tick_installed = false;
// Allegro's reason for refusing the graphics mode, kept for the error message.
std::string graphics_mode_reason;

void onCloseButton() { close_requested = true; }
END_OF_FUNCTION(onCloseButton)

// Only a round reads this, on its next input step; the front end runs on.
void onFocusLost() { focus_lost = true; }
END_OF_FUNCTION(onFocusLost)

void onFocusBack() { focus_lost = false; }
END_OF_FUNCTION(onFocusBack)

// Ctrl+C, a kill and a closed terminal end the game like the close button:
// the loop sees the flag and leaves through the normal shut-down.
static_assert(std::atomic<bool>::is_always_lock_free, "the quit flag is set inside a signal handler");
void onQuitSignal(int) { close_requested = true; }

// How each score file looked at start-up, to save only what this session added.
ScoreFileRecord score_records[3];

void loadScoreTables() {
    score_records[0] = loadSessionTable(marathon_table, "marathon.dat");
    score_records[1] = loadSessionTable(two_minute_table, "twominute.dat");
    score_records[2] = loadSessionTable(five_minute_table, "fiveminute.dat");
}

void saveScoreTables() {
    saveSessionTable(score_records[0], marathon_table, "marathon.dat");
    saveSessionTable(score_records[1], two_minute_table, "twominute.dat");
    saveSessionTable(score_records[2], five_minute_table, "fiveminute.dat");
}

BITMAP* loadOrThrow(const char* path) {
    BITMAP* bitmap = loadPicture(path);
    if (!bitmap) throw ERR_GRAPHIC_MISSING;
    return bitmap;
}

void startSound() {
    sound_bank = new SoundBank();
    sound_bank->load();
}

// The game goes on behind other windows; a round pauses itself. The hooks fire
// in a window only: full screen holds the keyboard, so the focus never moves.
// Setting the mode drops any hooks, so it comes first.
void watchFocus() {
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, onFocusLost);
    set_display_switch_callback(SWITCH_IN, onFocusBack);
}

// Full screen first; a desktop that refuses it still gets a window. Never draw
// without a mode: with neither, the run ends through the error handler.
void setGraphicsMode() {
    set_color_depth(16);
    set_color_conversion(COLORCONV_24_TO_16);
    set_window_title("Zenvar");
    int first_choice = start_in_window ? GFX_AUTODETECT_WINDOWED : GFX_AUTODETECT_FULLSCREEN;
    if (set_gfx_mode(first_choice, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) != 0 &&
        set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) != 0) {
        graphics_mode_reason = allegro_error[0] ? allegro_error : "refused";
        throw ERR_GRAPHICS_MODE;
    }
    set_close_button_callback(onCloseButton);
    watchFocus();
}

// All four frames are tried before a missing one is reported.
void loadCursors() {
    const char* paths[4] = {"cursors/cursor1.bmp", "cursors/cursor2.bmp", "cursors/cursor3.bmp",
                            "cursors/cursor4.bmp"};
    bool missing = false;
    for (int i = 0; i < 4; ++i) {
        cursors[i] = loadPicture(paths[i]);
        if (!cursors[i]) missing = true;
    }
    if (missing) throw ERR_GRAPHIC_MISSING;
}

void loadStars() {
    star_images[0] = loadPicture("sprites/mini-star/mini-star1.bmp");
    star_images[1] = loadPicture("sprites/mini-star/mini-star2.bmp");
    if (!star_images[0] || !star_images[1]) throw ERR_GRAPHIC_MISSING;
}

void emptyEnemySlots() {
    enemy_slot_count = ENEMY_SLOT_COUNT;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) enemy_slots[i] = nullptr;
}

void startFrameTick() {
    install_int_ex(frameTick, BPS_TO_TIMER(60));
    frame_tick_installed = true;
}

// The white grid that greets the player while the intro gets ready. Colour -1
// has every bit set: white at 16 bits per pixel.
void drawStartGrid() {
    for (int i = 0; i < SCREEN_WIDTH / GRID_STEP; ++i) {
        vline(back_buffer, GRID_STEP * i, 0, SCREEN_HEIGHT - 1, -1);
        if (i < SCREEN_HEIGHT / GRID_STEP) hline(back_buffer, 0, GRID_STEP * i, SCREEN_WIDTH - 1, -1);
    }
}

// Allegro's X11 start-up now and then fails while another X client is busy
// with the server at the same moment; a second attempt then succeeds.
const int LIBRARY_START_ATTEMPTS = 3;

// Without a display Allegro cannot start at all; say why on the terminal.
bool startLibrary() {
    int result = allegro_init();
    for (int attempt = 1; result != 0 && attempt < LIBRARY_START_ATTEMPTS; ++attempt) result = allegro_init();
    if (result != 0) {
        std::fprintf(stderr, "Zenvar needs a graphical display");
        if (allegro_error[0]) std::fprintf(stderr, ": %s", allegro_error);
        std::fprintf(stderr, "\n");
        return false;
    }
    return true;
}

// Names are spelled with the mouse and no screen takes typed text, yet the
// keyboard's X input method would read the locale's whole compose table, half
// a megabyte held for the whole run. An empty one leaves every key working.
void askForNoComposeTable() { setenv("XCOMPOSEFILE", "/dev/null", 1); }

void startUp() {
    install_timer();
    askForNoComposeTable();
    installInput();
    startSound();
    setGraphicsMode();
    srand(time(nullptr));
    graphic_library = new GraphicLibrary();
    bitmap_font = new BitmapFont();
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    loadCursors();
    game_background = loadOrThrow("backgrounds/gamebg.bmp");
    // Read when the front end first shows it, after the intro; a missing file
    // is still reported now.
    if (!pictureFileReadable(TITLE_BACKGROUND_FILE)) throw ERR_GRAPHIC_MISSING;
    game_logo = loadOrThrow("logo/zenvarlogo.bmp");
    game_logo_runs = get_rle_sprite(game_logo);
    gryffon = new Gryffon(graphic_library);
    emptyEnemySlots();
    startFrameTick();
    position_mouse(0, 0);
    publisher_logo = loadOrThrow("logo/holtrane.bmp");
    // The intro reads the developer's logo when the publisher's is gone; a
    // missing file is still reported now.
    if (!pictureFileReadable(DEVELOPER_LOGO_FILE)) throw ERR_GRAPHIC_MISSING;
    intro_frame = 0;
    loadStars();
    // The buffer is not cleared: the first intro pass draws over the grid.
    drawStartGrid();
    copyToScreen(back_buffer);
    waitMilliseconds(START_GRID_MILLISECONDS);
    if (after_start_up) after_start_up();
}

void mainLoop() {
    while (!shellShouldStop()) {
        runPass(back_buffer);
        presentFrame(back_buffer, cursors, nextPassRepaintsEverything());
    }
}

void stopTimersAndInput() {
    if (clock_running) remove_int(clockTick);
    clock_running = false;
    remove_int(frameTick);
    frame_tick_installed = false;
    removeInput();
}

void releaseSound() {
    sound_bank->unload();
    delete sound_bank;
    sound_bank = nullptr;
}

void releaseFontAndShip() {
    destroyAndForget(star_images[0]);
    destroyAndForget(star_images[1]);
    bitmap_font->unload();
    delete bitmap_font;
    bitmap_font = nullptr;
    gryffon->releaseGraphics(graphic_library);
    delete gryffon;
    gryffon = nullptr;
    delete graphic_library;
    graphic_library = nullptr;
}

void releaseScreenArt() {
    destroyAndForget(game_background);
    destroyAndForget(title_background);
    destroyAndForget(game_logo);
    if (game_logo_runs) destroy_rle_sprite(game_logo_runs);
    game_logo_runs = nullptr;
    for (BITMAP*& cursor : cursors) destroyAndForget(cursor);
    destroyAndForget(back_buffer);
    // The maker logos belong to the intro, which frees and forgets them when it
    // ends; a window closed during the intro leaves them to us.
    destroyAndForget(publisher_logo);
    destroyAndForget(developer_logo);
}

void shutDown() {
    stopTimersAndInput();
    releaseSound();
    remove_timer();
    // Every enemy and gem of a round still running goes back to the library.
    clearRoundObjects();
    releaseFontAndShip();
    releaseScreenArt();
    set_close_button_callback(nullptr);
    allegro_exit();
    releaseDesktopModeGuard();
    saveScoreTables();
}

void showErrorMessage(int code) {
    if (code == ERR_GRAPHIC_MISSING)
        allegro_message("Error %d: Graphic missing from library.", ERR_GRAPHIC_MISSING);
    else if (code == ERR_SOUND_MISSING)
        allegro_message("Error %d: Sound missing from library.", ERR_SOUND_MISSING);
    else if (code == ERR_GRAPHICS_MODE)
        allegro_message("Error %d: No 640x480 graphics mode: %s", ERR_GRAPHICS_MODE, graphics_mode_reason.c_str());
}

// Ends the run after a missing asset or a refused graphics mode. It may be
// reached at any step of start-up or mid-round, so it touches only what exists.
// The score tables are written too: names entered earlier in this run survive.
int handleError(int code) {
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    showErrorMessage(code);
    if (frame_tick_installed) remove_int(frameTick);
    frame_tick_installed = false;
    if (clock_running) remove_int(clockTick);
    clock_running = false;
    remove_timer();
    remove_mouse();
    delete graphic_library;
    graphic_library = nullptr;
    set_close_button_callback(nullptr);
    allegro_exit();
    releaseDesktopModeGuard();
    saveScoreTables();
    return 1;
}

// Big blocks (bitmaps, the loader's 24-bit pictures before conversion) go
// straight to the system and back when freed. By default the heap would adapt
// and keep them, and the freed loading space would stay resident all game.
void keepBigBlocksOffTheHeap() {
    mallopt(M_MMAP_THRESHOLD, 64 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
}

bool coversScreen(const BITMAP* picture, int width) {
    return picture && picture->w >= width && picture->h >= SCREEN_HEIGHT;
}

}  // namespace

void runPass(BITMAP* buffer) {
    if (intro_frame >= 0) {
        introStep(buffer);
    } else if (game_mode != FrontEnd) {
        putTitlePictureAway();
        runPlayFrame(buffer);
    } else {
        frontEndPass(buffer);
    }
}

// A play frame starts with the scrolling backdrop (the frame that hands over to
// the title clears the buffer itself). Every front-end screen starts with the
// title picture; while that is away, the pass that reads it gets a cleared
// buffer. Every intro pass but two starts with a whole logo: the first blends
// over the start-up grid and the last draws nothing. Name entry, with its own
// loop, draws on black and keeps the clear.
bool nextPassRepaintsEverything() {
    if (intro_frame >= 0) return intro_frame >= 1 && coversScreen(introLogoForPass(intro_frame + 1), SCREEN_WIDTH);
    if (game_mode != FrontEnd) return coversScreen(game_background, BACKGROUND_WIDTH);
    return coversScreen(title_background, SCREEN_WIDTH);
}

int runZenvar() {
    keepBigBlocksOffTheHeap();
    ignoreFileSizeSignal();
    catchQuitSignals(onQuitSignal);
    try {
        enterGameFolder();
        loadScoreTables();
        // Both ask the X server before Allegro opens it and starts its threads.
        start_in_window = displayIsXwayland();
        if (!start_in_window) guardDesktopMode();
        // Nothing has started and nothing can have changed: no files to write.
        if (!startLibrary()) {
            releaseDesktopModeGuard();
            return 1;
        }
        catchQuitSignals(onQuitSignal);
        startUp();
        mainLoop();
        shutDown();
        return 0;
    } catch (int code) {
        return handleError(code);
    }
}
