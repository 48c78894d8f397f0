#include "bench/frame_stats.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "bench/allocation_counter.h"

namespace {
long readClock(clockid_t clock) {
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec * 1000000000L + now.tv_nsec;
}
}  // namespace

FrameStats::FrameStats(int expectedFrames) {
    millis.reserve(expectedFrames);
}

void FrameStats::begin() {
    startCpp = AllocationCounter::cppAllocations();
    startC = AllocationCounter::cAllocations();
    startWallNanos = readClock(CLOCK_MONOTONIC);
    startNanos = readClock(CLOCK_THREAD_CPUTIME_ID);
}

void FrameStats::end() {
    long elapsed = readClock(CLOCK_THREAD_CPUTIME_ID) - startNanos;
    wallNanosTotal += readClock(CLOCK_MONOTONIC) - startWallNanos;
    long cpp = AllocationCounter::cppAllocations() - startCpp;
    long c = AllocationCounter::cAllocations() - startC;
    millis.push_back(elapsed / 1e6);
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

double FrameStats::wallMeanMillis() const {
    return millis.empty() ? 0 : wallNanosTotal / 1e6 / millis.size();
}

double FrameStats::maxMillis() const {
    double most = 0;
    for (double m : millis) most = std::max(most, m);
    return most;
}
