#include "model/table_checks.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

constexpr double kRemainderRounding = 8.0 * std::numeric_limits<double>::epsilon();

}  // namespace

const char* TableProblem(const DivergenceCounts& counts, int siteCount) {
    if (siteCount <= 0) return "the site count is not positive";
    double sum = 0.0;
    for (const auto& row : counts) {
        for (const double cell : row) {
            if (!(cell >= 0.0) || !std::isfinite(cell))
                return "a count is negative or not a finite number";
            sum += cell;
        }
    }
    if (!std::isfinite(sum)) return "the counts add up beyond the range of numbers";
    if (sum == 0.0) return "the table holds no counts";
    return nullptr;
}

std::array<double, 4> BaseShares(const DivergenceCounts& counts, int siteCount) {
    std::array<double, 4> sum{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            sum[i] += counts[i][j];
            sum[j] += counts[i][j];
        }
    }
    const double twiceN = 2.0 * siteCount;
    for (double& s : sum) s /= twiceN;
    return sum;
}

bool EmpiricalComposition(const DivergenceCounts& counts, int siteCount,
                          std::array<double, 4>& pi) {
    pi = BaseShares(counts, siteCount);
    pi[T] = 1.0 - pi[A] - pi[C] - pi[G];
    // No T at all leaves a remainder of rounding, which may be just below 0.
    if (pi[T] < 0.0 && pi[T] > -kRemainderRounding) pi[T] = 0.0;
    for (const double share : pi)
        if (!(share >= 0.0 && share <= 1.0)) return false;
    return true;
}

}  // namespace dyvern
