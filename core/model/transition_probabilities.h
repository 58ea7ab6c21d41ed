// The family's transition and joint probabilities in its coordinates
// (substitution_rates.h), with rate variation among sites
// (rate_variation.h), on doubles or on Jets.
#pragma once

#include <array>
#include <cmath>

#include "model/rate_variation.h"
#include "model/substitution_rates.h"

namespace dyvern {

template <class T>
using CellTable = std::array<std::array<T, 4>, 4>;

namespace transition_detail {

// v wv + s ws, +inf in the saturated limits.
template <class T>
T Exponent(const T& v, const T& wv, const T& s, const T& ws) {
    using rates_detail::Weighted;
    if ((std::isinf(ValueOf(v)) && ValueOf(wv) > 0.0) ||
        (std::isinf(ValueOf(s)) && ValueOf(ws) > 0.0))
        return T(std::numeric_limits<double>::infinity());
    return Weighted(v, wv) + Weighted(s, ws);
}

}  // namespace transition_detail

// The TN93 form (HKY85 and the models inside it). P(i -> j) depends on i
// only through the kind of the pair, so each column j has three values:
// same, transition and transversion. With e1 = L(v) and, for the class of j
// (frequency C, share w of j within it, transition rate s),
// e2 = L(v (1 - C) + s C):
//   same         pi_j + e1 (w - pi_j) + e2 (1 - w)
//   transition   pi_j (1 - e1) + w (e1 - e2)
//   transversion pi_j (1 - e1)
template <class T>
struct ColumnProbabilities {
    std::array<T, 4> pi;                // of the row's base
    std::array<std::array<T, 3>, 4> p;  // [j][PairKind]
};

template <class T>
ColumnProbabilities<T> ColumnsOf(const Rates<T>& k, const RateVariation& variation = kOneRate) {
    using transition_detail::Exponent;
    const T one(1.0);
    const std::array<T, 4> cls{k.r, one - k.r, k.r, one - k.r};
    const std::array<T, 4> share{k.a, k.c, one - k.a, one - k.c};
    const std::array<const T*, 4> transition{&k.sR, &k.sY, &k.sR, &k.sY};
    ColumnProbabilities<T> columns;
    columns.pi = Frequencies(k);
    const std::array<T, 4>& pi = columns.pi;
    const T e1 = Decay(variation, k.v);
    const T changed = Change(variation, k.v);
    for (int j = 0; j < 4; ++j) {
        const T e2 = Decay(variation, Exponent(k.v, one - cls[j], *transition[j], cls[j]));
        const T transversion = pi[j] * changed;
        columns.p[j] = {pi[j] + e1 * (share[j] - pi[j]) + e2 * (one - share[j]),
                        transversion + share[j] * (e1 - e2), transversion};
    }
    return columns;
}

// pi_i P(i -> j) for every cell.
template <class T>
CellTable<T> JointProbabilities(const Rates<T>& k, const RateVariation& variation = kOneRate) {
    const ColumnProbabilities<T> columns = ColumnsOf(k, variation);
    CellTable<T> joint;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            joint[i][j] = columns.pi[i] * columns.p[j][static_cast<int>(KindOfPair(i, j))];
    return joint;
}

// Kimura's three types form. The bases make Klein's four-group (a
// transition, a type I and a type II change take each base to another), so
// P(i -> j) = 1/4 sum over the group's characters chi of chi(type of i, j)
// L(x_chi), with one exponent per nontrivial character: half the sum of
// the rates of the two types it sends to -1. Written with the changes
// 1 - L, which keep their digits when the rates are small.
template <class T>
struct ThreeTypeProbabilities {
    T same, transition, typeI, typeII;
};

template <class T>
ThreeTypeProbabilities<T> ProbabilitiesOf(const ThreeTypeRates<T>& k,
                                          const RateVariation& variation = kOneRate) {
    using transition_detail::Exponent;
    const T half(0.5);
    const T ca = Change(variation, Exponent(k.typeI, half, k.typeII, half));
    const T cb = Change(variation, Exponent(k.transitions, half, k.typeI, half));
    const T cc = Change(variation, Exponent(k.transitions, half, k.typeII, half));
    const T quarter(0.25);
    return {T(1.0) - quarter * (ca + cb + cc), quarter * (cb + cc - ca), quarter * (ca + cb - cc),
            quarter * (ca + cc - cb)};
}

// The type of change a pair of different bases makes.
enum class ChangeType { Transition, TypeI, TypeII };
constexpr ChangeType TypeOfPair(int i, int j) {
    if (KindOfPair(i, j) == PairKind::Transition) return ChangeType::Transition;
    const bool typeI = (i == A && j == T) || (i == T && j == A) || (i == C && j == G) ||
                       (i == G && j == C);
    return typeI ? ChangeType::TypeI : ChangeType::TypeII;
}

template <class T>
CellTable<T> JointProbabilities(const ThreeTypeRates<T>& k,
                                const RateVariation& variation = kOneRate) {
    const ThreeTypeProbabilities<T> p = ProbabilitiesOf(k, variation);
    CellTable<T> joint;
    const T quarter(0.25);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (i == j) {
                joint[i][j] = quarter * p.same;
                continue;
            }
            const ChangeType type = TypeOfPair(i, j);
            joint[i][j] = quarter * (type == ChangeType::Transition ? p.transition
                                     : type == ChangeType::TypeI    ? p.typeI
                                                                    : p.typeII);
        }
    }
    return joint;
}

}  // namespace dyvern
