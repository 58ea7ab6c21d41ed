// Standard errors from the observed information: the inverse of the Hessian
// of -lnL at the optimum over the free coordinates that lie off their bounds,
// and the delta method for d and kappa. A model's coordinates are a smooth
// reparametrisation of its natural parameters, and at an optimum the
// delta-method variance does not depend on which of the two it is worked in.
#pragma once

#include <limits>

#include "estimate/search_coordinates.h"
#include "model/criteria.h"

namespace dyvern {

// NaN where undefined: d on its bound (no differences), kappa on a bound or
// fixed, or an information matrix that is not positive definite.
struct StandardErrors {
    double d = std::numeric_limits<double>::quiet_NaN();
    double kappa = std::numeric_limits<double>::quiet_NaN();
};

// From the expansion of -lnL in the model's coordinates at the optimum x,
// over the free coordinates of `box`. kappa, for the models that have one,
// is the second rate over the first.
template <ModelKind M>
StandardErrors ErrorsAtOptimum(const Jet<kSizeOf<M>>& negativeLnL, const ModelPoint<M>& x,
                               const SearchBox<kSizeOf<M>>& box) {
    using Coords = ModelCoordinates<M>;
    const IndexList<Coords::kSize> interior = InteriorVariables(negativeLnL, x, box);
    StandardErrors errors;
    // Every rate on its bound: d sits on its own (no change at all).
    const bool rateMoves = !interior.empty() && interior[0] < Coords::kRates;
    if (!rateMoves) return errors;
    const DualPoint<Coords::kSize> duals = DualsAt<Coords::kSize>(x, box.free);
    errors.d = DeltaMethodError(negativeLnL, Distance(Coords::RatesAt(duals)), interior);
    if constexpr (Coords::kRates == 2) {
        const bool kappaInterior = KappaFree(M) && interior.size() >= 2 && interior[1] == 1;
        if (kappaInterior) errors.kappa = DeltaMethodError(negativeLnL, duals[1] / duals[0], interior);
    }
    return errors;
}

template <ModelKind M>
StandardErrors ObservedInformationErrors(const PairData& data, const FitOptions& options,
                                         const ModelPoint<M>& x) {
    const SearchBox<kSizeOf<M>> box = FitBox<M>(Criterion::MaxLikelihood, options);
    const auto negativeLnL = MakeSmooth<kSizeOf<M>>([&](const auto& p) {
        return -LogLikelihood(data, ModelCoordinates<M>::RatesAt(p), options.variation);
    });
    return ErrorsAtOptimum<M>(negativeLnL.Expansion(x, box.free), x, box);
}

}  // namespace dyvern
