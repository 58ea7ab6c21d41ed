// The human/chimpanzee pair against PAML's baseml (lnL without a multinomial
// constant, as here), every fit against the window's, and the models compared
// against statistics from baseml's likelihoods and R's chi-square tail.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>

#include "estimate/model_comparison.h"
#include "estimate/pair_fit.h"
#include "model/hkymodel.h"
#include "solve/powell_fit.h"
#include "stats/chi_square.h"
#include "stats/chi_square_tail.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::SampleData;
using testing::TargetFor;

// PAML's baseml 4.9j on the pair (cleandata = 1; F81 and HKY85 with nhomo = 1,
// frequencies estimated by likelihood): lnL summed from its site-pattern
// log-probabilities (ten decimals each, so good to 5e-8), d its tree length,
// np its parameter count, in which the two branches of a two-sequence tree
// count twice, though only their sum is identifiable. In the order of ModelKind.
const struct {
    double lnL, kappa, d;
    std::array<double, 4> pi;  // A, C, G, T
    int np;
} kKnown[] = {
    {-1594.69255788, 1.0, 0.0939096, {0.25, 0.25, 0.25, 0.25}, 2},
    {-1524.8137977982, 1.0, 0.094248, {0.298046, 0.330147, 0.104677, 0.267130}, 5},
    {-1530.00629687, 32.3701056, 0.0965463, {0.25, 0.25, 0.25, 0.25}, 3},
    {-1458.520553289, 33.896457, 0.097714, {0.309145, 0.326319, 0.103989, 0.260547}, 6},
};

// The window starts likelihood as Solve does, and least squares at the
// composition the refined fit held.
TEST(SamplePair, RefinedAndWindowFitsAgreeWithAnIndependentProgramAndTheReportsTest) {
    const DataFileTable data = SampleData();
    for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
        for (const ModelKind model : kWindowModels) {
            const auto& k = kKnown[static_cast<int>(model)];
            SCOPED_TRACE(::testing::Message()
                         << FactsOf(model).word << " " << static_cast<int>(criterion));
            const bool ml = criterion == Criterion::MaxLikelihood;
            const FitTarget target = TargetFor(data.counts, model, criterion, data.siteCount);
            const PairFit fit = FitPair(data.counts, data.siteCount, model, criterion);
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
                TestGoodnessOfFit(data.counts, expected, FitTestDegreesOfFreedom(model));
            EXPECT_NEAR(fit.gof.statistic, report.statistic, 1e-9 * report.statistic);
            EXPECT_NEAR(fit.gof.prob, report.prob, 1e-12);
            if (!ml) continue;

            EXPECT_NEAR(fit.lnL, k.lnL, 5e-8);
            EXPECT_NEAR(atFit.LogLikelihood() / fit.lnL, 1.0, 1e-13);
            EXPECT_NEAR(-window.minimum, k.lnL, 1e-6);
            EXPECT_NEAR(fit.kappa, k.kappa, 1e-5);
            if (model == ModelKind::K80) {
                EXPECT_NEAR(window.estimates.kappa, k.kappa, 1e-4);  // as the README quotes it
            }
            EXPECT_NEAR(fit.d, k.d, 1.5e-6);
            for (int b = 0; b < 4; ++b) EXPECT_NEAR(fit.pi[b], k.pi[b], 1e-6);
        }
    }
}

// The fit of `model` among the compared ones, found by name.
const PairFit& FitOf(const ModelComparison& c, ModelKind model) {
    for (const PairFit& fit : c.fits)
        if (fit.model == model) return fit;
    throw std::runtime_error(std::string("no fit of ") + FactsOf(model).word);
}

// The tests against statistics from baseml's likelihoods, with P from R
// 4.2.2's pchisq(LR, df, lower.tail = FALSE); the criteria against each
// other: AIC falls by LR - 2 df from null to alternative, BIC - AIC =
// k (ln n - 2), AICc - AIC = 2k(k + 1)/(n - k - 1), here worked for n = 895.
TEST(SamplePair, ModelComparisonFromTheKnownLikelihoods) {
    const DataFileTable data = SampleData();
    const ModelComparison c = CompareModels(data.counts, data.siteCount);
    ASSERT_TRUE(c.ranked);
    ASSERT_EQ(c.fits.size(), 9u);
    EXPECT_NEAR(FitOf(c, ModelKind::JC69).aic, 3191.38511576, 1e-7);  // 2 - 2 lnL
    const double aiccExcess[] = {4.0 / 893, 40.0 / 890, 12.0 / 892, 60.0 / 889};
    for (const ModelKind model : kWindowModels) {
        const int m = static_cast<int>(model);
        const PairFit& fit = FitOf(c, model);
        const int k = kKnown[m].np - 1;
        EXPECT_EQ(fit.k, k);
        EXPECT_NEAR(fit.lnL, kKnown[m].lnL, 5e-8);
        EXPECT_NEAR(fit.bic - fit.aic, k * (std::log(895.0) - 2), 1e-9);
        EXPECT_NEAR(fit.aicc - fit.aic, aiccExcess[m], 1e-11);
    }
    // F81 and K80 are 6.385 apart in AIC by baseml's likelihoods, so their
    // weights 24.35 to 1.
    const std::size_t f81 = &FitOf(c, ModelKind::F81) - c.fits.data();
    const std::size_t k80 = &FitOf(c, ModelKind::K80) - c.fits.data();
    const double ratio = std::exp(kKnown[1].lnL - kKnown[2].lnL - 2);
    EXPECT_NEAR(c.aicWeights[f81] / c.aicWeights[k80], ratio, 2e-7 * ratio);

    const struct {
        ModelKind null, alternative;
        double statistic, prob;
    } tests[4] = {{ModelKind::JC69, ModelKind::K80, 129.37252202, 5.621321459e-30},
                  {ModelKind::F81, ModelKind::HKY85, 132.5864890184, 1.113484492e-30},
                  {ModelKind::JC69, ModelKind::F81, 139.7575201636, 4.263267172e-30},
                  {ModelKind::K80, ModelKind::HKY85, 142.971487162, 8.643849398e-31}};
    std::size_t seen = 0;
    for (const LikelihoodRatioTest& test : c.tests) {
        for (const auto& known : tests) {
            if (test.null != known.null || test.alternative != known.alternative) continue;
            ++seen;
            const auto& null = kKnown[static_cast<int>(known.null)];
            const auto& alternative = kKnown[static_cast<int>(known.alternative)];
            EXPECT_EQ(test.df, alternative.np - null.np);
            EXPECT_NEAR(test.statistic, known.statistic, 1e-7);
            EXPECT_NEAR(test.prob / known.prob, 1.0, 2e-7);
            EXPECT_NEAR(FitOf(c, known.null).aic - FitOf(c, known.alternative).aic,
                        test.statistic - 2 * test.df, 1e-9);
        }
    }
    EXPECT_EQ(seen, 4u);
}

// A table with equal composition and transitions a third of the differences
// is JC69's: every model reaches the same lnL, so the weights rest on k
// alone: e^-k by AIC and n^(-k/2) by BIC, each set adding to 1 and falling
// as k grows; every test gives LR = 0, P = 1. k counts the branch length and
// each model's free rate ratios and base frequencies.
TEST(ModelComparison, EqualLikelihoodsAreWeighedByTheirParameterCounts) {
    DivergenceCounts table;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) table[i][j] = i == j ? 40 : 2;
    const ModelComparison c = CompareModels(table, 200);
    const struct {
        ModelKind model;
        int k;
    } counts[] = {{ModelKind::JC69, 1}, {ModelKind::F81, 4},   {ModelKind::K80, 2},
                  {ModelKind::T92, 3},  {ModelKind::K81, 3},   {ModelKind::F84, 5},
                  {ModelKind::HKY85, 5}, {ModelKind::TN93, 6}, {ModelKind::GTR, 9}};
    ASSERT_EQ(c.fits.size(), std::size(counts));
    double aicSum = 0.0, bicSum = 0.0;
    for (const auto& known : counts) {
        aicSum += std::exp(-known.k);
        bicSum += std::pow(200.0, -known.k / 2.0);
    }
    const double lnL = FitOf(c, ModelKind::JC69).lnL;
    for (const auto& known : counts) {
        SCOPED_TRACE(FactsOf(known.model).word);
        const PairFit& fit = FitOf(c, known.model);
        const std::size_t m = &fit - c.fits.data();
        EXPECT_EQ(fit.k, known.k);
        EXPECT_NEAR(fit.lnL, lnL, 1e-9);
        EXPECT_NEAR(c.aicWeights[m], std::exp(-known.k) / aicSum, 1e-9);
        EXPECT_NEAR(c.bicWeights[m], std::pow(200.0, -known.k / 2.0) / bicSum, 1e-9);
    }
    ASSERT_EQ(c.tests.size(), 12u);
    for (const LikelihoodRatioTest& test : c.tests) {
        EXPECT_NEAR(test.statistic, 0.0, 1e-9);
        EXPECT_NEAR(test.prob, 1.0, 1e-4);
    }
    EXPECT_EQ(c.bestAIC, ModelKind::JC69);
    EXPECT_EQ(c.bestBIC, ModelKind::JC69);
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
