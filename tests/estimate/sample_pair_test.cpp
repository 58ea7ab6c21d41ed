// The human/chimpanzee pair against values from an independent
// maximum-likelihood program (lnL without a multinomial constant, as here),
// F81 against an EM fit written here, and HKY85 against the window's own
// model: a zero gradient and no coordinate step that improves it.
#include <gtest/gtest.h>

#include <cmath>

#include "estimate/pair_fit.h"
#include "fit/model_fit.h"
#include "model/hkymodel.h"
#include "pair_tables.h"

namespace dyvern {
namespace {

using testing::SharedSample;

FitTarget TargetOf(const DataFileTable& data, ModelKind model, Criterion criterion) {
    FitTarget target;
    target.modelKind = model;
    target.criterion = criterion;
    target.siteCount = data.siteCount;
    target.observed = data.counts;
    return target;
}

// lnL of the window's model at the fit's estimates.
double WindowLnL(const DataFileTable& data, const PairFit& fit) {
    const FitTarget target = TargetOf(data, fit.model, Criterion::MaxLikelihood);
    HKYModel model(target, fit.bt, fit.kappa, fit.pi[A], fit.pi[C], fit.pi[G]);
    return model.LogLikelihood();
}

TEST(SamplePair, AgreesWithAnIndependentProgram) {
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
    const DataFileTable data = SharedSample();
    ASSERT_EQ(data.siteCount, 895);
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
        EXPECT_NEAR(WindowLnL(data, fit) / fit.lnL, 1.0, 1e-13);
    }
}

// F81 is a mixture: with probability x = e^-bt a site keeps its base (pair
// i,i with probability pi_i), otherwise both bases are independent draws.
// EM on that mixture climbs the same likelihood by another road.
struct F81Solution {
    double x;
    std::array<double, 4> pi;
};

F81Solution F81ByExpectationMaximisation(const DivergenceCounts& counts) {
    F81Solution s{0.5, {0.25, 0.25, 0.25, 0.25}};
    const double N = testing::CellTotal(counts);
    for (int round = 0; round < 100000; ++round) {
        std::array<double, 4> kept{}, drawn{};
        double keptSites = 0.0;
        for (int i = 0; i < 4; ++i) {
            kept[i] = counts[i][i] * s.x / (s.x + (1.0 - s.x) * s.pi[i]);
            keptSites += kept[i];
            for (int j = 0; j < 4; ++j) drawn[i] += counts[i][j] + counts[j][i];
            drawn[i] -= 2.0 * kept[i];
        }
        const F81Solution last = s;
        s.x = keptSites / N;
        for (int i = 0; i < 4; ++i) s.pi[i] = (kept[i] + drawn[i]) / (2.0 * N - keptSites);
        if (std::fabs(s.x - last.x) < 1e-15 && std::fabs(s.pi[A] - last.pi[A]) < 1e-15) break;
    }
    return s;
}

TEST(SamplePair, FelsensteinAgreesWithExpectationMaximisation) {
    const DataFileTable data = SharedSample();
    const PairFit fit =
        FitPair(data.counts, data.siteCount, ModelKind::F81, Criterion::MaxLikelihood);
    const F81Solution em = F81ByExpectationMaximisation(data.counts);
    EXPECT_NEAR(fit.bt / -std::log(em.x), 1.0, 1e-7);
    for (int b = 0; b < 4; ++b) EXPECT_NEAR(fit.pi[b], em.pi[b], 1e-8);
    double B = 1.0;
    for (const double f : em.pi) B -= f * f;
    EXPECT_NEAR(fit.d / (-std::log(em.x) * B), 1.0, 1e-7);
}

TEST(SamplePair, HasegawaOptimumHasZeroGradientAndNoBetterNeighbour) {
    const DataFileTable data = SharedSample();
    const PairFit fit =
        FitPair(data.counts, data.siteCount, ModelKind::HKY85, Criterion::MaxLikelihood);
    const FitTarget target = TargetOf(data, ModelKind::HKY85, Criterion::MaxLikelihood);
    const double best = WindowLnL(data, fit);
    const double start[5] = {fit.bt, fit.kappa, fit.pi[A], fit.pi[C], fit.pi[G]};
    const auto lnLAt = [&](int k, double step) {
        double p[5] = {start[0], start[1], start[2], start[3], start[4]};
        p[k] *= 1.0 + step;  // piT takes up a frequency's change
        return HKYModel(target, p[0], p[1], p[2], p[3], p[4]).LogLikelihood();
    };
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        for (const double step : {1e-3, 1e-5, 1e-7}) {
            EXPECT_LE(lnLAt(k, step), best);
            EXPECT_LE(lnLAt(k, -step), best);
        }
        // Central difference of lnL against ln of the parameter.
        const double h = 1e-5;
        EXPECT_NEAR((lnLAt(k, h) - lnLAt(k, -h)) / (2 * h), 0.0, 1e-6);
    }
}

TEST(SamplePair, RefinedFitsAreNoWorseThanTheWindowsAndTestedAsTheReportTests) {
    const DataFileTable data = SharedSample();
    for (const Criterion criterion : {Criterion::MaxLikelihood, Criterion::LeastSquares}) {
        for (const ModelKind model : kAllModels) {
            SCOPED_TRACE(::testing::Message()
                         << ReportModelName(model) << " " << static_cast<int>(criterion));
            const FitTarget target = TargetOf(data, model, criterion);
            const PairFit fit = FitPair(data.counts, data.siteCount, model, criterion);
            // Under least squares the fit reports the composition it held.
            const ParameterValues start{0.1, 1.0, fit.pi[A], fit.pi[C], fit.pi[G]};
            const double window = FitModel(target, start).minimum;
            const double refined = criterion == Criterion::MaxLikelihood ? -fit.lnL : fit.ss;
            EXPECT_LE(refined, window + 1e-13 * window);

            HKYModel atFit(target, fit.bt, fit.kappa, fit.pi[A], fit.pi[C], fit.pi[G]);
            DivergenceCounts expected;
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    expected[i][j] = atFit.JointProbability(i, j) * data.siteCount;
            const GoodnessOfFit report =
                TestGoodnessOfFit(data.counts, expected, DegreesOfFreedom(model));
            EXPECT_NEAR(fit.gof.statistic, report.statistic, 1e-9 * report.statistic);
            EXPECT_NEAR(fit.gof.prob, report.prob, 1e-12);
            EXPECT_EQ(fit.df, DegreesOfFreedom(model));
        }
    }
}

}  // namespace
}  // namespace dyvern
