#include "formula/difference_shares.h"

namespace dyvern {

DifferenceShares SharesOf(const DivergenceCounts& counts) {
    double sum = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) sum += cell;
    return SharesOf(counts, sum);
}

DifferenceShares SharesOf(const DivergenceCounts& n, double sites) {
    DifferenceShares shares;
    shares.sites = sites;
    shares.purineTransitions = (n[A][G] + n[G][A]) / sites;
    shares.pyrimidineTransitions = (n[C][T] + n[T][C]) / sites;
    shares.weakStrongTransversions = (n[A][T] + n[T][A] + n[C][G] + n[G][C]) / sites;
    shares.aminoKetoTransversions = (n[A][C] + n[C][A] + n[G][T] + n[T][G]) / sites;
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
