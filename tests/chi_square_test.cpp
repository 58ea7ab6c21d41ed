#include "stats/chi_square.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

TEST(ChiSquareProbability, ZeroStatisticIsCertain) {
    for (const double df : {1.0, 2.0, 7.0, 14.0, 100.0}) EXPECT_EQ(ChiSquareProb(0.0, df), 1.0);
}

TEST(ChiSquareProbability, TwoDegreesOfFreedomIsAnExponential) {
    for (const double x : {0.1, 1.0, 2.5, 3.0, 10.0, 25.0}) {
        EXPECT_NEAR(ChiSquareProb(x, 2.0) / std::exp(-x / 2.0), 1.0, 1e-6) << "x = " << x;
    }
    EXPECT_NEAR(ChiSquareProb(1.0, 2.0), 0.60653066, 5e-7);
    EXPECT_NEAR(ChiSquareProb(10.0, 2.0), 0.0067379470, 5e-9);
}

TEST(ChiSquareProbability, FivePercentCriticalValues) {
    const struct {
        double x, df;
    } critical[] = {{3.841459, 1}, {5.991465, 2},  {7.814728, 3},
                    {11.0705, 5},  {23.68479, 14}, {18.30704, 10}};
    for (const auto& c : critical) EXPECT_NEAR(ChiSquareProb(c.x, c.df), 0.05, 1e-6) << c.df;
}

TEST(ChiSquareProbability, OneDegreeOfFreedomIsTheNormalTail) {
    // P(chi2_1 > z^2) = erfc(z / sqrt 2).
    for (const double z : {0.5, 1.0, 1.96, 3.0}) {
        EXPECT_NEAR(ChiSquareProb(z * z, 1.0), std::erfc(z / std::sqrt(2.0)), 1e-6) << z;
    }
}

TEST(IncompleteGamma, BranchesMeetAtAPlusOne) {
    const double a = 3.5;
    double viaSeries = 0.0, viaFraction = 0.0, lng = 0.0;
    GSER(viaSeries, a, a + 1.0, lng);
    GCF(viaFraction, a, a + 1.0, lng);
    EXPECT_NEAR(viaSeries + viaFraction, 1.0, 1e-6);
    // At x = a + 1 the continued fraction is taken, just below it the series.
    EXPECT_EQ(GAMMQ(a, a + 1.0), viaFraction);
    const double below = std::nextafter(a + 1.0, 0.0);
    GSER(viaSeries, a, below, lng);
    EXPECT_EQ(GAMMQ(a, below), 1.0 - viaSeries);
}

TEST(IncompleteGamma, LnGammaMatchesFactorials) {
    EXPECT_NEAR(LnGamma(1.0), 0.0, 1e-10);
    EXPECT_NE(LnGamma(1.0), 0.0);  // the six-term series is not exact at 1
    EXPECT_NEAR(LnGamma(5.0), std::log(24.0), 1e-9);
    EXPECT_NEAR(LnGamma(0.5), 0.5 * std::log(M_PI), 1e-9);
    EXPECT_NEAR(LnGamma(101.0), std::lgamma(101.0), 1e-8);
}

using ChiSquareDeathTest = ::testing::Test;

TEST_F(ChiSquareDeathTest, InvalidArgumentsStopTheProgram) {
    const char* kMessage = "^\nError in routine GAMMQ:  Invalid arguments\nProgram aborted.\n$";
    EXPECT_EXIT(ChiSquareProb(-1.0, 3.0), ::testing::ExitedWithCode(1), kMessage);
    EXPECT_EXIT(ChiSquareProb(1.0, 0.0), ::testing::ExitedWithCode(1), kMessage);
    EXPECT_EXIT(ChiSquareProb(std::numeric_limits<double>::quiet_NaN(), 3.0),
                ::testing::ExitedWithCode(1), kMessage);
}

TEST_F(ChiSquareDeathTest, SeriesAndFractionLimitsStopTheProgram) {
    double result = 0.0, lng = 0.0;
    EXPECT_EXIT(GSER(result, 1.0, -1.0, lng), ::testing::ExitedWithCode(1),
                "^\nError in routine GSER: x less than 0\nProgram aborted.\n$");
    EXPECT_EXIT(GSER(result, 1e6, 1e6 - 2.0, lng), ::testing::ExitedWithCode(1),
                "^\nError in routine GSER:  a too large, ITMAX too small\nProgram aborted.\n$");
    EXPECT_EXIT(GCF(result, 1e6, 1e6 + 2.0, lng), ::testing::ExitedWithCode(1),
                "^\nError in routine GCF: a too large, ITMAX too small\nProgram aborted.\n$");
}

}  // namespace
}  // namespace dyvern
