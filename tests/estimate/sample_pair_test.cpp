// The human/chimpanzee pair against values from an independent
// maximum-likelihood program (lnL without a multinomial constant, as here),
// and every fit against the window's.
#include <gtest/gtest.h>

#include <cmath>

#include "estimate/pair_fit.h"
#include "fit/model_fit.h"
#include "model/hkymodel.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

using testing::SampleData;
using testing::TargetFor;

TEST(SamplePair, RefinedAndWindowFitsAgreeWithAnIndependentProgram) {
    const struct {
        ModelKind model;
        double lnL, kappa, d;
        std::array<double, 4> pi;  // A, C, G, T; 0 when equal
    } known[] = {
        {ModelKind::JC69, -1594.692558, 1.0, 0.0, {}},
        {ModelKind::K80, -1530.006297, 32.37011, 0.0, {}},
        {ModelKind::F81, -1524.813798, 1.0, 0.094248, {0.298046, 0.330147, 0.104677, 0.267130}},
        {ModelKind::HKY85,
         -1458.520553,
         33.896459,
         0.097715,
         {0.309145, 0.326319, 0.103989, 0.260547}},
    };
    const DataFileTable data = SampleData();
    for (const auto& k : known) {
        SCOPED_TRACE(ReportModelName(k.model));
        const PairFit fit = FitPair(data.counts, data.siteCount, k.model, Criterion::MaxLikelihood);
        EXPECT_EQ(fit.status, FitStatus::Ok);
        EXPECT_NEAR(fit.lnL, k.lnL, 1e-6);
        EXPECT_NEAR(fit.kappa, k.kappa, 1e-5);
        if (k.d > 0.0) {
            EXPECT_NEAR(fit.d, k.d, 1.5e-6);
        }
        for (int b = 0; b < 4; ++b) {
            if (k.pi[b] > 0.0) {
                EXPECT_NEAR(fit.pi[b], k.pi[b], 1e-6);
            }
        }
        const FitTarget target = TargetFor(data.counts, k.model);
        const ModelFit window = FitModel(target, {});
        EXPECT_NEAR(-window.minimum, k.lnL, 1e-6);
        if (k.model == ModelKind::K80) {
            EXPECT_NEAR(window.estimates.kappa, k.kappa, 1e-4);  // as the README quotes it
        }
    }
}

TEST(SamplePair, RefinedFitsAreNoWorseThanTheWindowsAndTestedAsTheReportTests) {
    const DataFileTable data = SampleData();
    for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
        for (const ModelKind model : kAllModels) {
            SCOPED_TRACE(::testing::Message()
                         << ReportModelName(model) << " " << static_cast<int>(criterion));
            const FitTarget target = TargetFor(data.counts, model, criterion, data.siteCount);
            const PairFit fit = FitPair(data.counts, data.siteCount, model, criterion);
            // Under least squares the fit reports the composition it held.
            const ParameterValues start{0.1, 1.0, fit.pi[A], fit.pi[C], fit.pi[G]};
            const double window = FitModel(target, start).minimum;
            const bool ml = criterion == Criterion::MaxLikelihood;
            EXPECT_LE(ml ? -fit.lnL : fit.ss, window + 1e-13 * window);

            HKYModel atFit(target, fit.bt, fit.kappa, fit.pi[A], fit.pi[C], fit.pi[G]);
            if (ml) {
                EXPECT_NEAR(atFit.LogLikelihood() / fit.lnL, 1.0, 1e-13);
            }
            DivergenceCounts expected;
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    expected[i][j] = atFit.JointProbability(i, j) * data.siteCount;
            const GoodnessOfFit report =
                TestGoodnessOfFit(data.counts, expected, DegreesOfFreedom(model));
            EXPECT_NEAR(fit.gof.statistic, report.statistic, 1e-9 * report.statistic);
            EXPECT_NEAR(fit.gof.prob, report.prob, 1e-12);
        }
    }
}

}  // namespace
}  // namespace dyvern
