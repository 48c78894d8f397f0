// FrameStats: the times and allocation counts of a series of measured frames.
//
// A frame's time is the CPU time of the thread that ran it: the benchmark has
// no other thread, and on a shared machine this leaves out the time the
// process sat waiting for a core, which wall-clock time would count as the
// game's. The wall-clock mean is kept beside it for comparison.
// Room for every frame is reserved before the series starts, so recording a
// frame never allocates and the allocation counts stay those of the game.
#pragma once

#include <vector>

class FrameStats {
public:
    explicit FrameStats(int expectedFrames);

    // Bracket one frame: begin() notes the clock and the allocation counters,
    // end() stores the differences.
    void begin();
    void end();

    int frames() const { return static_cast<int>(millis.size()); }
    double meanMillis() const;
    double percentileMillis(double p) const;  // p in 0..100, nearest rank
    double maxMillis() const;
    double wallMeanMillis() const;
    long cppAllocations() const { return cppTotal; }
    long cAllocations() const { return cTotal; }

private:
    std::vector<double> millis;
    long startNanos = 0;
    long startWallNanos = 0;
    long wallNanosTotal = 0;
    long startCpp = 0;
    long startC = 0;
    long cppTotal = 0;
    long cTotal = 0;
};
