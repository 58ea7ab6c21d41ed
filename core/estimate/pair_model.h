// The HKY85 family in the coordinates the estimates are searched in. The
// window's (bt, kappa, piA, piC, piG) become
//   v = bt               (the transversion part of the branch),
//   s = kappa bt         (the transition part),
//   r = piA + piG, a = piA / r, c = piC / (1 - r),
// which span a box, v, s >= 0 and r, a, c in [0, 1], so that kappa = 0
// (s = 0), kappa = inf (v = 0, no transversions), a missing base (a share at
// 0 or 1) and no change at all (v = s = 0) are faces of the box, not places
// at the end of an infinite road. v or s may be +inf: the saturated limits.
// Templates, so that the same formulas run on doubles and on Jets.
#pragma once

#include <array>
#include <cmath>

#include "estimate/jet.h"
#include "model/divergence.h"

namespace dyvern {

template <class T>
struct Rates {
    T v{0.0};
    T s{0.0};
    T r{0.5};
    T a{0.5};
    T c{0.5};
};

template <class T>
using PairTable = std::array<std::array<T, 4>, 4>;

inline bool KappaFree(ModelKind model) {
    return model == ModelKind::K80 || model == ModelKind::HKY85;
}

// Under least squares the frequencies are held at the data's composition.
inline bool FrequenciesFree(ModelKind model, Criterion criterion) {
    return (model == ModelKind::F81 || model == ModelKind::HKY85) &&
           criterion == Criterion::MaxLikelihood;
}

template <class T>
std::array<T, 4> Frequencies(const Rates<T>& k) {
    const T y = T(1.0) - k.r;
    return {k.r * k.a, y * k.c, k.r * (T(1.0) - k.a), y * (T(1.0) - k.c)};
}

namespace pair_model_detail {

// x w, where an infinite rate with no weight contributes nothing.
template <class T>
T Weighted(const T& x, const T& w) {
    return std::isinf(ValueOf(x)) && ValueOf(w) == 0.0 ? T(0.0) : x * w;
}

// e^-(v wv + s ws), exactly 0 in the saturated limits.
template <class T>
T Decay(const T& v, const T& wv, const T& s, const T& ws) {
    if ((std::isinf(ValueOf(v)) && ValueOf(wv) > 0.0) ||
        (std::isinf(ValueOf(s)) && ValueOf(ws) > 0.0))
        return T(0.0);
    using std::exp;
    return exp(-(Weighted(v, wv) + Weighted(s, ws)));
}

}  // namespace pair_model_detail

// d = bt (2 piR piY + 2 kappa (piA piG + piC piT)) = v A + s B.
template <class T>
T Distance(const Rates<T>& k) {
    using pair_model_detail::Weighted;
    const T y = T(1.0) - k.r;
    const T A = T(2.0) * k.r * y;
    const T B = T(2.0) * (k.r * k.r * k.a * (T(1.0) - k.a) + y * y * k.c * (T(1.0) - k.c));
    return Weighted(k.v, A) + Weighted(k.s, B);
}

// P(i -> j) depends on i only through the kind of the pair, so each column
// j has three values: same, transition and transversion. With e1 = e^-v
// and, for the class of j (frequency C, share w of j within it),
// e2 = e^-(v (1 - C) + s C):
//   same        pi_j + e1 (w - pi_j) + e2 (1 - w)
//   transition  pi_j (1 - e1) + w (e1 - e2)
//   transversion pi_j (1 - e1)
template <class T>
struct ColumnProbabilities {
    std::array<T, 4> pi;  // of the row's base
    std::array<std::array<T, 3>, 4> p;  // [j][PairKind]
};

template <class T>
ColumnProbabilities<T> ColumnsOf(const Rates<T>& k) {
    using pair_model_detail::Decay;
    using std::exp;
    using std::expm1;
    const T one(1.0);
    const std::array<T, 4> cls{k.r, one - k.r, k.r, one - k.r};
    const std::array<T, 4> share{k.a, k.c, one - k.a, one - k.c};
    ColumnProbabilities<T> columns;
    columns.pi = Frequencies(k);
    const std::array<T, 4>& pi = columns.pi;
    const bool vInfinite = std::isinf(ValueOf(k.v));
    const T e1 = vInfinite ? T(0.0) : exp(-k.v);
    const T changed = vInfinite ? one : -expm1(-k.v);
    for (int j = 0; j < 4; ++j) {
        const T e2 = Decay(k.v, one - cls[j], k.s, cls[j]);
        const T transversion = pi[j] * changed;
        columns.p[j] = {pi[j] + e1 * (share[j] - pi[j]) + e2 * (one - share[j]),
                        transversion + share[j] * (e1 - e2), transversion};
    }
    return columns;
}

// pi_i P(i -> j) for every cell.
template <class T>
PairTable<T> JointProbabilities(const Rates<T>& k) {
    const ColumnProbabilities<T> columns = ColumnsOf(k);
    PairTable<T> joint;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            joint[i][j] = columns.pi[i] * columns.p[j][static_cast<int>(KindOfPair(i, j))];
    return joint;
}

}  // namespace dyvern
