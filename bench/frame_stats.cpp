#include "bench/frame_stats.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "bench/allocation_counter.h"

namespace {
long nowNanos() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

FrameStats::FrameStats(int expectedFrames) {
    millis.reserve(expectedFrames);
    cppPerFrame.reserve(expectedFrames);
}

void FrameStats::begin() {
    startCpp = AllocationCounter::cppAllocations();
    startC = AllocationCounter::cAllocations();
    startNanos = nowNanos();
}

void FrameStats::end() {
    long elapsed = nowNanos() - startNanos;
    long cpp = AllocationCounter::cppAllocations() - startCpp;
    long c = AllocationCounter::cAllocations() - startC;
    millis.push_back(elapsed / 1e6);
    cppPerFrame.push_back(cpp);
    cppTotal += cpp;
    cTotal += c;
}

double FrameStats::meanMillis() const {
    if (millis.empty()) return 0;
    double sum = 0;
    for (double m : millis) sum += m;
    return sum / millis.size();
}

double FrameStats::percentileMillis(double p) const {
    if (millis.empty()) return 0;
    // Sorting a copy allocates, which is fine: the series is over.
    std::vector<double> sorted(millis);
    std::sort(sorted.begin(), sorted.end());
    int rank = static_cast<int>(std::ceil(p / 100.0 * sorted.size()));
    rank = std::max(1, std::min(rank, static_cast<int>(sorted.size())));
    return sorted[rank - 1];
}

double FrameStats::maxMillis() const {
    double most = 0;
    for (double m : millis) most = std::max(most, m);
    return most;
}
