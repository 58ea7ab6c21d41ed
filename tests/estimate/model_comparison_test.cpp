// Model comparison worked by hand from likelihoods known independently of the
// search, and the chi-square tail against the core's incomplete gamma.
#include "estimate/model_comparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "estimate/chi_square_tail.h"
#include "pair_tables.h"
#include "stats/chi_square.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

constexpr int kJC = 0, kF81 = 1, kK80 = 2, kHKY = 3;

// 45 in each identical cell and 3 in every other: equal composition and
// transitions per cell as common as transversions, so every model's optimum
// is JC69's (kappa 1, frequencies 1/4) and lnL is the trinomial's at
// p = 36/216.
TEST(ModelComparison, WorkedByHandWhereEveryModelFitsAsJukesCantor) {
    const DivergenceCounts table = testing::Even(45, 3, 3);
    const double n = 216, p = 36.0 / 216;
    const double lnL = 180 * std::log((1 - p) / 4) + 36 * std::log(p / 12);
    const ModelComparison c = CompareModels(table, 216);
    ASSERT_TRUE(c.ranked);
    const int k[4] = {1, 4, 2, 5};
    for (int m = 0; m < 4; ++m) {
        EXPECT_NEAR(c.fits[m].lnL, lnL, 1e-9);
        EXPECT_NEAR(c.fits[m].aic, 2 * k[m] - 2 * lnL, 1e-8);
        EXPECT_NEAR(c.fits[m].bic, k[m] * std::log(n) - 2 * lnL, 1e-8);
        EXPECT_NEAR(c.fits[m].aicc, 2 * k[m] - 2 * lnL + 2.0 * k[m] * (k[m] + 1) / (n - k[m] - 1),
                    1e-8);
        // Equal likelihoods: the weights follow the penalties alone.
        EXPECT_NEAR(c.aicWeights[m] / c.aicWeights[kJC], std::exp(1.0 - k[m]), 1e-9);
        EXPECT_NEAR(c.bicWeights[m] / c.bicWeights[kJC], std::pow(n, (1.0 - k[m]) / 2), 1e-9);
        EXPECT_GE(c.tests[m].statistic, 0.0);  // clamped: the fits tie to rounding
        EXPECT_LT(c.tests[m].statistic, 1e-8);
    }
    EXPECT_EQ(c.bestAIC, ModelKind::JC69);
    EXPECT_EQ(c.bestBIC, ModelKind::JC69);
    // Without room for it (n - k - 1 = 0) the small-sample correction is undefined.
    EXPECT_TRUE(std::isnan(FitPair(table, 6, ModelKind::HKY85, Criterion::MaxLikelihood).aicc));
}

TEST(ModelComparison, SamplePairFromTheKnownLikelihoods) {
    const double lnL[4] = {-1594.692558, -1524.813798, -1530.006297, -1458.520553};
    const DataFileTable data = testing::SampleData();
    const ModelComparison c = CompareModels(data.counts, data.siteCount);
    const struct {
        int null, alternative, df;
    } pairs[4] = {{kJC, kK80, 1}, {kF81, kHKY, 1}, {kJC, kF81, 3}, {kK80, kHKY, 3}};
    for (int t = 0; t < 4; ++t) {
        const double statistic = 2 * (lnL[pairs[t].alternative] - lnL[pairs[t].null]);
        EXPECT_EQ(c.tests[t].null, static_cast<ModelKind>(pairs[t].null));
        EXPECT_EQ(c.tests[t].alternative, static_cast<ModelKind>(pairs[t].alternative));
        EXPECT_EQ(c.tests[t].df, pairs[t].df);
        EXPECT_NEAR(c.tests[t].statistic, statistic, 4e-6);
        EXPECT_NEAR(c.tests[t].prob / ChiSquareProb(c.tests[t].statistic, pairs[t].df), 1.0, 1e-6);
    }
    // HKY85 wins by over a hundred units; F81 and K80 keep the ratio of
    // their exp(-AIC/2).
    EXPECT_EQ(c.bestAIC, ModelKind::HKY85);
    EXPECT_EQ(c.bestBIC, ModelKind::HKY85);
    EXPECT_NEAR(c.aicWeights[kHKY], 1.0, 1e-15);
    const double aicF81 = 8 - 2 * lnL[kF81], aicK80 = 4 - 2 * lnL[kK80];
    EXPECT_NEAR(c.aicWeights[kF81] / c.aicWeights[kK80], std::exp((aicK80 - aicF81) / 2), 1e-4);
}

TEST(ChiSquareTail, AgreesWithTheIncompleteGammaAndKnownPoints) {
    for (int df = 1; df <= 14; ++df) {
        for (const double x : {0.01, 0.5, 1.0, 3.0, 7.5, 15.0, 40.0, 150.0}) {
            SCOPED_TRACE(::testing::Message() << "x " << x << " df " << df);
            EXPECT_NEAR(ChiSquareTail(x, df) / ChiSquareProb(x, df), 1.0, 1e-6);
        }
    }
    EXPECT_NEAR(ChiSquareTail(3.841458820694124, 1), 0.05, 1e-15);
    EXPECT_NEAR(ChiSquareTail(5.991464547107979, 2), 0.05, 1e-15);
    EXPECT_NEAR(ChiSquareTail(7.814727903251178, 3), 0.05, 1e-15);
    EXPECT_EQ(ChiSquareTail(0.0, 3), 1.0);
    EXPECT_EQ(ChiSquareTail(std::numeric_limits<double>::infinity(), 1), 0.0);
    EXPECT_TRUE(std::isnan(ChiSquareTail(std::nan(""), 1)));
}

}  // namespace
}  // namespace dyvern
