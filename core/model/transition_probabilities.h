// The family's transition and joint probabilities in its coordinates
// (substitution_rates.h), on doubles or on Jets.
#pragma once

#include <array>
#include <cmath>

#include "model/substitution_rates.h"

namespace dyvern {

template <class T>
using CellTable = std::array<std::array<T, 4>, 4>;

namespace transition_detail {

// e^-(v wv + s ws), exactly 0 in the saturated limits.
template <class T>
T Decay(const T& v, const T& wv, const T& s, const T& ws) {
    using rates_detail::Weighted;
    if ((std::isinf(ValueOf(v)) && ValueOf(wv) > 0.0) ||
        (std::isinf(ValueOf(s)) && ValueOf(ws) > 0.0))
        return T(0.0);
    using std::exp;
    return exp(-(Weighted(v, wv) + Weighted(s, ws)));
}

}  // namespace transition_detail

// P(i -> j) depends on i only through the kind of the pair, so each column
// j has three values: same, transition and transversion. With e1 = e^-v
// and, for the class of j (frequency C, share w of j within it, transition
// rate s), e2 = e^-(v (1 - C) + s C):
//   same         pi_j + e1 (w - pi_j) + e2 (1 - w)
//   transition   pi_j (1 - e1) + w (e1 - e2)
//   transversion pi_j (1 - e1)
template <class T>
struct ColumnProbabilities {
    std::array<T, 4> pi;                // of the row's base
    std::array<std::array<T, 3>, 4> p;  // [j][PairKind]
};

template <class T>
ColumnProbabilities<T> ColumnsOf(const Rates<T>& k) {
    using transition_detail::Decay;
    using std::exp;
    using std::expm1;
    const T one(1.0);
    const std::array<T, 4> cls{k.r, one - k.r, k.r, one - k.r};
    const std::array<T, 4> share{k.a, k.c, one - k.a, one - k.c};
    const std::array<const T*, 4> transition{&k.sR, &k.sY, &k.sR, &k.sY};
    ColumnProbabilities<T> columns;
    columns.pi = Frequencies(k);
    const std::array<T, 4>& pi = columns.pi;
    const bool vInfinite = std::isinf(ValueOf(k.v));
    const T e1 = vInfinite ? T(0.0) : exp(-k.v);
    const T changed = vInfinite ? one : -expm1(-k.v);
    for (int j = 0; j < 4; ++j) {
        const T e2 = Decay(k.v, one - cls[j], *transition[j], cls[j]);
        const T transversion = pi[j] * changed;
        columns.p[j] = {pi[j] + e1 * (share[j] - pi[j]) + e2 * (one - share[j]),
                        transversion + share[j] * (e1 - e2), transversion};
    }
    return columns;
}

// pi_i P(i -> j) for every cell.
template <class T>
CellTable<T> JointProbabilities(const Rates<T>& k) {
    const ColumnProbabilities<T> columns = ColumnsOf(k);
    CellTable<T> joint;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            joint[i][j] = columns.pi[i] * columns.p[j][static_cast<int>(KindOfPair(i, j))];
    return joint;
}

}  // namespace dyvern
