// zenvar-bench: frame cost of every kind of pass, side by side in one run.
//
// Usage: zenvar-bench [run folder] [--only=screens|play|worst]
// Prints one table row per pass with its time per frame, its share of the
// 60 Hz budget, its ratio to the bare frame tail and its heap allocations per
// frame, then the worst-case field and the simulated round it measured; exits
// 1 when a pass misses its target.
// --only runs the floor and one group of passes, for profiling under callgrind.
#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/front_end.h"
#include "app/headless_platform.h"
#include "bench/bench_table.h"
#include "bench/frame_stats.h"
#include "bench/pass_scenarios.h"
#include "bench/worst_case_field.h"
#include "core/frame_clock.h"

#ifndef ZENVAR_BENCH_RUN_DIR
#define ZENVAR_BENCH_RUN_DIR "run"
#endif

namespace {
const int FLOOR_FRAMES = 3000;
const int ROUND_FRAMES = 18000;  // five minutes at 60 frames a second
const unsigned ROUND_SEED = 20261206;
const int WORST_FRAMES = 640;    // ten passes through the backdrop's dip
const int SCREEN_FRAMES = 1000;
const double TYPICAL_TARGET = 3;
const double WORST_TARGET = 25;

struct Options {
    std::string runFolder = ZENVAR_BENCH_RUN_DIR;
    std::string only;  // empty: every pass
};

bool readOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--only=", 7) == 0) {
            options.only = argv[i] + 7;
            if (options.only != "screens" && options.only != "play" && options.only != "worst") return false;
        } else if (argv[i][0] == '-') {
            return false;
        } else {
            options.runFolder = argv[i];
        }
    }
    return true;
}

void runScreens(BenchTable& table) {
    FrameStats intro(SCREEN_FRAMES), titleFade(SCREEN_FRAMES), title(SCREEN_FRAMES), controls(SCREEN_FRAMES),
        credits(SCREEN_FRAMES), scores(SCREEN_FRAMES);
    measureIntro(intro, SCREEN_FRAMES);
    measureFrontEnd(titleFade, SCREEN_FRAMES, 1, true);
    measureFrontEnd(title, SCREEN_FRAMES, 100, false);
    measureFrontEnd(controls, SCREEN_FRAMES, CONTROLS_FIRST_PASS, false);
    measureFrontEnd(credits, SCREEN_FRAMES, CREDITS_FIRST_PASS, false);
    measureFrontEnd(scores, SCREEN_FRAMES, SCORES_FIRST_PASS, false);
    table.addRow("intro: maker's logo", intro, -1, false);
    table.addRow("title: fade-in", titleFade, -1, false);
    table.addRow("title: live, hover", title, -1, false);
    table.addRow("controls screen", controls, -1, false);
    table.addRow("credits screen", credits, -1, false);
    table.addRow("score screen", scores, -1, false);
}

void printRound(const RoundSummary& round) {
    std::printf("\nSimulated round (seed %u): %d frames, score %d, %d ships lost and replaced,\n", ROUND_SEED,
                round.framesPlayed, round.finalScore, round.shipsLost);
    std::printf("  enemies on the field: mean %.1f, most %d\n", round.meanEnemies, round.mostEnemies);
}

void runTypicalPlay(BenchTable& table, RoundSummary& round) {
    FrameStats typical(ROUND_FRAMES);
    round = measureTypicalPlay(typical, ROUND_SEED, ROUND_FRAMES);
    table.addRow("play: typical 5-minute round", typical, TYPICAL_TARGET, false);
}

void runWorstCase(BenchTable& table, FieldCount& field) {
    FrameStats worstDip(WORST_FRAMES), worstPlain(WORST_FRAMES), worstFade(WORST_FRAMES);
    field = measureWorstCase(worstDip, WORST_FRAMES, true, false);
    measureWorstCase(worstPlain, WORST_FRAMES, false, false);
    measureWorstCase(worstFade, WORST_FRAMES, true, true);
    table.addRow("play: worst case, backdrop dip", worstDip, WORST_TARGET, true);
    table.addRow("play: worst case, plain backdrop", worstPlain, -1, false);
    table.addRow("play: worst case, dip + end fade", worstFade, -1, false);
}
}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!readOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: zenvar-bench [run folder] [--only=screens|play|worst]\n");
        return 2;
    }
    if (chdir(options.runFolder.c_str()) != 0 || !startHeadlessGame()) {
        std::fprintf(stderr, "bench: the run folder %s is missing or incomplete\n", options.runFolder.c_str());
        return 2;
    }
    // presentFrame and every rest return at once: a frame costs its drawing and logic.
    frame_wait_override = [] {};

    BenchTable table;
    FrameStats floorBefore(FLOOR_FRAMES);
    measureFloor(floorBefore, FLOOR_FRAMES);
    table.addRow("floor: frame tail (first)", floorBefore, -1, false);

    bool all = options.only.empty();
    if (all || options.only == "screens") runScreens(table);
    bool playing = all || options.only == "play";
    RoundSummary round;
    if (playing) runTypicalPlay(table, round);
    bool worst = all || options.only == "worst";
    FieldCount field;
    if (worst) runWorstCase(table, field);

    // The floor is measured again at the end: the two agree when the machine
    // held steady over the run, and the ratios use their mean.
    FrameStats floorAfter(FLOOR_FRAMES);
    measureFloor(floorAfter, FLOOR_FRAMES);
    table.addRow("floor: frame tail (last)", floorAfter, -1, false);
    table.setFloor((floorBefore.meanMillis() + floorAfter.meanMillis()) / 2);
    table.print();

    if (worst) {
        std::printf("\nWorst-case field at the start of every measured frame: %d big battleships, %d of their\n"
                    "lasers and %d ship lasers in flight, %d gems showing; %d battleship lasers still in\n"
                    "flight at the end of a frame (each figure the least over all frames).\n",
                    field.battleships, field.enemyLasers, field.shipLasers, field.gems, field.enemyLasersAtEnd);
    }
    if (playing) printRound(round);
    stopHeadlessGame();
    allegro_exit();
    return table.allTargetsMet() ? 0 : 1;
}
