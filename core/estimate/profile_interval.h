// The profile likelihood of d and the interval it gives: the d values where
// 2 (lnL max - profile lnL(d)) equals a chi-square point with 1 df (3.8414588
// for 95%), the profile re-optimising the other free parameters at each d.
#pragma once

#include "minimize/box_newton.h"
#include "model/criteria.h"

namespace dyvern {

inline constexpr double kChiSquare95OneDf = 3.841458820694124;

class DistanceProfile {
public:
    // `near` seeds the first search; each later one starts where the last ended.
    DistanceProfile(const PairData& data, ModelKind model, const Rates<double>& near);

    // Max of lnL over the other free parameters with d held.
    double LogLikelihoodAt(double d);
    // The profile's slope at the d last asked for: the partial derivative of
    // lnL in d at the optimum of the rest (which moves, but at an optimum
    // that does not change the first derivative).
    double Slope() const { return slope; }
    // The d of about one change in the table: where scans start from 0.
    double OneChange() const;

private:
    const PairData& data;
    ModelKind model;
    Point last;
    double slope = 0.0;
};

struct DistanceInterval {
    double low;
    double high;  // +inf when the profile never falls far enough
};

// The interval around dHat (0 or +inf on the edges), whose maximum is
// lnLMax, with lnLInfinite the best likelihood as d grows without bound.
// seD, when finite, places the first brackets near the ends (the profile is
// close to a parabola of that width), which saves most of the searches.
// NaN ends where a crossing cannot be bracketed.
DistanceInterval ProfileInterval(DistanceProfile& profile, double dHat, double seD,
                                 double lnLMax, double lnLInfinite,
                                 double level = kChiSquare95OneDf);

}  // namespace dyvern
