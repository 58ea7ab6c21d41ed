// The likelihood interval of d checked by its definition: at each end
// 2 (lnL max - profile lnL) is the 95% point of chi-square on 1 df. The
// profiles are worked here another way: JC69 has nothing else to fit, so its
// profile is lnL itself; K80's is searched over kappa by golden section on
// the window's model, with bt = 4d / (2 + kappa) holding d.
#include <gtest/gtest.h>

#include <cmath>

#include "estimate/pair_fit.h"
#include "model/hkymodel.h"
#include "pair_tables.h"
#include "support/test_tables.h"

namespace dyvern {
namespace {

double ProfileLnL(const DivergenceCounts& counts, ModelKind model, double d) {
    const FitTarget target = testing::TargetFor(counts, model);
    const auto lnL = [&](double logKappa) {
        const double kappa = std::exp(logKappa);
        return HKYModel(target, 4.0 * d / (2.0 + kappa), kappa, 0.25, 0.25, 0.25).LogLikelihood();
    };
    return model == ModelKind::JC69 ? lnL(0.0) : lnL(testing::ArgMax(lnL, -8.0, 12.0));
}

TEST(ProfileInterval, EndsLieWhereTheProfileHasFallenByTheChiSquarePoint) {
    const DivergenceCounts tables[] = {testing::SampleTable(), testing::Spread(350, 60, 90),
                                       testing::Spread(48, 6, 6), testing::Spread(298, 1, 1)};
    for (const DivergenceCounts& table : tables) {
        const int n = static_cast<int>(std::lround(testing::CellSum(table)));
        for (const ModelKind model : {ModelKind::JC69, ModelKind::K80}) {
            const PairFit fit = FitPair(table, n, model, Criterion::MaxLikelihood);
            SCOPED_TRACE(::testing::Message() << ReportModelName(model) << " d = " << fit.d);
            ASSERT_LT(fit.dLow, fit.d);
            ASSERT_GT(fit.dHigh, fit.d);
            for (const double end : {fit.dLow, fit.dHigh})
                EXPECT_NEAR(2.0 * (fit.lnL - ProfileLnL(table, model, end)), 3.8414588206941236,
                            1e-6);
        }
    }
}

}  // namespace
}  // namespace dyvern
