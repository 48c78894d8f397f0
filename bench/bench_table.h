// BenchTable: the printed comparison of every measured pass.
//
// Each row is one kind of pass; every figure is shown as time per frame, as a
// share of the 16.67 ms frame budget and as a ratio to the floor (the bare frame
// tail), all measured in the same run so the ratios hold on any machine.
#pragma once

#include <string>
#include <vector>

class FrameStats;

class BenchTable {
public:
    static constexpr double BUDGET_MILLIS = 1000.0 / 60.0;

    void setFloor(double meanMillis) { floorMillis = meanMillis; }
    // target: the largest share of the budget the row's judged figure may take,
    // or a negative value for none; judgeP99 picks the 99th percentile instead
    // of the mean as the judged figure.
    void addRow(const std::string& label, const FrameStats& stats, double targetPercent, bool judgeP99);
    void print() const;
    bool allTargetsMet() const;

private:
    struct Row {
        std::string label;
        int frames;
        double mean;
        double p99;
        double max;
        double wallMean;
        double cppPerFrame;
        double cPerFrame;
        double targetPercent;
        bool judgeP99;
    };
    bool meets(const Row& row) const;

    std::vector<Row> rows;
    double floorMillis = 0;
};
