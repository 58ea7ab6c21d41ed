#include "model/general_process.h"

namespace dyvern {
namespace {

// L and its derivatives at x >= 0 for the variable sites: e^-x, the gamma's
// (1 + x/alpha)^-alpha, or the mean of the categories' e^-r x.
std::array<double, 5> VariableTransform(const RateVariation& variation, double x) {
    std::array<double, 5> d{};
    if (std::isinf(variation.alpha)) {
        const double e = std::exp(-x);
        for (int k = 0; k < 5; ++k) d[k] = k % 2 ? -e : e;
        return d;
    }
    if (variation.categoryRates.empty()) {
        const double alpha = variation.alpha, base = 1.0 + x / alpha;
        double factor = 1.0;  // (-1)^k alpha (alpha + 1) ... (alpha + k - 1) / alpha^k
        for (int k = 0; k < 5; ++k) {
            d[k] = factor * std::pow(base, -alpha - k);
            factor *= -(alpha + k) / alpha;
        }
        return d;
    }
    const double weight = 1.0 / static_cast<double>(variation.categoryRates.size());
    for (const double rate : variation.categoryRates) {
        double power = weight * std::exp(-rate * x);
        for (int k = 0; k < 5; ++k, power *= -rate) d[k] += power;
    }
    return d;
}

}  // namespace

ScalarDerivatives RateFunction::At(double l) const {
    // f(l) = L(-l): f^(k)(l) = (-1)^k L^(k)(-l); with a share p of invariable
    // sites L(x) = p + (1 - p) Lv(x / (1 - p)), L^(k) = (1 - p)^(1-k) Lv^(k).
    const double p = variation.invariant;
    const double x = -l;
    const std::array<double, 5> variable = VariableTransform(variation, x / (1.0 - p));
    ScalarDerivatives f;
    double scale = 1.0 - p;
    for (int k = 0; k < 5; ++k, scale /= 1.0 - p) f.at[k] = (k % 2 ? -1.0 : 1.0) * scale * variable[k];
    f.at[0] += p;
    return f;
}

}  // namespace dyvern
