#include "bench/bench_table.h"

#include <cstdio>

#include "bench/frame_stats.h"

void BenchTable::addRow(const std::string& label, const FrameStats& stats, double targetPercent, bool judgeP99) {
    Row row;
    row.label = label;
    row.frames = stats.frames();
    row.mean = stats.meanMillis();
    row.p99 = stats.percentileMillis(99);
    row.max = stats.maxMillis();
    row.wallMean = stats.wallMeanMillis();
    double frames = stats.frames() > 0 ? stats.frames() : 1;
    row.cppPerFrame = stats.cppAllocations() / frames;
    row.cPerFrame = stats.cAllocations() / frames;
    row.targetPercent = targetPercent;
    row.judgeP99 = judgeP99;
    rows.push_back(row);
}

bool BenchTable::meets(const Row& row) const {
    if (row.targetPercent < 0) return true;
    double judged = row.judgeP99 ? row.p99 : row.mean;
    return judged / BUDGET_MILLIS * 100 <= row.targetPercent;
}

bool BenchTable::allTargetsMet() const {
    for (const Row& row : rows) {
        if (!meets(row)) return false;
    }
    return true;
}

void BenchTable::print() const {
    std::printf("\n%-34s %6s %8s %8s %8s %8s %7s %7s %8s %6s %9s  %s\n", "pass", "frames", "mean ms", "p99 ms",
                "max ms", "wall ms", "%budget", "p99 %b", "x floor", "new/fr", "malloc/fr", "target");
    for (const Row& row : rows) {
        double share = row.mean / BUDGET_MILLIS * 100;
        double shareP99 = row.p99 / BUDGET_MILLIS * 100;
        double ratio = floorMillis > 0 ? row.mean / floorMillis : 0;
        char target[48] = "-";
        if (row.targetPercent >= 0) {
            std::snprintf(target, sizeof target, "%s <= %.0f%% %s", row.judgeP99 ? "p99" : "mean", row.targetPercent,
                          meets(row) ? "met" : "MISSED");
        }
        std::printf("%-34s %6d %8.4f %8.4f %8.4f %8.4f %6.2f%% %6.2f%% %8.2f %6.2f %9.2f  %s\n",
                    row.label.c_str(), row.frames, row.mean, row.p99, row.max, row.wallMean, share, shareP99, ratio,
                    row.cppPerFrame, row.cPerFrame, target);
    }
    std::printf("Times are CPU time of the game's thread per frame (wall ms: the wall-clock mean, which also\n"
                "counts waits for a core). Every pass includes the frame tail: cursor, blit of the 640x480\n"
                "buffer to the screen, clear. new/fr: C++ allocations; malloc/fr: C heap (Allegro bitmaps).\n");
}
