// A seeded scripted round must leave the same pixels over its first 600 frames and
// the same game state over 4000. Patterned stand-ins replace every bitmap, so the
// digests follow the code, not the art; after a deliberate change, record the values printed.
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "round_fixture.h"
#include "support/scratch_folder.h"

namespace {
using namespace round_testing;
namespace fs = std::filesystem;

const uint64_t STATE_DIGEST = 0x973c5104ee173d86ull;
const std::vector<uint64_t> PIXEL_DIGESTS = {0x76ebf664c585c462ull, 0xda218c6dcfe5d66cull, 0x7efe7fbed5d05405ull,
                                             0x86f23bcc062bc930ull, 0x46ef8f96b820ac4aull, 0x94277f562fcf96dcull};
const int PIXEL_FRAMES = 600, STATE_FRAMES = 4000;

// FNV-1a, fed byte by byte.
struct Digest {
    uint64_t value = 14695981039346656037ull;
    void add(const unsigned char* bytes, size_t n) {
        for (size_t i = 0; i < n; ++i) value = (value ^ bytes[i]) * 1099511628211ull;
    }
    void add(int64_t v) { add(reinterpret_cast<const unsigned char*>(&v), sizeof v); }
    void add(BITMAP* picture) {
        for (int y = 0; y < picture->h; ++y) add(picture->line[y], picture->w * 2);
    }
};

// Positions count in sixteenths of a pixel so sub-pixel drift shows too.
void addState(Digest& d) {
    for (int64_t v : {frame_count, gryffon->getScore(), gryffon->getLives(), gryffon->getHitCounter(), gryffon->getX(),
                      gryffon->getY(), static_cast<int>(gryffon->getAngle()), current_shape, end_counter,
                      spawn_divisor, spawn_side, next_bonus})
        d.add(v);
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) {
        GryffonLaser* laser = gryffon->getLaser(i);
        if (laser->isActive()) d.add(i * 1000000 + int(laser->getX() * 16) * 1000 + int(laser->getY() * 16));
    }
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        if (Enemy* e = enemy_slots[i])
            for (int64_t v : {int64_t(i), int64_t(e->getKind()), int64_t(e->getX() * 16), int64_t(e->getY() * 16),
                              int64_t(e->getAngle()), int64_t(e->getHitPoints()), int64_t(e->getExplosionCounter())})
                d.add(v);
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i)
        d.add(gem_slots[i] ? gem_slots[i]->getX() * 1000 + gem_slots[i]->getY() : gem_ages[i]);
}

// Copies every bitmap of the art folders as a stand-in into the folder.
void makeStandIns(const fs::path& folder) {
    for (const char* art : {"sprites", "backgrounds", "font", "cursors", "logo"}) {
        if (!fs::is_directory(art)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(art)) {
            BITMAP* original = entry.path().extension() == ".bmp" ? load_bitmap(entry.path().c_str(), nullptr) : nullptr;
            if (!original) continue;
            uint32_t seed = 2166136261u;  // FNV-1a of the path: each picture its own colours
            for (unsigned char c : entry.path().string()) seed = (seed ^ c) * 16777619u;
            BITMAP* picture = create_bitmap_ex(24, original->w, original->h);
            for (int y = 0; y < picture->h; ++y)
                for (int x = 0; x < picture->w; ++x)
                    putpixel(picture, x, y, (x / 3 + y / 3 + seed) % 5 == 0 ? makecol24(255, 0, 255)
                             : makecol24((x * 7 + seed) & 255, ((y * 5 + (seed >> 8)) & 255) | 1, ((x ^ y) + (seed >> 16)) & 255));
            fs::create_directories(folder / entry.path().parent_path());
            save_bmp((folder / entry.path()).c_str(), picture, nullptr);
            destroy_bitmap(picture);
            destroy_bitmap(original);
        }
    }
}

// Moves in a square, sweeps the aim, fires in bursts and right-clicks a
// triangle early on (the banner shows, volleys are triple); pauses once.
void scriptedInput(int frame) {
    testing_support::releaseAllInput();
    const int directions[4] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN};
    key[directions[(frame / 40) % 4]] = 1;
    mouse_x = (frame * 7) % 640;
    mouse_y = 100 + (frame * 3) % 280;
    if ((frame / 30) % 3 != 2) mouse_b |= 1;
    const int triangle[3][2] = {{90, 180}, {40, 280}, {140, 280}};
    int click = (frame - 30) / 10;
    if (frame >= 30 && click < 3 && frame % 10 < 4)
        mouse_x = triangle[click][0], mouse_y = triangle[click][1], mouse_b |= 2;
    if (frame == 2500) key[KEY_P] = 1;
}

std::string listed(const std::vector<uint64_t>& digests) {
    std::ostringstream text;
    for (uint64_t d : digests) text << "0x" << std::hex << std::setw(16) << std::setfill('0') << d << "ull, ";
    return text.str();
}

// The program-wide objects that hold art, to be made afresh where the run is.
void dropArtObjects() {
    if (game_background) destroy_bitmap(game_background);
    if (gryffon) gryffon->releaseGraphics(graphic_library);
    if (bitmap_font) bitmap_font->unload();
    delete gryffon;
    delete bitmap_font;
    delete graphic_library;
    game_background = nullptr, gryffon = nullptr, bitmap_font = nullptr, graphic_library = nullptr;
}

using ReplayDigest = RoundTest;

TEST_F(ReplayDigest, ASeededScriptedRoundDrawsAndLeavesTheRecordedTrail) {
    testing_support::ScratchFolder standIns;
    makeStandIns(standIns.path);
    standIns.enter();
    dropArtObjects();
    ensureGameObjects();
    const int shipEntries = graphic_library->entryCount();

    background_scroll = 0;
    enemy_slot_count = ENEMY_SLOT_COUNT;
    marathon_table = ScoreTable{{99999999, 99999999, 99999999, 99999999, 99999999}, {}};  // no name entry
    int pauseWaits = 0;
    testing_support::setFrameScript([&] {
        if (paused && ++pauseWaits % 3 == 0) key[KEY_P] = pauseWaits == 6;
    });
    srand(4242);
    startRound(Marathon);
    spawn_divisor = 300;  // about one spawn every four seconds

    Digest pixels, state;
    std::vector<uint64_t> checkpoints;
    int rounds = 1;
    for (int frame = 1; frame <= STATE_FRAMES; ++frame) {
        if (game_mode == FrontEnd) startRound(Marathon), ++rounds;
        // Lost ships are replaced while the pixels are watched, so the round goes on.
        while (frame <= PIXEL_FRAMES && gryffon->getLives() < 2) gryffon->addLife();
        scriptedInput(frame);
        runPlayFrame(buffer);
        addState(state);
        if (frame <= PIXEL_FRAMES) pixels.add(buffer);
        clear_bitmap(buffer);
        if (frame <= PIXEL_FRAMES && frame % 100 == 0) checkpoints.push_back(pixels.value);
    }
    clearRoundObjects();
    EXPECT_EQ(checkpoints, PIXEL_DIGESTS) << "pixel digests of this build: " << listed(checkpoints);
    EXPECT_EQ(state.value, STATE_DIGEST) << "state digest of this build: " << listed({state.value}) << rounds << " rounds, score "
                                         << gryffon->getScore();
    // Every enemy and gem gave its bitmaps back, whichever way it left.
    EXPECT_EQ(graphic_library->entryCount(), shipEntries);

    dropArtObjects();
}

}  // namespace
