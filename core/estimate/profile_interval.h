// The profile likelihood of d and the interval it gives: the d values where
// 2 (lnL max - profile lnL(d)) equals a chi-square point with 1 df (3.8414588
// for 95%), the profile re-optimising the other free parameters at each d.
#pragma once

#include <cmath>

#include "estimate/search_coordinates.h"
#include "minimize/box_newton.h"
#include "model/criteria.h"

namespace dyvern {

inline constexpr double kChiSquare95OneDf = 3.841458820694124;

// The profile of d: what the interval asks of it.
class DistanceProfile {
public:
    // Max of lnL over the other free parameters with d held.
    virtual double LogLikelihoodAt(double d) = 0;
    // The profile's slope at the d last asked for: the partial derivative of
    // lnL in d at the optimum of the rest (which moves, but at an optimum
    // that does not change the first derivative).
    virtual double Slope() const = 0;
    // The d of about one change in the table: where scans start from 0.
    double OneChange() const;

protected:
    explicit DistanceProfile(const PairData& data) : data(data) {}
    ~DistanceProfile() = default;
    const PairData& data;
};

// The profile of model M, searched in its profile coordinates.
template <ModelKind M>
class ModelDistanceProfile final : public DistanceProfile {
public:
    // `near` (fit coordinates) seeds the first search; each later one starts
    // where the last ended.
    ModelDistanceProfile(const PairData& data, const FitOptions& options, const ModelPoint<M>& near)
        : DistanceProfile(data), options(options), last(ProfilePointOf<M>(near)) {}

    double LogLikelihoodAt(double d) override {
        const auto negativeLnL = MakeSmooth<kSizeOf<M>>([&](const auto& x) {
            return -LogLikelihood(data, ModelCoordinates<M>::RatesAt(FitPointOfProfile<M>(x)),
                                  options.variation);
        });
        ModelPoint<M> start = last;
        start[0] = d;
        const SearchBox<kSizeOf<M>> box = ProfileBox<M>(Criterion::MaxLikelihood, options);
        const BoxMinimum<kSizeOf<M>> minimum =
            MinimiseInBox(negativeLnL, start, box, BoxStop::Converged);
        if (std::isfinite(minimum.value)) last = minimum.x;
        FreeMask<kSizeOf<M>> withD = box.free;
        withD[0] = true;
        slope = -negativeLnL.Expansion(minimum.x, withD).gradient[0];
        return -minimum.value;
    }
    double Slope() const override { return slope; }

private:
    const FitOptions& options;
    ModelPoint<M> last;
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
