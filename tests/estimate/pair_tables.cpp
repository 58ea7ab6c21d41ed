#include "pair_tables.h"

#include <cmath>

namespace dyvern::testing {

DivergenceCounts Spread(double identical, double transitions, double transversions) {
    static constexpr double kWeights[3][8] = {{0.31, 0.17, 0.29, 0.23},
                                              {0.40, 0.10, 0.30, 0.20},
                                              {0.05, 0.11, 0.07, 0.13, 0.21, 0.09, 0.19, 0.15}};
    const double total[3] = {identical, transitions, transversions};
    int seen[3] = {0, 0, 0};
    DivergenceCounts counts{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const int kind = static_cast<int>(KindOfPair(i, j));
            counts[i][j] = total[kind] * kWeights[kind][seen[kind]++];
        }
    }
    return counts;
}

double ArgMax(const std::function<double(double)>& f, double lo, double hi) {
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    for (int k = 0; k < 200 && hi - lo > 1e-13 * (1.0 + std::fabs(lo)); ++k) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (f(a) > f(b))
            hi = b;
        else
            lo = a;
    }
    return 0.5 * (lo + hi);
}

}  // namespace dyvern::testing
