// Replay regression: a seeded round driven by a fixed input script for 6000
// frames must leave the same trail of game state every time. Any change in the
// order of rand() draws, spawning, steering, firing, hits, scoring, gems, shapes,
// the pause or the end of a round shows up as a different digest.
//
// Updating the digest: when behaviour changes on purpose, run
//   test_play --gtest_filter='ReplayRegression.*'
// from the run folder; the failure message prints the new digest and the frame
// summary. Check that summary makes sense for the change, then copy the digest
// into EXPECTED_DIGEST below and say why in the commit message.
#include <cstdint>
#include <sstream>

#include "play/enemy.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

const uint64_t EXPECTED_DIGEST = 0xe7f9243a758dbf7fULL;
const int REPLAY_FRAMES = 6000;
const unsigned REPLAY_SEED = 20261206;

class Digest {
public:
    void add(int64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash ^= static_cast<uint64_t>(value >> (8 * i)) & 0xff;
            hash *= 1099511628211ULL;
        }
    }
    uint64_t value() const { return hash; }

private:
    uint64_t hash = 1469598103934665603ULL;
};

// Positions are fed in sixteenths of a pixel so sub-pixel drift counts too.
int64_t sixteenths(double v) { return static_cast<int64_t>(v * 16.0); }

void addFrameState(Digest& digest) {
    digest.add(frame_count);
    digest.add(gryffon->getScore());
    digest.add(gryffon->getLives());
    digest.add(gryffon->getHitCounter());
    digest.add(gryffon->getX());
    digest.add(gryffon->getY());
    digest.add(gryffon->getAngle());
    digest.add(current_shape);
    digest.add(end_counter);
    digest.add(spawn_divisor);
    digest.add(spawn_side);
    digest.add(next_bonus);
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) {
        GryffonLaser* laser = gryffon->getLaser(i);
        if (!laser->isActive()) continue;
        digest.add(i);
        digest.add(sixteenths(laser->getX()));
        digest.add(sixteenths(laser->getY()));
    }
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) {
        Enemy* enemy = enemy_slots[i];
        if (!enemy) continue;
        digest.add(i);
        digest.add(enemy->getKind());
        digest.add(sixteenths(enemy->getX()));
        digest.add(sixteenths(enemy->getY()));
        digest.add(enemy->getAngle());
        digest.add(enemy->getHitPoints());
        digest.add(enemy->getExplosionCounter());
    }
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) {
        digest.add(gem_ages[i]);
        if (gem_slots[i]) digest.add(gem_slots[i]->getX() * 1000 + gem_slots[i]->getY());
    }
}

int totalReferences() {
    int total = 0;
    for (int i = 0; i < graphic_library->entryCount(); ++i) total += graphic_library->countAt(i);
    return total;
}

// The player: sweeps around the field in 90-frame legs, aims along a slow
// zigzag, fires in bursts, draws a shape now and then and pauses once.
struct Click { int frame, x, y; };
const Click CLICKS[] = {
    {300, 90, 180},   {304, 40, 280},   {308, 140, 280},                     // triangle
    {2100, 500, 180}, {2104, 600, 180}, {2108, 550, 280},                    // V
    {3800, 316, 180}, {3804, 316, 240}, {3808, 316, 300},                    // vertical line
    {5000, 260, 370}, {5004, 380, 370}, {5008, 380, 430}, {5012, 260, 430},  // rectangle
    {5600, 20, 20},   {5604, 200, 30},                                       // two stray points
};
const int PAUSE_FRAME = 2500;

void scriptInput(int frame) {
    testing_support::releaseAllInput();
    const int legs[6][2] = {{KEY_LEFT, 0}, {KEY_UP, 0}, {KEY_RIGHT, 0}, {KEY_DOWN, 0}, {KEY_A, KEY_S}, {0, 0}};
    const int* leg = legs[(frame / 90) % 6];
    if (leg[0]) key[leg[0]] = 1;
    if (leg[1]) key[leg[1]] = 1;
    mouse_x = 40 + (frame * 7) % 560;
    mouse_y = 40 + (frame * 3) % 400;
    if (frame % 40 < 30) mouse_b |= 1;
    for (const Click& click : CLICKS) {
        if (click.frame != frame) continue;
        mouse_x = click.x;
        mouse_y = click.y;
        mouse_b |= 2;
    }
    if (frame == PAUSE_FRAME) key[KEY_P] = 1;
}

TEST(ReplayRegression, ASeededRoundWithAFixedScriptLeavesTheSameTrail) {
    ensureGameObjects();
    freshShip();
    clearRoundObjects();
    testing_support::releaseAllInput();
    background_scroll = 0;
    fire_counter = -1;
    esc_latch = p_latch = right_click_latch = false;
    paused = false;
    time_up = false;
    close_requested = false;
    // No score qualifies, so the script never meets name entry.
    marathon_table = ScoreTable{{99999999, 99999999, 99999999, 99999999, 99999999}, {}};

    // The pause releases P on its 3rd wait and presses it again on its 6th.
    int pauseWaits = 0;
    testing_support::setFrameScript([&] {
        if (!paused) return;
        ++pauseWaits;
        if (pauseWaits == 3) key[KEY_P] = 0;
        if (pauseWaits == 6) key[KEY_P] = 1;
    });

    const int referencesBefore = totalReferences();
    srand(REPLAY_SEED);
    BITMAP* buffer = create_bitmap(640, 480);
    Digest digest;
    int rounds = 0, deepestDivisor = 4000, mostEnemies = 0, bestScore = 0;
    for (int frame = 0; frame < REPLAY_FRAMES; ++frame) {
        if (game_mode == FrontEnd) {
            startRound(Marathon);
            ++rounds;
        }
        scriptInput(frame);
        clear_bitmap(buffer);
        runPlayFrame(buffer);
        addFrameState(digest);
        deepestDivisor = std::min(deepestDivisor, spawn_divisor);
        mostEnemies = std::max(mostEnemies, countEnemies());
        bestScore = std::max(bestScore, gryffon->getScore());
    }
    testing_support::clearFrameScript();
    testing_support::releaseAllInput();
    destroy_bitmap(buffer);
    clearRoundObjects();
    game_mode = FrontEnd;
    end_counter = -1;

    std::ostringstream summary;
    summary << "digest 0x" << std::hex << digest.value() << std::dec << " after " << REPLAY_FRAMES
            << " frames: rounds " << rounds << ", best score " << bestScore << ", most enemies " << mostEnemies
            << ", divisor " << deepestDivisor << ", pause waits " << pauseWaits;
    EXPECT_EQ(pauseWaits, 6) << summary.str();
    // Every enemy and gem gave its bitmaps back, whichever way it left.
    EXPECT_EQ(totalReferences(), referencesBefore) << summary.str();
    EXPECT_EQ(digest.value(), EXPECTED_DIGEST) << summary.str();
}

}  // namespace
