// zenvar-bench: frame cost of every kind of pass, side by side in one run.
//
// Usage: zenvar-bench [run folder]   (default: the build's run folder)
// Prints one table row per pass with its time per frame, its share of the
// 60 Hz budget, its ratio to the bare frame tail and its heap allocations per
// frame; exits 1 when a pass misses its target.
#include <cstdio>
#include <string>

#include "bench/bench_table.h"
#include "bench/frame_stats.h"
#include "bench/headless_game.h"
#include "bench/pass_scenarios.h"

#ifndef ZENVAR_BENCH_RUN_DIR
#define ZENVAR_BENCH_RUN_DIR "run"
#endif

namespace {
const int FLOOR_FRAMES = 3000;
}

int main(int argc, char** argv) {
    std::string runFolder = argc > 1 ? argv[1] : ZENVAR_BENCH_RUN_DIR;
    HeadlessGame game;
    if (!game.start(runFolder)) return 2;

    BenchTable table;
    FrameStats floorBefore(FLOOR_FRAMES);
    measureFloor(floorBefore, FLOOR_FRAMES);

    // The floor is measured again at the end: the two agree when the machine
    // held steady over the run, and the ratios use their mean.
    FrameStats floorAfter(FLOOR_FRAMES);
    measureFloor(floorAfter, FLOOR_FRAMES);
    table.setFloor((floorBefore.meanMillis() + floorAfter.meanMillis()) / 2);
    table.addRow("floor: frame tail (first)", floorBefore, -1, false);
    table.addRow("floor: frame tail (last)", floorAfter, -1, false);
    table.print();

    reportFontAllocations();
    game.stop();
    return table.allTargetsMet() ? 0 : 1;
}
