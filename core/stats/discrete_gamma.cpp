#include "stats/discrete_gamma.h"

#include <cmath>
#include <numeric>

#include "stats/incomplete_gamma.h"
#include "stats/incomplete_gamma_inverse.h"

namespace dyvern {
namespace {

// At a cut x = alpha b_k: P(alpha + 1, x), Q(alpha + 1, x) and
// D(x) = x^alpha e^-x / Gamma(alpha + 1).
struct Cut {
    double p;
    double q;
    double density;
};

// alpha b_k, the k/K quantile of Gamma(alpha, rate 1): from the nearer tail,
// so that (K - k)/K, not a rounded 1 - k/K, is what is matched up high.
double ScaledCut(double alpha, int k, int categories) {
    if (2 * k <= categories) return InverseRegularizedGammaP(alpha, double(k) / categories);
    return InverseRegularizedGammaQ(alpha, double(categories - k) / categories);
}

Cut CutAt(double alpha, int k, int categories) {
    if (k == 0) return {0.0, 1.0, 0.0};
    if (k == categories) return {1.0, 0.0, 0.0};
    const double x = ScaledCut(alpha, k, categories);
    const GammaRatios moment = IncompleteGammaRatios(alpha + 1.0, x);
    return {moment.p, moment.q, IncompleteGammaPrefactor(alpha, x) / alpha};
}

// K [P(alpha + 1, x_k) - P(alpha + 1, x_(k-1))]. Since P(alpha + 1, x) =
// P(alpha, x) - D(x) and P(alpha, x_k) = k/K, it is also 1 - K [D(x_k) -
// D(x_(k-1))], which neither cancels nor feels the cuts' rounding where the
// mean is not small (the middle categories of large shapes, where the P
// difference loses up to 3e-14); the P (or Q) difference serves the rest.
double CategoryMean(const Cut& below, const Cut& above, int categories) {
    const double densityStep = categories * (above.density - below.density);
    if (densityStep <= 0.5) return 1.0 - densityStep;
    const double share = above.p <= 0.5 ? above.p - below.p : below.q - above.q;
    return categories * share;
}

}  // namespace

std::vector<double> DiscreteGammaRates(double alpha, int categories) {
    if (!(alpha > 0.0) || std::isinf(alpha) || categories < 1) return {};
    std::vector<double> rates(categories);
    Cut below = CutAt(alpha, 0, categories);
    for (int k = 1; k <= categories; ++k) {
        const Cut above = CutAt(alpha, k, categories);
        rates[k - 1] = CategoryMean(below, above, categories);
        below = above;
    }
    // The exact means average 1; the computed ones to about 1e-15, which
    // the scaling removes.
    const double mean = std::accumulate(rates.begin(), rates.end(), 0.0) / categories;
    for (double& rate : rates) rate /= mean;
    return rates;
}

}  // namespace dyvern
