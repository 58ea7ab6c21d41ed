// The joint probabilities of the general time-reversible model, which has no
// closed form: with D = diag(sqrt pi) and the symmetric M = D Theta D (the
// rate matrix Q = Theta diag(pi) made symmetric, its diagonal minus the
// rates away from each base), pi_i P_ij = (D f(M) D)_ij with f(l) = L(-l),
// L the Laplace transform of the rate distribution (rate_variation.h);
// f(M) by symmetric_function.h, so that the same formula gives Jets.
#pragma once

#include <cmath>

#include "model/rate_variation.h"
#include "model/substitution_rates.h"
#include "model/symmetric_function.h"
#include "model/transition_probabilities.h"

namespace dyvern {

// f(l) = L(-l) and its first four derivatives.
class RateFunction final : public ScalarFunction {
public:
    explicit RateFunction(const RateVariation& variation) : variation(variation) {}
    ScalarDerivatives At(double x) const override;

private:
    const RateVariation& variation;
};

// A rate this large is saturated: e^-rate underflows, and a limit where a
// rate runs to infinity is taken here.
inline constexpr double kSaturatedRate = 1e4;

template <class T>
CellTable<T> JointProbabilities(const GeneralRates<T>& k, const RateVariation& variation = kOneRate) {
    using std::sqrt;
    const std::array<T, 4> pi = Frequencies(k);
    std::array<T, 4> root;
    for (int i = 0; i < 4; ++i) root[i] = sqrt(pi[i]);
    Matrix4<T> m;
    for (auto& row : m) row.fill(T(0.0));
    for (int p = 0; p < kBasePairs; ++p) {
        const int i = kPairBases[p][0], j = kPairBases[p][1];
        const T theta = std::isinf(ValueOf(k.theta[p])) ? T(kSaturatedRate) : k.theta[p];
        m[i][j] = m[j][i] = root[i] * theta * root[j];
        m[i][i] = m[i][i] - theta * pi[j];
        m[j][j] = m[j][j] - theta * pi[i];
    }
    const Matrix4<T> f = ApplyTo(RateFunction(variation), m);
    CellTable<T> joint;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) joint[i][j] = root[i] * f[i][j] * root[j];
    return joint;
}

}  // namespace dyvern
