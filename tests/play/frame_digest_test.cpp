// Frame digests: a guard on what the play frame draws.
//
// A seeded round with scripted input is played for 600 frames (crossing the
// backdrop's dip at 500..563) with enemies spawning fast, and every frame's
// back buffer is hashed into a running digest, read every 100 frames. The
// recorded digests were taken before any work on the speed of the drawing
// code, so an optimisation that changes a single pixel of any frame fails
// here. A deliberate change to the art or to what is drawn changes them too:
// then check the new pictures by eye and record the digests the failure prints.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "play/round_fixture.h"

using namespace round_testing;

namespace {

const unsigned ROUND_SEED = 4242;
const int FRAMES = 600;
const int CHECKPOINT_FRAMES = 100;
const int FAST_SPAWN_DIVISOR = 300;  // about one spawn every four seconds
const int TRIANGLE_FRAME = 30;       // the first of the three right-clicks

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

std::vector<uint64_t> playSeededRound(BITMAP* buffer) {
    freshShip();
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
        0x75fb9796ed70c460ull, 0xeb244eccdaa42c65ull, 0xf1b83da17e34d9ebull,
        0xb4f000fa775c4018ull, 0x9f81754d08333536ull, 0xfd14117b3506f8ccull,
    };
    BITMAP* buffer = create_bitmap(640, 480);
    clear_bitmap(buffer);
    std::vector<uint64_t> digests = playSeededRound(buffer);
    destroy_bitmap(buffer);
    EXPECT_EQ(digests, recorded) << "digests of this build, every 100 frames:\n" << listed(digests);
}
