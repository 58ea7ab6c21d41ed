#include "estimate/closed_forms.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ClosedFormDistance Saturated(double kappa) { return {kInfinity, kNaN, kappa, true}; }

}  // namespace

DifferenceShares SharesOf(const DivergenceCounts& counts) {
    double sum = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) sum += cell;
    return SharesOf(counts, sum);
}

DifferenceShares SharesOf(const DivergenceCounts& counts, double sites) {
    DifferenceShares shares;
    shares.sites = sites;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            if (kind == PairKind::Transition) shares.P += counts[i][j];
            if (kind == PairKind::Transversion) shares.Q += counts[i][j];
        }
    }
    shares.P /= sites;
    shares.Q /= sites;
    return shares;
}

ClosedFormDistance JukesCantorDistance(double p, double n) {
    const double w = 1.0 - 4.0 * p / 3.0;
    if (!(w > 0.0)) return Saturated(kNaN);
    return {-0.75 * std::log(w), p * (1.0 - p) / (n * w * w), kNaN, false};
}

ClosedFormDistance KimuraDistance(double P, double Q, double n) {
    const double w1 = 1.0 - 2.0 * P - Q;
    const double w2 = 1.0 - 2.0 * Q;
    // Without transversions ln w2 is 0 and kappa unbounded; with no
    // differences at all it is not determined.
    const double kappa =
        Q > 0.0 ? 2.0 * std::log(w1) / std::log(w2) - 1.0 : (P > 0.0 ? kInfinity : kNaN);
    if (!(w1 > 0.0) || !(w2 > 0.0)) return Saturated(Q > 0.0 ? kNaN : kInfinity);
    const double a = 1.0 / w1;
    const double b = 0.5 * (a + 1.0 / w2);
    const double mean = a * P + b * Q;
    const double variance = (a * a * P + b * b * Q - mean * mean) / n;
    return {-0.5 * std::log(w1) - 0.25 * std::log(w2), variance, kappa, false};
}

ClosedFormDistance FelsensteinDistance(double p, const std::array<double, 4>& pi, double n) {
    double B = 1.0;
    for (const double f : pi) B -= f * f;
    const double w = 1.0 - p / B;
    if (!(w > 0.0)) return Saturated(kNaN);
    return {-B * std::log(w), B * B * p * (1.0 - p) / ((B - p) * (B - p) * n), kNaN, false};
}

}  // namespace dyvern
