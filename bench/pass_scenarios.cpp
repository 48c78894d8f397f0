#include "bench/pass_scenarios.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/frame_clock.h"
#include "app/front_end.h"
#include "app/zenvar_main.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "bench/frame_stats.h"
#include "bench/scripted_player.h"
#include "bench/worst_case_field.h"
#include "play/gem_step.h"
#include "play/gryffon.h"
#include "play/gryffon_laser.h"
#include "play/round_loop.h"
#include "play/round_objects.h"
#include "play/round_state.h"

namespace {
const int WARM_UP_FRAMES = 120;
}

void measureFloor(FrameStats& stats, int frames) {
    mouse_x = 320;
    mouse_y = 240;
    for (int i = 0; i < WARM_UP_FRAMES; ++i) presentFrame(back_buffer, cursors);
    for (int i = 0; i < frames; ++i) {
        stats.begin();
        presentFrame(back_buffer, cursors);
        stats.end();
    }
}

namespace {
void playPass() {
    runPlayFrame(back_buffer);
    presentFrame(back_buffer, cursors, nextPassRepaintsEverything());
}

// The same start for every simulated round, whatever ran before it.
void startSeededRound(unsigned seed) {
    srand(seed);
    background_scroll = 0;
    fire_counter = -1;
    p_latch = false;
    right_click_latch = false;
    esc_latch = false;
    cursor_frame = 0;
    ScriptedPlayer::releaseAll();
    startRound(Marathon);
}

void endSimulatedRound() {
    clearRoundObjects();
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    game_mode = FrontEnd;
    end_counter = -1;
    ScriptedPlayer::releaseAll();
}

// Replaces a lost ship before the next frame; returns how many it replaced.
int keepShipsInReserve() {
    int added = 0;
    while (gryffon->getLives() < 2) {
        gryffon->addLife();
        added += 1;
    }
    return added;
}

int enemiesOnField() {
    int count = 0;
    for (int i = 0; i < ENEMY_SLOT_COUNT; ++i) count += enemy_slots[i] != nullptr;
    return count;
}
}  // namespace

RoundSummary measureTypicalPlay(FrameStats& stats, unsigned seed, int frames) {
    RoundSummary summary;
    ScriptedPlayer player(seed);
    startSeededRound(seed);
    long enemyFrames = 0;
    for (int frame = 1; frame <= frames && game_mode != FrontEnd; ++frame) {
        summary.shipsLost += keepShipsInReserve();
        player.apply(frame);
        stats.begin();
        playPass();
        stats.end();
        int enemies = enemiesOnField();
        enemyFrames += enemies;
        if (enemies > summary.mostEnemies) summary.mostEnemies = enemies;
        summary.framesPlayed = frame;
    }
    summary.finalScore = gryffon->getScore();
    summary.meanEnemies = summary.framesPlayed ? double(enemyFrames) / summary.framesPlayed : 0;
    endSimulatedRound();
    return summary;
}

FieldCount measureWorstCase(FrameStats& stats, int frames, bool dip, bool fade) {
    WorstCaseField field;
    field.build();
    for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
        field.refill(frame, dip, fade);
        playPass();
    }
    FieldCount least;
    for (int frame = 0; frame < frames; ++frame) {
        field.refill(frame, dip, fade);
        FieldCount now = WorstCaseField::count();
        if (frame == 0) least = now;
        least.battleships = std::min(least.battleships, now.battleships);
        least.enemyLasers = std::min(least.enemyLasers, now.enemyLasers);
        least.shipLasers = std::min(least.shipLasers, now.shipLasers);
        least.gems = std::min(least.gems, now.gems);
        stats.begin();
        playPass();
        stats.end();
        // Lasers that flew off the field were retired before being drawn.
        least.enemyLasersAtEnd = std::min(frame == 0 ? 1 << 30 : least.enemyLasersAtEnd,
                                          WorstCaseField::count().enemyLasers);
    }
    field.tearDown();
    return least;
}

void measureFrontEnd(FrameStats& stats, int frames, int firstTimer, bool fadeIn) {
    const int FADE_PASSES = 31;  // fade_alpha 0..240 before the pass: every pass still fades
    const int SPAN = 100;        // each timer repeats every 100 passes, inside one screen
    mouse_x = 230;
    mouse_y = 245;
    mouse_b = 0;
    for (int frame = -WARM_UP_FRAMES; frame < frames; ++frame) {
        int step = frame < 0 ? frame + WARM_UP_FRAMES : frame;
        screen_timer = firstTimer - 1 + step % SPAN;
        fade_alpha = fadeIn ? (step % FADE_PASSES) * 8 : 256;
        if (frame >= 0) stats.begin();
        frontEndPass(back_buffer);
        presentFrame(back_buffer, cursors, nextPassRepaintsEverything());
        if (frame >= 0) stats.end();
    }
    screen_timer = 0;
}

void measureIntro(FrameStats& stats, int frames) {
    const int FULLY_SHOWN_PASS = 60;  // inside the publisher logo's steady span
    for (int frame = -WARM_UP_FRAMES; frame < frames; ++frame) {
        intro_frame = FULLY_SHOWN_PASS - 1;
        if (frame >= 0) stats.begin();
        introStep(back_buffer);
        presentFrame(back_buffer, cursors, nextPassRepaintsEverything());
        if (frame >= 0) stats.end();
    }
    intro_frame = -1;
    fade_alpha = 0;
}

