// The two points of view a search takes on a model's coordinates
// (model/model_coordinates.h), for any model M:
//   Fit coordinates      x = (rho_1 .. rho_m, shares): the model's own.
//   Profile coordinates  x = (d, phi_1 .. phi_m-1, shares): the distance
//                        itself and how it is shared among the rates, so that
//                        d can be held while the rest is searched. d is
//                        sum_k rho_k w_k, w_k the d one unit of rate k makes;
//                        rate k makes the share phi_k of what the rates before
//                        it leave (the last takes the rest), which spans the
//                        shares of d by a box [0, 1]^(m-1).
#pragma once

#include <array>
#include <cmath>
#include <limits>

#include "estimate/fit_options.h"
#include "minimize/box_newton.h"
#include "model/model_coordinates.h"
#include "model/model_family.h"

namespace dyvern {

template <ModelKind M>
inline constexpr int kSizeOf = ModelCoordinates<M>::kSize;

template <ModelKind M>
using ModelPoint = Point<kSizeOf<M>>;

// Whether the search moves the model's frequency coordinates: under
// likelihood, unless the caller holds them.
bool SharesFree(ModelKind model, Criterion criterion, const FitOptions& options);

// The box of the fit: rates >= 0, shares in [0, 1], free as the model and
// criterion say.
template <ModelKind M>
SearchBox<kSizeOf<M>> FitBox(Criterion criterion, const FitOptions& options = {}) {
    using Coords = ModelCoordinates<M>;
    SearchBox<Coords::kSize> box;
    const bool shares = SharesFree(M, criterion, options);
    for (int i = 0; i < Coords::kSize; ++i) {
        const bool rate = i < Coords::kRates;
        box.upper[i] = rate ? std::numeric_limits<double>::infinity() : 1.0;
        box.free[i] = rate || shares;
    }
    return box;
}

// The d that one unit of each rate coordinate makes at the point's shares.
template <ModelKind M, class T>
std::array<T, ModelCoordinates<M>::kRates> UnitWeights(
    const std::array<T, ModelCoordinates<M>::kSize>& x) {
    using Coords = ModelCoordinates<M>;
    std::array<T, Coords::kRates> w;
    for (int k = 0; k < Coords::kRates; ++k) {
        std::array<T, Coords::kSize> unit = x;
        for (int j = 0; j < Coords::kRates; ++j) unit[j] = T(j == k ? 1.0 : 0.0);
        w[k] = Distance(Coords::RatesAt(unit));
    }
    return w;
}

// The fit coordinates of a point in profile coordinates. A rate that makes
// no d (w = 0: its pairs of bases cannot occur) takes no share, and its
// share falls to the next.
template <ModelKind M, class T>
std::array<T, ModelCoordinates<M>::kSize> FitPointOfProfile(
    const std::array<T, ModelCoordinates<M>::kSize>& x) {
    using Coords = ModelCoordinates<M>;
    std::array<T, Coords::kSize> fit = x;
    const std::array<T, Coords::kRates> w = UnitWeights<M>(x);
    const T& d = x[0];
    int last = Coords::kRates - 1;
    while (last > 0 && ValueOf(w[last]) == 0.0) --last;
    T rest(1.0);  // the share of d the rates so far have left
    for (int k = 0; k < Coords::kRates; ++k) {
        if (ValueOf(w[k]) == 0.0) {
            fit[k] = T(0.0);
            continue;
        }
        const T share = k == last ? rest : rest * x[k + 1];
        fit[k] = share * d / w[k];
        if (k < last) rest = rest * (T(1.0) - x[k + 1]);
    }
    return fit;
}

// Where the rates lie in profile coordinates; where d says nothing of how it
// is shared (d = 0 or infinite) the shares follow the weights.
template <ModelKind M>
ModelPoint<M> ProfilePointOf(const ModelPoint<M>& fit) {
    using Coords = ModelCoordinates<M>;
    ModelPoint<M> x = fit;
    const std::array<double, Coords::kRates> w = UnitWeights<M>(fit);
    double d = 0.0, total = 0.0;
    for (int k = 0; k < Coords::kRates; ++k) {
        d += rates_detail::Weighted(fit[k], w[k]);
        total += w[k];
    }
    const bool shared = d > 0.0 && std::isfinite(d);
    double rest = 1.0;
    for (int k = 0; k + 1 < Coords::kRates; ++k) {
        const double part = shared ? fit[k] * w[k] / d : (total > 0.0 ? w[k] / total : 0.5);
        x[k + 1] = rest > 0.0 ? std::fmin(1.0, part / rest) : 0.5;
        rest -= part;
    }
    x[0] = d;
    return x;
}

// The box of the profile: d held, the shares of d and the frequency shares
// in [0, 1].
template <ModelKind M>
SearchBox<kSizeOf<M>> ProfileBox(Criterion criterion, const FitOptions& options = {}) {
    SearchBox<kSizeOf<M>> box = FitBox<M>(criterion, options);
    for (int i = 0; i < ModelCoordinates<M>::kRates; ++i) {
        box.upper[i] = 1.0;
        box.free[i] = i > 0;
    }
    return box;
}

}  // namespace dyvern
