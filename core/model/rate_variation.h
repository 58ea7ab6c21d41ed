// Rate variation among sites. Where one rate for every site makes a
// transition probability a sum of terms e^-x, sites whose rates are drawn
// from a distribution of mean 1 make it the same sum with e^-x replaced by
// the distribution's Laplace transform L(x) = E[e^-r x]:
//   one rate                        e^-x
//   gamma of shape alpha            (1 + x/alpha)^-alpha
//   K equal-probability categories  (1/K) sum_k e^-r_k x, at the categories' mean rates
//   a share p of invariable sites   p + (1 - p) L(x / (1 - p)), L that of the others
// d, substitutions per site, is unchanged: the rates average 1.
// Templates, so that the same formulas run on doubles and on Jets.
#pragma once

#include <cmath>
#include <limits>
#include <vector>

#include "base/jet.h"

namespace dyvern {

struct RateVariation {
    double alpha = std::numeric_limits<double>::infinity();  // gamma shape; inf: one rate
    std::vector<double> categoryRates;  // discrete gamma's mean rates; empty: continuous
    double invariant = 0.0;             // share of invariable sites

    bool None() const { return std::isinf(alpha) && invariant == 0.0; }
};

// One rate for every site.
inline const RateVariation kOneRate{};

namespace rate_variation_detail {

// 1 - L(x) of the variable sites, without the cancellation of 1 - L for small x.
template <class T>
T VariableChange(const RateVariation& variation, const T& x) {
    using std::expm1;
    using std::log1p;
    if (std::isinf(variation.alpha)) return -expm1(-x);
    if (variation.categoryRates.empty())
        return -expm1(-variation.alpha * log1p(x / variation.alpha));
    T sum(0.0);
    for (const double rate : variation.categoryRates) sum = sum - expm1(-rate * x);
    return sum / static_cast<double>(variation.categoryRates.size());
}

template <class T>
T VariableDecay(const RateVariation& variation, const T& x) {
    using std::exp;
    using std::log1p;
    if (std::isinf(variation.alpha)) return exp(-x);
    if (variation.categoryRates.empty()) return exp(-variation.alpha * log1p(x / variation.alpha));
    T sum(0.0);
    for (const double rate : variation.categoryRates) sum = sum + exp(-rate * x);
    return sum / static_cast<double>(variation.categoryRates.size());
}

}  // namespace rate_variation_detail

// L(x), x >= 0; L(+inf) is the share of invariable sites.
template <class T>
T Decay(const RateVariation& variation, const T& x) {
    const double p = variation.invariant;
    if (std::isinf(ValueOf(x))) return T(p);
    if (p == 0.0) return rate_variation_detail::VariableDecay(variation, x);
    return p + (1.0 - p) * rate_variation_detail::VariableDecay(variation, x / (1.0 - p));
}

// 1 - L(x), computed without cancellation.
template <class T>
T Change(const RateVariation& variation, const T& x) {
    const double p = variation.invariant;
    if (std::isinf(ValueOf(x))) return T(1.0 - p);
    if (p == 0.0) return rate_variation_detail::VariableChange(variation, x);
    return (1.0 - p) * rate_variation_detail::VariableChange(variation, x / (1.0 - p));
}

}  // namespace dyvern
