// The human/chimpanzee pair against values from an independent
// maximum-likelihood program (lnL without a multinomial constant, as here),
// every fit against the window's, and the models compared from those values
// with the tail of chi-square their tests take, against the core's.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stats/chi_square_tail.h"
#include "estimate/model_comparison.h"
#include "estimate/pair_fit.h"
#include "solve/powell_fit.h"
#include "model/hkymodel.h"
#include "stats/chi_square.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::SampleData;
using testing::TargetFor;

// In the order of ModelKind.
const struct {
    ModelKind model;
    double lnL, kappa, d;
    std::array<double, 4> pi;  // A, C, G, T
} kKnown[] = {
    {ModelKind::JC69, -1594.692558, 1.0, 0.0, {0.25, 0.25, 0.25, 0.25}},
    {ModelKind::F81, -1524.813798, 1.0, 0.094248, {0.298046, 0.330147, 0.104677, 0.267130}},
    {ModelKind::K80, -1530.006297, 32.37011, 0.0, {0.25, 0.25, 0.25, 0.25}},
    {ModelKind::HKY85, -1458.520553, 33.896459, 0.097715, {0.309145, 0.326319, 0.103989, 0.260547}},
};

// The window starts likelihood as Solve does, and least squares at the
// composition the refined fit held.
TEST(SamplePair, RefinedAndWindowFitsAgreeWithAnIndependentProgramAndTheReportsTest) {
    const DataFileTable data = SampleData();
    for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
        for (const auto& k : kKnown) {
            SCOPED_TRACE(::testing::Message()
                         << FactsOf(k.model).word << " " << static_cast<int>(criterion));
            const bool ml = criterion == Criterion::MaxLikelihood;
            const FitTarget target = TargetFor(data.counts, k.model, criterion, data.siteCount);
            const PairFit fit = FitPair(data.counts, data.siteCount, k.model, criterion);
            const ModelFit window =
                FitModel(target, ml ? ParameterValues{}
                                    : ParameterValues{0.1, 1.0, fit.pi[A], fit.pi[C], fit.pi[G]});
            EXPECT_LE(ml ? -fit.lnL : fit.ss, window.minimum + 1e-13 * window.minimum);

            HKYModel atFit(target, fit.bt, fit.kappa, fit.pi[A], fit.pi[C], fit.pi[G]);
            DivergenceCounts expected;
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    expected[i][j] = atFit.JointProbability(i, j) * data.siteCount;
            const GoodnessOfFit report =
                TestGoodnessOfFit(data.counts, expected, FitTestDegreesOfFreedom(k.model));
            EXPECT_NEAR(fit.gof.statistic, report.statistic, 1e-9 * report.statistic);
            EXPECT_NEAR(fit.gof.prob, report.prob, 1e-12);
            if (!ml) continue;

            EXPECT_NEAR(fit.lnL, k.lnL, 1e-6);
            EXPECT_NEAR(atFit.LogLikelihood() / fit.lnL, 1.0, 1e-13);
            EXPECT_NEAR(-window.minimum, k.lnL, 1e-6);
            EXPECT_NEAR(fit.kappa, k.kappa, 1e-5);
            if (k.model == ModelKind::K80) {
                EXPECT_NEAR(window.estimates.kappa, k.kappa, 1e-4);  // as the README quotes it
            }
            if (k.d > 0.0) {
                EXPECT_NEAR(fit.d, k.d, 1.5e-6);
            }
            for (int b = 0; b < 4; ++b) EXPECT_NEAR(fit.pi[b], k.pi[b], 1e-6);
        }
    }
}

TEST(SamplePair, ModelComparisonFromTheKnownLikelihoods) {
    const DataFileTable data = SampleData();
    const double n = data.siteCount;
    const ModelComparison c = CompareModels(data.counts, data.siteCount);
    ASSERT_TRUE(c.ranked);
    const int k[4] = {1, 4, 2, 5};  // free parameters
    for (int m = 0; m < 4; ++m) {
        const double lnL = kKnown[m].lnL;
        EXPECT_NEAR(c.fits[m].aic, 2 * k[m] - 2 * lnL, 2e-6);
        EXPECT_NEAR(c.fits[m].bic, k[m] * std::log(n) - 2 * lnL, 2e-6);
        EXPECT_NEAR(c.fits[m].aicc, 2 * k[m] - 2 * lnL + 2.0 * k[m] * (k[m] + 1) / (n - k[m] - 1),
                    2e-6);
    }
    const struct {
        ModelKind null, alternative;
        int df;
    } pairs[4] = {{ModelKind::JC69, ModelKind::K80, 1},
                  {ModelKind::F81, ModelKind::HKY85, 1},
                  {ModelKind::JC69, ModelKind::F81, 3},
                  {ModelKind::K80, ModelKind::HKY85, 3}};
    for (int t = 0; t < 4; ++t) {
        const double statistic = 2 * (kKnown[static_cast<int>(pairs[t].alternative)].lnL -
                                      kKnown[static_cast<int>(pairs[t].null)].lnL);
        EXPECT_EQ(c.tests[t].null, pairs[t].null);
        EXPECT_EQ(c.tests[t].alternative, pairs[t].alternative);
        EXPECT_EQ(c.tests[t].df, pairs[t].df);
        EXPECT_NEAR(c.tests[t].statistic, statistic, 4e-6);
        EXPECT_NEAR(c.tests[t].prob / ChiSquareProb(c.tests[t].statistic, pairs[t].df), 1.0, 1e-6);
    }
    // HKY85 wins by over a hundred units; F81 and K80 keep the ratio of
    // their exp(-AIC/2).
    EXPECT_EQ(c.bestAIC, ModelKind::HKY85);
    EXPECT_EQ(c.bestBIC, ModelKind::HKY85);
    EXPECT_NEAR(c.aicWeights[3], 1.0, 1e-15);
    EXPECT_NEAR(c.aicWeights[1] / c.aicWeights[2], std::exp((c.fits[2].aic - c.fits[1].aic) / 2),
                1e-4);
    EXPECT_NEAR(c.bicWeights[1] / c.bicWeights[2], std::exp((c.fits[2].bic - c.fits[1].bic) / 2),
                1e-4);
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
