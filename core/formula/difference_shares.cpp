#include "formula/difference_shares.h"

namespace dyvern {

DifferenceShares SharesOf(const DivergenceCounts& counts) {
    double sum = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) sum += cell;
    return SharesOf(counts, sum);
}

DifferenceShares SharesOf(const DivergenceCounts& counts, double sites) {
    std::array<double, 4> sums{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (const int c = kDifferenceClassOfCell[i][j]; c >= 0) sums[c] += counts[i][j];
    DifferenceShares shares;
    shares.sites = sites;
    shares.purineTransitions = sums[0] / sites;
    shares.pyrimidineTransitions = sums[1] / sites;
    shares.weakStrongTransversions = sums[2] / sites;
    shares.aminoKetoTransversions = sums[3] / sites;
    return shares;
}

DifferenceShares SharesByKind(double sites, double P, double Q) {
    DifferenceShares shares;
    shares.sites = sites;
    shares.purineTransitions = P;
    shares.weakStrongTransversions = Q;
    return shares;
}

}  // namespace dyvern
