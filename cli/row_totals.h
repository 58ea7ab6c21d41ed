// What dist counts while it writes its rows: the pairs by status, those
// left out of a list and why, and the distances by bin (distance_histogram.h).
// Totals of rows computed anywhere add up, and pass between processes as one
// array of counts.
#pragma once

#include <array>
#include <vector>

#include "distance_histogram.h"
#include "model/fit_status.h"

namespace dyvern::cli {

struct RowTotals {
    long long unfitted = 0;   // pairs without a site in common
    long long saturated = 0;  // pairs without a finite d
    long long leftOut = 0;    // pairs left out of a list: above --max-d or without a distance
    long long aboveMaxD = 0;  // of those, the pairs with a finite d above --max-d
    long long written = 0;    // pairs written to a list
    std::array<long long, kFitStatusCount> statuses{};  // every pair, by status
    std::array<long long, kHistogramBins> histogram{};  // pairs with a finite d, by bin

    void Add(const RowTotals& more);
    // Counts a pair's status and, when `binned`, its distance's bin.
    void Count(FitStatus status, double d, bool binned = true) {
        ++statuses[static_cast<int>(status)];
        if (binned) Bin(d);
    }
    void Bin(double d);  // counts d's bin, if it has one
    long long Pairs() const;  // pairs counted
    long long Of(FitStatus status) const { return statuses[static_cast<int>(status)]; }

    // Every count, in one order, and the totals made back from them.
    std::vector<long long> Counts() const;
    static RowTotals FromCounts(const long long* counts);
    static constexpr int kCountCount = 5 + kFitStatusCount + kHistogramBins;
};

}  // namespace dyvern::cli
