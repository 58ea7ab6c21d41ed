#include "stats/chi_square.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

// Tails with closed forms (df 2 is an exponential, df 1 the two-sided normal
// tail) and tabled 5 % critical values.
TEST(ChiSquareProbability, KnownTails) {
    const struct {
        double x, df, prob, tolerance;
    } cases[] = {
        {0.0, 100, 1.0, 0},
        {0.1, 2, std::exp(-0.05), 1e-7},
        {25.0, 2, std::exp(-12.5), 1e-12},
        {0.25, 1, std::erfc(0.5 / std::sqrt(2.0)), 1e-6},
        {9.0, 1, std::erfc(3.0 / std::sqrt(2.0)), 1e-7},
        {7.814728, 3, 0.05, 1e-6},
        {23.68479, 14, 0.05, 1e-6},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ChiSquareProb(c.x, c.df), c.prob, c.tolerance) << c.x << " on " << c.df;
}

TEST(LnGamma, AgreesWithTheLibrary) {
    // The six-term series is good to a few parts in 1e10.
    for (const double x : {1.0, 2.0, 0.5, 1.5, 5.0, 7.5, 101.0})
        EXPECT_NEAR(LnGamma(x), std::lgamma(x), 2e-10 * std::fmax(1.0, std::lgamma(x))) << x;
}

TEST(ChiSquareDeathTest, InvalidArgumentsAndExhaustedSeriesStopTheProgram) {
    const char* kInvalid = "^\nError in routine GAMMQ:  Invalid arguments\nProgram aborted.\n$";
    EXPECT_EXIT(ChiSquareProb(-1.0, 3.0), ::testing::ExitedWithCode(1), kInvalid);
    EXPECT_EXIT(ChiSquareProb(std::numeric_limits<double>::quiet_NaN(), 3.0),
                ::testing::ExitedWithCode(1), kInvalid);
    double result = 0.0, lng = 0.0;
    EXPECT_EXIT(GSER(result, 1e6, 1e6 - 2.0, lng), ::testing::ExitedWithCode(1),
                "^\nError in routine GSER:  a too large, ITMAX too small\nProgram aborted.\n$");
    EXPECT_EXIT(GCF(result, 1e6, 1e6 + 2.0, lng), ::testing::ExitedWithCode(1),
                "^\nError in routine GCF: a too large, ITMAX too small\nProgram aborted.\n$");
}

}  // namespace
}  // namespace dyvern
