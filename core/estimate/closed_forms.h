// Distances with a formula: Jukes & Cantor (1969) and Kimura (1980), with
// their large-sample variances, and the F81 distance at given frequencies.
// They are the maximum-likelihood optima of JC69 and K80 on a pair table (and
// the least-squares ones, with the shares taken over the declared n), so they
// serve both as a fast path and as a check on the searches.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

// Shares of the table's cells: P transitions, Q transversions, p = P + Q, over
// `sites` (the cell sum unless a site count is given).
struct DifferenceShares {
    double sites = 0.0;
    double P = 0.0;
    double Q = 0.0;
    double p() const { return P + Q; }
};
DifferenceShares SharesOf(const DivergenceCounts& counts);
DifferenceShares SharesOf(const DivergenceCounts& counts, double sites);

// A distance d (substitutions per site) and its variance. When a logarithm's
// argument is <= 0 the data are saturated for the model: d is +inf and the
// variance is NaN. kappa is NaN where it does not apply (JC69, F81) or is
// not determined (no differences); +inf without transversions.
struct ClosedFormDistance {
    double d = 0.0;
    double variance = 0.0;
    double kappa = 0.0;
    bool saturated = false;
};

// d = -3/4 ln(1 - 4p/3), var = p(1 - p) / (n (1 - 4p/3)^2).
ClosedFormDistance JukesCantorDistance(double p, double n);

// d = -1/2 ln(1 - 2P - Q) - 1/4 ln(1 - 2Q), var = [a^2 P + b^2 Q - (aP + bQ)^2] / n
// with a = 1/(1 - 2P - Q), b = [a + 1/(1 - 2Q)] / 2; kappa = 2 ln(1 - 2P - Q) /
// ln(1 - 2Q) - 1 (the transition/transversion rate ratio, which may come out
// negative on data with fewer transitions than kappa = 0 predicts).
ClosedFormDistance KimuraDistance(double P, double Q, double n);

// d = -B ln(1 - p/B) with B = 1 - sum pi^2, var = B^2 p (1 - p) / ((B - p)^2 n):
// F81 with the frequencies held at pi (the least-squares estimate at the
// empirical composition).
ClosedFormDistance FelsensteinDistance(double p, const std::array<double, 4>& pi, double n);

}  // namespace dyvern
