#include "stats/goodness_of_fit.h"

#include <cmath>

#include "base/stop.h"
#include "stats/chi_square.h"

namespace dyvern {
namespace {

// Beyond this statistic the upper tail is exactly 0.0 in double for every df
// of the test (at most 15). ChiSquareProb's continued fraction overflows
// from about 2e154 on and would stop the program, so it is not asked there.
constexpr double kTailIsZero = 1e6;

// Why the expected count `e` leaves the statistic undefined, or nullptr.
const char* ExpectedCountFault(double e) {
    if (e == 0.0) return "an expected count is zero";
    if (!(e > 0.0)) return "an expected count is negative or not a number";
    if (std::isinf(e)) return "an expected count is infinite";
    return nullptr;
}

// The first fault in row-major order, or nullptr when every count is usable.
const char* ExpectedTableFault(const DivergenceCounts& expected) {
    for (const auto& row : expected)
        for (const double e : row)
            if (const char* fault = ExpectedCountFault(e)) return fault;
    return nullptr;
}

}  // namespace

GoodnessOfFit TestGoodnessOfFit(const DivergenceCounts& observed, const DivergenceCounts& expected,
                                int df) {
    DYVERN_ASSERT(df > 0, "dyvern");
    GoodnessOfFit fit;
    if (const char* fault = ExpectedTableFault(expected)) {
        fit.reason = fault;
        return fit;
    }
    double statistic = 0.0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const double difference = observed[i][j] - expected[i][j];
            statistic += difference * difference / expected[i][j];
        }
    }
    // NaN or infinite observed counts, or an overflowing sum.
    if (!std::isfinite(statistic)) {
        fit.reason = "the statistic is not a finite number";
        return fit;
    }
    fit.defined = true;
    fit.statistic = statistic;
    fit.prob = statistic > kTailIsZero ? 0.0 : ChiSquareProb(statistic, static_cast<double>(df));
    return fit;
}

}  // namespace dyvern
