// Frame digests: a guard on what the play frame draws.
//
// A seeded round with scripted input is played for 600 frames (crossing the
// backdrop's dip at 500..563) with enemies spawning fast, and every frame's
// back buffer is hashed into a running digest, read every 100 frames. The
// recorded digests were taken before any work on the speed of the drawing
// code, so an optimisation that changes a single pixel of any frame fails here.
//
// The round is drawn with stand-in art: every bitmap of the run folder is
// replaced by a patterned picture of the same size, with see-through holes in
// the mask colour. The digests then follow the drawing code only, and new art
// for the game does not disturb them. A deliberate change to what is drawn
// (or to a sprite's size) does: check the new frames and record the digests
// the failure prints.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "play/round_fixture.h"

using namespace round_testing;
namespace fs = std::filesystem;

namespace {

const unsigned ROUND_SEED = 4242;
const int FRAMES = 600;
const int CHECKPOINT_FRAMES = 100;
const int FAST_SPAWN_DIVISOR = 300;  // about one spawn every four seconds
const int TRIANGLE_FRAME = 30;       // the first of the three right-clicks

uint32_t hashText(const std::string& text) {
    uint32_t h = 2166136261u;
    for (unsigned char c : text) h = (h ^ c) * 16777619u;
    return h;
}

// A picture of the given size whose colours depend on its path, with a
// lattice of mask-coloured holes so masked and rotated drawing show through.
void writeStandIn(const fs::path& file, const std::string& key, int w, int h) {
    uint32_t seed = hashText(key);
    BITMAP* picture = create_bitmap_ex(24, w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool hole = ((x / 3 + y / 3 + seed) % 5) == 0;
            int r = (x * 7 + seed) & 255, g = (y * 5 + (seed >> 8)) & 255, b = ((x ^ y) + (seed >> 16)) & 255;
            putpixel(picture, x, y, hole ? makecol24(255, 0, 255) : makecol24(r, g | 1, b));
        }
    }
    save_bmp(file.c_str(), picture, nullptr);
    destroy_bitmap(picture);
}

// Copies the bitmaps of the run folder's art folders as stand-ins into a new folder.
std::string makeStandInFolder() {
    char pattern[] = "/tmp/zenvar-digest-XXXXXX";
    std::string folder = mkdtemp(pattern);
    const fs::path run = fs::current_path();
    for (const char* art : {"sprites", "backgrounds", "font", "cursors", "logo"}) {
        if (!fs::is_directory(run / art)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(run / art)) {
            if (entry.path().extension() != ".bmp") continue;
            std::string relative = fs::relative(entry.path(), run).string();
            BITMAP* original = load_bitmap(entry.path().c_str(), nullptr);
            if (!original) continue;
            fs::create_directories(fs::path(folder) / fs::path(relative).parent_path());
            writeStandIn(fs::path(folder) / relative, relative, original->w, original->h);
            destroy_bitmap(original);
        }
    }
    return folder;
}

// FNV-1a over every pixel, row by row, folded into the running digest.
uint64_t foldPicture(uint64_t digest, BITMAP* picture) {
    for (int y = 0; y < picture->h; ++y) {
        const unsigned char* row = picture->line[y];
        for (int i = 0; i < picture->w * 2; ++i) {
            digest ^= row[i];
            digest *= 1099511628211ull;
        }
    }
    return digest;
}

// A player that moves in a square, sweeps the aim, fires in bursts and
// right-clicks a triangle early on, so the banner shows and the ship fires
// triple volleys; it depends on the frame number only.
void scriptedInput(int frame) {
    testing_support::releaseAllInput();
    const int directions[4] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN};
    key[directions[(frame / 40) % 4]] = 1;
    mouse_x = (frame * 7) % 640;
    mouse_y = 100 + (frame * 3) % 280;
    if ((frame / 30) % 3 != 2) mouse_b |= 1;
    const int triangle[3][2] = {{90, 180}, {40, 280}, {140, 280}};
    int click = (frame - TRIANGLE_FRAME) / 10;
    if (frame >= TRIANGLE_FRAME && click < 3 && frame % 10 < 4) {
        mouse_x = triangle[click][0];
        mouse_y = triangle[click][1];
        mouse_b |= 2;
    }
}

void resetRoundState() {
    clearRoundObjects();
    testing_support::clearFrameScript();
    running = true;
    close_requested = false;
    paused = false;
    time_up = false;
    esc_latch = p_latch = right_click_latch = false;
    fire_counter = -1;
    background_scroll = 0;
    enemy_slot_count = ENEMY_SLOT_COUNT;
}

std::vector<uint64_t> playSeededRound(BITMAP* buffer) {
    resetRoundState();
    srand(ROUND_SEED);
    startRound(Marathon);
    spawn_divisor = FAST_SPAWN_DIVISOR;

    std::vector<uint64_t> checkpoints;
    uint64_t digest = 14695981039346656037ull;
    for (int frame = 1; frame <= FRAMES; ++frame) {
        // Lost ships are replaced so the round never ends.
        while (gryffon->getLives() < 2) gryffon->addLife();
        scriptedInput(frame);
        runPlayFrame(buffer);
        digest = foldPicture(digest, buffer);
        clear_bitmap(buffer);
        if (frame % CHECKPOINT_FRAMES == 0) checkpoints.push_back(digest);
    }
    clearRoundObjects();
    testing_support::releaseAllInput();
    game_mode = FrontEnd;
    end_counter = -1;
    return checkpoints;
}

// Plays the round with every program-wide object that holds art made afresh
// from the stand-in folder, then puts the test program's own objects back.
std::vector<uint64_t> playWithStandInArt() {
    ensureGameObjects();
    std::string runFolder = fs::current_path().string();
    std::string standIns = makeStandInFolder();
    GraphicLibrary* ownLibrary = graphic_library;
    BitmapFont* ownFont = bitmap_font;
    Gryffon* ownShip = gryffon;
    BITMAP* ownBackground = game_background;

    EXPECT_EQ(chdir(standIns.c_str()), 0);
    graphic_library = new GraphicLibrary();
    bitmap_font = new BitmapFont();
    gryffon = new Gryffon(graphic_library);
    game_background = load_bitmap("backgrounds/gamebg.bmp", nullptr);

    BITMAP* buffer = create_bitmap(640, 480);
    clear_bitmap(buffer);
    std::vector<uint64_t> digests = playSeededRound(buffer);
    destroy_bitmap(buffer);

    destroy_bitmap(game_background);
    gryffon->releaseGraphics(graphic_library);
    delete gryffon;
    bitmap_font->unload();
    delete bitmap_font;
    delete graphic_library;
    graphic_library = ownLibrary;
    bitmap_font = ownFont;
    gryffon = ownShip;
    game_background = ownBackground;
    EXPECT_EQ(chdir(runFolder.c_str()), 0);
    fs::remove_all(standIns);
    return digests;
}

std::string listed(const std::vector<uint64_t>& digests) {
    std::string text;
    char number[32];
    for (uint64_t d : digests) {
        std::snprintf(number, sizeof number, "0x%016" PRIx64 "ull,\n", d);
        text += number;
    }
    return text;
}

}  // namespace

TEST(FrameDigest, SeededRoundDrawsTheRecordedPictures) {
    const std::vector<uint64_t> recorded = {
        0x76ebf664c585c462ull, 0xda218c6dcfe5d66cull, 0x7efe7fbed5d05405ull,
        0x86f23bcc062bc930ull, 0x46ef8f96b820ac4aull, 0x94277f562fcf96dcull,
    };
    std::vector<uint64_t> digests = playWithStandInArt();
    EXPECT_EQ(digests, recorded) << "digests of this build, every 100 frames:\n" << listed(digests);
}
