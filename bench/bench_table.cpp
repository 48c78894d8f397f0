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
    std::printf("\n%-34s %7s %9s %9s %9s %7s %7s %8s %7s %8s  %s\n", "pass", "frames", "mean ms", "p99 ms",
                "max ms", "%budget", "p99 %b", "x floor", "new/fr", "malloc/fr", "target");
    for (const Row& row : rows) {
        double share = row.mean / BUDGET_MILLIS * 100;
        double shareP99 = row.p99 / BUDGET_MILLIS * 100;
        double ratio = floorMillis > 0 ? row.mean / floorMillis : 0;
        char target[48] = "-";
        if (row.targetPercent >= 0) {
            std::snprintf(target, sizeof target, "%s <= %.0f%% %s", row.judgeP99 ? "p99" : "mean", row.targetPercent,
                          meets(row) ? "met" : "MISSED");
        }
        std::printf("%-34s %7d %9.4f %9.4f %9.4f %6.2f%% %6.2f%% %8.2f %7.2f %8.2f  %s\n", row.label.c_str(),
                    row.frames, row.mean, row.p99, row.max, share, shareP99, ratio, row.cppPerFrame, row.cPerFrame,
                    target);
    }
    std::printf("(every pass includes the frame tail: cursor, blit of the 640x480 buffer to the screen, clear)\n");
}
