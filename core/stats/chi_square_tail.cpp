#include "stats/chi_square_tail.h"

#include <cmath>
#include <limits>

namespace dyvern {

double ChiSquareTail(double x, int df) {
    if (std::isnan(x) || df < 1) return std::numeric_limits<double>::quiet_NaN();
    if (x <= 0.0) return 1.0;
    const double half = 0.5 * x;
    const double decay = std::exp(-half);
    if (decay == 0.0) return 0.0;  // also spares inf x 0 in the sums
    // Even df: e^-x/2 sum_{i < df/2} (x/2)^i / i!.
    if (df % 2 == 0) {
        double term = 1.0, sum = 0.0;
        for (int i = 0; i < df / 2; ++i) {
            sum += term;
            term *= half / (i + 1.0);
        }
        return decay * sum;
    }
    // Odd df: erfc(sqrt(x/2)) + e^-x/2 sum_{i = 1..(df-1)/2} (x/2)^(i-1/2) / Gamma(i+1/2).
    double term = std::sqrt(half) / std::tgamma(1.5), sum = 0.0;
    for (int i = 1; i <= (df - 1) / 2; ++i) {
        sum += term;
        term *= half / (i + 0.5);
    }
    return std::erfc(std::sqrt(half)) + decay * sum;
}

}  // namespace dyvern
