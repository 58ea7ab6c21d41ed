// The two points of view a search takes on the rates (pair_model.h).
//   Fit coordinates      x = (v, s, r, a, c); kappa fixed at 1 ties s to v.
//   Profile coordinates  x = (d, phi, r, a, c): the distance itself and the
//                        share phi = v A / d of it that transversions make
//                        (A = 2 piR piY, B = 2 (piA piG + piC piT), d = v A + s B),
//                        so that d can be held while the rest is searched.
#pragma once

#include <array>

#include "estimate/box_newton.h"
#include "estimate/pair_model.h"

namespace dyvern {

template <class T>
Rates<T> FitRates(const std::array<T, kJetSize>& x, ModelKind model) {
    return {x[0], KappaFree(model) ? x[1] : x[0], x[2], x[3], x[4]};
}

template <class T>
Rates<T> ProfileRates(const std::array<T, kJetSize>& x, ModelKind model) {
    const T& d = x[0];
    const T& r = x[2];
    const T y = T(1.0) - r;
    const T A = T(2.0) * r * y;
    const T B = T(2.0) * (r * r * x[3] * (T(1.0) - x[3]) + y * y * x[4] * (T(1.0) - x[4]));
    const T zero(0.0);
    if (!KappaFree(model)) {
        const T sum = A + B;
        const T v = ValueOf(sum) > 0.0 ? d / sum : zero;
        return {v, v, r, x[3], x[4]};
    }
    // A class with a single base (B = 0) or a single class (A = 0) leaves
    // the whole of d to the other kind of change.
    if (ValueOf(A) == 0.0) return {zero, ValueOf(B) > 0.0 ? d / B : zero, r, x[3], x[4]};
    if (ValueOf(B) == 0.0) return {d / A, zero, r, x[3], x[4]};
    return {x[1] * d / A, (T(1.0) - x[1]) * d / B, r, x[3], x[4]};
}

inline Point FitPoint(const Rates<double>& k) { return {k.v, k.s, k.r, k.a, k.c}; }

// Where the rates lie in profile coordinates; phi is the kappa = 1 share
// when d says nothing about it (d = 0 or infinite).
Point ProfilePoint(const Rates<double>& k);

// The box of the fit (v, s >= 0, shares in [0, 1]) or of the profile
// (phi and shares in [0, 1], d held), free as the model and criterion say.
SearchBox FitBox(ModelKind model, Criterion criterion);
SearchBox ProfileBox(ModelKind model, Criterion criterion);

}  // namespace dyvern
