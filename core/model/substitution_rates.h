// The family's one set of coordinates. The window's (bt, kappa, piA, piC, piG)
// become
//   v  = bt             (the transversion part of the branch),
//   sR = kappa bt       (the part of purine transitions, A <-> G),
//   sY = kappa bt       (the part of pyrimidine transitions, C <-> T),
//   r  = piA + piG, a = piA / r, c = piC / (1 - r),
// which span a box, v, sR, sY >= 0 and r, a, c in [0, 1], so that kappa = 0,
// kappa = inf (no transversions), a missing base (a share at 0 or 1) and no
// change at all (every rate 0) are faces of the box, not places at the end
// of an infinite road. A rate may be +inf: a saturated limit. The family's
// models tie sR to sY (oneTransitionRate), and both to v where kappa is held
// at 1.
//
// Templates, so that the same formulas run on doubles and on Jets.
#pragma once

#include <array>
#include <cmath>

#include "base/jet.h"
#include "model/divergence.h"

namespace dyvern {

template <class T>
struct Rates {
    T v{0.0};
    T sR{0.0};
    T sY{0.0};
    T r{0.5};
    T a{0.5};
    T c{0.5};
    bool oneTransitionRate = true;  // sR and sY are one parameter
};

// pi A, C, G, T of the shares.
template <class T>
std::array<T, 4> Frequencies(const Rates<T>& k) {
    const T y = T(1.0) - k.r;
    return {k.r * k.a, y * k.c, k.r * (T(1.0) - k.a), y * (T(1.0) - k.c)};
}

// Substitutions per site that each unit of a rate makes: 2 piR piY for the
// transversions, 2 piA piG and 2 piC piT for the two kinds of transition.
template <class T>
struct DistanceWeights {
    T transversions;
    T purineTransitions;
    T pyrimidineTransitions;
    T transitions() const { return purineTransitions + pyrimidineTransitions; }
};

template <class T>
DistanceWeights<T> WeightsOf(const T& r, const T& a, const T& c) {
    const T y = T(1.0) - r;
    return {T(2.0) * r * y, T(2.0) * r * r * a * (T(1.0) - a), T(2.0) * y * y * c * (T(1.0) - c)};
}

// The same weights from the frequencies themselves.
template <class Number>  // not T, which names a base here
DistanceWeights<Number> WeightsOf(const std::array<Number, 4>& pi) {
    return {Number(2.0) * (pi[A] + pi[G]) * (pi[C] + pi[T]), Number(2.0) * pi[A] * pi[G],
            Number(2.0) * pi[C] * pi[T]};
}

namespace rates_detail {

// x w, where an infinite rate with no weight contributes nothing.
template <class T>
T Weighted(const T& x, const T& w) {
    return std::isinf(ValueOf(x)) && ValueOf(w) == 0.0 ? T(0.0) : x * w;
}

}  // namespace rates_detail

// d, substitutions per site: v 2 piR piY + sR 2 piA piG + sY 2 piC piT.
template <class T>
T Distance(const Rates<T>& k) {
    using rates_detail::Weighted;
    const DistanceWeights<T> w = WeightsOf(k.r, k.a, k.c);
    if (k.oneTransitionRate) return Weighted(k.v, w.transversions) + Weighted(k.sR, w.transitions());
    return Weighted(k.v, w.transversions) + Weighted(k.sR, w.purineTransitions) +
           Weighted(k.sY, w.pyrimidineTransitions);
}

// The rates of the window's parameters: frequencies pi (piT the rest of the
// others); a share of an absent class is 1/2.
Rates<double> RatesOf(double bt, double kappa, const std::array<double, 4>& pi);

// Kimura's (1981) three types of substitution at equal frequencies, each
// rate times the time: transitions (A <-> G, C <-> T), and two classes of
// transversion, type I (A <-> T, C <-> G) and type II (A <-> C, G <-> T).
template <class T>
struct ThreeTypeRates {
    T transitions{0.0};
    T typeI{0.0};
    T typeII{0.0};
};

template <class T>
std::array<T, 4> Frequencies(const ThreeTypeRates<T>&) {
    return {T(0.25), T(0.25), T(0.25), T(0.25)};
}

// 2 sum over pairs of piI piJ times the pair's rate: each type's rate / 4.
template <class T>
T Distance(const ThreeTypeRates<T>& k) {
    using rates_detail::Weighted;
    const T quarter(0.25);
    return Weighted(k.transitions, quarter) + Weighted(k.typeI, quarter) +
           Weighted(k.typeII, quarter);
}

// The unordered pairs of bases, as the general model's rates are listed.
enum BasePair : int { kAC = 0, kAG = 1, kAT = 2, kCG = 3, kCT = 4, kGT = 5 };
inline constexpr int kBasePairs = 6;
inline constexpr int kPairBases[kBasePairs][2] = {{A, C}, {A, G}, {A, T}, {C, G}, {C, T}, {G, T}};

// The general time-reversible model: the exchangeability of each pair of
// bases times the time (the rate from i to j is theta_ij pi_j), and the
// frequency shares as in Rates.
template <class T>
struct GeneralRates {
    std::array<T, kBasePairs> theta{};
    T r{0.5};
    T a{0.5};
    T c{0.5};
};

template <class T>
std::array<T, 4> Frequencies(const GeneralRates<T>& k) {
    const T y = T(1.0) - k.r;
    return {k.r * k.a, y * k.c, k.r * (T(1.0) - k.a), y * (T(1.0) - k.c)};
}

// 2 sum over pairs of piI piJ theta_ij.
template <class T>
T Distance(const GeneralRates<T>& k) {
    using rates_detail::Weighted;
    const std::array<T, 4> pi = Frequencies(k);
    T d(0.0);
    for (int p = 0; p < kBasePairs; ++p)
        d = d + Weighted(k.theta[p], T(2.0) * pi[kPairBases[p][0]] * pi[kPairBases[p][1]]);
    return d;
}

}  // namespace dyvern
