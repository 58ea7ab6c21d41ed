// The two points of view a search takes on the family's rates
// (model/substitution_rates.h), with s the transition rate of both classes:
//   Fit coordinates      x = (v, s, r, a, c); kappa fixed at 1 ties s to v.
//   Profile coordinates  x = (d, phi, r, a, c): the distance itself and the
//                        share phi = v A / d of it that transversions make
//                        (A and B the distance weights of the transversions
//                        and of the transitions, d = v A + s B), so that d can
//                        be held while the rest is searched.
#pragma once

#include <array>

#include "minimize/box_newton.h"
#include "model/model_family.h"
#include "model/substitution_rates.h"

namespace dyvern {

enum FitCoordinate : int { kV = 0, kS = 1, kR = 2, kShareA = 3, kShareC = 4 };

template <class T>
Rates<T> FitRates(const std::array<T, kJetSize>& x, ModelKind model) {
    const T& s = KappaFree(model) ? x[kS] : x[kV];
    return {x[kV], s, s, x[kR], x[kShareA], x[kShareC]};
}

template <class T>
Rates<T> ProfileRates(const std::array<T, kJetSize>& x, ModelKind model) {
    const T& d = x[0];
    const T& phi = x[1];
    const DistanceWeights<T> w = WeightsOf(x[kR], x[kShareA], x[kShareC]);
    const T A = w.transversions;
    const T B = w.transitions();
    const T zero(0.0);
    const auto rates = [&](const T& v, const T& s) {
        return Rates<T>{v, s, s, x[kR], x[kShareA], x[kShareC]};
    };
    if (!KappaFree(model)) {
        const T sum = A + B;
        const T v = ValueOf(sum) > 0.0 ? d / sum : zero;
        return rates(v, v);
    }
    // A class with a single base (B = 0) or a single class (A = 0) leaves
    // the whole of d to the other kind of change.
    if (ValueOf(A) == 0.0) return rates(zero, ValueOf(B) > 0.0 ? d / B : zero);
    if (ValueOf(B) == 0.0) return rates(d / A, zero);
    return rates(phi * d / A, (T(1.0) - phi) * d / B);
}

// The fit coordinates of rates whose two transition rates are the same.
inline Point FitPoint(const Rates<double>& k) { return {k.v, k.sR, k.r, k.a, k.c}; }

// Where the rates lie in profile coordinates; phi is the kappa = 1 share
// when d says nothing about it (d = 0 or infinite).
Point ProfilePoint(const Rates<double>& k);

// The box of the fit (v, s >= 0, shares in [0, 1]) or of the profile
// (phi and shares in [0, 1], d held), free as the model and criterion say.
SearchBox FitBox(ModelKind model, Criterion criterion);
SearchBox ProfileBox(ModelKind model, Criterion criterion);

}  // namespace dyvern
